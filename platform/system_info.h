#pragma once

namespace platform {

constexpr int kPlatformNT = 2;

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // 1 for the Windows 9x family, 2 for the NT family.
    virtual int platformFamily() = 0;
};

// The system's version as the options window shows it.
struct SystemVersion {
    int major = 0, minor = 0, build = 0;
};

// The desktop without the taskbar, in pixels.
struct WorkArea {
    int left = 0, top = 0, width = 0, height = 0;
};

}  // namespace platform
