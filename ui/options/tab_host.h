#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/texts.h"
#include "ui/options/page.h"

namespace ui::options {

// A tab control and the pages of its tabs. A tab may hold several pages, each at its template's
// place within the tab's body; only the selected tab's pages are shown.
class TabHost {
public:
    struct Tab {
        base::Text caption;
        std::vector<std::unique_ptr<Page>> pages;
        bool made = false;
    };

    // `parent` is the dialog that holds the tab control; the pages become its children. With
    // `pageMade`, a tab's pages are made when it is first selected (each then goes to
    // `pageMade`), so that a window opens as soon as its first tab is made; without it, all
    // at once.
    void create(HWND parent, HWND tabControl, std::vector<Tab> tabs, PageContext& context,
                std::function<void(HWND)> pageMade = {});
    // A change notice for every page made, shown or not (a page made later shows the model as it
    // is then); a change of language retitles the tabs first and moves the pages when the tabs
    // take another number of rows.
    void changed(PageContext& context, const settings::Change& change);
    void select(int index);
    // TCN_SELCHANGE of this host's tab control; true when it was one.
    bool onNotify(const NMHDR& header);
    int selected() const { return selected_; }

private:
    // Each tab's caption in the current language: TCM_INSERTITEMW or TCM_SETITEMW.
    void sendCaptions(UINT message);
    void retitle();
    RECT body() const;
    void make(Tab& tab);

    HWND tabs_ = nullptr;
    HWND parent_ = nullptr;
    LONG bodyTop_ = 0;
    std::vector<Tab> pages_;
    PageContext* context_ = nullptr;
    std::function<void(HWND)> pageMade_;
    int selected_ = -1;
};

}  // namespace ui::options
