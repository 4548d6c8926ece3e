#pragma once

namespace base {

// The resolution every length of the program is designed at: 100 % display scale.
constexpr int kDesignDpi = 96;

// Lengths designed at 96 DPI, at a window's DPI: nearest pixel, halves away from zero. At 96
// DPI every length stays exactly what it is.
struct DpiScale {
    int dpi = kDesignDpi;

    constexpr int px(int designed) const {
        if (dpi == kDesignDpi) return designed;
        long long scaled = static_cast<long long>(designed) * dpi;
        return static_cast<int>((scaled >= 0 ? scaled + kDesignDpi / 2 : scaled - kDesignDpi / 2) /
                                kDesignDpi);
    }
    // Enough whole pixels to hold a designed length (rounded up; lengths are never negative).
    constexpr int pxCeil(int designed) const {
        if (dpi == kDesignDpi) return designed;
        return static_cast<int>((static_cast<long long>(designed) * dpi + kDesignDpi - 1) /
                                kDesignDpi);
    }
    // Whole pixels that fit within a designed length (rounded down).
    constexpr int pxFloor(int designed) const {
        return static_cast<int>(static_cast<long long>(designed) * dpi / kDesignDpi);
    }
    // The last pixel of a span whose designed last pixel is `designed`: spans that touch at 96
    // DPI still touch, and none overlaps.
    constexpr int lastPx(int designed) const { return px(designed + 1) - 1; }
    constexpr bool operator==(const DpiScale&) const = default;
};

}  // namespace base
