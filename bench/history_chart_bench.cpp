// The trend window's once-a-second picture with a full day in the ring, at each span: the 24-hour
// span reads every second of the day for each of the four charts.
#include <benchmark/benchmark.h>

#include <string>

#include "fakes/fake_desktop_state.h"
#include "fakes/fake_text_files.h"
#include "features/history_chart.h"
#include "features/history_view.h"

namespace {

void BM_DrawTrendWindowFullDay(benchmark::State& run) {
    fakes::FakeTextFiles files;
    fakes::FakeLocale locale;
    features::ReadingsHistory history(files, locale, L"h.csv");
    monitor::Readings r;
    r.sampledNow = {true, true, true};
    for (std::uint32_t second = 0; second <= features::HistoryRing::kSeconds; ++second) {
        r.tickCount = second * 1000;
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
    run.SetLabel(std::to_string(features::kHistorySpans[scene.span].seconds) + " s span");
    for (auto _ : run) {
        auto texts = features::drawHistory(image, {96}, history, scene);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_DrawTrendWindowFullDay)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
