#pragma once
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/locale_format.h"
#include "platform/memory_status.h"
#include "platform/power_status.h"
#include "platform/processor_times.h"
#include "platform/system_info.h"

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
    using Query = long(__stdcall*)(int, void*, unsigned long, unsigned long*);
    Query query_ = nullptr;
    int processors_ = 0;
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
};

class LocaleFormatWin32 : public platform::LocaleFormat {
public:
    platform::LocalTime now() override;
    std::wstring thousandsSeparator() override;
    std::wstring decimalSeparator() override;
    std::wstring shortDate(const platform::LocalTime& time) override;
    std::wstring fullWeekday(const platform::LocalTime& time) override;
    std::wstring timeText(const platform::LocalTime& time) override;
};

class ClipboardWin32 : public platform::Clipboard {
public:
    platform::ClipboardRead readText() override;
};

}  // namespace win32
