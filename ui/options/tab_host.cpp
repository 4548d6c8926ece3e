#include "ui/options/tab_host.h"

#include <commctrl.h>

#include "base/texts.h"

namespace ui::options {

void TabHost::create(HWND parent, HWND tabControl, std::vector<Tab> tabs, PageContext& context,
                     std::function<void(HWND)> pageMade) {
    tabs_ = tabControl;
    parent_ = parent;
    pages_ = std::move(tabs);
    context_ = &context;
    pageMade_ = std::move(pageMade);
    sendCaptions(TCM_INSERTITEMW);
    bodyTop_ = body().top;
    if (!pageMade_)
        for (Tab& tab : pages_) make(tab);
    select(0);
}

void TabHost::make(Tab& tab) {
    if (tab.made) return;
    tab.made = true;
    const RECT at = body();
    for (auto& page : tab.pages) {
        page->createIn(parent_, {at.left, at.top}, *context_);
        ShowWindow(page->hwnd(), SW_HIDE);
        if (pageMade_) pageMade_(page->hwnd());
    }
}

// The body of the tabs, in the parent's client coordinates.
RECT TabHost::body() const {
    RECT at{};
    GetWindowRect(tabs_, &at);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&at), 2);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&at));
    return at;
}

void TabHost::sendCaptions(UINT message) {
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(base::text(pages_[i].caption));
        SendMessageW(tabs_, message, i, reinterpret_cast<LPARAM>(&item));
    }
}

void TabHost::retitle() {
    sendCaptions(TCM_SETITEMW);
    const LONG top = body().top;
    if (top == bodyTop_) return;
    for (Tab& tab : pages_)
        for (auto& page : tab.pages) {
            if (!tab.made) continue;
            RECT r{};
            GetWindowRect(page->hwnd(), &r);
            MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(page->hwnd(), nullptr, r.left, r.top + top - bodyTop_, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    bodyTop_ = top;
}

void TabHost::changed(PageContext& context, const settings::Change& change) {
    if (change.names(&context.live.settings.language)) retitle();
    for (Tab& tab : pages_)
        if (tab.made)
            for (auto& page : tab.pages) page->changed(context, change);
}

void TabHost::select(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    if (selected_ >= 0)
        for (auto& page : pages_[selected_].pages) ShowWindow(page->hwnd(), SW_HIDE);
    selected_ = index;
    make(pages_[index]);
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
