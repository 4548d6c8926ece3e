#pragma once
#include "base/dpi_scale.h"

namespace base {

// Twips are 1/1440 inch: 15 to a pixel at 96 DPI, 10 at 144, 7.5 at 192.
constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPixel = kTwipsPerInch / kDesignDpi;

// A stored coordinate or size in twips as pixels at `dpi` (whole pixels, towards zero).
int pixelsFromTwips(float twips, int dpi = kDesignDpi);

// Pixels at `dpi` in twips.
float twipsFromPixels(int pixels, int dpi = kDesignDpi);

// What to store for a window coordinate that is now `pixels` at `dpi`: the stored twips while
// they still name that pixel, so that a window that has not moved keeps its exact setting; the
// pixels in twips otherwise.
float twipsFor(float stored, int pixels, int dpi = kDesignDpi);

}  // namespace base
