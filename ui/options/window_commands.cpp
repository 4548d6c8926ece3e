#include "ui/options/window_commands.h"

#include "base/texts.h"
#include "base/twips.h"
#include "ui/main_window_size.h"

namespace ui::options {

PixelPoint placementFor(Placement placement, int workWidth, int workHeight, int windowWidth,
                        int windowHeight) {
    int right = workWidth - windowWidth;
    int bottom = workHeight - windowHeight;
    switch (placement) {
        case Placement::TopRight:
            return {right, 0};
        case Placement::BottomLeft:
            return {0, bottom};
        case Placement::BottomRight:
            return {right, bottom};
        case Placement::TopLeft:
        case Placement::Reset:
            break;
    }
    return {0, 0};
}

const wchar_t* placementMessage(Placement placement) {
    switch (placement) {
        case Placement::TopLeft:
            return base::text(base::Text::PlacedTopLeft);
        case Placement::TopRight:
            return base::text(base::Text::PlacedTopRight);
        case Placement::BottomLeft:
            return base::text(base::Text::PlacedBottomLeft);
        case Placement::BottomRight:
            return base::text(base::Text::PlacedBottomRight);
        case Placement::Reset:
            break;
    }
    return base::text(base::Text::PlacedReset);
}

MainWindowSizeTwips resetMainWindowSize(int listHeightPixels, int dpi) {
    // The stored size of a window whose client area is the list, as start-up reads it back.
    return {base::twipsFromPixels(mainClientWidthFor(dpi), dpi) + kStoredFrameWidthTwips,
            base::twipsFromPixels(listHeightPixels, dpi) + kStoredFrameHeightTwips,
            static_cast<float>(listHeightPixels)};
}

std::wstring sizeWindowText(int widthPixels, int heightPixels, int dpi) {
    auto twips = [dpi](int pixels) {
        return std::to_wstring(static_cast<long long>(base::twipsFromPixels(pixels, dpi)));
    };
    return base::format(base::Text::SizeInTwips, {twips(widthPixels), twips(heightPixels)});
}

}  // namespace ui::options
