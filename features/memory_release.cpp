#include "features/memory_release.h"

namespace features {
namespace {

constexpr std::uint64_t kMegabyte = 1048576;

}  // namespace

std::optional<std::uint64_t> releaseBlockBytes(int freeMegabytes, int amountMegabytes) {
    long long megabytes = static_cast<long long>(freeMegabytes < 0 ? 0 : freeMegabytes) +
                          (amountMegabytes < 0 ? 0 : amountMegabytes);
    if (megabytes > kLargestBlockMegabytes) return std::nullopt;
    return static_cast<std::uint64_t>(megabytes) * kMegabyte;
}

std::optional<int> freeMegabytesNow(platform::MemoryStatusSource& memory) {
    std::optional<platform::MemoryStatus> status = memory.memoryStatus();
    if (!status) return std::nullopt;
    std::uint64_t megabytes = status->availablePhysical / kMegabyte;
    return megabytes > 0x7fffffff ? 0x7fffffff : static_cast<int>(megabytes);
}

ReleaseResult releaseMemory(int amountMegabytes, int freeMegabytes, ReleaseServices services) {
    std::optional<std::uint64_t> bytes = releaseBlockBytes(freeMegabytes, amountMegabytes);
    if (!bytes) {
        services.status.show(kPlentyFreeText);
        return ReleaseResult::PlentyFree;
    }
    if (!services.block.claim(*bytes)) {
        services.status.show(kNoBlockText);
        return ReleaseResult::NoBlock;
    }
    services.status.show(std::to_wstring(amountMegabytes) + kReleasedSuffix);
    services.block.release();
    return ReleaseResult::Released;
}

ReleaseResult releaseByHand(int amountMegabytes, ReleaseServices services) {
    services.status.show(kReleasingText);
    // Without a reading the block is the amount alone.
    int freeMegabytes = freeMegabytesNow(services.memory).value_or(0);
    return releaseMemory(amountMegabytes, freeMegabytes, services);
}

std::optional<int> AutomaticRelease::sampleLoad() {
    lastLoad_ = load_.readTotal(lastLoad_);
    if (!sampled_) {
        sampled_ = true;
        return std::nullopt;
    }
    return lastLoad_;
}

void AutomaticRelease::restartCounts() {
    elapsed_ = 0;
    lowLoad_ = 0;
    sampleLoad();
}

bool AutomaticRelease::tick(const settings::Settings& s) {
    if (s.autoReleaseOn != 1) return false;
    ++elapsed_;
    // A load equal to the threshold is not low; an unmeasured one is not either.
    std::optional<int> load = sampleLoad();
    if (load && *load < s.idleLoadPercent)
        ++lowLoad_;
    else
        lowLoad_ = 0;

    std::optional<int> freeMegabytes = freeMegabytesNow(services_.memory);
    if (!freeMegabytes || *freeMegabytes > s.freeMemoryThresholdMegabytes) return false;
    if (elapsed_ <= s.releaseIntervalMinutes * 60) return false;
    if (lowLoad_ <= s.idleSeconds) return false;

    sound_.beep();
    services_.status.show(kReleasingText);
    elapsed_ = 0;
    lowLoad_ = 0;
    releaseMemory(s.autoReleaseMegabytes, *freeMegabytes, services_);
    return true;
}

}  // namespace features
