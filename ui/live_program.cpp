#include "ui/live_program.h"

#include "render/gradient.h"
#include "ui/popup_menu.h"

namespace ui {

void LiveProgram::setTimerInterval(options::ProgramTimer timer, unsigned milliseconds) {
    UINT_PTR id = 0;
    switch (timer) {
        case options::ProgramTimer::Refresh:
            id = kRefreshTimer;
            break;
        case options::ProgramTimer::DriveList:
            id = kDriveListTimer;
            break;
        case options::ProgramTimer::AutoClose:
            utilities_.setInterval(kAutoCloseTimer, milliseconds);
            return;
        case options::ProgramTimer::FolderSizing:
            utilities_.setInterval(kFolderSizingTimer, milliseconds);
            return;
    }
    if (milliseconds == 0)
        KillTimer(host_, id);
    else
        SetTimer(host_, id, milliseconds, nullptr);
}

void LiveProgram::setTopmost(bool on) {
    ui::setTopmost(main_.hwnd(), on ? 1 : 0);
    if (options_) ui::setTopmost(options_, on ? 1 : 0);
}

void LiveProgram::setMainBackground(std::int32_t colour) {
    main_.setBackground(
        render::resolveColour(colour, [](int index) { return GetSysColor(index); }));
    monitoring_.setListBackground(colour);
}

}  // namespace ui
