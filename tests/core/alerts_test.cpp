#include "features/alerts.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "fakes/fake_process_table.h"
#include "monitor/row_format.h"
#include "ui/tray_load.h"

using features::AlertReadings;
using features::AlertRule;
using features::Alerts;

namespace {

constexpr std::int64_t kSecond = 1000;

// Feeds one processor reading a second for `seconds` and counts the notices.
int feed(Alerts& alerts, const settings::Settings& s, AlertReadings& r, std::int64_t& now,
         int seconds, int cpu) {
    int told = 0;
    for (int i = 0; i < seconds; ++i, now += kSecond) {
        r.nowMs = now;
        r.cpuPercent = cpu;
        told += static_cast<int>(alerts.check(r, s).size());
    }
    return told;
}

}  // namespace

TEST(Alerts, ProcessorRuleTellsOncePerEpisodeAfterItsTimeAndReArmsBelowTheMargin) {
    settings::Settings s;
    s.alertCpuOn = 1;
    s.alertCpuPercent = 90;
    s.alertCpuSeconds = 3;
    Alerts alerts;
    AlertReadings r;
    std::int64_t now = 0;
    EXPECT_EQ(feed(alerts, s, r, now, 3, 95), 0) << "not yet held for 3 s";
    r.nowMs = now;
    r.cpuPercent = 97;
    auto told = alerts.check(r, s);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, L"CPU使用率 97%（しきい値 90%・3秒）");
    // Flickering at the threshold, or a dip that stays within the margin, tells nothing more.
    for (int i = 0; i < 20; ++i) EXPECT_EQ(feed(alerts, s, r, now, 1, i % 2 ? 89 : 90), 0);
    EXPECT_EQ(feed(alerts, s, r, now, 10, 86), 0);
    // Clear by the margin for the rule's time re-arms it; high again within ten minutes of the
    // last notice tells nothing, however long it lasts, and tells once the ten minutes are over.
    EXPECT_EQ(feed(alerts, s, r, now, 4, 80), 0);
    EXPECT_EQ(feed(alerts, s, r, now, 60, 99), 0);
    now = 3 * kSecond + features::kAlertQuietMs;
    EXPECT_EQ(feed(alerts, s, r, now, 1, 99), 1);
    // A cleared dip shorter than the rule's time does not re-arm it.
    EXPECT_EQ(feed(alerts, s, r, now, 2, 80), 0);
    EXPECT_EQ(feed(alerts, s, r, now, 10, 99), 0);
    s.alertCpuOn = 0;
    EXPECT_EQ(feed(alerts, s, r, now, 3, 10), 0);
}

TEST(Alerts, MemoryDrivesAndTodaysTrafficTellWithTheirValues) {
    settings::Settings s;
    s.alertMemoryOn = s.alertDriveOn = s.alertTrafficOn = 1;
    s.alertMemoryPercent = 80;
    s.alertDrivePercent = 10;
    s.alertTrafficMegabytes = 10000;
    AlertReadings r;
    r.memoryPercent = 85;
    std::vector<monitor::DriveReading> drives(3);
    drives[0] = {true, {1000, 500, 500, L"C:"}, {}};
    drives[1] = {true, {20000, 1000, 19000, L"D:"}, {}};  // 5 % free
    drives[2] = {false, {}, {}};                          // not read yet
    features::takeDrives(r, drives);
    r.todayBytes = 10'240LL * 1024 * 1024;
    Alerts alerts;
    auto told = alerts.check(r, s);
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0].text, L"メモリ使用率 85%（しきい値 80%）");
    EXPECT_EQ(told[1].text, L"D: の空き容量 5%（しきい値 10%）");
    EXPECT_EQ(told[2].text, L"今日の通信量 10,240MB（しきい値 10,000MB）");
    // A new day's counts are far below the allowance: the traffic rule may tell again, after the
    // ten minutes.
    r.todayBytes = 0;
    r.nowMs = 11 * 60 * kSecond;
    EXPECT_TRUE(alerts.check(r, s).empty());
    r.todayBytes = 10'000LL * 1024 * 1024;
    r.nowMs += kSecond;
    told = alerts.check(r, s);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rule, AlertRule::Traffic);
}

