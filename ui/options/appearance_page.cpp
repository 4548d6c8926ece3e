#include "platform/win32/system_sources_win32.h"
#include "ui/options/appearance_page_ids.h"
#include "ui/options/bound_page.h"
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
        win32::SystemInfoWin32 system;
        platform::SystemVersion v = system.version();
        setText(IDC_SYSTEM_VERSION, L"OSPlatform  " + std::to_wstring(system.platformFamily()) +
                                        L"  OSVersion  " + std::to_wstring(v.major) + L"." +
                                        std::to_wstring(v.minor) + L"  OSBuild  " +
                                        std::to_wstring(v.build));
    }
};

}  // namespace

std::unique_ptr<Page> makeAppearancePage() { return std::make_unique<AppearancePage>(); }

}  // namespace ui::options
