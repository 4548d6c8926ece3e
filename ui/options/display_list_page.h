#pragma once
#include <memory>

#include "ui/options/page.h"

namespace ui::options {

// The list editor of the display items, on the first tab.
std::unique_ptr<Page> makeDisplayListPage();

}  // namespace ui::options
