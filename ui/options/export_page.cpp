#include "base/texts.h"
#include "features/export_service.h"
#include "ui/options/bound_page.h"
#include "ui/options/export_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

constexpr Binding kExport[] = {
    checkBox(IDC_EXPORT_ON, &S::exportOn),
    textBox(IDC_EXPORT_ADDRESS, &S::exportAddress),
    textBox(IDC_EXPORT_PORT, &S::exportPort),
    textBox(IDC_EXPORT_ALLOWED, &S::exportAllowed),
};

// The export's settings, the address to open (selectable, to copy) and the server's state.
class ExportPage : public BoundPage {
public:
    ExportPage() : BoundPage(IDD_PAGE_TOOLS_EXPORT, kExport) {}

    void load(PageContext& context) override {
        BoundPage::load(context);
        showAddress(context);
        showState(context);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        const S& s = context.live.settings;
        if (change.names(&s.exportAddress) || change.names(&s.exportPort) ||
            change.names(&s.language))
            showAddress(context);
        if (change.topic == settings::Topic::ExportState) showState(context);
    }

private:
    void showAddress(PageContext& context) {
        setText(IDC_EXPORT_URL, base::format(base::Text::ExportOpenAt,
                                             {features::exportUrl(context.live.settings)}));
    }
    void showState(PageContext& context) {
        if (context.exportState) setText(IDC_EXPORT_STATE, context.exportState());
    }
};

}  // namespace

std::unique_ptr<Page> makeExportPage() { return std::make_unique<ExportPage>(); }

}  // namespace ui::options
