#include "base/texts.h"
#include "settings/language.h"
#include "ui/options/bound_page.h"
#include "ui/options/general_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

using base::Text;

constexpr Text kMemoryFormats[] = {Text::MemoryUsedOfTotal, Text::MemoryFreeOfTotal,
                                   Text::MemoryUsedAndFree, Text::Count};

constexpr Binding kBindings[] = {
    checkBox(IDC_IP_COPY_ENTRY, &S::showIpCopyEntry),
    checkBox(IDC_SAVE_AT_EXIT, &S::saveAtExit),
    checkBox(IDC_IP_REACQUIRE_ENTRY, &S::showIpReacquireEntry),
    checkBox(IDC_CHECK_UPDATES, &S::checkForUpdates),
    optionButton(IDC_DRAW_SCALABLE, &S::drawMode, 0),
    optionButton(IDC_DRAW_FIXED, &S::drawMode, 1),
    optionButton(IDC_TOPMOST_ON, &S::topmostChoice, 0),
    optionButton(IDC_TOPMOST_OFF, &S::topmostChoice, 1),
    slider(IDC_REFRESH_SLIDER, Slider::RefreshInterval, IDC_REFRESH_FRAME),
    optionButton(IDC_HOVER_NONE, &S::hoverChoice, 0),
    optionButton(IDC_HOVER_HIDE, &S::hoverChoice, 1),
    comboBox(IDC_MEMORY_FORMAT, &S::memoryFormat, kMemoryFormats),
    slider(IDC_IP_WAIT_SLIDER, Slider::StartupIpWait, IDC_IP_WAIT_FRAME),
};

constexpr Hint kHints[] = {
    {IDC_REFRESH_SLIDER, Text::HintRefresh},
    {IDC_HOVER_HIDE, Text::HintHoverHide},
    {IDC_SAVE_AT_EXIT, Text::HintSaveAtExit},
    {IDC_START_WITH_WINDOWS, Text::HintStartWithWindows},
    {IDC_CHECK_UPDATES, Text::HintCheckUpdates},
};

class GeneralPage : public BoundPage {
public:
    GeneralPage() : BoundPage(IDD_PAGE_OTHER1, kBindings, kHints) {}

    bool onCommand(PageContext& context, int id, int code) override {
        static constexpr struct {
            int button;
            Placement placement;
        } kPlacements[] = {{IDC_PLACE_TOP_LEFT, Placement::TopLeft},
                           {IDC_PLACE_TOP_RIGHT, Placement::TopRight},
                           {IDC_PLACE_BOTTOM_LEFT, Placement::BottomLeft},
                           {IDC_PLACE_BOTTOM_RIGHT, Placement::BottomRight}};
        for (const auto& p : kPlacements)
            if (id == p.button && code == BN_CLICKED) {
                if (context.placeMainWindow) context.placeMainWindow(p.placement);
                return true;
            }
        if (id == IDC_START_WITH_WINDOWS && code == BN_CLICKED) {
            bool on = IsDlgButtonChecked(hwnd(), IDC_START_WITH_WINDOWS) == BST_CHECKED;
            if (context.setStartWithWindows && !context.setStartWithWindows(on))
                context.status.show(base::text(Text::StartWithWindowsFailed));
            showStartWithWindows(context);
            return true;
        }
        if (id == IDC_LANGUAGE && code == CBN_SELCHANGE) {
            const LRESULT chosen = SendDlgItemMessageW(hwnd(), IDC_LANGUAGE, CB_GETCURSEL, 0, 0);
            settings::chooseLanguage(
                chosen == 1 ? base::Language::English : base::Language::Japanese, context.live);
            return true;
        }
        return BoundPage::onCommand(context, id, code);
    }

    void create(PageContext& context) override {
        BoundPage::create(context);
        // Each language by its own name, whichever is shown.
        for (Text name : {Text::LanguageJapanese, Text::LanguageEnglish})
            SendDlgItemMessageW(hwnd(), IDC_LANGUAGE, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(base::text(name)));
    }

    void load(PageContext& context) override {
        BoundPage::load(context);
        showStartWithWindows(context);
        showLanguage(context);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        // Read again each time the window opens: another copy or the user may have changed it.
        if (change.topic == settings::Topic::StartWithWindows) showStartWithWindows(context);
        if (change.names(&context.live.settings.language)) showLanguage(context);
    }

private:
    void showLanguage(PageContext& context) {
        const bool english =
            settings::languageOf(context.live.settings.language) == base::Language::English;
        SendDlgItemMessageW(hwnd(), IDC_LANGUAGE, CB_SETCURSEL, english ? 1 : 0, 0);
    }

    // The registry is the record: the box shows what it says, whatever was clicked.
    void showStartWithWindows(PageContext& context) {
        bool on = context.startsWithWindows && context.startsWithWindows();
        CheckDlgButton(hwnd(), IDC_START_WITH_WINDOWS, on ? BST_CHECKED : BST_UNCHECKED);
    }
};

}  // namespace

std::unique_ptr<Page> makeGeneralPage() { return std::make_unique<GeneralPage>(); }

}  // namespace ui::options
