#pragma once
#include <map>

#include "platform/drives.h"

namespace fakes {

class FakeDrives : public platform::Drives {
public:
    struct Drive {
        int type = platform::kDriveFixed;
        std::optional<platform::DriveCapacity> capacity;
        std::optional<platform::DriveActivity> activity;
    };
    std::map<std::wstring, Drive> all;  // by letter, in letter order
    int capacityReads = 0;
    int activityReads = 0;

    void add(const std::wstring& letter, int type, std::uint64_t totalMB, std::uint64_t freeMB) {
        all[letter] = {type, platform::DriveCapacity{totalMB * 1048576, freeMB * 1048576},
                       platform::DriveActivity{}};
    }
    std::vector<platform::DriveEntry> drives() override {
        std::vector<platform::DriveEntry> list;
        for (auto& [letter, d] : all) list.push_back({letter, d.type});
        return list;
    }
    int driveType(const std::wstring& letter) override {
        auto it = all.find(letter);
        return it == all.end() ? platform::kDriveUnknown : it->second.type;
    }
    std::optional<platform::DriveCapacity> capacity(const std::wstring& letter) override {
        ++capacityReads;
        auto it = all.find(letter);
        return it == all.end() ? std::nullopt : it->second.capacity;
    }
    std::optional<platform::DriveActivity> activity(const std::wstring& letter) override {
        ++activityReads;
        auto it = all.find(letter);
        return it == all.end() ? std::nullopt : it->second.activity;
    }
};

}  // namespace fakes
