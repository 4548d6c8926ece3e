#pragma once

namespace platform {

constexpr int kPlatformNT = 2;

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // 1 for the Windows 9x family, 2 for the NT family.
    virtual int platformFamily() = 0;
};

}  // namespace platform
