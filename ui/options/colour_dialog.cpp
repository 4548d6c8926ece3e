#include "ui/options/colour_dialog.h"

#include <commdlg.h>

#include "platform/win32/system_library.h"

namespace ui::options {

std::optional<std::int32_t> chooseColour(HWND owner, std::int32_t initial) {
    static COLORREF custom[16] = {};  // kept between openings, as the dialog expects
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    // Owned by the options window itself, not a page: it then stays in front of it.
    dialog.hwndOwner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    // A system colour reference is no colour the dialog can start from.
    dialog.rgbResult = initial < 0 ? RGB(255, 255, 255) : static_cast<COLORREF>(initial);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    // The dialog's library (and the printing it brings) is loaded by the first colour chosen.
    static decltype(ChooseColorW)* choose = nullptr;
    if (!choose && !win32::resolve(win32::systemLibrary(L"comdlg32.dll"), "ChooseColorW", choose))
        return std::nullopt;
    if (!choose(&dialog)) return std::nullopt;
    return static_cast<std::int32_t>(dialog.rgbResult & 0xFFFFFF);
}

}  // namespace ui::options
