#include "base/texts.h"
#include "monitor/status_items.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/gdi_text_painter.h"
#include "ui/options/bound_page.h"
#include "ui/options/display_page_ids.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"
#include "ui/options/tab_host.h"

namespace ui::options {
namespace {

using S = settings::Settings;

constexpr Binding kBindings[] = {
    optionButton(IDC_GRAPH_NONE, &S::graphSource, 0),
    optionButton(IDC_GRAPH_CPU, &S::graphSource, 1),
    optionButton(IDC_GRAPH_MEMORY, &S::graphSource, 2),
    optionButton(IDC_GRAPH_RECEIVE, &S::graphSource, 3),
    optionButton(IDC_GRAPH_SEND, &S::graphSource, 4),
};

// The clipboard item's text, as the refresh cycle last read it.
class ClipboardTextPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_DISPLAY_CLIPBOARD; }
    void changed(PageContext& context, const settings::Change& change) override {
        if (change.topic != settings::Topic::ClipboardText || !context.clipboardText) return;
        std::wstring text = context.clipboardText();
        if (text == shown_) return;
        shown_ = std::move(text);
        SetDlgItemTextW(hwnd(), IDC_CLIPBOARD_TEXT, shown_.c_str());
    }

private:
    std::wstring shown_;
};

// Wine's multi-line edit wraps a long line in time that grows with its square: 2,000
// characters without a break take tens of milliseconds, 4,000 most of a second, 16,000 over
// ten seconds (bench/memo_edit_bench). The list shows only the memo's first lines anyway.
constexpr WPARAM kMemoMaxChars = 2000;

// The memo item's text, edited here. The box shows its lines as the memo's rows do: in the
// rows' font and as many cells wide, so that it wraps a long line where the rows continue it.
class MemoPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_DISPLAY_MEMO; }
    void create(PageContext&) override {
        HWND edit = item(IDC_MEMO_TEXT);
        SendMessageW(edit, EM_SETLIMITTEXT, kMemoMaxChars, 0);
        font_ = win32::createRowFont(win32::dpiOfWindow(edit));
        if (!font_) return;
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        SIZE cell{6, 12};
        if (HDC dc = GetDC(edit)) {
            HGDIOBJ old = SelectObject(dc, font_.get());
            GetTextExtentPoint32W(dc, L"x", 1, &cell);
            SelectObject(dc, old);
            ReleaseDC(edit, dc);
        }
        RECT text{};
        SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        text.right = text.left + monitor::kMemoColumns * cell.cx;
        SendMessageW(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&text));
    }
    void load(PageContext& context) override {
        loading_ = true;
        SetDlgItemTextW(hwnd(), IDC_MEMO_TEXT, context.live.memoText.c_str());
        loading_ = false;
    }
    void changed(PageContext& context, const settings::Change& change) override {
        // Its own edits come back as notices too; only a text set elsewhere is shown again.
        if (change.names(&context.live.memoText) && context.live.memoText != shownText())
            load(context);
    }
    bool onCommand(PageContext& context, int id, int code) override {
        if (id != IDC_MEMO_TEXT || code != EN_CHANGE) return false;
        if (loading_) return true;
        context.live.memoText = shownText();
        context.live.notices.changed(&context.live.memoText);
        return true;
    }

private:
    std::wstring shownText() const {
        HWND edit = item(IDC_MEMO_TEXT);
        int length = GetWindowTextLengthW(edit);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(edit, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        return text;
    }

    bool loading_ = false;
    win32::UniqueGdiObject font_;
};

class DisplaySettingsPage : public BoundPage {
public:
    DisplaySettingsPage() : BoundPage(IDD_PAGE_DISPLAY, kBindings) {}

    void create(PageContext& context) override {
        BoundPage::create(context);
        std::vector<TabHost::Tab> tabs(2);
        tabs[0].caption = base::Text::TabClipboardText;
        tabs[0].pages.push_back(std::make_unique<ClipboardTextPage>());
        tabs[1].caption = base::Text::TabMemo;
        tabs[1].pages.push_back(std::make_unique<MemoPage>());
        texts_.create(hwnd(), item(IDC_TEXT_TABS), std::move(tabs), context);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        texts_.changed(context, change);
        if (change.topic == settings::Topic::MeasuredInterval && context.measuredInterval)
            setText(IDC_INTERVAL_TEXT, context.measuredInterval());
    }

    bool onNotify(PageContext&, NMHDR& header, LRESULT&) override {
        return texts_.onNotify(header);
    }

    bool onCommand(PageContext& context, int id, int code) override {
        if (code == BN_CLICKED) {
            switch (id) {
                case IDC_RECEIVE_TOTAL_RESET:
                case IDC_SEND_TOTAL_RESET:
                    resetTotal(id == IDC_RECEIVE_TOTAL_RESET, context.live, context.program);
                    return true;
                case IDC_RECEIVE_TOTAL_WHOLE:
                case IDC_SEND_TOTAL_WHOLE:
                    wholeTotal(id == IDC_RECEIVE_TOTAL_WHOLE, context.live);
                    return true;
            }
        }
        return BoundPage::onCommand(context, id, code);
    }

private:
    TabHost texts_;
};

}  // namespace

std::unique_ptr<Page> makeDisplaySettingsPage() { return std::make_unique<DisplaySettingsPage>(); }

}  // namespace ui::options
