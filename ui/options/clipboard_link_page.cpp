#include "features/clipboard_link.h"
#include "ui/options/bound_page.h"
#include "ui/options/clipboard_link_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

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

// The link's settings, commands and what it shows; the link runs on timers of its own.
class ClipboardLinkPage : public BoundPage {
public:
    ClipboardLinkPage() : BoundPage(IDD_PAGE_TOOLS_CLIPBOARD_LINK, kLink) {}

    void create(PageContext& context) override {
        BoundPage::create(context);
        link_ = context.clipboardLink;
        if (!link_) return;
        link_->onViewChange = [this] { showView(); };
    }

    void load(PageContext& context) override {
        BoundPage::load(context);
        showCommands(context);
        // A page made after the link began shows where it stands.
        if (link_) showView();
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        if (change.names(&context.live.settings.clipboardLinkOn)) showCommands(context);
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
        return BoundPage::onCommand(context, id, code);
    }

private:
    void showCommands(PageContext& context) {
        bool on = context.live.settings.clipboardLinkOn == 1 && link_;
        EnableWindow(item(IDC_LINK_CONNECT), on);
        EnableWindow(item(IDC_LINK_DISCONNECT), on);
    }

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
};

}  // namespace

std::unique_ptr<Page> makeClipboardLinkPage() { return std::make_unique<ClipboardLinkPage>(); }

}  // namespace ui::options
