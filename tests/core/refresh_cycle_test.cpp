#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "base/texts.h"
#include "fakes/monitor_rig.h"
#include "fakes/this_version.h"
#include "monitor/browser_registry.h"
#include "render/rounding.h"

using fakes::MonitorRig;

TEST(RefreshCycle, IntervalLabelAndOnePresentationPerTick) {
    MonitorRig rig;
    rig.tick();
    EXPECT_EQ(rig.readings().intervalLabel, L"100500ms")
        << "the first tick shows the raw tick count";
    rig.tick(500);
    EXPECT_EQ(rig.readings().intervalLabel, L"500ms");
    rig.tick(730);
    EXPECT_EQ(rig.readings().intervalLabel, L"730ms");
    EXPECT_EQ(rig.presenter.presents, 3);
}

TEST(RefreshCycle, NothingShownOrNeededSamplesOnlyTheLamps) {
    MonitorRig rig;
    rig.showOnly({});
    rig.live.settings.graphSource = 0;
    rig.live.settings.taskbarButtonOn = 1;  // the caption is kept, but no reading is chosen for it
    rig.tick();
    rig.tick();
    EXPECT_EQ(rig.processors.totalReads + rig.processors.processorReads, 0);
    EXPECT_EQ(rig.memory.reads, 0);
    EXPECT_EQ(rig.network.rowReads, 0);
    EXPECT_EQ(rig.power.reads + rig.locale.reads + rig.clipboard.reads, 0);
    EXPECT_EQ(rig.drives.capacityReads, 0);
    EXPECT_EQ(rig.drives.activityReads, 2 * 4) << "the ticked drives' lamps, every tick";
    EXPECT_EQ(rig.presenter.lastY, 0);
    EXPECT_EQ(rig.images.listHeight, 0);
    EXPECT_EQ(rig.presenter.captions.back(), L"KorvaNT");

    // A kept history takes its three readings once a second, on ticks a little under a second
    // apart too, and nothing it takes is drawn.
    rig.cycle.keepHistoryReadings(true);
    for (std::uint32_t ms : {500, 500, 500, 500, 990, 990}) rig.tick(ms);
    EXPECT_EQ(rig.network.rowReads, 4);
    EXPECT_EQ(rig.memory.reads, 4);
    EXPECT_EQ(rig.processors.totalReads, 4);
    EXPECT_TRUE(rig.readings().sampledNow.network);
    EXPECT_EQ(rig.images.listHeight, 0);
}

TEST(RefreshCycle, GatesFollowTheConsumers) {
    MonitorRig rig;
    rig.live.settings.graphSource = 0;
    rig.showOnly({L"111"});
    rig.network.rows[2].outOctets = 1000;
    rig.tick();
    rig.network.rows[2].outOctets = 5000;
    rig.tick();
    EXPECT_EQ(rig.network.rowReads, 2) << "the sent total alone keeps the counters sampled";
    EXPECT_EQ(rig.readings().out.total, 5000);
    EXPECT_EQ(rig.memory.reads, 0);

    // The graph needs the total load, and with it the four processors' sections run.
    rig.showOnly({});
    rig.live.settings.graphSource = 1;
    rig.tick();
    EXPECT_EQ(rig.processors.totalReads, 1);
    EXPECT_EQ(rig.processors.processorReads, 4);
    rig.tick();
    EXPECT_EQ(rig.readings().cpuTotalPercent, 25);
    EXPECT_EQ(rig.text(settings::Item::Cpu1), L"25%");
    EXPECT_EQ(rig.text(settings::Item::Cpu3), L"0%") << "a third processor does not exist";

    // Taskbar choices count only while the caption is kept.
    rig.live.settings.graphSource = 0;
    rig.live.settings.taskbarShowsMemory = 1;
    rig.tick();
    EXPECT_EQ(rig.memory.reads, 0);
    rig.live.settings.taskbarButtonOn = 1;
    rig.tick();
    EXPECT_EQ(rig.memory.reads, 1);
    EXPECT_EQ(rig.presenter.captions.back(), L"3072MB/4096MB ");
}

