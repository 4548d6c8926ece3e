#include <algorithm>
#include <vector>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/image_bitmap.h"
#include "render/rounding.h"
#include "settings/display_catalogue.h"
#include "ui/options/appearance_page_ids.h"
#include "ui/options/bound_page.h"
#include "ui/options/list_view.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

constexpr Binding kBindings[] = {
    colourButton(IDC_BACKGROUND_COLOUR, settings::kBackgroundColour),
    colourButton(IDC_TEXT_COLOUR, settings::kTextColour),
    colourButton(IDC_GRAPH_LINE_COLOUR, settings::kGraphLineColour),
    colourButton(IDC_GRAPH_BACK_COLOUR, settings::kGraphBackColour),
    checkBox(IDC_TASKBAR_BUTTON, &S::taskbarButtonOn),
    checkBox(IDC_TASKBAR_CPU, &S::taskbarShowsCpu),
    checkBox(IDC_TASKBAR_MEMORY, &S::taskbarShowsMemory),
    checkBox(IDC_TASKBAR_RECEIVE, &S::taskbarShowsReceive),
    checkBox(IDC_TASKBAR_SEND, &S::taskbarShowsSend),
    colourButton(IDC_SWATCH_2, settings::kStoredColour2),
    colourButton(IDC_SWATCH_3, settings::kStoredColour3),
    colourButton(IDC_SWATCH_4, settings::kStoredColour4),
    colourButton(IDC_SWATCH_5, settings::kDriveStartPickColour),
};

class AppearancePage : public BoundPage {
public:
    AppearancePage() : BoundPage(IDD_PAGE_OTHER2, kBindings) {}

    void create(PageContext& context) override {
        BoundPage::create(context);
        showVersion(context);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        if (change.names(&context.live.settings.language)) showVersion(context);
        // The list pages repaint the strips as their colours change.
        if (change.topic == settings::Topic::DisplayRows ||
            change.topic == settings::Topic::DriveColours ||
            change.topic == settings::Topic::DriveRows)
            InvalidateRect(item(IDC_BAR_STRIPS), nullptr, FALSE);
    }

    bool onMessage(PageContext& context, UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override {
        if (msg == WM_DRAWITEM && wp == IDC_BAR_STRIPS) {
            drawStrips(context, *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
            result = TRUE;
            return true;
        }
        return BoundPage::onMessage(context, msg, wp, lp, result);
    }

private:
    void showVersion(PageContext& context) {
        const platform::SystemVersion& v = context.systemVersion;
        setText(IDC_SYSTEM_VERSION,
                base::format(base::Text::SystemVersion,
                             {std::to_wstring(context.platformFamily),
                              std::to_wstring(v.major) + L"." + std::to_wstring(v.minor),
                              std::to_wstring(v.build)}));
    }
    // Row by row, as many strips to a row as fit; what does not fit is clipped.
    static void drawStrips(PageContext& context, const DRAWITEMSTRUCT& draw) {
        FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        const render::BarStrips& strips = context.program.barStrips();
        std::vector<const render::Image*> shown;
        for (const settings::CatalogueItem& entry : settings::catalogue())
            if (settings::isMeterItem(entry.id))
                shown.push_back(&strips.items[settings::slotOf(entry.id)]);
        size_t drives = std::min(context.live.drives.size(), strips.drives.size());
        for (size_t i = 0; i < drives; ++i) shown.push_back(&strips.drives[i]);

        // The strips are at the main window's DPI; the gap is at this window's.
        const int gap = win32::scaledForDpi(4, win32::dpiOfWindow(draw.hwndItem));
        const int stripWidth = strips.rowWidth, stripHeight = strips.rowHeight;
        int width = draw.rcItem.right - draw.rcItem.left;
        int perRow = std::max(1, (width + gap) / (stripWidth + gap));
        for (size_t i = 0; i < shown.size(); ++i) {
            int column = static_cast<int>(i) % perRow, row = static_cast<int>(i) / perRow;
            win32::drawImage(draw.hDC, *shown[i], draw.rcItem.left + column * (stripWidth + gap),
                             draw.rcItem.top + row * (stripHeight + gap));
        }
    }
};

}  // namespace

std::unique_ptr<Page> makeAppearancePage() { return std::make_unique<AppearancePage>(); }

}  // namespace ui::options
