#pragma once
#include <windows.h>

#include "base/image.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

// The one place that knows how a base::Image lies in Win32 memory: its 0x00RRGGBB pixels are
// already the blue, green, red, unused bytes of a top-down 32-bit DIB, so every copy is 1:1.

// The header of a top-down 32-bit DIB of that size.
BITMAPINFO dibInfoFor(int width, int height);

// Draws the image at (x, y) of a device context.
void drawImage(HDC dc, const base::Image& image, int x, int y);

// A DIB section holding a copy of the image; null when GDI refuses.
UniqueGdiObject bitmapOf(const base::Image& image);

// An icon of the image, every pixel opaque; null when GDI refuses.
UniqueIcon iconOf(const base::Image& image);

}  // namespace win32
