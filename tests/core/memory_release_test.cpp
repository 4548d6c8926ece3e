#include "features/memory_release.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_memory_block.h"
#include "fakes/fake_memory_status.h"
#include "fakes/fake_processor_times.h"
#include "platform/system_info.h"

using namespace features;

namespace {

constexpr std::uint64_t kMB = 1048576;

struct Rig {
    fakes::FakeMemoryBlock block;
    fakes::FakeMemoryStatus memory;
    fakes::FakeProcessorTimes processors;
    fakes::FakeSound sound;
    StatusBar status;
    std::vector<std::wstring> messages;
    std::vector<bool> runningChanges;
    settings::Settings s;
    MemoryRelease release{{block, memory, status}};
    AutomaticRelease automatic{release, sound, processors, platform::kPlatformNT};
    bool finishAtOnce = true;  // each release is back before the next second

    Rig() {
        status.onChange = [this](const std::wstring& text) { messages.push_back(text); };
        release.onRunningChanged = [this](bool running) { runningChanges.push_back(running); };
        memory.setMegabytes(4096, 100);
        processors.total = platform::ProcessorTimes{0, 0};
        s.autoReleaseOn = 1;
        s.autoReleaseMegabytes = 10;
        s.freeMemoryThresholdMegabytes = 100;
        s.releaseIntervalMinutes = 1;
        s.idleLoadPercent = 10;
        s.idleSeconds = 5;
    }
    // One second with the given load, then the check.
    bool second(int busyPercent = 0) {
        processors.run(10'000'000, busyPercent);
        bool released = automatic.tick(s);
        if (finishAtOnce) block.finishAll();
        return released;
    }
    // Seconds until the next release, at most `limit`; 0 when none came.
    int secondsToRelease(int limit, int busyPercent = 0) {
        for (int n = 1; n <= limit; ++n)
            if (second(busyPercent)) return n;
        return 0;
    }
};

}  // namespace

TEST(MemoryRelease, ManualReleaseRunsAwayFromTheCallerAndAcceptsNoSecondMeanwhile) {
    Rig rig;
    rig.memory.setMegabytes(4096, 1024);
    EXPECT_EQ(rig.release.byHand(10), ReleaseResult::Started);
    EXPECT_EQ(rig.block.claims, std::vector<std::uint64_t>{1034 * kMB});
    // Back from the call with the block still being written: "開放中" until it is done.
    EXPECT_TRUE(rig.release.running());
    EXPECT_EQ(rig.status.text, L"開放中");
    EXPECT_EQ(rig.release.byHand(10), ReleaseResult::Busy);
    EXPECT_EQ(rig.block.claims.size(), 1u);
    rig.block.finishOne();
    EXPECT_FALSE(rig.release.running());
    EXPECT_EQ(rig.messages, (std::vector<std::wstring>{L"開放中", L"10MBのメモリを開放しました"}));
    EXPECT_EQ(rig.runningChanges, (std::vector<bool>{true, false}));
    // An amount of 0 still claims the free memory and says so.
    rig.release.byHand(0);
    rig.block.finishAll();
    EXPECT_EQ(rig.block.claims.back(), 1024 * kMB);
    EXPECT_EQ(rig.status.text, L"0MBのメモリを開放しました");
}

TEST(MemoryRelease, BlocksStayBelow2GBCappedWhileTheFreeMemoryAloneIsBelow) {
    EXPECT_EQ(releaseBlockBytes(1024, 10), 1034 * kMB);
    EXPECT_EQ(releaseBlockBytes(2037, 10), 2047 * kMB);
    EXPECT_EQ(releaseBlockBytes(1900, 300), 2047 * kMB);
    EXPECT_EQ(releaseBlockBytes(2046, 1000), 2047 * kMB);
    EXPECT_EQ(releaseBlockBytes(2047, 0), 2047 * kMB);
    EXPECT_EQ(releaseBlockBytes(2047, 1), std::nullopt);
    EXPECT_EQ(releaseBlockBytes(0x7fffffff, 1000), std::nullopt);

    Rig rig;
    rig.memory.setMegabytes(8192, 1900);
    EXPECT_EQ(rig.release.byHand(300), ReleaseResult::Started);
    rig.block.finishAll();
    EXPECT_EQ(rig.block.claims, std::vector<std::uint64_t>{2047 * kMB});
    EXPECT_EQ(rig.status.text, L"300MBのメモリを開放しました");

    rig.memory.setMegabytes(8192, 3072);
    EXPECT_EQ(rig.release.byHand(10), ReleaseResult::PlentyFree);
    EXPECT_EQ(rig.block.claims.size(), 1u);
    EXPECT_FALSE(rig.release.running());
    EXPECT_EQ(rig.status.text, L"空きメモリが多いため開放を省略しました");

    rig.memory.setMegabytes(4096, 100);
    rig.block.available = 50 * kMB;
    rig.release.byHand(10);
    rig.block.finishAll();
    EXPECT_EQ(rig.status.text, L"メモリを確保できなかったため開放を省略しました");
    EXPECT_FALSE(rig.release.running());
}

