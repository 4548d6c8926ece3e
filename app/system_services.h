#pragma once
#include "platform/win32/desktop_windows_win32.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/gdi_text_painter.h"
#include "platform/win32/list_presenter.h"
#include "platform/win32/memory_block_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/process_table_win32.h"
#include "platform/win32/system_sources_win32.h"

namespace app {

// The Windows services the running parts read and act through, made once for the program.
struct SystemServices {
    win32::ClockWin32 clock;
    win32::ProcessorTimesWin32 processors;
    win32::ProcessTableWin32 processes;
    win32::MemoryStatusWin32 memory;
    win32::NetworkWin32 network;
    win32::DrivesWin32 drives;
    win32::PowerStatusWin32 power;
    win32::LocaleFormatWin32 locale;
    win32::ClipboardWin32 clipboard;  // the clipboard item's reader, with its own change count
    win32::SystemInfoWin32 system;
    win32::GdiTextPainter painter;
    win32::ListPresenter presenter;
    // the desktop tools
    win32::DesktopWindowsWin32 windows;
    win32::MemoryBlockWin32 block;
    win32::SoundWin32 sound;
};

}  // namespace app
