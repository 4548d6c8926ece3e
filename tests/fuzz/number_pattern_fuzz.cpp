// Any pattern, any number, any locale separators: the formatter stays in bounds, and a whole
// number formats the same from a double as from an integer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

#include "fuzz_input.h"
#include "render/number_pattern.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    render::NumberSymbols symbols{fuzz::wideText(input.ConsumeRandomLengthString(4)),
                                  fuzz::wideText(input.ConsumeRandomLengthString(4))};
    const double real = input.ConsumeFloatingPoint<double>();
    const auto whole = input.ConsumeIntegral<std::int64_t>();
    const std::wstring pattern = fuzz::wideText(input.ConsumeRemainingBytesAsString());

    render::formatNumber(real, pattern, symbols);
    const std::wstring exact = render::formatWholeNumber(whole, pattern, symbols);
    if (std::llabs(whole) < 100'000'000'000'000LL && pattern.find(L'.') == std::wstring::npos)
        fuzz::require(render::formatNumber(static_cast<double>(whole), pattern, symbols) == exact,
                      "a whole number formats differently as a double");
    return 0;
}
