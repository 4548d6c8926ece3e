#include "ui/options/proxy_list_editor.h"

#include "base/texts.h"

namespace ui::options {

bool addProxyEntry(std::vector<std::wstring>& list, std::wstring& box,
                   features::StatusBar& status) {
    box.erase(0, std::min(box.find_first_not_of(L' '), box.size()));
    if (box.empty()) return false;
    list.push_back(box);
    status.show(base::format(base::Text::ProxyAdded, {box}));
    box.clear();
    return true;
}

bool deleteProxyEntry(std::vector<std::wstring>& list, std::optional<size_t> selected,
                      features::StatusBar& status) {
    if (!selected || *selected >= list.size()) return false;
    status.show(base::format(base::Text::ProxyDeleted, {list[*selected]}));
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(*selected));
    return true;
}

}  // namespace ui::options
