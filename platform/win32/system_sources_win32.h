#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/cached_clipboard.h"
#include "platform/clock.h"
#include "platform/locale_format.h"
#include "platform/memory_status.h"
#include "platform/power_status.h"
#include "platform/processor_times.h"
#include "platform/system_info.h"
#include "platform/win32/owned_window.h"
#include "platform/win32/system_library.h"

namespace win32 {

class ClockWin32 : public platform::Clock {
public:
    std::uint32_t tickCount() override;
};

// Total times from GetSystemTimes, per-processor times from the kernel's processor
// performance information (NtQuerySystemInformation class 8).
class ProcessorTimesWin32 : public platform::ProcessorTimesSource {
public:
    ProcessorTimesWin32();
    std::optional<platform::ProcessorTimes> totalTimes() override;
    std::optional<platform::ProcessorTimes> processorTimes(int processor) override;

private:
    SystemInformationQuery query_ = nullptr;
    int processors_ = 0;
    // One system call serves a tick's total and four processor readings: the total, or a
    // reading of a processor not above the previous one, starts a new snapshot.
    bool takeSnapshot();
    std::vector<platform::ProcessorTimes> snapshot_;
    int lastAsked_ = -1;
};

class MemoryStatusWin32 : public platform::MemoryStatusSource {
public:
    std::optional<platform::MemoryStatus> memoryStatus() override;
};

class PowerStatusWin32 : public platform::PowerStatusSource {
public:
    platform::PowerStatus powerStatus() override;
};

class SystemInfoWin32 : public platform::SystemInfo {
public:
    int platformFamily() override;
    // The true version (GetVersionEx answers what the manifest asks for).
    platform::SystemVersion version();
    platform::WorkArea workArea();
};

// The separators are read again at most every few seconds: the locale rarely changes, and each
// reading costs registry round trips under some systems.
class LocaleFormatWin32 : public platform::LocaleFormat {
public:
    platform::LocalTime now() override;
    std::wstring thousandsSeparator() override;
    std::wstring decimalSeparator() override;
    std::wstring shortDate(const platform::LocalTime& time) override;
    std::wstring fullWeekday(const platform::LocalTime& time) override;
    std::wstring timeText(const platform::LocalTime& time) override;

private:
    void refreshSeparators();
    std::wstring thousands_ = L",";
    std::wstring decimal_ = L".";
    std::uint32_t readAt_ = 0;
    bool read_ = false;
};

// Reads the text only when the clipboard's sequence number moved; otherwise the last reading
// stands, which spares the window system a conversion on every tick.
// The text of a CF_UNICODETEXT block of `bytes` bytes: up to its first NUL, and no further than
// the block, since another program may put a text without its NUL.
std::wstring unicodeTextOf(const wchar_t* block, std::size_t bytes);

// Reads the clipboard only after it changed: a window of its own is told of every change, so a
// round without one asks the system nothing. Where that cannot be had, the clipboard's
// sequence number is asked each time.
// Kept up to date by the system's clipboard change notices, on a message window of its own.
class ClipboardWin32 : public platform::CachedClipboard {
public:
    ClipboardWin32() = default;
    ~ClipboardWin32() override;
    ClipboardWin32(const ClipboardWin32&) = delete;
    ClipboardWin32& operator=(const ClipboardWin32&) = delete;

private:
    bool watching() override;
    std::uint32_t sequenceNumber() override;
    platform::ClipboardRead readNow(size_t maxChars) override;
    std::uint32_t ownWrites() override;

    MessageWindow watcher_;
    bool watching_ = false;
    bool watchTried_ = false;
};

}  // namespace win32
