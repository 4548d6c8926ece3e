#include "platform/win32/clipboard_writer_win32.h"

#include <windows.h>

#include <atomic>
#include <cstring>

namespace win32 {
namespace {

std::atomic<std::uint32_t> writes{0};

}  // namespace

std::uint32_t clipboardWritesSoFar() { return writes.load(); }

bool ClipboardWriterWin32::writeText(const std::wstring& text) {
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 5 && !opened; ++attempt) {
        opened = OpenClipboard(nullptr);
        if (!opened) Sleep(10);
    }
    if (!opened) return false;
    ++writes;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    bool placed = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!placed) GlobalFree(memory);  // the clipboard owns it only after a successful set
    }
    CloseClipboard();
    return placed;
}

}  // namespace win32
