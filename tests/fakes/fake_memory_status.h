#pragma once
#include "platform/memory_status.h"

namespace fakes {

class FakeMemoryStatus : public platform::MemoryStatusSource {
public:
    std::optional<platform::MemoryStatus> status;
    int reads = 0;
    void setMegabytes(std::uint64_t total, std::uint64_t available) {
        status = platform::MemoryStatus{total * 1048576, available * 1048576};
    }
    std::optional<platform::MemoryStatus> memoryStatus() override {
        ++reads;
        return status;
    }
};

}  // namespace fakes
