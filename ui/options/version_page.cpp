#include "ui/options/options_ids.h"
#include "ui/options/pages.h"
#include "ui/options/version_page_ids.h"

namespace ui::options {
namespace {

// The version, and the maker's home page behind the icon and the link.
class VersionPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_VERSION; }
    void create(PageContext&) override {
        SetDlgItemTextW(hwnd(), IDC_VERSION_TEXT, settings::kVersionText);
    }
    bool onCommand(PageContext& context, int id, int code) override {
        if ((id != IDC_HOME_LINK && id != IDC_VERSION_ICON) || code != STN_CLICKED) return false;
        if (context.openHomePage) context.openHomePage();
        return true;
    }
};

}  // namespace

std::unique_ptr<Page> makeVersionPage() { return std::make_unique<VersionPage>(); }

}  // namespace ui::options
