#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "base/texts.h"
#include "features/source_poller.h"
#include "ui/options/list_view.h"
#include "ui/options/pages.h"
#include "ui/options/source_list_editor.h"
#include "ui/options/sources_page_ids.h"

namespace ui::options {
namespace {

using base::Text;
using settings::SourceKind;
using settings::SourceSetting;

// Sent by a text box or the offers' list to the page when Enter is pressed in it.
constexpr UINT kEnterPressed = WM_APP + 40;

constexpr SourceKind kKinds[] = {SourceKind::HardwareMonitor, SourceKind::HomeAssistant,
                                 SourceKind::Json};
constexpr Text kKindTexts[] = {Text::SourceKindHardwareMonitor, Text::SourceKindHomeAssistant,
                               Text::SourceKindJson};

Text kindText(SourceKind kind) {
    for (size_t i = 0; i < std::size(kKinds); ++i)
        if (kKinds[i] == kind) return kKindTexts[i];
    return Text::SourceKindJson;
}

// The text boxes and what each holds; the token's box stands apart, as it never shows its text.
struct Box {
    int control;
    SourceBox box;
};
constexpr Box kBoxes[] = {
    {IDC_SOURCE_URL, SourceBox::Url},
    {IDC_SOURCE_KEY, SourceBox::Key},
    {IDC_SOURCE_NAME, SourceBox::Name},
    {IDC_SOURCE_UNIT, SourceBox::Unit},
    {IDC_SOURCE_DECIMALS, SourceBox::Decimals},
    {IDC_SOURCE_INTERVAL, SourceBox::Interval},
    {IDC_SOURCE_BAR_MIN, SourceBox::BarMin},
    {IDC_SOURCE_BAR_MAX, SourceBox::BarMax},
    {IDC_SOURCE_ALERT_AT, SourceBox::AlertThreshold},
    {IDC_SOURCE_ALERT_SECONDS, SourceBox::AlertSeconds},
};

// What the selected source's settings are edited with: off while no source is selected.
constexpr int kSourceControls[] = {
    IDC_SOURCE_KIND,     IDC_SOURCE_URL,           IDC_SOURCE_KEY,      IDC_SOURCE_BROWSE,
    IDC_SOURCE_NAME,     IDC_SOURCE_UNIT,          IDC_SOURCE_DECIMALS, IDC_SOURCE_INTERVAL,
    IDC_SOURCE_BAR_MIN,  IDC_SOURCE_BAR_MAX,       IDC_SOURCE_ALERT_ON, IDC_SOURCE_ALERT_BELOW,
    IDC_SOURCE_ALERT_AT, IDC_SOURCE_ALERT_SECONDS, IDC_SOURCE_REMOVE,   IDC_SOURCE_UP,
    IDC_SOURCE_DOWN,
};
// The list of sources and its buttons, and what stands in their place while a source is browsed.
constexpr int kListControls[] = {IDC_SOURCE_LIST, IDC_SOURCE_ADD, IDC_SOURCE_REMOVE, IDC_SOURCE_UP,
                                 IDC_SOURCE_DOWN};
constexpr int kOfferControls[] = {IDC_SOURCE_OFFERS, IDC_SOURCE_PICK, IDC_SOURCE_BACK};

// Enter in a text box takes its text, as leaving it does; the dialog would otherwise take the
// key for its default button. Subclassed the plain way: the common controls' subclass calls
// would bring comctl32 in at start-up, which the program carries only once a window of controls
// is opened.
constexpr wchar_t kOriginalProc[] = L"KorvaNT.OriginalProc";

LRESULT CALLBACK enterTakes(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProc));
    const auto next = [&] { return CallWindowProcW(original, hwnd, msg, wp, lp); };
    switch (msg) {
        case WM_GETDLGCODE:
            if (wp == VK_RETURN) return DLGC_WANTALLKEYS | next();
            break;
        case WM_KEYDOWN:
            if (wp == VK_RETURN) {
                SendMessageW(GetParent(hwnd), kEnterPressed, GetDlgCtrlID(hwnd), 0);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wp == L'\r') return 0;  // no beep
            break;
        case WM_NCDESTROY: {
            const LRESULT result = next();
            RemovePropW(hwnd, kOriginalProc);
            return result;
        }
    }
    return next();
}

void takeEnter(HWND box) {
    if (!box || GetPropW(box, kOriginalProc)) return;
    SetPropW(box, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(box, GWLP_WNDPROC)));
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(enterTakes));
}

class SourcesPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_SOURCES; }

    void create(PageContext&) override {
        list_.attach(item(IDC_SOURCE_LIST), {{Text::ColumnSourceName, 100},
                                             {Text::ColumnSourceKind, 125},
                                             {Text::ColumnSourceValue, 145}});
        offers_.attach(item(IDC_SOURCE_OFFERS),
                       {{Text::ColumnOfferName, 240},
                        {Text::ColumnOfferValue, 80},
                        {Text::ColumnOfferUnit, 50}},
                       false);
        // A long place and name shows whole in a tip over its cell.
        SendDlgItemMessageW(hwnd(), IDC_SOURCE_OFFERS, LVM_SETEXTENDEDLISTVIEWSTYLE,
                            LVS_EX_LABELTIP, LVS_EX_LABELTIP);
        for (const Box& box : kBoxes) takeEnter(item(box.control));
        takeEnter(item(IDC_SOURCE_TOKEN));
        takeEnter(item(IDC_SOURCE_OFFERS));
        fillChoices();
    }

    void load(PageContext& c) override {
        showList(c);
        if (!selected_ && !c.live.sources.empty()) selectRow(0);
        showSource(c);
        showState(c);
    }

    void changed(PageContext& c, const settings::Change& change) override {
        if (change.names(&c.live.settings.language)) {
            list_.retitle();
            offers_.retitle();
            fillChoices();
            showList(c);
            showSource(c);
            if (result_) showOffers(c);
            showState(c);
        } else if (change.topic == settings::Topic::Sources && !acting_) {
            showList(c);
            showSource(c);
            showState(c);
        } else if (change.topic == settings::Topic::SourceStatus) {
            showValues(c);
            showState(c);
        }
    }

    bool onCommand(PageContext& c, int id, int code) override {
        if (code == EN_KILLFOCUS) return take(c, id);
        if (code == CBN_SELCHANGE && id == IDC_SOURCE_KIND) {
            auto choice = SendDlgItemMessageW(hwnd(), id, CB_GETCURSEL, 0, 0);
            if (SourceSetting* s = source(c); s && choice >= 0 && choice < 3) {
                setSourceKind(*s, kKinds[choice]);
                edited(c);
                showSource(c);
            }
            return true;
        }
        if (code == CBN_SELCHANGE && id == IDC_SOURCE_ALERT_BELOW) {
            if (SourceSetting* s = source(c)) {
                s->alertBelow = SendDlgItemMessageW(hwnd(), id, CB_GETCURSEL, 0, 0) == 1;
                edited(c);
            }
            return true;
        }
        if (code != BN_CLICKED) return false;
        switch (id) {
            case IDC_SOURCE_ADD:
                if (auto added = addSource(c.live.sources, c.status)) {
                    edited(c);
                    showList(c);
                    selectRow(*added);
                    showSource(c);
                    showState(c);
                    SetFocus(item(IDC_SOURCE_KIND));
                }
                return true;
            case IDC_SOURCE_REMOVE:
                if (selected_) {
                    selected_ = removeSource(c.live.sources, *selected_, c.status);
                    edited(c);
                    showList(c);
                    if (selected_) selectRow(*selected_);
                    showSource(c);
                    showState(c);
                }
                return true;
            case IDC_SOURCE_UP:
            case IDC_SOURCE_DOWN:
                if (selected_) {
                    auto moved =
                        moveSource(c.live.sources, *selected_, id == IDC_SOURCE_UP ? -1 : 1);
                    if (moved) {
                        edited(c);
                        showList(c);
                        selectRow(*moved);
                    }
                }
                return true;
            case IDC_SOURCE_TOKEN_CLEAR:
                if (SourceSetting* s = source(c); s && clearSourceToken(*s)) {
                    edited(c);
                    showSource(c);
                    showState(c);
                }
                return true;
            case IDC_SOURCE_ALERT_ON:
                if (SourceSetting* s = source(c)) {
                    s->alertOn = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
                    edited(c);
                }
                return true;
            case IDC_SOURCE_BROWSE:
                browse(c);
                return true;
            case IDC_SOURCE_PICK:
                pick(c);
                return true;
            case IDC_SOURCE_BACK:
                showBrowsing(c, false);
                return true;
        }
        return false;
    }

    bool onNotify(PageContext& c, NMHDR& header, LRESULT&) override {
        if (header.idFrom == IDC_SOURCE_OFFERS) {
            if (header.code != NM_DBLCLK) return false;
            pick(c);
            return true;
        }
        if (header.idFrom != IDC_SOURCE_LIST || filling_) return false;
        std::optional<RowChange> change = rowChange(header);
        if (!change || change->row >= c.live.sources.size()) return false;
        if (change->checkChanged) {
            c.live.sources[change->row].shown = change->checked;
            edited(c);
        }
        if (change->becameSelected) {
            selected_ = change->row;
            showSource(c);
            showState(c);
        }
        return true;
    }

    bool onMessage(PageContext& c, UINT msg, WPARAM wp, LPARAM, INT_PTR& result) override {
        if (msg != kEnterPressed) return false;
        if (static_cast<int>(wp) == IDC_SOURCE_OFFERS)
            pick(c);
        else
            take(c, static_cast<int>(wp));
        result = TRUE;
        return true;
    }

