#include "ui/options/bound_page.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"
#include "ui/options/tabbed_page.h"
#include "ui/options/tools_page_ids.h"

namespace ui::options {
namespace {

constexpr Binding kFolder[] = {
    slider(IDC_FOLDER_SLIDER, Slider::FolderWatch, IDC_FOLDER_FRAME),
};

class FolderPage : public BoundPage {
public:
    FolderPage() : BoundPage(IDD_PAGE_TOOLS_FOLDER, kFolder) {}

    bool onCommand(PageContext& context, int id, int code) override {
        if (id == IDC_SIZE_WINDOW_BUTTON && code == BN_CLICKED) {
            if (context.showSizeWindow) context.showSizeWindow();
            return true;
        }
        return BoundPage::onCommand(context, id, code);
    }
};

std::unique_ptr<Page> makeFolderPage() { return std::make_unique<FolderPage>(); }

}  // namespace

std::unique_ptr<Page> makeToolsPage() {
    return std::make_unique<TabbedPage>(
        IDD_PAGE_TOOLS, IDC_TOOLS_TABS,
        std::vector<TabbedPage::NestedTab>{{L"クリップボード共有", makeClipboardLinkPage},
                                           {L"準備中", makeFolderPage}});
}

}  // namespace ui::options
