#pragma once

namespace platform {

// As the system reports it: 255 means unknown in each field.
struct PowerStatus {
    int acStatus = 255;            // 0 battery, 1 mains
    int batteryStatus = 255;       // flags: 1 high, 2 low, 4 critical, 8 charging, 128 none
    int batteryLifePercent = 255;  // 0..100
};

class PowerStatusSource {
public:
    virtual ~PowerStatusSource() = default;
    virtual PowerStatus powerStatus() = 0;
};

}  // namespace platform
