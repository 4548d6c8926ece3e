#include "base/twips.h"

namespace base {

int pixelsFromTwips(float twips) { return static_cast<int>(twips) / kTwipsPerPixel; }

float twipsFor(float stored, int pixels) {
    if (pixelsFromTwips(stored) == pixels) return stored;
    return static_cast<float>(pixels * kTwipsPerPixel);
}

}  // namespace base
