#include "ui/options/window_commands.h"

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
            return L"ウインドウ位置を左上にしました";
        case Placement::TopRight:
            return L"ウインドウ位置を右上にしました";
        case Placement::BottomLeft:
            return L"ウインドウ位置を左下にしました";
        case Placement::BottomRight:
            return L"ウインドウ位置を右下にしました";
        case Placement::Reset:
            break;
    }
    return L"ウインドウ位置を初期化しました";
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
    return L"X=" + twips(widthPixels) + L"Y=" + twips(heightPixels);
}

}  // namespace ui::options
