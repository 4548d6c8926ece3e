// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "app/korvant_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    static app::KorvaNTApp program;  // lives until the process ends
    if (!program.startUp()) return 1;
    return program.run();
}