TEST(RefreshCycle, TaskbarCaptionCarriesTheChosenReadings) {
    MonitorRig rig;
    rig.live.settings.taskbarButtonOn = 1;
    rig.live.settings.taskbarShowsCpu = 1;
    rig.live.settings.taskbarShowsMemory = 1;
    rig.live.settings.taskbarShowsReceive = 1;
    rig.live.settings.taskbarShowsSend = 1;
    rig.live.settings.adapterIndex = 1;
    rig.tick();
    rig.network.rows[2].inOctets = 12 * 1024 / 2;
    rig.tick(500);
    EXPECT_EQ(rig.presenter.captions.back(), L"25% 3072MB/4096MB 12Kbyte/秒受 0Kbyte/秒送 ");
}

TEST(RefreshCycle, DefaultListComposesInOrderAndFollowsReordering) {
    MonitorRig rig;
    rig.tick();
    // Default: the graph, twelve single rows (the memo has one line) and the four drives.
    int shownSingles = 0;
    for (const auto& row : rig.live.displayRows)
        if (row.shown && settings::idOf(row.id) != 113 && settings::idOf(row.id) != 112)
            ++shownSingles;
    int drives = 0;
    for (const auto& d : rig.live.drives) drives += d.checked;
    EXPECT_EQ(rig.presenter.lastY, 30 + 14 * shownSingles + 14 * drives);
    ASSERT_TRUE(rig.presenter.lastSize.has_value()) << "fixed-size mode sizes the window";
    EXPECT_EQ(rig.presenter.lastSize->scaleHeight, rig.presenter.lastY);

    EXPECT_EQ(rig.images.list.pixel(0, 0), 12615935u) << "the graph's own background first";
    EXPECT_EQ(rig.images.list.pixel(0, 29), 0u) << "its separator";
    // The total load row follows the graph; moving it before the graph moves it to the top.
    const auto* cpu = rig.painter.find(L"ＣＰＵ使用率");
    ASSERT_NE(cpu, nullptr);
    EXPECT_EQ(rig.images.list.pixel(5, 30 + 1), rig.images.rows[0].pixel(5, 1));
    auto rows = rig.live.displayRows;
    std::rotate(rows.begin(), rows.begin() + 1, rows.begin() + 2);  // 100 before 113
    rig.live.displayRows = rows;
    rig.tick();
    EXPECT_EQ(rig.images.list.pixel(5, 1), rig.images.rows[0].pixel(5, 1));
    EXPECT_EQ(rig.images.list.pixel(0, 13), render::rgb(0, 0, 0)) << "separator under the row";
}

TEST(RefreshCycle, DriveCapacitiesEveryIntervalLampsEveryTick) {
    MonitorRig rig;
    rig.showAll();
    rig.live.settings.driveRefreshSeconds = 10;
    rig.tick();
    EXPECT_EQ(rig.drives.capacityReads, 4);
    EXPECT_EQ(monitor::drivePercent(rig.readings().drives[0].figures), 75);
    for (int i = 0; i < 19; ++i) rig.tick(500);  // 9.5 s
    EXPECT_EQ(rig.drives.capacityReads, 4);
    EXPECT_EQ(rig.drives.activityReads, 20 * 4);
    rig.tick(600);
    EXPECT_EQ(rig.drives.capacityReads, 8);

    // A drive whose read figure changed shows a green read lamp.
    rig.drives.all[L"D"].activity = platform::DriveActivity{512, 0};
    rig.tick();
    EXPECT_EQ(rig.images.driveRows[1].pixel(20, 3), render::rgb(0, 255, 0));
    EXPECT_EQ(rig.images.driveRows[1].pixel(20, 9), render::rgb(212, 208, 200));
    rig.tick();
    EXPECT_EQ(rig.images.driveRows[1].pixel(20, 3), render::rgb(212, 208, 200));

    // Hidden drives item: no capacity refresh, lamps still run.
    rig.showOnly({});
    for (auto& d : rig.live.drives) d.checked = true;
    int reads = rig.drives.capacityReads;
    rig.tick(20000);
    EXPECT_EQ(rig.drives.capacityReads, reads);
    // Served over HTTP, the drives are read at their interval all the same.
    rig.live.settings.exportOn = 1;
    rig.tick(20000);
    EXPECT_GT(rig.drives.capacityReads, reads);
    EXPECT_TRUE(rig.readings().drivesRefreshed);
}

