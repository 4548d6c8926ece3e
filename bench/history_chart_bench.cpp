// The trend window's once-a-second picture with a full day in the ring, at each span: the 24-hour
// span reads every second of the day for each of the four charts (and for each source, with the
// list's most of them); the days and the months as
// bars over a file of 1,100 days, as the open window draws them each second.
#include <benchmark/benchmark.h>

#include <string>

#include "fakes/fake_desktop_state.h"
#include "fakes/fake_text_files.h"
#include "features/history_chart.h"
#include "features/history_view.h"
#include "features/traffic_summary.h"

namespace {

void BM_DrawTrendWindowFullDay(benchmark::State& run) {
    fakes::FakeTextFiles files;
    fakes::FakeLocale locale;
    features::ReadingsHistory history(files, locale, L"h.csv");
    monitor::Readings r;
    r.sampledNow = {true, true, true};
    r.sources.resize(static_cast<size_t>(run.range(1)));
    for (size_t i = 0; i < r.sources.size(); ++i) {
        r.sources[i].identity = L"source " + std::to_wstring(i);
        r.sources[i].name = r.sources[i].identity;
        r.sources[i].unit = i % 2 ? L"%" : L"\u00b0C";
        r.sources[i].text = L"45.5";
    }
    for (std::uint32_t second = 0; second <= features::HistoryRing::kSeconds; ++second) {
        r.tickCount = second * 1000;
        for (size_t i = 0; i < r.sources.size(); ++i)
            r.sources[i].value = static_cast<double>((second + i * 7) % 100);
        r.cpuTotalPercent = static_cast<int>(second % 100);
        r.memoryPercent = 40;
        r.in.total += 1000 + second % 5000;
        r.out.total += 100;
        history.record(r);
    }
    base::Image image(720, 540);
    features::HistoryScene scene;
    scene.span = static_cast<int>(run.range(0));
    scene.pointerX = 400;
    // The span's length names the run, not its index.
    run.SetLabel(std::to_string(features::kHistorySpans[scene.span].seconds) + " s span, " +
                 std::to_string(run.range(1)) + " sources");
    for (auto _ : run) {
        auto texts = features::drawHistory(image, {96}, history, scene);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_DrawTrendWindowFullDay)
    ->ArgsProduct({{0, 1, 2}, {0, 16}})
    ->Unit(benchmark::kMillisecond);

// Each second's repaint of the days or the months with a full file and today's line growing, as
// the window does it: the summary made again only because today's line changed.
void BM_DrawTrafficBarsFullFile(benchmark::State& run) {
    fakes::FakeTextFiles files;
    fakes::FakeLocale locale;
    locale.time = {2026, 12, 8, 2, 12, 0, 0};
    std::vector<std::wstring> lines;
    const features::Day today = features::dayOf(2026, 12, 8);
    for (features::Day d = today - 1099; d <= today; ++d) {
        const features::CivilDate c = features::dateOf(d);
        wchar_t text[64];
        swprintf(text, 64, L"%04d-%02d-%02d,%lld,%lld", c.year, c.month, c.day,
                 static_cast<long long>(d % 97) * 40'000'000,
                 static_cast<long long>(d % 13) * 900'000);
        lines.push_back(text);
    }
    files.files[L"h.csv"] = lines;
    features::ReadingsHistory history(files, locale, L"h.csv");
    history.readFile();
    monitor::Readings r;
    r.sampledNow = {true, true, true};
    features::TrafficSummaryCache cache;
    base::Image image(720, 540);
    features::HistoryScene scene;
    scene.span = static_cast<int>(run.range(0));
    scene.pointerX = 400;
    scene.pointerY = 200;
    run.SetLabel(scene.span == features::kDaysSpan ? "days" : "months");
    std::uint32_t second = 0;
    for (auto _ : run) {
        // A second of traffic into today's line.
        r.tickCount = ++second * 1000;
        r.in.total += 5000;
        r.out.total += 500;
        history.record(r);
        scene.traffic = &cache.of(history.days(), history.today());
        auto texts = features::drawHistory(image, {96}, history, scene);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_DrawTrafficBarsFullFile)
    ->Arg(features::kDaysSpan)
    ->Arg(features::kMonthsSpan)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
