#pragma once
#include <memory>

#include "ui/options/page.h"

namespace ui::options {

// The tab "HDD": the drive list with its colours, the figures of a drive row and the refresh
// interval of the drive capacities.
std::unique_ptr<Page> makeDrivePage();

}  // namespace ui::options