// Large drives: the figures stay in their order, never under the lamps, and on the row.
TEST(RefreshCycle, LargeDrivesKeepTheirFiguresClearOfTheLampsAndOnTheRow) {
    MonitorRig rig;
    rig.drives.add(L"C", platform::kDriveFixed, 1907729, 953864);    // 1,863.0 GB
    rig.drives.add(L"D", platform::kDriveFixed, 19077290, 9538645);  // 18,630.1 GB
    rig.cycle.rebuildDriveList();
    rig.showOnly({L"112"});
    for (auto& d : rig.live.drives) d.checked = true;
    rig.live.settings.driveFigure1 = settings::kDriveUsed;
    rig.live.settings.driveFigure2 = settings::kDriveTotal;
    for (int unit : {settings::kGigabytes, settings::kMegabytes}) {
        rig.live.settings.diskUnit = unit;
        rig.painter.calls.clear();
        rig.tick(20000);
        for (const render::Image* row : {&rig.images.driveRows[0], &rig.images.driveRows[1]}) {
            std::vector<const fakes::FakeTextPainter::Call*> texts;
            for (const auto& call : rig.painter.calls)
                if (call.image == row) texts.push_back(&call);
            ASSERT_EQ(texts.size(), 4u) << unit;
            int end = monitor::kFiguresStart;
            for (size_t i = 1; i < texts.size(); ++i) {
                EXPECT_GE(texts[i]->x, end) << texts[i]->text;
                end = texts[i]->x + rig.painter.textWidth(texts[i]->text);
            }
            EXPECT_LE(end, 157) << texts.back()->text;
        }
    }
}

TEST(RefreshCycle, StatusRowsDrawTheirTexts) {
    {
        MonitorRig fresh;
        fresh.showOnly({L"104"});
        fresh.tick();
        ASSERT_NE(fresh.painter.find(L"Now　Loading・・・"), nullptr)
            << "before the first acquisition the IP item shows the loading text";
        // Its full-width characters would run off the row: it moves left, the label gives way.
        const int loading = fresh.painter.find(L"Now　Loading・・・")->x;
        EXPECT_EQ(loading + fresh.painter.textWidth(L"Now　Loading・・・"), 157);
        EXPECT_EQ(fresh.painter.find(L"IPアドレス"), nullptr);
        EXPECT_NE(fresh.painter.find(L"IPア…"), nullptr);
    }
    MonitorRig rig;
    rig.showAll();
    rig.pages.publicAddress = monitor::kUnreachableText;
    rig.live.memoText = L"one\r\ntwo\tx\r\n";
    rig.clipboard.content = {true, true, L"copied\r\nsecond"};
    rig.clock.now = 3723000 - 500;
    rig.tick();
    EXPECT_EQ(rig.painter.find(L"接続不能")->x, 120 - 24);
    EXPECT_EQ(rig.painter.find(L"01時02分03秒")->x, 138 - 6 * 9 - 6);
    EXPECT_EQ(rig.painter.find(L"two x")->y, 13);
    EXPECT_EQ(rig.readings().clipboardText, L"copied\r\nsecond");
    EXPECT_NE(rig.painter.find(L"copied"), nullptr);
    EXPECT_EQ(rig.text(settings::Item::ProxyEnable), L"OFF");
    EXPECT_EQ(rig.text(settings::Item::ActiveScripting), L"ON");

    // A change of language shows at the next tick, with nothing else changed.
    rig.painter.calls.clear();
    base::setLanguage(base::Language::English);
    rig.tick();
    base::setLanguage(base::Language::Japanese);
    EXPECT_NE(rig.painter.find(L"CPU usage"), nullptr);
    EXPECT_EQ(rig.painter.find(L"Unreachable")->x, 144 - 6 * 11) << "ends where 接続不能 ends";
    EXPECT_NE(rig.painter.find(L"01h 02m 03s"), nullptr);
    EXPECT_EQ(rig.painter.find(L"ＣＰＵ使用率"), nullptr);

    // An unreadable clipboard keeps the text; one without text empties it.
    rig.clipboard.content = {false, false, L""};
    rig.tick();
    EXPECT_EQ(rig.readings().clipboardText, L"copied\r\nsecond");
    rig.clipboard.content = {true, false, L""};
    rig.tick();
    EXPECT_EQ(rig.readings().clipboardText, L"");

    // A memo line longer than a row goes on in the next row, and the list makes room for it.
    int height = rig.images.listHeight;
    rig.live.memoText = L"one\r\n" + std::wstring(30, L'm') + L"\r\n";
    rig.tick();
    ASSERT_NE(rig.painter.find(L"mmmmm"), nullptr);
    EXPECT_EQ(rig.painter.find(L"mmmmm")->y, 26);
    EXPECT_EQ(rig.images.listHeight, height + 13);

    // A text of megabytes costs a tick no more than what the row and the box can show.
    rig.clipboard.content = {true, true, std::wstring(15'000'000, L'y')};
    rig.clipboard.charsHanded = 0;
    for (int i = 0; i < 10; ++i) rig.tick();
    EXPECT_LE(rig.clipboard.charsHanded, 10 * monitor::kShownClipboardChars);
    EXPECT_EQ(rig.readings().clipboardText, std::wstring(monitor::kShownClipboardChars, L'y'));
}

