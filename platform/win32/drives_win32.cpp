#include "platform/win32/drives_win32.h"

// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <pdh.h>
#include <pdhmsg.h>
// clang-format on

namespace win32 {
namespace {

int typeOf(UINT windowsType) {
    switch (windowsType) {
        case DRIVE_REMOVABLE:
            return platform::kDriveRemovable;
        case DRIVE_FIXED:
            return platform::kDriveFixed;
        case DRIVE_REMOTE:
            return platform::kDriveNetwork;
        case DRIVE_CDROM:
            return platform::kDriveCdRom;
        case DRIVE_RAMDISK:
            return platform::kDriveRamDisk;
        default:
            return platform::kDriveUnknown;
    }
}

std::wstring root(const std::wstring& letter) { return letter + L":\\"; }

}  // namespace

// One query per drive with its cumulative read and write byte counters.
struct DrivesWin32::Counters {
    PDH_HQUERY query = nullptr;
    PDH_HCOUNTER read = nullptr;
    PDH_HCOUNTER write = nullptr;
    bool usable = false;

    explicit Counters(const std::wstring& letter) {
        if (PdhOpenQueryW(nullptr, 0, &query) != ERROR_SUCCESS) {
            query = nullptr;
            return;
        }
        std::wstring base = L"\\LogicalDisk(" + letter + L":)\\";
        usable = PdhAddEnglishCounterW(query, (base + L"Disk Read Bytes/sec").c_str(), 0, &read) ==
                     ERROR_SUCCESS &&
                 PdhAddEnglishCounterW(query, (base + L"Disk Write Bytes/sec").c_str(), 0,
                                       &write) == ERROR_SUCCESS;
    }
    ~Counters() {
        if (query) PdhCloseQuery(query);
    }
    Counters(const Counters&) = delete;
    Counters& operator=(const Counters&) = delete;

    std::optional<platform::DriveActivity> sample() {
        if (!usable || PdhCollectQueryData(query) != ERROR_SUCCESS) return std::nullopt;
        PDH_RAW_COUNTER r{}, w{};
        if (PdhGetRawCounterValue(read, nullptr, &r) != ERROR_SUCCESS ||
            PdhGetRawCounterValue(write, nullptr, &w) != ERROR_SUCCESS ||
            r.CStatus != PDH_CSTATUS_VALID_DATA || w.CStatus != PDH_CSTATUS_VALID_DATA)
            return std::nullopt;
        return platform::DriveActivity{static_cast<double>(r.FirstValue),
                                       static_cast<double>(w.FirstValue)};
    }
};

DrivesWin32::DrivesWin32() = default;
DrivesWin32::~DrivesWin32() = default;

void DrivesWin32::closeCounters() { counters_.clear(); }

std::vector<platform::DriveEntry> DrivesWin32::drives() {
    std::vector<platform::DriveEntry> list;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        std::wstring letter(1, static_cast<wchar_t>(L'A' + i));
        list.push_back({letter, driveType(letter)});
    }
    return list;
}

int DrivesWin32::driveType(const std::wstring& letter) {
    return typeOf(GetDriveTypeW(root(letter).c_str()));
}

std::optional<platform::DriveCapacity> DrivesWin32::capacity(const std::wstring& letter) {
    ULARGE_INTEGER available{}, total{};
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);  // no "insert a disk" box
    BOOL ok = GetDiskFreeSpaceExW(root(letter).c_str(), &available, &total, nullptr);
    SetErrorMode(oldMode);
    if (!ok) return std::nullopt;
    return platform::DriveCapacity{total.QuadPart, available.QuadPart};
}

std::optional<platform::DriveActivity> DrivesWin32::activity(const std::wstring& letter) {
    auto& counters = counters_[letter];
    if (!counters) counters = std::make_unique<Counters>(letter);
    return counters->sample();
}

}  // namespace win32
