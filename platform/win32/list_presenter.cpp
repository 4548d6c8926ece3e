#include "platform/win32/list_presenter.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/unique_handle.h"

namespace win32 {

namespace {

// Changed rows closer than this are copied as one band: one copy costs more than a few rows.
constexpr int kBandGap = 16;

void fill(HDC dc, const RECT& rect, HBRUSH brush) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    FillRect(dc, &rect, brush);
}

}  // namespace

bool ListPresenter::changed(const base::Image& list, int listHeight, bool stretch, int clientWidth,
                            int clientHeight, COLORREF background) {
    listHeight = std::clamp(listHeight, 0, list.height());
    if (clientWidth <= 0 || clientHeight <= 0) return false;
    const Shown now{stretch, clientWidth, clientHeight, listHeight, background};
    if (!haveShown_ || !(now == shown_) || list.width() != loadedWidth_) return true;
    if (list.width() == 0 || listHeight == 0) return false;
    const int rows = stretch ? listHeight : std::min(clientHeight, list.height());
    if (rows > loadedRows_ || rows > surface_.height()) return true;
    const size_t rowBytes = sizeof(std::uint32_t) * static_cast<size_t>(list.width());
    GdiFlush();
    for (int y = 0; y < rows; ++y)
        if (std::memcmp(surface_.row(y), list.data() + static_cast<size_t>(y) * list.width(),
                        rowBytes) != 0)
            return true;
    return false;
}

void ListPresenter::present(HDC target, const base::Image& list, int listHeight, bool stretch,
                            int clientWidth, int clientHeight, COLORREF background, bool whole) {
    const RECT client = {0, 0, clientWidth, clientHeight};
    listHeight = std::clamp(listHeight, 0, list.height());
    if (clientWidth <= 0 || clientHeight <= 0) return;
    const Shown now{stretch, clientWidth, clientHeight, listHeight, background};
    whole = whole || !haveShown_ || !(now == shown_) || list.width() != loadedWidth_;
    shown_ = now;
    haveShown_ = true;
    if (list.width() == 0 || listHeight == 0 || !surface_.reserve(list.width(), list.height())) {
        if (whole) fill(target, client, brush_.get(background));
        loadedRows_ = 0;
        return;
    }

    // Only the rows the copy reads reach the surface, and only those that differ from it.
    const int rows = stretch ? listHeight : std::min(clientHeight, list.height());
    const size_t rowBytes = sizeof(std::uint32_t) * static_cast<size_t>(list.width());
    if (whole) loadedRows_ = 0;
    GdiFlush();
    int bands[2][64];  // first and last changed row of each band
    int bandCount = 0;
    bool overflow = false;
    for (int y = 0; y < rows; ++y) {
        const std::uint32_t* from = list.data() + static_cast<size_t>(y) * list.width();
        if (y < loadedRows_ && std::memcmp(surface_.row(y), from, rowBytes) == 0) continue;
        std::memcpy(surface_.row(y), from, rowBytes);
        if (bandCount > 0 && y - bands[1][bandCount - 1] <= kBandGap) {
            bands[1][bandCount - 1] = y;
        } else if (bandCount < 64) {
            bands[0][bandCount] = y;
            bands[1][bandCount] = y;
            ++bandCount;
        } else {
            overflow = true;
        }
    }
    loadedRows_ = std::max(loadedRows_, rows);
    loadedWidth_ = list.width();
    if (!whole && bandCount == 0) return;  // the target already shows this list

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
    if (whole || overflow) {
        BitBlt(target, 0, 0, width, height, surface_.dc(), 0, 0, SRCCOPY);
        if (whole) {
            fill(target, {width, 0, clientWidth, clientHeight}, brush_.get(background));
            fill(target, {0, height, width, clientHeight}, brush_.get(background));
        }
        return;
    }
    for (int i = 0; i < bandCount; ++i)
        BitBlt(target, 0, bands[0][i], width, bands[1][i] - bands[0][i] + 1, surface_.dc(), 0,
               bands[0][i], SRCCOPY);
}

}  // namespace win32
