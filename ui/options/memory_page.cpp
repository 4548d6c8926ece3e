#include "ui/options/bound_page.h"
#include "ui/options/memory_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"
#include "ui/options/tabbed_page.h"

namespace ui::options {
namespace {

using S = settings::Settings;

// The release button stays disabled until memory release is part of the program.
constexpr Binding kManual[] = {
    slider(IDC_MANUAL_SLIDER, Slider::ManualRelease, IDC_MANUAL_FRAME),
    checkBox(IDC_MEMORY_MENU_ENTRY, &S::showMemoryReleaseEntry),
};

constexpr Binding kAutomatic[] = {
    checkBox(IDC_AUTO_RELEASE_ON, &S::autoReleaseOn),
    slider(IDC_AUTO_AMOUNT_SLIDER, Slider::AutoRelease, IDC_AUTO_AMOUNT_VALUE),
    slider(IDC_FREE_SLIDER, Slider::FreeThreshold, IDC_FREE_VALUE),
    slider(IDC_INTERVAL_SLIDER, Slider::ReleaseInterval, IDC_INTERVAL_VALUE),
    slider(IDC_LOAD_SLIDER, Slider::IdleLoad, IDC_LOAD_VALUE),
    slider(IDC_IDLE_SLIDER, Slider::IdleSeconds, IDC_IDLE_VALUE),
};

std::unique_ptr<Page> makeManualPage() {
    return std::make_unique<BoundPage>(IDD_PAGE_MEMORY_MANUAL, kManual);
}

std::unique_ptr<Page> makeAutomaticPage() {
    return std::make_unique<BoundPage>(IDD_PAGE_MEMORY_AUTO, kAutomatic);
}

}  // namespace

std::unique_ptr<Page> makeMemoryPage() {
    return std::make_unique<TabbedPage>(
        IDD_PAGE_MEMORY, IDC_MEMORY_TABS,
        std::vector<TabbedPage::NestedTab>{{L"手動開放", makeManualPage},
                                           {L"自動開放", makeAutomaticPage}});
}

}  // namespace ui::options
