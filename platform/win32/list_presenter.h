#pragma once
#include <windows.h>

#include "platform/win32/dib_surface.h"
#include "render/image.h"

namespace win32 {

// Puts the list image into a window's client area with one BitBlt (fixed size: 1:1 from the top
// left) or one StretchBlt of the list's 158 x listHeight pixels onto the whole client area
// (window size variable). Client parts the copy does not cover get `background`. Keeps one DIB
// section between calls.
class ListPresenter {
public:
    void present(HDC target, const render::Image& list, int listHeight, bool stretch,
                 int clientWidth, int clientHeight, COLORREF background);

private:
    DibSurface surface_;
};

}  // namespace win32