// The running program gathers the readings only while anyAlertOn says a rule is on, and marks a
// notice by its rule's row: a rule whose switch the rows name wrongly would never be checked.
TEST(Alerts, EachRuleOnAloneIsSeenAsOnAndTellsItsOwnNotice) {
    AlertReadings r;
    r.cpuPercent = 100;
    r.memoryPercent = 100;
    r.lowestDriveFreePercent = 0;
    r.lowestDrive = L"C:";
    r.todayBytes = 1LL << 50;
    settings::Settings off;
    off.alertCpuSeconds = 1;
    EXPECT_FALSE(features::anyAlertOn(off));
    EXPECT_TRUE(Alerts().check(r, off).empty());
    for (const features::AlertRuleRow& row : features::kAlertRuleRows) {
        settings::Settings s = off;
        s.*row.on = 1;
        EXPECT_TRUE(features::anyAlertOn(s));
        Alerts alerts;
        std::vector<features::AlertNotice> told;
        for (r.nowMs = 0; r.nowMs <= 2 * kSecond; r.nowMs += kSecond)
            for (features::AlertNotice& notice : alerts.check(r, s)) told.push_back(notice);
        ASSERT_EQ(told.size(), 1u) << "rule " << static_cast<int>(row.rule);
        EXPECT_EQ(told[0].rule, row.rule);
    }
}

TEST(TrayLoadIcon, BarsFollowThePercentInsideTheFrameAndTheTipGivesTheReadings) {
    EXPECT_EQ(ui::loadBarsFor(0, 100, 16), (ui::LoadBars{0, 14}));
    EXPECT_EQ(ui::loadBarsFor(50, 3, 16), (ui::LoadBars{7, 1})) << "any load shows";
    EXPECT_EQ(ui::loadBarsFor(99, 1, 32), (ui::LoadBars{30, 1}));
    EXPECT_EQ(ui::loadBarsFor(150, -5, 32), (ui::LoadBars{30, 0}));
    // A second's mean: a flicker at rest stays one pixel, a busy half second shows as half.
    ui::LoadMean mean;
    EXPECT_EQ(mean.take(16), std::nullopt);
    mean.add(0, 40);
    mean.add(2, 40);
    EXPECT_EQ(mean.take(16), (ui::LoadBars{1, 6}));
    mean.add(100, 0);
    mean.add(0, 0);
    EXPECT_EQ(mean.take(16), (ui::LoadBars{7, 0})) << "the last mean was not carried over";
    // Bars taken at a larger scale are drawn within the frame of a smaller icon.
    base::Image small = ui::loadIconPicture(
        {30, 30}, 16,
        {base::rgb(0, 0, 0), base::rgb(9, 9, 9), base::rgb(0, 255, 0), base::rgb(0, 0, 255)});
    EXPECT_EQ(small.pixel(2, 0), base::rgb(9, 9, 9));
    const base::Colour back = base::rgb(0, 0, 0), frame = base::rgb(255, 255, 255);
    const base::Colour cpu = base::rgb(0, 255, 0), memory = base::rgb(0, 0, 255);
    base::Image icon = ui::loadIconPicture({7, 14}, 16, {back, frame, cpu, memory});
    EXPECT_EQ(icon.pixel(0, 8), frame);
    EXPECT_EQ(icon.pixel(1, 14), cpu);
    EXPECT_EQ(icon.pixel(6, 8), cpu);
    const base::Colour cpuTrack = base::rgb(0, 85, 0), memoryTrack = base::rgb(0, 0, 85);
    EXPECT_EQ(icon.pixel(6, 7), cpuTrack) << "seven rows of fourteen, the rest a dim slot";
    EXPECT_EQ(icon.pixel(1, 1), cpuTrack);
    EXPECT_EQ(icon.pixel(8, 10), back) << "the gap between the bars";
    EXPECT_EQ(icon.pixel(14, 1), memory);
    EXPECT_EQ(icon.pixel(14, 15), frame);
    base::Image idle = ui::loadIconPicture({0, 0}, 16, {back, frame, cpu, memory});
    EXPECT_EQ(idle.pixel(3, 14), cpuTrack) << "an idle icon still shows its two slots";
    EXPECT_EQ(idle.pixel(12, 1), memoryTrack);

    monitor::Readings r;
    r.cpuTotalPercent = 12;
    r.memoryPercent = 45;
    r.in.rate = 120;
    r.out.rate = 3;
    EXPECT_EQ(ui::loadTipText(r, settings::kKilobitsPerSecond),
              L"CPU 12%  メモリ 45%  受信 120Kbit/秒  送信 3Kbit/秒");
    features::ProcessGroup busiest{L"burner.exe", 1, 48, 100, 0};
    EXPECT_EQ(ui::loadTipText(r, settings::kKilobitsPerSecond, busiest),
              L"CPU 12%  (burner.exe 48%)  メモリ 45%  受信 120Kbit/秒  送信 3Kbit/秒");
}

