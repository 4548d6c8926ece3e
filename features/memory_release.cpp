#include "features/memory_release.h"

#include "base/texts.h"

namespace features {
namespace {

constexpr std::uint64_t kMegabyte = 1048576;

}  // namespace

std::optional<std::uint64_t> releaseBlockBytes(int freeMegabytes, int amountMegabytes) {
    long long available = freeMegabytes < 0 ? 0 : freeMegabytes;
    long long megabytes = available + (amountMegabytes < 0 ? 0 : amountMegabytes);
    if (megabytes > kLargestBlockMegabytes) {
        if (available >= kLargestBlockMegabytes) return std::nullopt;
        megabytes = kLargestBlockMegabytes;
    }
    return static_cast<std::uint64_t>(megabytes) * kMegabyte;
}

std::optional<int> freeMegabytesNow(platform::MemoryStatusSource& memory) {
    std::optional<platform::MemoryStatus> status = memory.memoryStatus();
    if (!status) return std::nullopt;
    std::uint64_t megabytes = status->availablePhysical / kMegabyte;
    return megabytes > 0x7fffffff ? 0x7fffffff : static_cast<int>(megabytes);
}

ReleaseResult MemoryRelease::start(int amountMegabytes, int freeMegabytes) {
    if (running_) return ReleaseResult::Busy;
    services_.status.show(base::text(base::Text::Releasing));
    std::optional<std::uint64_t> bytes = releaseBlockBytes(freeMegabytes, amountMegabytes);
    if (!bytes) {
        services_.status.show(base::text(base::Text::ReleasePlentyFree));
        return ReleaseResult::PlentyFree;
    }
    setRunning(true);
    services_.block.claimAndGiveBack(
        *bytes, [this, amountMegabytes](bool claimed) { finished(amountMegabytes, claimed); });
    return ReleaseResult::Started;
}

ReleaseResult MemoryRelease::byHand(int amountMegabytes) {
    if (running_) return ReleaseResult::Busy;
    // Without a reading the block is the amount alone.
    return start(amountMegabytes, freeMegabytes().value_or(0));
}

void MemoryRelease::finished(int amountMegabytes, bool claimed) {
    services_.status.show(
        claimed ? base::format(base::Text::Released, {std::to_wstring(amountMegabytes)})
                : std::wstring(base::text(base::Text::ReleaseNoBlock)));
    setRunning(false);
}

void MemoryRelease::setRunning(bool running) {
    running_ = running;
    if (onRunningChanged) onRunningChanged(running);
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

    std::optional<int> freeMegabytes = release_.freeMegabytes();
    if (!freeMegabytes || *freeMegabytes > s.freeMemoryThresholdMegabytes) return false;
    if (elapsed_ <= s.releaseIntervalMinutes * 60) return false;
    if (lowLoad_ <= s.idleSeconds) return false;
    if (release_.running()) return false;

    sound_.beep();
    elapsed_ = 0;
    lowLoad_ = 0;
    release_.start(s.autoReleaseMegabytes, *freeMegabytes);
    return true;
}

}  // namespace features
