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

MainWindowSizeTwips resetMainWindowSize(int listHeightPixels) {
    // The stored size of a window whose client area is the list, as start-up reads it back.
    return {static_cast<float>(kMainClientWidth * base::kTwipsPerPixel + kStoredFrameWidthTwips),
            static_cast<float>(listHeightPixels * base::kTwipsPerPixel + kStoredFrameHeightTwips),
            static_cast<float>(listHeightPixels)};
}

std::wstring sizeWindowText(int widthPixels, int heightPixels) {
    return L"X=" + std::to_wstring(widthPixels * base::kTwipsPerPixel) + L"Y=" +
           std::to_wstring(heightPixels * base::kTwipsPerPixel);
}

}  // namespace ui::options
