#include "base/texts.h"
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

    // What the sizing last saw.
    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        if (change.topic != settings::Topic::FolderSizing || !context.folderFields) return;
        features::FolderSizingFields fields = context.folderFields();
        show(IDC_FOLDER_TITLE, fields.title, shown_.title);
        show(IDC_FOLDER_FOUND, fields.found, shown_.found);
        show(IDC_FOLDER_HANDLE, fields.handle, shown_.handle);
        show(IDC_FOLDER_HANDLES, fields.handles, shown_.handles);
    }

private:
    void show(int control, const std::wstring& text, std::wstring& shown) {
        if (text == shown) return;
        shown = text;
        setText(control, text);
    }
    features::FolderSizingFields shown_;
};

std::unique_ptr<Page> makeFolderPage() { return std::make_unique<FolderPage>(); }

}  // namespace

std::unique_ptr<Page> makeToolsPage() {
    return std::make_unique<TabbedPage>(
        IDD_PAGE_TOOLS, IDC_TOOLS_TABS,
        std::vector<TabbedPage::NestedTab>{{base::Text::TabClipboardLink, makeClipboardLinkPage},
                                           {base::Text::TabFolderSizing, makeFolderPage},
                                           {base::Text::TabExport, makeExportPage}});
}

}  // namespace ui::options
