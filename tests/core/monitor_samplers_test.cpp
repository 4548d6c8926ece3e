#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_memory_status.h"
#include "fakes/fake_network.h"
#include "fakes/fake_processor_times.h"
#include "monitor/drive_items.h"
#include "monitor/memory_sampler.h"
#include "monitor/network_sampler.h"
#include "monitor/processor_load.h"
#include "monitor/row_format.h"
#include "render/rate_scale.h"

using namespace monitor;

TEST(ProcessorLoad, EachSlotMeasuresSinceItsOwnPreviousReading) {
    fakes::FakeProcessorTimes times;
    times.total = platform::ProcessorTimes{1000, 5000};
    times.processors[0] = {500, 2500};
    times.processors[1] = {500, 2500};
    ProcessorLoad load(times, 2);

    EXPECT_EQ(load.readTotal(0), 0) << "the first reading has nothing to compare with";
    EXPECT_EQ(load.readProcessor(0, 0), 0);
    EXPECT_FALSE(load.totalMeasured());
    EXPECT_FALSE(load.processorMeasured(0));
    times.run(1000, 37);
    EXPECT_EQ(load.readTotal(0), 37);
    EXPECT_EQ(load.readProcessor(0, 0), 37);
    EXPECT_TRUE(load.totalMeasured());
    EXPECT_TRUE(load.processorMeasured(0));
    EXPECT_EQ(load.readProcessor(1, 0), 0) << "processor 1's first reading";
    EXPECT_FALSE(load.processorMeasured(1));

    // Processor 0 pauses over two intervals and then reports their average.
    times.run(1000, 100);
    EXPECT_EQ(load.readTotal(0), 100);
    times.run(1000, 0);
    EXPECT_EQ(load.readTotal(0), 0);
    EXPECT_EQ(load.readProcessor(0, 0), 50);
    EXPECT_EQ(load.readProcessor(1, 0), 50);

    // Whole percentages rounded down: 2/3 busy is 66.
    times.total = platform::ProcessorTimes{0, 0};
    load.readTotal(0);
    times.total = platform::ProcessorTimes{1, 3};
    EXPECT_EQ(load.readTotal(0), 66);
}

TEST(ProcessorLoad, MissingProcessorsAndStalledCountersShowZero) {
    fakes::FakeProcessorTimes times;
    times.total = platform::ProcessorTimes{0, 0};
    ProcessorLoad load(times, 2);
    for (int tick = 0; tick < 3; ++tick) {
        times.run(1000, 80);
        EXPECT_EQ(load.readProcessor(2, 99), 0);
        EXPECT_EQ(load.readProcessor(3, 99), 0);
        EXPECT_FALSE(load.processorMeasured(3)) << "no such processor: never a measure";
    }
    load.readTotal(0);
    EXPECT_EQ(load.readTotal(0), 0) << "no time passed: no division by zero";
    ProcessorLoad unknownPlatform(times, 3);
    EXPECT_EQ(unknownPlatform.readTotal(42), 42) << "no method: the last value stays";
}

TEST(Memory, FormatChoicesPercentAndFailures) {
    fakes::FakeMemoryStatus memory;
    Readings r;
    sampleMemory(memory, r);
    EXPECT_EQ(r.memoryPercent, 0) << "no reading yet: total 0 gives 0, not a crash";

    memory.setMegabytes(3000, 1000);
    sampleMemory(memory, r);
    EXPECT_EQ(memoryText(2, r.memoryTotalMB, r.memoryFreeMB), L"2000MB/1000MB");
    EXPECT_EQ(r.memoryPercent, 67);
    EXPECT_EQ(memoryText(0, r.memoryTotalMB, r.memoryFreeMB), L"2000MB/3000MB");
    EXPECT_EQ(memoryText(1, r.memoryTotalMB, r.memoryFreeMB), L"1000MB/3000MB");
    EXPECT_EQ(memoryText(3, r.memoryTotalMB, r.memoryFreeMB), std::nullopt);

    // Whole megabytes rounded down; halves of a percent go to even.
    memory.status = platform::MemoryStatus{200 * 1048576ULL + 1048575, 199 * 1048576ULL};
    sampleMemory(memory, r);
    EXPECT_EQ(r.memoryTotalMB, 200);
    EXPECT_EQ(r.memoryPercent, 0) << "0.5 % rounds to even 0";
    memory.setMegabytes(200, 197);
    sampleMemory(memory, r);
    EXPECT_EQ(r.memoryPercent, 2) << "1.5 % rounds to even 2";

    memory.status.reset();
    sampleMemory(memory, r);
    EXPECT_EQ(r.memoryTotalMB, 200) << "a failed reading keeps the figures";
    EXPECT_EQ(r.memoryFreeMB, 197);
}

