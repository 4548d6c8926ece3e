#include "platform/win32/list_presenter.h"

#include <algorithm>

#include "platform/win32/unique_handle.h"

namespace win32 {

namespace {

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

}  // namespace

void ListPresenter::present(HDC target, const render::Image& list, int listHeight, bool stretch,
                            int clientWidth, int clientHeight, COLORREF background) {
    const RECT client = {0, 0, clientWidth, clientHeight};
    listHeight = std::clamp(listHeight, 0, list.height());
    if (clientWidth <= 0 || clientHeight <= 0) return;
    if (list.width() == 0 || listHeight == 0 || !surface_.reserve(list.width(), list.height())) {
        fill(target, client, background);
        return;
    }
    surface_.load(list);
    if (stretch) {
        int oldMode = SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, clientWidth, clientHeight, surface_.dc(), 0, 0, list.width(),
                   listHeight, SRCCOPY);
        SetStretchBltMode(target, oldMode);
        return;
    }
    // The picture goes over the client area 1:1; only what it does not cover is cleared, so
    // the window never shows an empty frame.
    int width = std::min(clientWidth, list.width());
    int height = std::min(clientHeight, list.height());
    BitBlt(target, 0, 0, width, height, surface_.dc(), 0, 0, SRCCOPY);
    fill(target, {width, 0, clientWidth, clientHeight}, background);
    fill(target, {0, height, width, clientHeight}, background);
}

}  // namespace win32
