#include "platform/win32/system_sources_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/clipboard_writer_win32.h"
#include "platform/win32/system_library.h"

namespace win32 {
namespace {

std::uint64_t ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The record of class 8 (SystemProcessorPerformanceInformation), one per processor.
struct ProcessorPerformance {
    LARGE_INTEGER idle;
    LARGE_INTEGER kernel;  // includes the idle time
    LARGE_INTEGER user;
    LARGE_INTEGER dpc;
    LARGE_INTEGER interrupt;
    ULONG interruptCount;
};
constexpr int kProcessorPerformanceClass = 8;

SYSTEMTIME toSystemTime(const platform::LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

std::wstring localeText(LCTYPE type, const wchar_t* fallback) {
    wchar_t buffer[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) <= 0) return fallback;
    return buffer;
}

}  // namespace

std::uint32_t ClockWin32::tickCount() { return GetTickCount(); }

ProcessorTimesWin32::ProcessorTimesWin32() {
    query_ = systemInformationQuery();
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    processors_ = static_cast<int>(info.dwNumberOfProcessors);
}

bool ProcessorTimesWin32::takeSnapshot() {
    snapshot_.clear();
    if (!query_ || processors_ <= 0) return false;
    std::vector<ProcessorPerformance> all(static_cast<size_t>(processors_));
    ULONG size = static_cast<ULONG>(all.size() * sizeof(ProcessorPerformance));
    ULONG returned = 0;
    if (query_(kProcessorPerformanceClass, all.data(), size, &returned) < 0) return false;
    all.resize(returned / sizeof(ProcessorPerformance));
    for (const ProcessorPerformance& p : all)
        snapshot_.push_back({static_cast<std::uint64_t>(p.idle.QuadPart),
                             static_cast<std::uint64_t>(p.kernel.QuadPart) +
                                 static_cast<std::uint64_t>(p.user.QuadPart),
                             static_cast<std::uint64_t>(p.user.QuadPart)});
    return !snapshot_.empty();
}

std::optional<platform::ProcessorTimes> ProcessorTimesWin32::totalTimes() {
    // The machine's times are the sum of its processors' (as GetSystemTimes adds them up), so
    // the processors read after the total in the same tick share its snapshot.
    lastAsked_ = -1;
    if (takeSnapshot()) {
        platform::ProcessorTimes sum{0, 0, 0};
        for (const platform::ProcessorTimes& p : snapshot_) {
            sum.idle += p.idle;
            sum.total += p.total;
            sum.user += p.user;
        }
        return sum;
    }
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
    return platform::ProcessorTimes{ticks(idle), ticks(kernel) + ticks(user), ticks(user)};
}

std::optional<platform::ProcessorTimes> ProcessorTimesWin32::processorTimes(int processor) {
    if (!query_ || processor < 0 || processor >= processors_) return std::nullopt;
    if (processor <= lastAsked_ || snapshot_.empty()) takeSnapshot();
    lastAsked_ = processor;
    if (static_cast<size_t>(processor) >= snapshot_.size()) return std::nullopt;
    return snapshot_[static_cast<size_t>(processor)];
}

std::optional<platform::MemoryStatus> MemoryStatusWin32::memoryStatus() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return std::nullopt;
    return platform::MemoryStatus{status.ullTotalPhys, status.ullAvailPhys};
}

platform::PowerStatus PowerStatusWin32::powerStatus() {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status)) return {};
    return {status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent};
}

int SystemInfoWin32::platformFamily() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT        ? 2
           : info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1
                                                             : static_cast<int>(info.dwPlatformId);
}

platform::SystemVersion SystemInfoWin32::version() {
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<GetVersion>(reinterpret_cast<void*>(
                                     GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return {};
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion),
            static_cast<int>(info.dwBuildNumber)};
}

platform::WorkArea SystemInfoWin32::workArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return {};
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

platform::LocalTime LocaleFormatWin32::now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond};
}

void LocaleFormatWin32::refreshSeparators() {
    constexpr std::uint32_t kFreshMs = 5000;
    std::uint32_t now = GetTickCount();
    if (read_ && now - readAt_ < kFreshMs) return;
    thousands_ = localeText(LOCALE_STHOUSAND, L",");
    decimal_ = localeText(LOCALE_SDECIMAL, L".");
    readAt_ = now;
    read_ = true;
}

std::wstring LocaleFormatWin32::thousandsSeparator() {
    refreshSeparators();
    return thousands_;
}

std::wstring LocaleFormatWin32::decimalSeparator() {
    refreshSeparators();
    return decimal_;
}

std::wstring LocaleFormatWin32::shortDate(const platform::LocalTime& time) {
    SYSTEMTIME st = toSystemTime(time);
    wchar_t buffer[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, 80);
    return buffer;
}

std::wstring LocaleFormatWin32::fullWeekday(const platform::LocalTime& time) {
    SYSTEMTIME st = toSystemTime(time);
    wchar_t buffer[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, L"dddd", buffer, 80);
    return buffer;
}

std::wstring LocaleFormatWin32::timeText(const platform::LocalTime& time) {
    SYSTEMTIME st = toSystemTime(time);
    wchar_t buffer[80] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, 80);
    return buffer;
}

ClipboardWin32::~ClipboardWin32() {
    if (watching_) RemoveClipboardFormatListener(watcher_.hwnd());
}

bool ClipboardWin32::watching() {
    if (watchTried_) return watching_;
    watchTried_ = true;
    watcher_.create(L"KorvaNTClipboardWatch", [this](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg != WM_CLIPBOARDUPDATE) return false;
        changeNoticed();
        return true;
    });
    watching_ = watcher_.hwnd() && AddClipboardFormatListener(watcher_.hwnd());
    return watching_;
}

std::uint32_t ClipboardWin32::sequenceNumber() { return GetClipboardSequenceNumber(); }

std::uint32_t ClipboardWin32::ownWrites() { return clipboardWritesSoFar(); }

std::wstring unicodeTextOf(const wchar_t* block, std::size_t bytes) {
    const wchar_t* end = block + bytes / sizeof(wchar_t);
    return std::wstring(block, std::find(block, end, L'\0'));
}

platform::ClipboardRead ClipboardWin32::readNow(size_t maxChars) {
    platform::ClipboardRead read;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        if (!OpenClipboard(nullptr)) return read;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                read.hasText = true;
                // Only as far as asked, and never past the memory block.
                size_t bytes = GlobalSize(data);
                if (maxChars < bytes / sizeof(wchar_t)) bytes = maxChars * sizeof(wchar_t);
                read.text = unicodeTextOf(text, bytes);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    read.opened = true;
    return read;
}

}  // namespace win32