TEST(MemoryRelease, AutomaticReleaseWaitsStrictlyLongerThanTheIntervalAndTheIdleTime) {
    Rig rig;
    // More than 60 seconds since the start; the idle count is well past 5 by then.
    EXPECT_EQ(rig.secondsToRelease(200), 61);
    EXPECT_EQ(rig.sound.beeps, 1);
    EXPECT_EQ(rig.block.claims, std::vector<std::uint64_t>{110 * kMB});
    EXPECT_EQ(rig.messages, (std::vector<std::wstring>{L"開放中", L"10MBのメモリを開放しました"}));
    EXPECT_EQ(rig.automatic.elapsedTicks(), 0);
    // Never twice within interval x 60 + 1 seconds, whatever the memory and load.
    EXPECT_EQ(rig.secondsToRelease(200), 61);
}

TEST(MemoryRelease, LoadEqualToTheThresholdRestartsTheIdleCount) {
    Rig rig;
    for (int n = 0; n < 57; ++n) rig.second(0);
    rig.second(10);  // second 58
    // Seconds 59 to 61 are only three idle ones: the release waits for the sixth, second 64.
    EXPECT_EQ(rig.secondsToRelease(200), 64 - 58);
}

TEST(MemoryRelease, FreeMemoryEqualToTheThresholdQualifiesAndOneMoreDoesNot) {
    Rig rig;
    rig.memory.setMegabytes(4096, 101);
    EXPECT_EQ(rig.secondsToRelease(200), 0);
    rig.memory.setMegabytes(4096, 100);
    EXPECT_NE(rig.secondsToRelease(1), 0);
    // Unreadable memory is not low.
    rig.memory.status.reset();
    EXPECT_EQ(rig.secondsToRelease(200), 0);
}

TEST(MemoryRelease, SettingChangesRestartBothCountsAndOffStopsThem) {
    Rig rig;
    for (int n = 0; n < 50; ++n) rig.second();
    rig.automatic.restartCounts();
    EXPECT_EQ(rig.automatic.elapsedTicks(), 0);
    EXPECT_EQ(rig.automatic.lowLoadTicks(), 0);
    rig.s.autoReleaseOn = 0;
    for (int n = 0; n < 100; ++n) EXPECT_FALSE(rig.second());
    EXPECT_EQ(rig.automatic.elapsedTicks(), 0);
    rig.s.autoReleaseOn = 1;
    rig.automatic.restartCounts();
    EXPECT_EQ(rig.secondsToRelease(200), 61);
    // A release by hand leaves the counts alone.
    for (int n = 0; n < 30; ++n) rig.second();
    rig.release.byHand(10);
    rig.block.finishAll();
    EXPECT_EQ(rig.automatic.elapsedTicks(), 30);
}

TEST(MemoryRelease, AutomaticReleaseWaitsForARunningReleaseToEnd) {
    Rig rig;
    rig.finishAtOnce = false;
    for (int n = 0; n < 60; ++n) rig.second();
    rig.release.byHand(10);
    EXPECT_EQ(rig.secondsToRelease(5), 0);
    EXPECT_EQ(rig.sound.beeps, 0);
    EXPECT_EQ(rig.block.claims.size(), 1u);
    rig.block.finishAll();
    EXPECT_EQ(rig.secondsToRelease(1), 1);
    EXPECT_EQ(rig.block.claims, (std::vector<std::uint64_t>{110 * kMB, 110 * kMB}));
}
