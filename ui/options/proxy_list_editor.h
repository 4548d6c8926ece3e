#pragma once
#include <optional>
#include <string>
#include <vector>

#include "features/status_bar.h"

namespace ui::options {

// "追加": the entry box loses its leading blanks; a text left over is appended to the proxy
// list as typed (no check for duplicates or form), reported in the status bar, and the box is
// emptied. Returns whether an entry was added.
bool addProxyEntry(std::vector<std::wstring>& list, std::wstring& box, features::StatusBar& status);

// "削除": the selected entry goes, reported in the status bar; nothing without a selection.
bool deleteProxyEntry(std::vector<std::wstring>& list, std::optional<size_t> selected,
                      features::StatusBar& status);

}  // namespace ui::options
