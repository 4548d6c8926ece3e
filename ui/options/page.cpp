#include "ui/options/page.h"

#include <uxtheme.h>

#include "ui/options/options_ids.h"

namespace ui::options {

bool Page::createIn(HWND parent, POINT origin, PageContext& context) {
    context_ = &context;
    HWND page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId()),
                                   parent, procedure, reinterpret_cast<LPARAM>(this));
    if (!page) return false;
    // The template places the page within the tab's body; the body starts at `origin`.
    RECT r{};
    GetWindowRect(page, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(page, HWND_TOP, r.left + origin.x, r.top + origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    // The tab's white body behind the controls on Windows; Wine has none to give.
    EnableThemeDialogTexture(page, ETDT_ENABLETAB);
    create(context);
    load(context);
    return true;
}

INT_PTR CALLBACK Page::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Page*>(lp);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return FALSE;
    }
    auto* self = reinterpret_cast<Page*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self || !self->context_) return FALSE;
    PageContext& context = *self->context_;
    switch (msg) {
        case WM_COMMAND:
            return self->onCommand(context, LOWORD(wp), HIWORD(wp));
        case WM_HSCROLL:
            return lp && self->onScroll(context, GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!self->onNotify(context, *reinterpret_cast<NMHDR*>(lp), result)) return FALSE;
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
    INT_PTR result = 0;
    return self->onMessage(context, msg, wp, lp, result) ? result : FALSE;
}

namespace {

class EmptyPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_EMPTY; }
};

}  // namespace

std::unique_ptr<Page> makeEmptyPage() { return std::make_unique<EmptyPage>(); }

}  // namespace ui::options