// The row font's cells are 6 px, and a value is placed by its count of characters: an English
// name must end before the value of its row begins, whatever the address row shows.
TEST(RefreshCycle, EnglishRowNamesEndBeforeTheirValues) {
    const std::wstring addresses[] = {monitor::kLoadingText, monitor::kUnreachableText,
                                      monitor::kAfterRestartText, L"203.0.113.250"};
    for (const std::wstring& address : addresses) {
        MonitorRig rig;
        rig.showAll();
        rig.pages.publicAddress = address;
        rig.registry.values[{monitor::kInternetSettingsKey, L"ProxyServer"}] = {
            true, platform::kRegSz, L"proxy.example:8080", 0};
        base::setLanguage(base::Language::English);
        rig.tick();
        base::setLanguage(base::Language::Japanese);
        std::vector<fakes::FakeTextPainter::Call> calls = rig.painter.calls;
        std::stable_sort(calls.begin(), calls.end(), [](const auto& a, const auto& b) {
            return a.image != b.image ? a.image < b.image : a.x < b.x;
        });
        int compared = 0;
        for (size_t i = 0; i + 1 < calls.size(); ++i) {
            const auto& left = calls[i];
            const auto& right = calls[i + 1];
            if (left.image != right.image || std::abs(left.y - right.y) >= render::kRowHeight)
                continue;
            int end = left.x;
            for (wchar_t c : left.text) end += fakes::FakeTextPainter::cellWidth(c);
            EXPECT_LE(end, right.x) << left.text << L" runs into " << right.text;
            ++compared;
        }
        EXPECT_GT(compared, 10);
    }
}

TEST(RefreshCycle, BrowserRowsReadTheRegistryWhenItChanged) {
    MonitorRig rig;
    rig.registry.watching = true;
    rig.showOnly({L"106", L"107", L"108"});
    rig.tick();
    EXPECT_EQ(rig.registry.reads, 3);
    rig.tick();
    EXPECT_EQ(rig.registry.reads, 3) << "nothing changed: nothing read";

    // A change seen by the registry shows on the next tick.
    rig.registry.writeDword(monitor::kInternetSettingsKey, L"ProxyEnable", 1);
    rig.tick();
    EXPECT_EQ(rig.text(settings::Item::ProxyEnable), L"ON");

    // An item hidden meanwhile reads afresh when shown again, change reported or not.
    rig.showOnly({L"106", L"107"});
    rig.tick();
    rig.registry.values[{monitor::kInternetZoneKey, L"1400"}] = {true, platform::kRegDword, L"", 3};
    rig.showOnly({L"106", L"107", L"108"});
    rig.tick();
    EXPECT_EQ(rig.text(settings::Item::ActiveScripting), L"OFF");
}

TEST(RefreshCycle, LanAddressFromTheAdaptersOrTheMachine) {
    MonitorRig rig;
    rig.showOnly({L"105"});
    rig.tick();
    EXPECT_EQ(rig.text(settings::Item::LanAddress), L"192.168.0.10")
        << "no adapter list: the machine's address";

    rig.network.adapterList = {platform::AdapterResult::Ok,
                               {{L"idle card", L"0.0.0.0"}, {L"eth0", L"192.0.2.2"}}};
    rig.cycle.readAdapters(rig.dialogs);
    rig.tick();
    EXPECT_EQ(rig.text(settings::Item::LanAddress), L"192.0.2.2")
        << "the first adapter with an address";
    EXPECT_TRUE(rig.dialogs.shown.empty());

    rig.network.adapterList = {platform::AdapterResult::NoData, {}};
    rig.cycle.readAdapters(rig.dialogs);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0], L"このコンピュータにはアダプタ情報が存在しません");
    rig.network.adapterList = {platform::AdapterResult::NotSupported, {}};
    rig.cycle.readAdapters(rig.dialogs);
    EXPECT_EQ(rig.dialogs.shown.back(), L"このバージョンのOSでこの機能はサポートされていません");
}

