#include "ui/options/bound_page.h"

#include <commctrl.h>

#include "base/texts.h"
#include "render/gradient.h"

namespace ui::options {
namespace {

COLORREF shownColour(std::int32_t stored) {
    return render::resolveColour(stored, [](int index) { return GetSysColor(index); });
}

bool showsChange(const Binding& b, const settings::Change& change,
                 const settings::LiveSettings& live) {
    const settings::Settings& s = live.settings;
    switch (b.kind) {
        case Binding::Check:
            return checkShows(b.field, change, live);
        case Binding::Option:
        case Binding::Combo:
            return change.names(&(s.*b.field));
        case Binding::Slide:
            return sliderShows(b.slider, change, live);
        case Binding::Text:
            return change.names(&(s.*b.text));
        case Binding::Colour:
            return change.names(&s.colours[static_cast<size_t>(b.value)]);
    }
    return false;
}

}  // namespace

void BoundPage::create(PageContext&) {
    for (const Binding& b : bindings_) fillCombo(b);
    if (hints_.empty()) return;
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
    sendHints(TTM_ADDTOOLW);
}

void BoundPage::fillCombo(const Binding& b) {
    if (b.kind != Binding::Combo || !b.entries) return;
    HWND control = item(b.control);
    const LRESULT chosen = SendMessageW(control, CB_GETCURSEL, 0, 0);
    SendMessageW(control, CB_RESETCONTENT, 0, 0);
    for (const base::Text* entry = b.entries; *entry != base::Text::Count; ++entry)
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(base::text(*entry)));
    if (chosen != CB_ERR) SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void BoundPage::sendHints(UINT message) {
    if (!tips_) return;
    for (const Hint& hint : hints_) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(item(hint.control));
        tool.lpszText = const_cast<wchar_t*>(base::text(hint.text));
        SendMessageW(tips_, message, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void BoundPage::load(PageContext& context) {
    for (const Binding& b : bindings_) show(context, b);
}

void BoundPage::changed(PageContext& context, const settings::Change& change) {
    if (change.topic != settings::Topic::Setting) return;
    if (change.names(&context.live.settings.language)) {
        for (const Binding& b : bindings_) {
            fillCombo(b);
            if (b.kind == Binding::Slide) show(context, b);
        }
        sendHints(TTM_UPDATETIPTEXTW);
        return;
    }
    for (const Binding& b : bindings_)
        if (showsChange(b, change, context.live)) show(context, b);
}

void BoundPage::show(PageContext& context, const Binding& b) {
    const settings::LiveSettings& live = context.live;
    const settings::Settings& s = live.settings;
    HWND control = item(b.control);
    loading_ = true;
    switch (b.kind) {
        case Binding::Text:
            setText(b.control, s.*b.text);
            break;
        case Binding::Check:
            SendMessageW(control, BM_SETCHECK, s.*b.field == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
            EnableWindow(control, checkEnabled(b.field, live));
            break;
        case Binding::Option:
            SendMessageW(control, BM_SETCHECK, s.*b.field == b.value ? BST_CHECKED : BST_UNCHECKED,
                         0);
            break;
        case Binding::Slide: {
            SliderRange range = sliderRange(b.slider, live);
            SendMessageW(control, TBM_SETRANGEMIN, FALSE, range.min);
            SendMessageW(control, TBM_SETRANGEMAX, FALSE, range.max);
            SendMessageW(control, TBM_SETLINESIZE, 0, range.smallStep);
            SendMessageW(control, TBM_SETPAGESIZE, 0, range.largeStep);
            SendMessageW(control, TBM_SETTICFREQ, range.tickEvery, 0);
            SendMessageW(control, TBM_SETPOS, TRUE, sliderValue(b.slider, live));
            if (b.caption) setText(b.caption, sliderCaption(b.slider, live));
            break;
        }
        case Binding::Combo:
            SendMessageW(control, CB_SETCURSEL, s.*b.field, 0);
            break;
        case Binding::Colour:
            InvalidateRect(control, nullptr, TRUE);
            break;
    }
    loading_ = false;
}

bool BoundPage::onCommand(PageContext& context, int id, int code) {
    const Binding* b = find(id);
    if (!b) return false;
    HWND control = item(id);
    switch (b->kind) {
        case Binding::Check:
            if (code != BN_CLICKED) return false;
            setCheck(b->field, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED,
                     context.live, context.program);
            break;
        case Binding::Option:
            if (code != BN_CLICKED) return false;
            choose(b->field, b->value, context.live, context.program);
            break;
        case Binding::Combo:
            if (code != CBN_SELCHANGE) return false;
            context.live.settings.*b->field =
                static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            context.live.notices.changed(&(context.live.settings.*b->field));
            break;
        case Binding::Colour: {
            if (code != BN_CLICKED || !context.chooseColour) return false;
            auto chosen = context.chooseColour(hwnd(), context.live.settings.colours[b->value]);
            if (!chosen) return true;  // cancelled: nothing changes
            pickColour(b->value, *chosen, context.live, context.program);
            break;
        }
        case Binding::Text: {
            if (code == EN_KILLFOCUS) {
                context.live.notices.publish(settings::Topic::TypingDone);
                return true;
            }
            if (code != EN_CHANGE) return false;
            if (loading_) return true;
            // Stored as typed; read where used.
            int length = GetWindowTextLengthW(control);
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            GetWindowTextW(control, text.data(), length + 1);
            text.resize(static_cast<size_t>(length));
            context.live.settings.*b->text = text;
            context.live.notices.changed(&(context.live.settings.*b->text));
            return true;
        }
        case Binding::Slide:
            return false;
    }
    return true;
}

bool BoundPage::onScroll(PageContext& context, int id) {
    const Binding* b = find(id);
    if (!b || b->kind != Binding::Slide) return false;
    int position = static_cast<int>(SendMessageW(item(id), TBM_GETPOS, 0, 0));
    if (position == sliderValue(b->slider, context.live)) return true;
    moveSlider(b->slider, position, context.live);
    return true;
}

bool BoundPage::onMessage(PageContext& context, UINT msg, WPARAM, LPARAM lp, INT_PTR& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    const Binding* b = find(static_cast<int>(drawn.CtlID));
    if (!b || b->kind != Binding::Colour) return false;
    drawColourButton(context, drawn);
    result = TRUE;
    return true;
}

// A colour button shows its colour as its face, with its caption.
void BoundPage::drawColourButton(PageContext& context, const DRAWITEMSTRUCT& drawn) {
    const Binding* b = find(static_cast<int>(drawn.CtlID));
    RECT r = drawn.rcItem;
    COLORREF colour = shownColour(context.live.settings.colours[b->value]);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(drawn.hDC, &r, brush);
    DeleteObject(brush);
    DrawEdge(drawn.hDC, &r, (drawn.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    // Dark text on light colours, light text on dark ones.
    int light = GetRValue(colour) * 3 + GetGValue(colour) * 6 + GetBValue(colour);
    SetTextColor(drawn.hDC, light > 1280 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    SetBkMode(drawn.hDC, TRANSPARENT);
    wchar_t caption[16] = {};
    GetWindowTextW(drawn.hwndItem, caption, 16);
    DrawTextW(drawn.hDC, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (drawn.itemState & ODS_FOCUS) {
        const int inset = MulDiv(3, GetDeviceCaps(drawn.hDC, LOGPIXELSY), 96);
        InflateRect(&r, -inset, -inset);
        DrawFocusRect(drawn.hDC, &r);
    }
}

void BoundPage::setText(int control, const std::wstring& text) {
    wchar_t current[256] = {};
    GetDlgItemTextW(hwnd(), control, current, 256);
    if (text != current) SetDlgItemTextW(hwnd(), control, text.c_str());
}

const Binding* BoundPage::find(int control) const {
    for (const Binding& b : bindings_)
        if (b.control == control) return &b;
    return nullptr;
}

}  // namespace ui::options
