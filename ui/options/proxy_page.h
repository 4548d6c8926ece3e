#pragma once
#include <memory>

#include "ui/options/page.h"

namespace ui::options {

// The tab "プロキシ": the proxy list the proxy menu offers, and whether that menu shows.
std::unique_ptr<Page> makeProxyPage();

}  // namespace ui::options