// A long executable name gives way: the readings stay whole within the tooltip's 127 characters.
TEST(Alerts, TheTrayTipCutsALongExecutableNameAndKeepsEveryReading) {
    monitor::Readings r;
    r.cpuTotalPercent = 100;
    r.memoryPercent = 100;
    r.in.rate = 987654321;
    r.out.rate = 123456789;
    const features::ProcessGroup busiest{std::wstring(200, L'x') + L".exe", 12, 48, 100, 0};
    for (base::Language language : {base::Language::Japanese, base::Language::English}) {
        base::setLanguage(language);
        const std::wstring inRate = monitor::rateText(r.in.rate, settings::kKilobitsPerSecond);
        const std::wstring outRate = monitor::rateText(r.out.rate, settings::kKilobitsPerSecond);
        std::wstring tip = ui::loadTipText(r, settings::kKilobitsPerSecond, busiest);
        EXPECT_LE(tip.size(), 127u) << tip;
        EXPECT_TRUE(tip.ends_with(outRate)) << tip;
        EXPECT_NE(tip.find(inRate), std::wstring::npos) << tip;
        EXPECT_NE(tip.find(L"\u2026 \u00d712 48%"), std::wstring::npos) << tip;

        features::ProcessGroup named{L"a-name-of-25-characters.x", 1, 48, 100, 0};
        tip = ui::loadTipText(r, settings::kKilobitsPerSecond, named);
        EXPECT_NE(tip.find(L"(a-name-of-25-characters\u2026 48%)"), std::wstring::npos) << tip;
        named.name.pop_back();
        EXPECT_NE(ui::loadTipText(r, settings::kKilobitsPerSecond, named)
                      .find(L"(a-name-of-25-characters. 48%)"),
                  std::wstring::npos)
            << "24 characters show whole";
    }
    base::setLanguage(base::Language::Japanese);
}

// The notices name who uses the processor over the rule's time, and who holds the memory.
TEST(Alerts, ProcessorAndMemoryNoticesNameTheBusiestExecutables) {
    fakes::FakeProcessTable system;
    system.table.processors = 2;
    constexpr std::uint64_t kMs = 10000, kMB = 1024 * 1024;
    system.add(1, L"burner.exe").privateBytes = 10 * kMB;
    system.add(2, L"chrome.exe").privateBytes = 900 * kMB;
    system.add(3, L"chrome.exe").privateBytes = 400 * kMB;
    system.add(4, L"short.exe").privateBytes = 1 * kMB;
    system.add(5, L"editor.exe").privateBytes = 1200 * kMB;
    system.add(6, L"tool.exe").privateBytes = 2 * kMB;
    features::BusiestProcesses busiest(system);
    settings::Settings s;
    s.alertCpuOn = s.alertMemoryOn = 1;
    s.alertCpuPercent = 90;
    s.alertCpuSeconds = 3;
    s.alertMemoryPercent = 101;  // not yet
    Alerts alerts;
    AlertReadings r;
    r.processes = &busiest;
    r.cpuPercent = 95;
    std::vector<features::AlertNotice> told;
    for (std::uint32_t second = 0; second <= 3; ++second) {
        r.nowMs = r.tickCount = second * 1000;
        busiest.readWhenDue(r.tickCount, 3000);
        told = alerts.check(r, s);
        // Every second: burner.exe one processor, chrome.exe a fifth of one; short.exe only in
        // the first second, then it ends; tool.exe too little to show as a share.
        system.process(1).processorTime += 1000 * kMs;
        system.process(2).processorTime += 100 * kMs;
        system.process(3).processorTime += 100 * kMs;
        system.process(6).processorTime += 10 * kMs;
        if (second == 0) system.process(4).processorTime += 900 * kMs;
        if (second == 1) system.end(4);
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text,
              L"CPU使用率 95%（しきい値 90%・3秒）\nburner.exe 50%\nshort.exe 15%\n"
              L"chrome.exe \u00d72 10%");
    s.alertCpuSeconds = 1;  // over the last second, tool.exe's 0.5 % would be the third
    r.nowMs += features::kAlertQuietMs;
    r.cpuPercent = 50;  // clear by the margin for the rule's time: armed again
    alerts.check(r, s);
    r.nowMs += 1000;
    alerts.check(r, s);
    r.cpuPercent = 95;
    r.nowMs += 1000;
    alerts.check(r, s);
    r.nowMs += 1000;
    told = alerts.check(r, s);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text,
              L"CPU使用率 95%（しきい値 90%・1秒）\nburner.exe 50%\nchrome.exe \u00d72 10%");
    // The memory notice reads the table as it is told.
    s.alertMemoryPercent = 80;
    r.memoryPercent = 85;
    system.process(6).privateBytes = 5000 * kMB;
    r.tickCount += 1000;
    told = alerts.check(r, s);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text,
              L"メモリ使用率 85%（しきい値 80%）\ntool.exe 5,000MB\nchrome.exe \u00d72 1,300MB\n"
              L"editor.exe 1,200MB");
}
