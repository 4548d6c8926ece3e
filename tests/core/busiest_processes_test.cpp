#include "features/busiest_processes.h"

#include <gtest/gtest.h>

#include "fakes/fake_process_table.h"

using features::BusiestProcesses;
using features::ProcessGroup;

namespace {

constexpr std::uint64_t kMs = 10000;  // 100 ns units

std::vector<std::wstring> shares(const std::vector<ProcessGroup>& groups) {
    std::vector<std::wstring> out;
    for (const ProcessGroup& g : groups) out.push_back(features::processorShareText(g));
    return out;
}

using Texts = std::vector<std::wstring>;

}  // namespace

TEST(BusiestProcesses, SumsAnExecutablesProcessesAsSharesOfTheWholeMachine) {
    fakes::FakeProcessTable system;
    system.table.processors = 2;
    system.add(10, L"chrome.exe");
    system.add(11, L"chrome.exe");
    system.add(12, L"chrome.exe");  // idle, but one of them
    system.add(20, L"burner.exe");
    system.add(30, L"idle.exe");
    BusiestProcesses busiest(system);
    busiest.readWhenDue(0, 3000);
    EXPECT_TRUE(busiest.byProcessor(0, 3000, 3).empty()) << "one read tells no time";
    // One second on two processors is 2000 ms of machine time.
    system.process(10).processorTime += 300 * kMs;
    system.process(11).processorTime += 400 * kMs;
    system.process(20).processorTime += 960 * kMs;
    busiest.readWhenDue(1000, 3000);
    EXPECT_EQ(shares(busiest.byProcessor(1000, 3000, 3)),
              (Texts{L"burner.exe 48%", L"chrome.exe \u00d73 35%"}));
    // Over a longer span the second second counts too; a span past the kept reads takes what
    // there is.
    system.process(20).processorTime += 2000 * kMs;  // more than the machine: not believed
    busiest.readWhenDue(2000, 3000);
    auto twoSeconds = busiest.byProcessor(2000, 3000, 3);
    EXPECT_EQ(shares(twoSeconds), (Texts{L"burner.exe 74%", L"chrome.exe \u00d73 18%"}));
    EXPECT_DOUBLE_EQ(twoSeconds[0].cpuRatio(), 2960.0 / 4000.0);
    EXPECT_EQ(shares(busiest.byProcessor(2000, 0, 3)), (Texts{L"burner.exe 100%"}));
    EXPECT_EQ(shares(busiest.byProcessor(2000, 3000, 1)), (Texts{L"burner.exe 74%"}));
}

TEST(BusiestProcesses, EvenSharesGoByNameAndOnlyTheAskedCountIsGiven) {
    fakes::FakeProcessTable system;
    system.table.processors = 1;
    for (std::uint32_t id = 1; id <= 4; ++id) system.add(id, std::wstring(1, L'e' - id) + L".exe");
    BusiestProcesses busiest(system);
    busiest.readWhenDue(0, 1000);
    for (std::uint32_t id = 1; id <= 4; ++id) system.process(id).processorTime = 100 * kMs;
    busiest.readWhenDue(1000, 1000);
    EXPECT_EQ(shares(busiest.byProcessor(1000, 1000, 3)),
              (Texts{L"a.exe 10%", L"b.exe 10%", L"c.exe 10%"}));
}

TEST(BusiestProcesses, AProcessThatEndedIsNamedFromWhatWasMeasuredAndAReusedIdStartsAfresh) {
    fakes::FakeProcessTable system;
    system.table.processors = 1;
    system.add(7, L"short.exe", 100);
    system.add(8, L"steady.exe");
    BusiestProcesses busiest(system);
    busiest.readWhenDue(0, 5000);
    system.process(7).processorTime += 800 * kMs;
    busiest.readWhenDue(1000, 5000);
    system.end(7);
    // The id comes back as another program, which has used 60 ms since it started.
    system.add(7, L"other.exe", 200).processorTime = 60 * kMs;
    system.process(8).processorTime += 100 * kMs;
    busiest.readWhenDue(2000, 5000);
    EXPECT_EQ(shares(busiest.byProcessor(2000, 5000, 3)),
              (Texts{L"short.exe 40%", L"steady.exe 5%", L"other.exe 3%"}));
    // The last second alone no longer holds it.
    EXPECT_EQ(shares(busiest.byProcessor(2000, 0, 3)), (Texts{L"steady.exe 10%", L"other.exe 6%"}));
    // Time going back for the same process is not time used.
    system.process(8).processorTime = 0;
    busiest.readWhenDue(3000, 5000);
    EXPECT_EQ(shares(busiest.byProcessor(3000, 0, 3)), Texts{});
}

TEST(BusiestProcesses, ReadsAtMostOnceASecondAndKeepsCountingAcrossTheTickCountWrapping) {
    fakes::FakeProcessTable system;
    system.table.processors = 4;
    system.add(1, L"burner.exe");
    BusiestProcesses busiest(system);
    std::uint32_t now = 0xFFFFFFFFu - 1500;
    busiest.readWhenDue(now, 3000);
    busiest.readWhenDue(now + 999, 3000);
    EXPECT_EQ(system.reads, 1);
    for (int second = 1; second <= 3; ++second) {
        system.process(1).processorTime += 1000 * kMs;
        busiest.readWhenDue(now + 1000u * static_cast<std::uint32_t>(second), 3000);
    }
    EXPECT_EQ(system.reads, 4);
    const std::uint32_t after = now + 3000;  // past zero
    EXPECT_LT(after, now);
    EXPECT_EQ(shares(busiest.byProcessor(after, 3000, 3)), (Texts{L"burner.exe 25%"}));
    // Reads that stopped long ago tell nothing about now.
    EXPECT_EQ(shares(busiest.byProcessor(after + 5000, 3000, 3)), Texts{});
    // An asker that needs the table less often reads it less often.
    busiest.readWhenDue(after + 1000, 3000, 5000);
    EXPECT_EQ(system.reads, 4);
    // Nor does a table the system would not give.
    system.readable = false;
    busiest.readWhenDue(after + 1000, 3000);
    EXPECT_TRUE(busiest.byProcessor(after + 1000, 3000, 3).empty());
    EXPECT_TRUE(busiest.byMemory(3).empty());
}

TEST(BusiestProcesses, MemoryGoesByTheSumOfAnExecutablesPrivateBytesNow) {
    fakes::FakeProcessTable system;
    constexpr std::uint64_t kMB = 1024 * 1024;
    system.add(1, L"chrome.exe").privateBytes = 700 * kMB;
    system.add(2, L"chrome.exe").privateBytes = 600 * kMB;
    system.add(3, L"editor.exe").privateBytes = 1200 * kMB;
    system.add(4, L"small.exe").privateBytes = 5 * kMB;
    BusiestProcesses busiest(system);
    busiest.readWhenDue(0, 0);
    std::vector<std::wstring> texts;
    for (const ProcessGroup& g : busiest.byMemory(2))
        texts.push_back(features::privateMemoryText(g));
    EXPECT_EQ(texts, (Texts{L"chrome.exe \u00d72 1,300MB", L"editor.exe 1,200MB"}));
}
