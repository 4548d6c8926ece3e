#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "features/status_bar.h"
#include "monitor/processor_load.h"
#include "platform/memory_block.h"
#include "platform/memory_status.h"
#include "platform/processor_times.h"
#include "platform/sound.h"
#include "settings/settings.h"

namespace features {

// The largest block a release claims: its size must stay a signed 32-bit byte count.
constexpr int kLargestBlockMegabytes = 2047;

enum class ReleaseResult { Started, PlentyFree, Busy };

// The block of a release: the free memory and the amount together, capped at the largest block
// while the free memory alone is below it (the release still pushes something out); nothing
// when the free memory alone leaves no room beyond it.
std::optional<std::uint64_t> releaseBlockBytes(int freeMegabytes, int amountMegabytes);

// The free physical memory now, in whole MB; nothing when the system cannot tell.
std::optional<int> freeMegabytesNow(platform::MemoryStatusSource& memory);

struct ReleaseServices {
    platform::MemoryBlock& block;
    platform::MemoryStatusSource& memory;
    StatusBar& status;
};

// One release at a time, whoever asks (the button, the menus, the automatic release). The block
// is written away from the user-interface thread; the status bar says "開放中" until it is back.
class MemoryRelease {
public:
    explicit MemoryRelease(ReleaseServices services) : services_(services) {}
    MemoryRelease(const MemoryRelease&) = delete;
    MemoryRelease& operator=(const MemoryRelease&) = delete;

    // "開放中", then a block `amount` MB larger than the free memory; the final text when the
    // block service is done. Nothing at all while a release runs.
    ReleaseResult start(int amountMegabytes, int freeMegabytes);
    // "開放実行" and the menus' entries: against the free memory of this moment.
    ReleaseResult byHand(int amountMegabytes);
    bool running() const { return running_; }
    std::optional<int> freeMegabytes() { return freeMegabytesNow(services_.memory); }

    // A release began or ended: the commands that start one are offered only between releases.
    std::function<void(bool running)> onRunningChanged;

private:
    void finished(int amountMegabytes, bool claimed);
    void setRunning(bool running);

    ReleaseServices services_;
    bool running_ = false;
};

// The automatic release, checked once a second while it is on. It samples the free memory and
// the processor load itself: the refresh cycle reads them only while something shows them.
class AutomaticRelease {
public:
    AutomaticRelease(MemoryRelease& release, platform::Sound& sound,
                     platform::ProcessorTimesSource& processors, int platformFamily)
        : release_(release), sound_(sound), load_(processors, platformFamily) {}

    // One second; true when the conditions held and a release was started (or refused). While
    // another release runs the conditions wait for a later tick.
    bool tick(const settings::Settings& s);
    // A change of an automatic-release setting (or turning it on): both counts start again,
    // and the load is measured from now.
    void restartCounts();

    int elapsedTicks() const { return elapsed_; }
    int lowLoadTicks() const { return lowLoad_; }

private:
    // The load since the previous sample; nothing on the first, which measures no time.
    std::optional<int> sampleLoad();

    MemoryRelease& release_;
    platform::Sound& sound_;
    monitor::ProcessorLoad load_;
    int lastLoad_ = 0;
    bool sampled_ = false;
    int elapsed_ = 0;  // ticks since the last release or change of a setting
    int lowLoad_ = 0;  // consecutive ticks with the load below the threshold
};

}  // namespace features
