#include "ui/options/tab_host.h"

#include <commctrl.h>

namespace ui::options {

void TabHost::create(HWND parent, HWND tabControl, std::vector<Tab> tabs, PageContext& context) {
    tabs_ = tabControl;
    pages_ = std::move(tabs);
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = pages_[i].caption.data();
        SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    // The body of the tabs, in the parent's client coordinates.
    RECT body{};
    GetWindowRect(tabs_, &body);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&body), 2);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    for (Tab& tab : pages_)
        for (auto& page : tab.pages) {
            page->createIn(parent, {body.left, body.top}, context);
            ShowWindow(page->hwnd(), SW_HIDE);
        }
    select(0);
}

void TabHost::changed(PageContext& context, const settings::Change& change) {
    for (Tab& tab : pages_)
        for (auto& page : tab.pages) page->changed(context, change);
}

void TabHost::select(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    if (selected_ >= 0)
        for (auto& page : pages_[selected_].pages) ShowWindow(page->hwnd(), SW_HIDE);
    selected_ = index;
    if (static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)) != index)
        SendMessageW(tabs_, TCM_SETCURSEL, index, 0);
    for (auto& page : pages_[index].pages) ShowWindow(page->hwnd(), SW_SHOW);
}

bool TabHost::onNotify(const NMHDR& header) {
    if (header.hwndFrom != tabs_ || header.code != TCN_SELCHANGE) return false;
    select(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
    return true;
}

}  // namespace ui::options
