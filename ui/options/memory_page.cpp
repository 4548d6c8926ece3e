#include "base/texts.h"
#include "ui/options/bound_page.h"
#include "ui/options/memory_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"
#include "ui/options/tabbed_page.h"

namespace ui::options {
namespace {

using S = settings::Settings;

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

// "開放実行": the button and the amount wait while a release runs, whoever started it.
class ManualPage : public BoundPage {
public:
    ManualPage() : BoundPage(IDD_PAGE_MEMORY_MANUAL, kManual) {}

    void load(PageContext& context) override {
        BoundPage::load(context);
        offerRelease(context);
    }
    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        if (change.topic == settings::Topic::MemoryRelease) offerRelease(context);
    }
    bool onCommand(PageContext& context, int id, int code) override {
        if (id != IDC_RELEASE_NOW) return BoundPage::onCommand(context, id, code);
        if (code != BN_CLICKED || !context.releaseMemory) return true;
        enable(false);
        context.releaseMemory();
        offerRelease(context);
        return true;
    }

private:
    void offerRelease(PageContext& context) {
        enable(!context.releaseRunning || !context.releaseRunning());
    }
    void enable(bool on) {
        EnableWindow(item(IDC_RELEASE_NOW), on);
        EnableWindow(item(IDC_MANUAL_SLIDER), on);
    }
};

// The automatic release follows its settings' notices: any change starts its counts again.
class AutomaticPage : public BoundPage {
public:
    AutomaticPage() : BoundPage(IDD_PAGE_MEMORY_AUTO, kAutomatic) {}
};

std::unique_ptr<Page> makeManualPage() { return std::make_unique<ManualPage>(); }

std::unique_ptr<Page> makeAutomaticPage() { return std::make_unique<AutomaticPage>(); }

}  // namespace

std::unique_ptr<Page> makeMemoryPage() {
    return std::make_unique<TabbedPage>(
        IDD_PAGE_MEMORY, IDC_MEMORY_TABS,
        std::vector<TabbedPage::NestedTab>{{base::Text::TabManualRelease, makeManualPage},
                                           {base::Text::TabAutoRelease, makeAutomaticPage}});
}

}  // namespace ui::options
