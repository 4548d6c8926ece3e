// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "app/korvant_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    // Ends with wWinMain: every service, window and handle is released by its owner.
    auto program = std::make_unique<app::KorvaNTApp>();
    if (program->handOverToRunningCopy()) return 0;
    if (!program->startUp()) return 1;
    return program->run();
}