namespace {

struct NetworkRig {
    fakes::FakeNetwork network;
    fakes::FakeClock clock;
    NetworkSampler sampler;
    Readings readings;
    NetworkRig() {
        network.addInterface(1, 24, L"lo");
        network.addInterface(2, 6, L"eth0");
        sampler.enumerateAdapters(network);
    }
    void counters(std::uint32_t in, std::uint32_t out = 0) {
        network.rows[2].inOctets = in;
        network.rows[2].outOctets = out;
    }
    bool sample(int rateUnit = 0, int adapter = 1) {
        return sampler.sample(network, clock, adapter, rateUnit, readings);
    }
};

}  // namespace

TEST(Network, EnumerationPicksTheFirstEthernetInterface) {
    NetworkRig rig;
    AdapterChoice choice = rig.sampler.enumerateAdapters(rig.network);
    EXPECT_EQ(choice.entries, (std::vector<std::wstring>{L"lo", L"eth0"}));
    EXPECT_EQ(choice.selected, 1);

    rig.network.table.reset();  // a failed call keeps the table
    EXPECT_EQ(rig.sampler.enumerateAdapters(rig.network).entries.size(), 2u);

    fakes::FakeNetwork loopbackOnly;
    loopbackOnly.addInterface(1, 24, L"lo");
    NetworkSampler sampler;
    EXPECT_EQ(sampler.enumerateAdapters(loopbackOnly).selected, -1);
}

TEST(Network, RatesWrapAndTotals) {
    NetworkRig rig;
    rig.clock.now = 10000;
    rig.counters(4294967000u);
    ASSERT_TRUE(rig.sample());
    EXPECT_FALSE(rig.readings.ratesRead) << "the first sample is the baseline";

    std::int64_t before = rig.readings.in.total;
    rig.clock.now = 11000;
    rig.counters(500);
    rig.sample();
    EXPECT_EQ(rig.readings.in.total - before, 796)
        << "across the 32-bit wrap, not a negative amount";
    EXPECT_EQ(rig.readings.in.rate, 1) << "796 bytes in a second shows at least 1";

    rig.clock.now = 12000;
    rig.counters(500 + 1000);
    rig.sample();
    EXPECT_EQ(rig.readings.in.rate, 1) << "0.97 rounds down to 0 and is raised to 1";
    rig.clock.now = 13000;
    rig.sample();
    EXPECT_EQ(rig.readings.in.rate, 0);
    EXPECT_EQ(rig.readings.out.rate, 0);

    rig.clock.now = 15000;
    rig.counters(1500 + 20480, 1024 * 1024);
    rig.sample(1);
    EXPECT_EQ(rig.readings.in.rate, 80) << "20 Kbyte over 2 s is 80 Kbit/s";
    EXPECT_EQ(rateText(rig.readings.in.rate, 1), L"80Kbit/秒");
    EXPECT_EQ(rateText(rig.readings.out.rate, 1), L"4096Kbit/秒");
    EXPECT_EQ(rateText(7, 0), L"7Kbyte/秒");
    EXPECT_EQ(rig.readings.in.total, 4294989276LL);
}

TEST(Network, InputsTheFormulasCannotTake) {
    NetworkRig rig;
    EXPECT_FALSE(rig.sample(0, -1)) << "no adapter chosen: no reading";
    EXPECT_FALSE(rig.sample(0, 2)) << "beyond the table: no reading";
    EXPECT_EQ(rig.network.rowReads, 0);
    EXPECT_FALSE(rig.readings.totalsRead);

    rig.clock.now = 0xFFFFFC18u;  // 1000 ms before the tick count wraps
    rig.counters(1000000);
    rig.sample();
    rig.clock.now = 1000;  // 2 s later, across the wrap
    rig.counters(1000000 + 4096);
    rig.sample();
    EXPECT_EQ(rig.readings.in.rate, 2);

    rig.counters(1000000 + 8192);
    rig.sample();  // no time passed
    EXPECT_EQ(rig.readings.in.rate, 0);

    rig.clock.now = 2000;
    rig.counters(10);  // another interface's smaller counter: no negative rate
    rig.sample();
    EXPECT_EQ(rig.readings.in.rate, 0);

    EXPECT_EQ(rateBarWidth(8, render::rateFullScale(1, 0)), 157);
    EXPECT_EQ(rateBarWidth(64, render::rateFullScale(1, 1)), 157);
    EXPECT_EQ(rateBarWidth(4, render::rateFullScale(1, 0)), 78) << "78.5 rounds to even";
    EXPECT_EQ(rateBarWidth(16, render::rateFullScale(1, 0)), 314)
        << "not clamped; the row clips it";
    EXPECT_EQ(rateBarWidth(16, render::rateFullScale(0, 0)), 314) << "a slider at 0 is one step";
    EXPECT_EQ(rateBarWidth(16, 0), 0) << "full scale 0 gives no bar";
}

