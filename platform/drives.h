#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Drive types as the file-system object numbers them.
enum DriveType : int {
    kDriveUnknown = 0,
    kDriveRemovable = 1,
    kDriveFixed = 2,
    kDriveNetwork = 3,
    kDriveCdRom = 4,
    kDriveRamDisk = 5,
};

struct DriveEntry {
    std::wstring letter;  // "C"
    int type = kDriveUnknown;
};

struct DriveCapacity {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;  // available to the caller
};

// Cumulative activity figures of a drive; the lamps light when they change between ticks.
struct DriveActivity {
    double read = 0;
    double write = 0;
};

class Drives {
public:
    virtual ~Drives() = default;
    // Every drive of the system in letter order.
    virtual std::vector<DriveEntry> drives() = 0;
    virtual int driveType(const std::wstring& letter) = 0;
    virtual std::optional<DriveCapacity> capacity(const std::wstring& letter) = 0;
    // nullopt when the drive has no activity data (its lamps are then not drawn).
    virtual std::optional<DriveActivity> activity(const std::wstring& letter) = 0;
};

}  // namespace platform
