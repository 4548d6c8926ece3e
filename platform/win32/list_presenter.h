#pragma once
#include <windows.h>

#include "base/image.h"
#include "platform/win32/dib_surface.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

// Puts the list image into a window's client area with one BitBlt (fixed size: 1:1 from the top
// left) or one StretchBlt of the list's 158 x listHeight pixels onto the whole client area
// (window size variable). Client parts the copy does not cover get `background`. Keeps one DIB
// section between calls, holding what the target shows.
class ListPresenter {
public:
    // whole: the target may show anything (a paint message, another target), so all of it is
    // drawn. Otherwise the target still shows the last presentation and only what changed since
    // is drawn: a list that did not change costs no copy to the target at all.
    void present(HDC target, const base::Image& list, int listHeight, bool stretch, int clientWidth,
                 int clientHeight, COLORREF background, bool whole = true);

    // Whether a presentation that is not whole would put anything into the target: false when
    // the target already shows this list, so the caller need not even get a DC.
    bool changed(const base::Image& list, int listHeight, bool stretch, int clientWidth,
                 int clientHeight, COLORREF background);

private:
    CachedBrush brush_;  // the background around the list
    struct Shown {
        bool stretch = false;
        int clientWidth = 0, clientHeight = 0, listHeight = 0;
        COLORREF background = 0;
        bool operator==(const Shown&) const = default;
    };
    DibSurface surface_;
    Shown shown_;
    bool haveShown_ = false;
    int loadedRows_ = 0;   // rows of the surface that hold the list as last presented
    int loadedWidth_ = 0;  // their width
};

}  // namespace win32