TEST(RefreshCycle, RowsRedrawOnlyWhenWhatTheyShowChanges) {
    MonitorRig rig;
    rig.showOnly({L"100"});
    auto drawnNames = [&] {
        int n = 0;
        for (const auto& call : rig.painter.calls) n += call.text == L"ＣＰＵ使用率";
        return n;
    };
    rig.tick();
    rig.tick();  // 0% -> 25%
    rig.tick();  // 25% again: the row already shows it
    EXPECT_EQ(drawnNames(), 2);
    EXPECT_EQ(rig.text(settings::Item::CpuTotal), L"25%");

    rig.live.settings.colours[settings::kBackgroundColour] = 255;  // a new row colour redraws
    rig.tick();
    EXPECT_EQ(drawnNames(), 3);
    EXPECT_EQ(rig.images.rows[0].pixel(100, 5), render::rgb(255, 0, 0));

    // A strip painted anew (the options window changed the item's colours) shows at once.
    render::Image preview(render::kRowWidth, render::kRowHeight);
    render::showItemGradient(100, 65280, 65280, preview, rig.strips);
    rig.tick();
    EXPECT_EQ(drawnNames(), 4);
    EXPECT_EQ(rig.images.rows[0].pixel(2, 5), render::rgb(0, 255, 0));
    EXPECT_EQ(rig.images.list.pixel(2, 5), render::rgb(0, 255, 0));

    // Hidden (and needed by nothing else) while its colour goes to another and back, the row
    // is painted again when shown.
    rig.live.settings.graphSource = 0;
    rig.showOnly({});
    rig.live.settings.colours[settings::kBackgroundColour] = 65535;
    rig.tick();
    rig.live.settings.colours[settings::kBackgroundColour] = 255;
    rig.tick();
    rig.showOnly({L"100"});
    rig.tick();
    EXPECT_EQ(drawnNames(), 5);
}

TEST(RefreshCycle, NewVersionRowScrollsAndGoesWithTheCheckBox) {
    MonitorRig rig;
    rig.showOnly({L"114"});
    rig.live.settings.drawMode = 0;  // window size variable: only the notice asks for a resize
    rig.live.settings.checkForUpdates = 1;
    rig.pages.update = {L"ok", fakes::thisVersion(1), L"新版"};
    auto noticeX = [&] {
        const fakes::FakeTextPainter::Call* last = nullptr;
        for (const auto& call : rig.painter.calls)
            if (call.text == L"新版") last = &call;
        return last ? last->x : -999;
    };
    rig.tick();
    EXPECT_EQ(noticeX(), 150);
    EXPECT_EQ(rig.presenter.lastY, 28) << "date row and notice";
    ASSERT_TRUE(rig.presenter.lastSize.has_value()) << "the notice resizes the window";
    EXPECT_EQ(rig.images.newVersionRow.pixel(0, 12), render::rgb(128, 255, 255));
    rig.tick();
    EXPECT_EQ(noticeX(), 130) << "20 pixels to the left per tick";
    rig.tick();
    EXPECT_EQ(noticeX(), 150) << "starts again after as many ticks as it has characters";

    rig.live.settings.checkForUpdates = 0;
    rig.tick();
    EXPECT_FALSE(rig.cycle.newVersionShown());
    EXPECT_EQ(rig.presenter.lastY, 14);
}

