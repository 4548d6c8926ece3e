#include "platform/win32/process_table_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win32/system_library.h"

namespace win32 {
namespace {

constexpr int kProcessInformationClass = 5;
constexpr long kLengthMismatch = static_cast<long>(0xC0000004);

// The head of a record of class 5 (SYSTEM_PROCESS_INFORMATION), up to the private bytes; the
// thread records that follow it are not read.
struct ProcessRecord {
    ULONG nextEntryOffset;
    ULONG numberOfThreads;
    LARGE_INTEGER workingSetPrivateSize;
    ULONG hardFaultCount;
    ULONG numberOfThreadsHighWatermark;
    ULONGLONG cycleTime;
    LARGE_INTEGER createTime;
    LARGE_INTEGER userTime;
    LARGE_INTEGER kernelTime;
    USHORT nameLength;  // bytes
    USHORT nameMaximumLength;
    PWSTR name;
    LONG basePriority;
    HANDLE uniqueProcessId;
    HANDLE inheritedFromUniqueProcessId;
    ULONG handleCount;
    ULONG sessionId;
    ULONG_PTR uniqueProcessKey;
    SIZE_T peakVirtualSize;
    SIZE_T virtualSize;
    ULONG pageFaultCount;
    SIZE_T peakWorkingSetSize;
    SIZE_T workingSetSize;
    SIZE_T quotaPeakPagedPoolUsage;
    SIZE_T quotaPagedPoolUsage;
    SIZE_T quotaPeakNonPagedPoolUsage;
    SIZE_T quotaNonPagedPoolUsage;
    SIZE_T pagefileUsage;
    SIZE_T peakPagefileUsage;
    SIZE_T privatePageCount;  // bytes, whatever the name says
};

}  // namespace

ProcessTableWin32::ProcessTableWin32() {
    query_ = systemInformationQuery();
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    processors_ = static_cast<int>(info.dwNumberOfProcessors);
}

bool ProcessTableWin32::read(platform::ProcessTable& into) {
    into.processors = processors_ > 0 ? processors_ : 1;
    into.processes.clear();
    if (!query_) return false;
    // Made on the first read: a program whose processes nobody asks for holds no room for them.
    if (buffer_.empty()) buffer_.resize(256 * 1024);
    ULONG returned = 0;
    long status = 0;
    // The list grows between the calls when processes start: a few tries with room to spare.
    for (int attempt = 0; attempt < 4; ++attempt) {
        status = query_(kProcessInformationClass, buffer_.data(),
                        static_cast<ULONG>(buffer_.size()), &returned);
        if (status != kLengthMismatch) break;
        buffer_.resize(std::max<std::size_t>(buffer_.size() * 2, returned + 64 * 1024));
    }
    if (status < 0) return false;
    const std::size_t end =
        std::min<std::size_t>(returned ? returned : buffer_.size(), buffer_.size());
    std::size_t offset = 0;
    while (offset + sizeof(ProcessRecord) <= end) {
        ProcessRecord record;
        std::memcpy(&record, buffer_.data() + offset, sizeof record);
        const auto id =
            static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(record.uniqueProcessId));
        // The idle process has no name; its "time" is the processors' idle time.
        if (id != 0 && record.name && record.nameLength > 0) {
            platform::ProcessEntry entry;
            entry.id = id;
            entry.startTime = static_cast<std::uint64_t>(record.createTime.QuadPart);
            entry.name.assign(record.name, record.nameLength / sizeof(wchar_t));
            entry.processorTime = static_cast<std::uint64_t>(record.userTime.QuadPart) +
                                  static_cast<std::uint64_t>(record.kernelTime.QuadPart);
            entry.privateBytes =
                record.privatePageCount ? record.privatePageCount : record.pagefileUsage;
            into.processes.push_back(std::move(entry));
        }
        if (record.nextEntryOffset == 0) break;
        offset += record.nextEntryOffset;
    }
    return true;
}

}  // namespace win32
