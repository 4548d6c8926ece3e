// The user's data at the sizes that once froze the program: a close list of 100,000 lines loaded
// at start-up, and a save into a 20 MB settings file of 400,000 keys the program does not know.
#include <benchmark/benchmark.h>

#include "fakes/fake_text_files.h"
#include "platform/profile_text.h"
#include "settings/settings_file.h"
#include "settings/side_lists.h"

namespace {

void BM_LoadCloseList100000Lines(benchmark::State& run) {
    fakes::FakeTextFiles files;
    auto& lines = files.files[L"CloseList.txt"];
    for (int i = 0; i < 100000; ++i)
        lines.push_back(L"広告ページ " + std::to_wstring(i) + L" -" + L"       " +
                        std::to_wstring(i % 10));
    for (auto _ : run) {
        settings::ListFile file;
        auto entries = settings::loadCloseList(files, L"CloseList.txt", &file);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_LoadCloseList100000Lines)->Unit(benchmark::kMillisecond);

std::string widened(std::wstring_view text) { return std::string(text.begin(), text.end()); }

void BM_SaveInto20MBSettingsFile(benchmark::State& run) {
    std::vector<platform::ProfileLine> file = {{L"[Options]", "[Options]\r\n"},
                                               {L"Ver=1", "Ver=1\r\n"}};
    for (int i = 0; i < 400000; ++i) {
        std::wstring line = L"Extra" + std::to_wstring(i) + L"=" + std::wstring(36, L'x');
        file.push_back({line, widened(line) + "\r\n"});
    }
    settings::Settings s;
    s.autoCloseOn = 1;
    size_t size = 0;
    for (auto _ : run) {
        platform::ProfileText text(file);
        settings::writeSettings(text, s);
        size = text.bytes(widened).size();
    }
    run.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_SaveInto20MBSettingsFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
