#pragma once
#include "render/render_types.h"

namespace render {

// Drawing into off-screen images with the semantics of the GDI calls they stand for. Everything
// is clipped to the destination (and, for copies, to the source); nothing outside is touched.

// BitBlt with SRCCOPY: width x height pixels from (srcX, srcY) of src to (dstX, dstY) of dst.
// Source pixels outside src are not copied.
void copyBlock(Image& dst, int dstX, int dstY, int width, int height, const Image& src, int srcX,
               int srcY);

// MoveTo(x0, y0) + LineTo(x1, y1): a one-pixel line whose end point is not drawn.
void drawLine(Image& image, int x0, int y0, int x1, int y1, Colour colour);

// A filled box from (x0, y0) to (x1, y1), both corners included.
void fillBox(Image& image, int x0, int y0, int x1, int y1, Colour colour);

}  // namespace render
