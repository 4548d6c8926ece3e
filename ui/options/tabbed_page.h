#pragma once
#include <vector>

#include "base/texts.h"
#include "ui/options/page.h"
#include "ui/options/tab_host.h"

namespace ui::options {

// A page that is a nested tab control with pages of its own.
class TabbedPage : public Page {
public:
    struct NestedTab {
        base::Text caption;
        PageFactory make;
    };

    TabbedPage(int templateId, int tabControl, std::vector<NestedTab> tabs)
        : templateId_(templateId), tabControl_(tabControl), nested_(std::move(tabs)) {}

    int templateId() const override { return templateId_; }
    void create(PageContext& context) override {
        std::vector<TabHost::Tab> tabs;
        for (const NestedTab& tab : nested_) {
            tabs.push_back({tab.caption, {}});
            tabs.back().pages.push_back(tab.make());
        }
        tabs_.create(hwnd(), item(tabControl_), std::move(tabs), context);
    }
    void changed(PageContext& context, const settings::Change& change) override {
        tabs_.changed(context, change);
    }
    bool onNotify(PageContext&, NMHDR& header, LRESULT&) override { return tabs_.onNotify(header); }

private:
    int templateId_;
    int tabControl_;
    std::vector<NestedTab> nested_;
    TabHost tabs_;
};

}  // namespace ui::options
