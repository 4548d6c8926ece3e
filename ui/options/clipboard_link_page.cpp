#include "features/clipboard_link.h"
#include "ui/options/bound_page.h"
#include "ui/options/clipboard_link_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

constexpr UINT_PTR kUpkeepTimer = 1;  // the link's one-second upkeep
constexpr UINT_PTR kQuietTimer = 2;   // a received text is whole
constexpr size_t kShownSharedChars = 4096;

constexpr Binding kLink[] = {
    checkBox(IDC_LINK_ON, &S::clipboardLinkOn),
    checkBox(IDC_LINK_AT_START, &S::linkConnectAtStart),
    checkBox(IDC_LINK_RECONNECT, &S::linkReconnect),
    textBox(IDC_LINK_HOST, &S::linkRemoteHost),
    textBox(IDC_LINK_PORT, &S::linkPort),
    textBox(IDC_LINK_ALLOWED_1, &S::linkAllowed1),
    textBox(IDC_LINK_ALLOWED_2, &S::linkAllowed2),
    textBox(IDC_LINK_ALLOWED_3, &S::linkAllowed3),
};

// The page lives as long as the program, so the link's timers run on it whether it is shown
// or not.
class ClipboardLinkPage : public BoundPage {
public:
    ClipboardLinkPage() : BoundPage(IDD_PAGE_TOOLS_CLIPBOARD_LINK, kLink) {}

    void create(PageContext& context) override {
        BoundPage::create(context);
        link_ = context.clipboardLink;
        if (!link_) return;
        link_->onViewChange = [this] { showView(); };
        link_->armQuietTimer = [this](unsigned ms) { SetTimer(hwnd(), kQuietTimer, ms, nullptr); };
    }

    void load(PageContext& context) override {
        BoundPage::load(context);
        bool on = context.live.settings.clipboardLinkOn == 1 && link_;
        EnableWindow(item(IDC_LINK_CONNECT), on);
        EnableWindow(item(IDC_LINK_DISCONNECT), on);
        // The upkeep has nothing to do while the link is off: its timer rests meanwhile.
        if (on && !upkeepRunning_) upkeepRunning_ = SetTimer(hwnd(), kUpkeepTimer, 1000, nullptr);
    }

    bool onCommand(PageContext& context, int id, int code) override {
        if (link_ && code == BN_CLICKED && id == IDC_LINK_CONNECT) {
            link_->connect();
            return true;
        }
        if (link_ && code == BN_CLICKED && id == IDC_LINK_DISCONNECT) {
            link_->disconnect();
            return true;
        }
        bool handled = BoundPage::onCommand(context, id, code);
        if (id == IDC_LINK_ON && code == BN_CLICKED) {
            if (link_) link_->enabledChanged();
            load(context);
        }
        return handled;
    }

    bool onMessage(PageContext& context, UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override {
        if (msg != WM_TIMER || !link_) return BoundPage::onMessage(context, msg, wp, lp, result);
        if (wp == kUpkeepTimer && context.live.settings.clipboardLinkOn != 1) {
            KillTimer(hwnd(), kUpkeepTimer);
            upkeepRunning_ = false;
        } else if (wp == kUpkeepTimer) {
            link_->tick();
        }
        if (wp == kQuietTimer) {
            KillTimer(hwnd(), kQuietTimer);
            link_->quietTimerFired();
        }
        return true;
    }

private:
    void showView() {
        const features::ClipboardLinkView& view = link_->view();
        setText(IDC_LINK_STATE, view.stateText);
        setText(IDC_LINK_EVENT, view.eventText);
        if (view.sharedChanges != shownSharedChanges_) {
            shownSharedChanges_ = view.sharedChanges;
            // Its beginning: a long line in an edit box takes Wine seconds per kilobyte.
            setText(IDC_LINK_SHARED, view.sharedText.substr(0, kShownSharedChars));
        }
    }

    features::ClipboardLink* link_ = nullptr;
    unsigned shownSharedChanges_ = 0;
    bool upkeepRunning_ = false;
};

}  // namespace

std::unique_ptr<Page> makeClipboardLinkPage() { return std::make_unique<ClipboardLinkPage>(); }

}  // namespace ui::options
