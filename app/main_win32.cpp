#include <windows.h>

#include <memory>

#include "app/korvant_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Ends with wWinMain: every service, window and handle is released by its owner.
    auto program = std::make_unique<app::KorvaNTApp>();
    if (program->handOverToRunningCopy()) return 0;
    if (!program->startUp()) return 1;
    return program->run();
}
