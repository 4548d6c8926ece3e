// TrafficHistory.csv as any bytes: reading keeps every line, sums never turn negative, a day
// added lands once and in order, and what is written reads back to the same lines.
#include <fuzzer/FuzzedDataProvider.h>

#include "features/traffic_days.h"
#include "fuzz_input.h"
#include "platform/text_encoding.h"

using namespace features;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const Day added = dayOf(2026, 1, 1) + input.ConsumeIntegralInRange(-800, 800);
    const ByteTotals bytes{input.ConsumeIntegral<std::int64_t>(),
                           input.ConsumeIntegral<std::int64_t>()};
    const std::string file = input.ConsumeRemainingBytesAsString();
    std::vector<std::wstring> lines;
    for (const platform::EncodedLine& line :
         platform::splitEncodedLines(file, platform::TextEncoding::Ansi))
        lines.push_back(fuzz::wideText(std::string(line.bytes)));

    TrafficDays days = TrafficDays::parse(lines);
    if (lines.size() <= TrafficDays::kDaysKept)
        fuzz::require(days.lines().size() == lines.size(), "a line is lost on reading");
    for (size_t i = 0; i < days.entries().size(); ++i)
        if (!days.entries()[i].day && lines.size() <= TrafficDays::kDaysKept)
            fuzz::require(days.lines()[i] == lines[i], "a line that did not parse is changed");
    ByteTotals all = days.sum(INT64_MIN, INT64_MAX);
    fuzz::require(all.received >= 0 && all.sent >= 0, "a negative sum");

    const ByteTotals before = days.of(added);
    days.add(added, bytes);
    const ByteTotals after = days.of(added);
    fuzz::require(after.received >= before.received && after.sent >= before.sent,
                  "adding made a day smaller");
    std::vector<std::wstring> written = days.lines();
    TrafficDays reread = TrafficDays::parse(written);
    fuzz::require(reread.lines() == written, "the file changes on a second save");
    fuzz::require(reread.of(added).received == after.received, "a day's total changes on saving");
    return 0;
}