TEST(Network, ShownTotals) {
    EXPECT_EQ(totalText(0, {}), L"0");
    EXPECT_EQ(totalText(12641974LL * 1024 + 500, {}), L"12GB 345.68MB");
    EXPECT_EQ(totalText(353792LL * 1024, {}), L"GB 345.50MB");
}

TEST(Drives, ListRowsTypesAndTicks) {
    fakes::FakeDrives drives;
    drives.add(L"A", platform::kDriveRemovable, 1, 1);
    drives.add(L"C", platform::kDriveFixed, 100, 50);
    drives.add(L"D", platform::kDriveCdRom, 0, 0);
    drives.add(L"E", platform::kDriveRemovable, 10, 5);
    drives.add(L"F", platform::kDriveNetwork, 10, 5);
    drives.add(L"R", platform::kDriveRamDisk, 10, 5);
    std::wstring marks = L"C0E";
    auto rows = buildDriveRows(drives, marks, false);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].letter, L"C");
    EXPECT_EQ(driveTypeText(rows[0].type), L"ハードディスク");
    EXPECT_EQ(driveTypeText(rows[1].type), L"リムーバブル");
    EXPECT_EQ(driveTypeText(rows[2].type), L"ネットワークディスク");
    EXPECT_EQ(driveTypeText(rows[3].type), L"RAMディスク");
    EXPECT_TRUE(rows[0].checked);
    EXPECT_TRUE(rows[1].checked);
    EXPECT_FALSE(rows[2].checked);

    rows = buildDriveRows(drives, marks, true);
    EXPECT_EQ(marks, L"CEFR");
    for (const auto& row : rows) EXPECT_TRUE(row.checked);
}

TEST(Drives, CapacityFiguresAndTexts) {
    fakes::FakeDrives drives;
    drives.add(L"C", platform::kDriveFixed, 20000, 500);
    drives.add(L"D", platform::kDriveCdRom, 700, 0);
    drives.add(L"E", platform::kDriveFixed, 0, 0);
    drives.all[L"E"].capacity.reset();

    DriveFigures c = readDriveCapacity(drives, L"C");
    EXPECT_EQ(c.usedMB, 19500);
    EXPECT_EQ(drivePercent(c), 98);  // 97.5 rounds to even
    auto texts = driveRowTexts(c, 3, 1, 0, {});
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, L"C: ");
    EXPECT_EQ(texts[1].text, L"0.4GB") << "0.488 formats as 0.49 and loses its last digit";
    EXPECT_EQ(texts[1].x, 115 - 18);
    EXPECT_EQ(texts[2].text, L"98%");
    EXPECT_EQ(texts[2].x, 148 - 18);

    texts = driveRowTexts(c, 0, 2, 0, {});
    EXPECT_EQ(texts[1].text, L"19.0GB/");
    EXPECT_EQ(texts[1].x, 55 - 24);
    EXPECT_EQ(gigabytes(12345, {}), L"12.0");

    texts = driveRowTexts(c, 1, 2, 1, {});
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].text, L"20000MB");
    EXPECT_EQ(texts[2].x, 110 - 30);
    EXPECT_EQ(texts[1].text, L"500MB/");
    EXPECT_EQ(texts[1].x, 47 - 18);

    DriveFigures cd = readDriveCapacity(drives, L"D");
    EXPECT_EQ(cd.totalMB, 0);
    EXPECT_EQ(drivePercent(cd), 0);
    EXPECT_EQ(drivePercent(readDriveCapacity(drives, L"E")), 0) << "a failed read: 0%";
}

TEST(Drives, LampsLightWhenTheFigureChanged) {
    fakes::FakeDrives drives;
    drives.add(L"C", platform::kDriveFixed, 1, 1);
    drives.add(L"D", platform::kDriveFixed, 1, 1);
    drives.all[L"C"].activity = platform::DriveActivity{1 << 20, 1 << 19};
    drives.all[L"D"].activity = platform::DriveActivity{777, 333};
    LampSlot slot;
    Lamps lamps = updateLamps(slot, drives, L"C");
    EXPECT_TRUE(lamps.draw);
    EXPECT_FALSE(lamps.readLit || lamps.writeLit) << "the first reading is the baseline";
    lamps = updateLamps(slot, drives, L"D");
    EXPECT_FALSE(lamps.readLit || lamps.writeLit) << "another drive in the slot: a new baseline";
    lamps = updateLamps(slot, drives, L"C");
    EXPECT_FALSE(lamps.readLit || lamps.writeLit);
    drives.all[L"C"].activity = platform::DriveActivity{4096, 1 << 19};
    lamps = updateLamps(slot, drives, L"C");
    EXPECT_TRUE(lamps.readLit);
    EXPECT_FALSE(lamps.writeLit);
    lamps = updateLamps(slot, drives, L"C");
    EXPECT_FALSE(lamps.readLit) << "unchanged since the previous tick";
    drives.all[L"C"].activity.reset();
    EXPECT_FALSE(updateLamps(slot, drives, L"C").draw) << "no activity data: no lamps";
}
