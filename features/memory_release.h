#pragma once
#include <cstdint>
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

inline const wchar_t* const kReleasingText = L"開放中";
inline const wchar_t* const kReleasedSuffix = L"MBのメモリを開放しました";
inline const wchar_t* const kPlentyFreeText = L"空きメモリが多いため開放を省略しました";
inline const wchar_t* const kNoBlockText = L"メモリを確保できなかったため開放を省略しました";

// The largest block a release claims. Every page of it is faulted in while the windows wait
// (about a millisecond per MB under Wine here), and a release only helps a machine that is short
// of memory: with the free memory and the amount above this there is nothing to make room for.
constexpr int kLargestBlockMegabytes = 256;

enum class ReleaseResult { Released, PlentyFree, NoBlock };

// The block of a release: the free memory and the amount together; nothing when that is more
// than the largest block.
std::optional<std::uint64_t> releaseBlockBytes(int freeMegabytes, int amountMegabytes);

// The free physical memory now, in whole MB; nothing when the system cannot tell.
std::optional<int> freeMegabytesNow(platform::MemoryStatusSource& memory);

struct ReleaseServices {
    platform::MemoryBlock& block;
    platform::MemoryStatusSource& memory;
    StatusBar& status;
};

// Claims a block `amount` MB larger than the free memory, writes it through and gives it back,
// then reports in the status bar what was done.
ReleaseResult releaseMemory(int amountMegabytes, int freeMegabytes, ReleaseServices services);

// "開放実行" and the menus' entries: "開放中", then a release of `amount` MB against the free
// memory of this moment.
ReleaseResult releaseByHand(int amountMegabytes, ReleaseServices services);

// The automatic release, checked once a second while it is on. It samples the free memory and
// the processor load itself: the refresh cycle reads them only while something shows them.
class AutomaticRelease {
public:
    AutomaticRelease(ReleaseServices services, platform::Sound& sound,
                     platform::ProcessorTimesSource& processors, int platformFamily)
        : services_(services), sound_(sound), load_(processors, platformFamily) {}

    // One second; true when the conditions held and a release was made (or refused).
    bool tick(const settings::Settings& s);
    // A change of an automatic-release setting (or turning it on): both counts start again,
    // and the load is measured from now.
    void restartCounts();

    int elapsedTicks() const { return elapsed_; }
    int lowLoadTicks() const { return lowLoad_; }

private:
    // The load since the previous sample; nothing on the first, which measures no time.
    std::optional<int> sampleLoad();

    ReleaseServices services_;
    platform::Sound& sound_;
    monitor::ProcessorLoad load_;
    int lastLoad_ = 0;
    bool sampled_ = false;
    int elapsed_ = 0;  // ticks since the last release or change of a setting
    int lowLoad_ = 0;  // consecutive ticks with the load below the threshold
};

}  // namespace features
