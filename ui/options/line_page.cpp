#include "base/texts.h"
#include "ui/options/bound_page.h"
#include "ui/options/line_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

constexpr Binding kBindings[] = {
    checkBox(IDC_AUTO_ADAPTER, &S::autoAdapter),
    optionButton(IDC_UNIT_BYTES, &S::rateUnit, 0),
    optionButton(IDC_UNIT_BITS, &S::rateUnit, 1),
    slider(IDC_RECEIVE_SLIDER, Slider::ReceiveScale, IDC_RECEIVE_FRAME),
    slider(IDC_SEND_SLIDER, Slider::SendScale, IDC_SEND_FRAME),
    slider(IDC_RECEIVE_MULTIPLIER, Slider::ReceiveMultiplier),
    slider(IDC_SEND_MULTIPLIER, Slider::SendMultiplier),
};

constexpr Hint kHints[] = {
    {IDC_AUTO_ADAPTER, base::Text::HintAutoAdapter},
};

constexpr int kPresetButtons[kLinePresets] = {IDC_PRESET_MODEM, IDC_PRESET_ADSL_1_5,
                                              IDC_PRESET_ADSL_8, IDC_PRESET_ADSL_12};

class LinePage : public BoundPage {
public:
    LinePage() : BoundPage(IDD_PAGE_LINE, kBindings, kHints) {}

    void load(PageContext& context) override {
        BoundPage::load(context);
        showAdapters(context);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        // The adapter choice is filled after the window is made.
        if (change.names(&context.live.adapterChoices) ||
            change.names(&context.live.settings.adapterIndex))
            showAdapters(context);
    }

    void showAdapters(PageContext& context) {
        HWND adapters = item(IDC_ADAPTER);
        const auto& choices = context.live.adapterChoices;
        if (static_cast<size_t>(SendMessageW(adapters, CB_GETCOUNT, 0, 0)) != choices.size()) {
            SendMessageW(adapters, CB_RESETCONTENT, 0, 0);
            for (const std::wstring& entry : choices)
                SendMessageW(adapters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendMessageW(item(IDC_ADAPTER), CB_SETCURSEL, context.live.settings.adapterIndex, 0);
    }

    bool onCommand(PageContext& context, int id, int code) override {
        if (id == IDC_ADAPTER && code == CBN_SELCHANGE) {
            // The rates follow the chosen interface from the next tick.
            context.live.settings.adapterIndex =
                static_cast<int>(SendMessageW(item(IDC_ADAPTER), CB_GETCURSEL, 0, 0));
            context.live.notices.changed(&context.live.settings.adapterIndex);
            return true;
        }
        for (int preset = 0; preset < kLinePresets; ++preset)
            if (id == kPresetButtons[preset] && code == BN_CLICKED) {
                applyLinePreset(preset, context.live);
                return true;
            }
        return BoundPage::onCommand(context, id, code);
    }
};

}  // namespace

std::unique_ptr<Page> makeLinePage() { return std::make_unique<LinePage>(); }

}  // namespace ui::options
