#pragma once
#include <windows.h>

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
    };

    // `parent` is the dialog that holds the tab control; the pages become its children.
    void create(HWND parent, HWND tabControl, std::vector<Tab> tabs, PageContext& context);
    // A change notice for every page, shown or not; a change of language retitles the tabs
    // first and moves the pages when the tabs take another number of rows.
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

    HWND tabs_ = nullptr;
    HWND parent_ = nullptr;
    LONG bodyTop_ = 0;
    std::vector<Tab> pages_;
    int selected_ = -1;
};

}  // namespace ui::options
