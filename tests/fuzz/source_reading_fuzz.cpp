// Any answer another program's server sends for a source, read as each kind reads it, with any
// key; and any formatted number. What must hold: a value is finite and comes with no fault, a
// fault comes with no value, the list of offers stays within its bound, and a pointer's tokens
// make the same pointer again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>

#include "features/source_reading.h"
#include "fuzz_input.h"

using features::SourceFault;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto kind = static_cast<settings::SourceKind>(input.ConsumeIntegralInRange(0, 2));
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string body = input.ConsumeRemainingBytesAsString();

    features::SourceValue read = features::readSourceValue(kind, key, body);
    fuzz::require(read.value.has_value() == (read.fault == SourceFault::None),
                  "a value with a fault, or neither");
    fuzz::require(!read.value || std::isfinite(*read.value), "a value that is not finite");

    constexpr std::size_t kLimit = 50;
    features::SourceOffers offers = features::listSourceOffers(kind, body, kLimit);
    fuzz::require(offers.offers.size() <= kLimit, "more offers than the bound");

    if (auto tokens = features::pointerTokens(key))
        fuzz::require(features::pointerOf(*tokens) == key, "a pointer that reads back otherwise");
    std::string unit;
    if (auto number = features::parseFormattedNumber(key, &unit))
        fuzz::require(unit.size() <= 12, "a long text taken for a unit");
    return 0;
}