// What a screen reader reads and Ctrl+C copies: the shown rows in list order, each with its
// label and its value as drawn, at the places the list gives them, in the current language.
TEST(RefreshCycle, ShownRowsAreTheListsRowsInWords) {
    MonitorRig rig;
    rig.showOnly({L"100", L"113", L"115", L"112", L"122"});
    for (auto& drive : rig.live.drives) drive.checked = true;
    rig.live.memoText = L"one\r\ntwo\r\n";
    rig.clock.now = 3723000 - 20500;
    rig.tick(20000);
    rig.tick();
    std::vector<monitor::ShownRow> rows = rig.cycle.shownRows();
    auto named = [&](std::wstring_view start) {
        return std::find_if(rows.begin(), rows.end(),
                            [&](const monitor::ShownRow& r) { return r.name.starts_with(start); });
    };
    const auto cpu = named(L"ＣＰＵ使用率");
    ASSERT_NE(cpu, rows.end());
    EXPECT_EQ(cpu->value, L"25%");
    EXPECT_EQ(rows.back().name, L"簡易メモ") << "a row without a label is named for what it is";
    EXPECT_EQ(rows.back().value, L"one two");
    EXPECT_EQ(rows.back().top + rows.back().height + 1, rig.images.listHeight)
        << "the rows lie where the list draws them";
    EXPECT_EQ(named(L"起動時間")->value, L"01時02分03秒");
    const auto drive = named(L"C:");
    ASSERT_NE(drive, rows.end());
    EXPECT_EQ(drive->value, L"24.4GB 75%") << "the figures as words";

    const std::wstring copied = monitor::rowsAsText(rows);
    EXPECT_NE(copied.find(L"\r\nＣＰＵ使用率\t25%\r\n"), std::wstring::npos) << copied;
    EXPECT_TRUE(copied.ends_with(L"簡易メモ\tone two\r\n")) << copied;

    base::setLanguage(base::Language::English);
    rig.tick();
    rows = rig.cycle.shownRows();
    base::setLanguage(base::Language::Japanese);
    EXPECT_NE(named(L"CPU usage"), rows.end());
    EXPECT_EQ(rows.back().name, L"Memo");
}

TEST(RefreshCycle, SourceRowsFollowTheItemsWithTheirValuesAndBars) {
    MonitorRig rig;
    rig.showOnly({L"100"});
    std::vector<monitor::SourceReading> sources(3);
    sources[0] = {L"CPU温度", L"45.5\u00b0C", 45.5, L"\u00b0C", 0.0, 100.0, true, L"cpu"};
    sources[1] = {L"hidden", L"1", 1.0, L"", {}, {}, false, L"hidden"};
    sources[2] = {L"Room", L"--", std::nullopt, L"\u00b0C", 0.0, 40.0, true, L"room"};
    rig.cycle.readSourcesWith([&](std::vector<monitor::SourceReading>& into) { into = sources; });
    rig.tick();
    const int pitch = render::kRowHeight + 1;
    EXPECT_EQ(rig.presenter.lastY, 3 * pitch) << "the item and the two shown sources";
    EXPECT_EQ(rig.cycle.upcomingListHeight(), 3 * pitch);
    // The value ends at the row's value edge, measured; the label stands at the left.
    const auto* value = rig.painter.find(L"45.5\u00b0C");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->x + rig.painter.textWidth(L"45.5\u00b0C"), 148);
    EXPECT_EQ(value->image, &rig.images.sourceRows[0]);
    EXPECT_NE(rig.painter.find(L"CPU温度"), nullptr);
    EXPECT_EQ(rig.painter.find(L"hidden"), nullptr);
    EXPECT_EQ(rig.painter.find(L"--")->image, &rig.images.sourceRows[1]);
    // A reader and Ctrl+C meet them after the items, as the list shows them.
    const std::vector<monitor::ShownRow> words = rig.cycle.shownRows();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1].name + L"=" + words[1].value, L"CPU温度=45.5\u00b0C");
    EXPECT_EQ(words[2].top, 2 * pitch);
    // A bar of 45.5 % of the range on the first, none for a source without a value.
    const render::Colour background = rig.images.sourceRows[0].background();
    EXPECT_NE(rig.images.sourceRows[0].pixel(render::barWidthFor(45.5) - 1, 12), background);
    EXPECT_EQ(rig.images.sourceRows[0].pixel(render::barWidthFor(45.5) + 1, 12), background);
    EXPECT_EQ(rig.images.sourceRows[1].pixel(0, 12), background);

    // An unchanged row is not drawn again; one source fewer shortens the list.
    rig.painter.calls.clear();
    rig.tick();
    EXPECT_EQ(rig.painter.find(L"45.5\u00b0C"), nullptr);
    EXPECT_NE(rig.images.sourceRows[0].pixel(0, 12), background) << "and keeps its picture";
    sources.pop_back();
    rig.tick();
    EXPECT_EQ(rig.presenter.lastY, 2 * pitch);
    EXPECT_EQ(rig.images.sourceRows.size(), 1u);
}
