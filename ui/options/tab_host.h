#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/options/page.h"

namespace ui::options {

// A tab control and the pages of its tabs. A tab may hold several pages, each at its template's
// place within the tab's body; only the selected tab's pages are shown.
class TabHost {
public:
    struct Tab {
        std::wstring caption;
        std::vector<std::unique_ptr<Page>> pages;
    };

    // `parent` is the dialog that holds the tab control; the pages become its children.
    void create(HWND parent, HWND tabControl, std::vector<Tab> tabs, PageContext& context);
    // A change notice for every page, shown or not.
    void changed(PageContext& context, const settings::Change& change);
    void select(int index);
    // TCN_SELCHANGE of this host's tab control; true when it was one.
    bool onNotify(const NMHDR& header);
    int selected() const { return selected_; }

private:
    HWND tabs_ = nullptr;
    std::vector<Tab> pages_;
    int selected_ = -1;
};

}  // namespace ui::options
