#pragma once
#include <map>
#include <memory>

#include "platform/drives.h"

namespace win32 {

// Drive letters, types and capacities from the volume functions; read and write activity from
// the LogicalDisk performance counters, where the system has them.
class DrivesWin32 : public platform::Drives {
public:
    DrivesWin32();
    ~DrivesWin32() override;
    std::vector<platform::DriveEntry> drives() override;
    int driveType(const std::wstring& letter) override;
    std::optional<platform::DriveCapacity> capacity(const std::wstring& letter) override;
    std::optional<platform::DriveActivity> activity(const std::wstring& letter) override;
    // Closes every counter query; exit calls it before the process ends.
    void closeCounters();

private:
    struct Counters;
    std::map<std::wstring, std::unique_ptr<Counters>> counters_;  // by letter
};

}  // namespace win32
