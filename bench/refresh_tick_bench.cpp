// One refresh tick over the fakes with every item and four drives shown and the graph on.
#include <benchmark/benchmark.h>

#include "fakes/monitor_rig.h"

namespace {

void BM_RefreshTickEverythingShown(benchmark::State& run) {
    fakes::MonitorRig rig;
    rig.showAll();
    rig.painter.record = false;
    rig.live.settings.graphSource = 1;
    rig.live.settings.taskbarButtonOn = 1;
    rig.live.settings.taskbarShowsCpu = rig.live.settings.taskbarShowsMemory = 1;
    rig.live.settings.taskbarShowsReceive = rig.live.settings.taskbarShowsSend = 1;
    rig.live.memoText = L"memo line one\r\nline two";
    rig.clipboard.content = {true, true, L"clipboard text"};
    rig.pages.publicAddress = L"203.0.113.7";
    std::uint32_t octets = 0;
    for (auto _ : run) {
        octets += 4096;
        rig.network.rows[2].inOctets = octets;
        rig.network.rows[2].outOctets = octets / 2;
        rig.tick(500);
    }
    benchmark::DoNotOptimize(rig.images.list.data());
    rig.presenter.captions.clear();
}
BENCHMARK(BM_RefreshTickEverythingShown)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
