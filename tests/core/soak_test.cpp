// A long run of the refresh cycle over fakes: 60 days of a machine that keeps changing under the
// program. Bursts of 500 ms ticks once an hour keep it to seconds; the clock and the counters run
// on between the bursts as they would, and one burst straddles the tick count's wrap.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "fakes/monitor_rig.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/allocator_interface.h>
#define KORVANT_LIVE_HEAP_BYTES() __sanitizer_get_current_allocated_bytes()
#endif
#endif

namespace {

using settings::Item;

constexpr std::uint64_t kHourMs = 3'600'000;
constexpr std::uint64_t kDays = 60;
constexpr int kTicksPerBurst = 8;
constexpr int kMaxClipboardParts = 400;
const std::wstring kLongestClipboardText(kMaxClipboardParts * 6, L'8');
// 2^32 ms falls 167,296 ms into an hour: bursts that end 2 s after that cross the wrap.
constexpr std::uint64_t kBurstOffsetMs = 167'296 + 2'000;

// Bytes in use on the heap, where they can be had exactly: the sanitised build's allocator counts
// them (the C library's figures include freed blocks it keeps for reuse).
std::optional<std::size_t> heapInUse() {
#ifdef KORVANT_LIVE_HEAP_BYTES
    return KORVANT_LIVE_HEAP_BYTES();
#else
    return std::nullopt;
#endif
}

// No line breaks in a one-line row, no NUL, no half of a surrogate pair, no "nan" or "inf".
bool wellFormed(const std::wstring& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\0' || c == L'\r' || c == L'\n') return false;
        bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (low) return false;
        if (high && (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF))
            return false;
        if (high) ++i;
    }
    return text.find(L"nan") == std::wstring::npos && text.find(L"inf") == std::wstring::npos;
}

bool isPercent(int value) { return value >= 0 && value <= 100; }

class Machine {
public:
    explicit Machine(fakes::MonitorRig& rig) : rig_(rig) {}

    // Everything that happens to the machine in one interval of `ms`.
    void advance(std::uint64_t ms) {
        time_ += ms;
        rig_.clock.now = static_cast<std::uint32_t>(time_);  // GetTickCount wraps at 2^32
        rig_.processors.run(ms * 10000, pick(0, 100));
        rig_.memory.setMegabytes(4096, pick(0, 4096));
        platform::InterfaceRow& eth = rig_.network.rows[2];
        // Up to 1 Gbit/s: the 32-bit octet counters wrap every half minute at full speed.
        eth.inOctets += static_cast<std::uint32_t>(pick(0, 125'000) * ms);
        eth.outOctets += static_cast<std::uint32_t>(pick(0, 12'500) * ms);
        if (chance(2)) eth.inOctets = eth.outOctets = 0;  // a driver reset: the counters go back
        if (chance(2)) rig_.drives.add(L"G", platform::kDriveRemovable, pick(1, 64), 0);
        if (chance(2)) rig_.drives.all.erase(L"G");
        auto& d = rig_.drives.all[L"D"];
        d.activity = platform::DriveActivity{d.activity->read + pick(0, 1), d.activity->write};
        changeClipboard();
    }

    std::uint64_t time() const { return time_; }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    void changeClipboard() {
        platform::ClipboardRead& clip = rig_.clipboard.content;
        switch (pick(0, 9)) {
            case 0:
                clip = {false, false, L""};  // held open by another program
                break;
            case 1:
                clip = {true, false, L""};  // a picture
                break;
            case 2: {  // text of any length, with line breaks, tabs and characters beyond 16 bits
                std::wstring text;
                for (int n = pick(0, kMaxClipboardParts); n > 0; --n) {
                    static const std::wstring parts[] = {L"a",          L"日本", L"\r\n",  L"\t",
                                                         L"\U0001F600", L" ",    L"12,345"};
                    text += parts[pick(0, 6)];
                }
                clip = {true, true, text};
                break;
            }
            default:
                break;  // unchanged
        }
    }

    fakes::MonitorRig& rig_;
    std::mt19937 random_{20261207};
    std::uint64_t time_ = kBurstOffsetMs;
};

void requireSound(fakes::MonitorRig& rig) {
    const monitor::Readings& r = rig.readings();
    ASSERT_TRUE(isPercent(r.cpuTotalPercent)) << r.cpuTotalPercent;
    for (int percent : r.cpuPercent) ASSERT_TRUE(isPercent(percent)) << percent;
    ASSERT_TRUE(isPercent(r.memoryPercent)) << r.memoryPercent;
    ASSERT_GE(r.in.rate, 0);
    ASSERT_GE(r.out.rate, 0);
    ASSERT_GE(r.in.total, 0);
    ASSERT_GE(r.out.total, 0);
    for (const auto& call : rig.painter.calls) ASSERT_TRUE(wellFormed(call.text)) << call.text;
    for (const std::wstring& caption : rig.presenter.captions)
        ASSERT_TRUE(wellFormed(caption)) << caption;
    ASSERT_EQ(r.intervalLabel, L"500ms");
}

}  // namespace

TEST(Soak, SixtyDaysOfEveryItemStaySoundInFlatMemory) {
    fakes::MonitorRig rig;
    rig.showAll();
    rig.live.settings.taskbarButtonOn = 1;
    rig.live.settings.taskbarShowsCpu = rig.live.settings.taskbarShowsMemory = 1;
    rig.live.settings.taskbarShowsReceive = rig.live.settings.taskbarShowsSend = 1;
    Machine machine(rig);
    // Texts keep the room of the longest they held: the longest clipboard comes first, so that
    // what the run keeps afterwards shows as growth.
    rig.clipboard.content = {true, true, kLongestClipboardText};
    rig.tick(0);
    std::optional<std::size_t> heapAfterFirstDay;
    bool crossedTheWrap = false;

    for (std::uint64_t hour = 0; hour < kDays * 24; ++hour) {
        machine.advance(kHourMs - kTicksPerBurst * 500);  // the time between the bursts
        rig.tick(0);
        rig.cycle.rebuildDriveList();  // as the drive timer does
        for (int i = 0; i < kTicksPerBurst; ++i) {
            rig.painter.calls.clear();
            rig.presenter.captions.clear();
            std::uint32_t before = rig.clock.now;
            machine.advance(500);
            crossedTheWrap |= rig.clock.now < before;
            rig.tick(0);
            requireSound(rig);
            if (HasFatalFailure()) return;
        }
        // Measured over the same clipboard each time: only what the program keeps counts.
        if (hour == 23 || hour == kDays * 24 - 1) {
            rig.clipboard.content = {true, true, L"same"};
            rig.drives.all.erase(L"G");
            rig.cycle.rebuildDriveList();
            rig.tick(0);
            rig.painter.calls.clear();
            rig.presenter.captions.clear();
            if (hour == 23) heapAfterFirstDay = heapInUse();
        }
    }
    EXPECT_TRUE(crossedTheWrap);
    EXPECT_GT(machine.time(), kDays * 24 * kHourMs - kHourMs);
    if (heapAfterFirstDay) {
        EXPECT_LE(*heapInUse(), *heapAfterFirstDay + 16 * 1024) << "memory grew over the run";
    }
}