private:
    SourceSetting* source(PageContext& c) {
        if (!selected_ || *selected_ >= c.live.sources.size()) return nullptr;
        return &c.live.sources[*selected_];
    }

    // Every edit goes to the running program at once: the list and its rows follow the topic.
    void edited(PageContext& c) {
        acting_ = true;
        c.live.notices.publish(settings::Topic::Sources);
        acting_ = false;
        showRow(c, selected_);
    }

    // A text box was left, or Enter pressed in it.
    bool take(PageContext& c, int control) {
        SourceSetting* s = source(c);
        if (control == IDC_SOURCE_TOKEN) {
            if (s && setSourceToken(*s, controlText(item(control)))) {
                edited(c);
                showState(c);
            }
            // Never shown back: the box tells only whether there is one.
            SetDlgItemTextW(hwnd(), control, L"");
            showToken(c);
            return true;
        }
        for (const Box& box : kBoxes) {
            if (box.control != control) continue;
            if (s && setSourceBox(*s, box.box, controlText(item(control)), c.status)) edited(c);
            // What was taken, as the source keeps it; a refused text gives way to the value kept.
            if (s) setText(control, sourceBoxText(*s, box.box));
            return true;
        }
        return false;
    }

    void fillChoices() {
        HWND kinds = item(IDC_SOURCE_KIND);
        auto chosen = SendMessageW(kinds, CB_GETCURSEL, 0, 0);
        SendMessageW(kinds, CB_RESETCONTENT, 0, 0);
        for (Text t : kKindTexts)
            SendMessageW(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(base::text(t)));
        SendMessageW(kinds, CB_SETCURSEL, chosen, 0);
        HWND direction = item(IDC_SOURCE_ALERT_BELOW);
        chosen = SendMessageW(direction, CB_GETCURSEL, 0, 0);
        SendMessageW(direction, CB_RESETCONTENT, 0, 0);
        for (Text t : {Text::SourceDirectionAbove, Text::SourceDirectionBelow})
            SendMessageW(direction, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(base::text(t)));
        SendMessageW(direction, CB_SETCURSEL, chosen, 0);
    }

    void showList(PageContext& c) {
        const auto& sources = c.live.sources;
        filling_ = true;
        list_.setRowCount(sources.size());
        for (size_t i = 0; i < sources.size(); ++i) showRow(c, i);
        filling_ = false;
        if (selected_ && *selected_ >= sources.size())
            selected_ = sources.empty() ? std::nullopt : std::optional<size_t>(sources.size() - 1);
        if (selected_) selectRow(*selected_);
    }

    void showRow(PageContext& c, std::optional<size_t> row) {
        if (!row || *row >= c.live.sources.size()) return;
        const SourceSetting& s = c.live.sources[*row];
        bool was = filling_;
        filling_ = true;
        list_.setText(*row, 0, s.name.empty() ? base::text(Text::SourceNoName) : s.name);
        list_.setText(*row, 1, base::text(kindText(s.kind)));
        list_.setText(*row, 2, stateText(c, *row));
        if (list_.checked(*row) != s.shown) list_.setChecked(*row, s.shown);
        filling_ = was;
    }

    void showValues(PageContext& c) {
        for (size_t i = 0; i < c.live.sources.size(); ++i) list_.setText(i, 2, stateText(c, i));
    }

    std::wstring stateText(PageContext& c, size_t index) {
        std::optional<features::SourceStatus> status;
        if (c.sources && index < c.sources->size()) status = c.sources->status(index);
        return sourceStateText(c.live.sources[index], status ? &*status : nullptr);
    }

    // The line under the settings: what the browse found, or the selected source's state.
    void showState(PageContext& c) {
        std::wstring text;
        if (browsing_) {
            text = offersStateText(fetchingFrom_, result_ ? &*result_ : nullptr);
        } else if (const SourceSetting* s = source(c); !s) {
            text = base::text(Text::SourceNoneSelected);
        } else {
            text = stateText(c, *selected_);
        }
        setText(IDC_SOURCE_STATE, text);
    }

    void showSource(PageContext& c) {
        const SourceSetting* s = source(c);
        for (int control : kSourceControls) EnableWindow(item(control), s != nullptr);
        for (const Box& box : kBoxes) setText(box.control, s ? sourceBoxText(*s, box.box) : L"");
        SendDlgItemMessageW(
            hwnd(), IDC_SOURCE_KIND, CB_SETCURSEL,
            s ? static_cast<WPARAM>(std::find(std::begin(kKinds), std::end(kKinds), s->kind) -
                                    std::begin(kKinds))
              : static_cast<WPARAM>(-1),
            0);
        SendDlgItemMessageW(hwnd(), IDC_SOURCE_ALERT_BELOW, CB_SETCURSEL,
                            s ? (s->alertBelow ? 1 : 0) : static_cast<WPARAM>(-1), 0);
        CheckDlgButton(hwnd(), IDC_SOURCE_ALERT_ON, s && s->alertOn ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(item(IDC_SOURCE_ADD), c.live.sources.size() < settings::kMaxSources);
        if (browsing_) EnableWindow(item(IDC_SOURCE_BROWSE), FALSE);
        showToken(c);
    }

    // The token's box takes a token for Home Assistant only, and tells whether one is kept (a
    // blank hint, as Wine keeps the last hint when given an empty one).
    void showToken(PageContext& c) {
        const SourceSetting* s = source(c);
        bool wanted = s && s->kind == SourceKind::HomeAssistant;
        EnableWindow(item(IDC_SOURCE_TOKEN), wanted);
        EnableWindow(item(IDC_SOURCE_TOKEN_CLEAR),
                     wanted && s->tokenState != settings::TokenState::None);
        Text cue = !wanted                                       ? Text::Count
                   : s->tokenState == settings::TokenState::None ? Text::SourceTokenNone
                                                                 : Text::SourceTokenSet;
        SendDlgItemMessageW(hwnd(), IDC_SOURCE_TOKEN, EM_SETCUEBANNER, TRUE,
                            reinterpret_cast<LPARAM>(cue == Text::Count ? L" " : base::text(cue)));
    }

    void selectRow(size_t row) {
        selected_ = row;
        filling_ = true;
        list_.select(row);
        filling_ = false;
    }

    // "一覧": what the selected source offers, fetched once, in the list's place.
    void browse(PageContext& c) {
        const SourceSetting* s = source(c);
        if (!s || !c.fetcher) return;
        browsed_ = *selected_;
        result_.reset();
        fetchingFrom_ = features::sourceOffersUrl(s->kind, s->url);
        offers_.setRowCount(0);
        showBrowsing(c, true);
        const unsigned generation = ++generation_;
        std::weak_ptr<bool> alive = alive_;
        features::fetchSourceOffers(
            *c.fetcher, *s, [this, &c, alive, generation](features::SourceOffers offers) {
                // The page may be gone, or the user back at the list or browsing anew.
                if (alive.expired() || generation != generation_ || !browsing_) return;
                result_ = std::move(offers);
                showOffers(c);
                showState(c);
            });
    }

    void showOffers(PageContext& c) {
        const auto& offers = result_->offers;
        offers_.setRowCount(offers.size());
        std::optional<size_t> current;
        const SourceSetting* s =
            browsed_ < c.live.sources.size() ? &c.live.sources[browsed_] : nullptr;
        for (size_t i = 0; i < offers.size(); ++i) {
            offers_.setText(i, 0, offerLabel(offers[i]));
            offers_.setText(i, 1, offers[i].valueText);
            offers_.setText(i, 2, offers[i].unit);
            if (s && offers[i].key == s->key) current = i;
        }
        if (current) offers_.select(*current);
    }

    void pick(PageContext& c) {
        std::optional<size_t> row = offers_.selected();
        if (!browsing_ || !result_ || !row || *row >= result_->offers.size() ||
            browsed_ >= c.live.sources.size())
            return;
        pickSourceOffer(c.live.sources[browsed_], result_->offers[*row], result_->offers);
        selected_ = browsed_;
        edited(c);
        showBrowsing(c, false);
        showSource(c);
    }

    void showBrowsing(PageContext& c, bool browsing) {
        browsing_ = browsing;
        if (!browsing) ++generation_;  // an answer still on its way is dropped
        for (int control : kListControls) ShowWindow(item(control), browsing ? SW_HIDE : SW_SHOW);
        for (int control : kOfferControls) ShowWindow(item(control), browsing ? SW_SHOW : SW_HIDE);
        EnableWindow(item(IDC_SOURCE_BROWSE), !browsing);
        SetFocus(item(browsing ? IDC_SOURCE_OFFERS : IDC_SOURCE_LIST));
        showState(c);
    }

    void setText(int control, const std::wstring& text) {
        if (controlText(item(control)) != text) SetDlgItemTextW(hwnd(), control, text.c_str());
    }

    ListView list_;
    ListView offers_;
    std::optional<size_t> selected_;
    bool filling_ = false;
    bool acting_ = false;  // its own change comes back as a notice: the page already shows it
    // Browsing one source's offers.
    bool browsing_ = false;
    size_t browsed_ = 0;
    std::wstring fetchingFrom_;
    std::optional<features::SourceOffers> result_;
    unsigned generation_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

std::unique_ptr<Page> makeSourcesPage() { return std::make_unique<SourcesPage>(); }

}  // namespace ui::options
