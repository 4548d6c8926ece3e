#pragma once
#include <memory>

#include "ui/options/page.h"

namespace ui::options {

// The close list on the tab "自動クローズ": the titles the auto-close closes, their counts, and
// deleting the ticked ones.
std::unique_ptr<Page> makeCloseListPage();

}  // namespace ui::options
