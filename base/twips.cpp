#include "base/twips.h"

namespace base {

int pixelsFromTwips(float twips, int dpi) {
    // Whole twips first, as the stored value has always been read; the quotient truncates.
    long long whole = static_cast<long long>(twips);
    return static_cast<int>(whole * dpi / kTwipsPerInch);
}

float twipsFromPixels(int pixels, int dpi) {
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

float twipsFor(float stored, int pixels, int dpi) {
    if (pixelsFromTwips(stored, dpi) == pixels) return stored;
    return twipsFromPixels(pixels, dpi);
}

}  // namespace base
