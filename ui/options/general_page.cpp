#include "ui/options/bound_page.h"
#include "ui/options/general_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

const wchar_t* const kMemoryFormats[] = {L"使用量/総容量", L"残容量/総容量", L"使用量/残容量",
                                         nullptr};

const wchar_t* const kStartWithWindowsFailed =
    L"Windowsの起動時に実行する設定を変更できませんでした";

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
    {IDC_REFRESH_SLIDER, L"表示数値の取得間隔を設定します"},
    {IDC_HOVER_HIDE, L"マウスを近づけると邪魔にならないように自動的に隠れます"},
    {IDC_SAVE_AT_EXIT, L"禁止リストは無条件に保存されます"},
    {IDC_START_WITH_WINDOWS, L"ログオンした時にコルバ君を起動します"},
    {IDC_CHECK_UPDATES,
     L"コルバ君の最新バージョンがリリースされた時にメインウインドウに表示してお知らせします"},
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
                context.status.show(kStartWithWindowsFailed);
            showStartWithWindows(context);
            return true;
        }
        return BoundPage::onCommand(context, id, code);
    }

    void load(PageContext& context) override {
        BoundPage::load(context);
        showStartWithWindows(context);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        // Read again each time the window opens: another copy or the user may have changed it.
        if (change.topic == settings::Topic::StartWithWindows) showStartWithWindows(context);
    }

private:
    // The registry is the record: the box shows what it says, whatever was clicked.
    void showStartWithWindows(PageContext& context) {
        bool on = context.startsWithWindows && context.startsWithWindows();
        CheckDlgButton(hwnd(), IDC_START_WITH_WINDOWS, on ? BST_CHECKED : BST_UNCHECKED);
    }
};

}  // namespace

std::unique_ptr<Page> makeGeneralPage() { return std::make_unique<GeneralPage>(); }

}  // namespace ui::options
