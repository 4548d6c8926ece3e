#pragma once
#include <cstdint>
#include <optional>

namespace platform {

struct MemoryStatus {
    std::uint64_t totalPhysical = 0;      // bytes
    std::uint64_t availablePhysical = 0;  // bytes
};

class MemoryStatusSource {
public:
    virtual ~MemoryStatusSource() = default;
    virtual std::optional<MemoryStatus> memoryStatus() = 0;
};

}  // namespace platform
