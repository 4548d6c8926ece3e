#pragma once

namespace base {

// The program assumes 15 twips per pixel.
constexpr int kTwipsPerPixel = 15;

// A stored coordinate or size in twips as window pixels (whole pixels, towards zero).
int pixelsFromTwips(float twips);

// What to store for a window coordinate that is now `pixels`: the stored twips while they still
// name that pixel, so that a window that has not moved keeps its exact setting; the pixels in
// twips otherwise.
float twipsFor(float stored, int pixels);

}  // namespace base
