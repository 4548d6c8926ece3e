#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/source_settings.h"

namespace features {

// A source's answer is refused beyond this size: a large PC's sensor tree is a few hundred KB.
constexpr std::size_t kMaxSourceBytes = 2 * 1024 * 1024;
// Deeper nesting than any of the known answers has is refused before it costs anything.
constexpr int kMaxSourceDepth = 64;

// Why a source has no current value.
enum class SourceFault {
    None,
    BadAddress,       // no http or https address
    NoToken,          // Home Assistant without a token
    TokenUnreadable,  // the saved token was protected for another user or machine
    Unreachable,      // no connection, or no whole answer
    TimedOut,
    TooLarge,
    Unauthorized,  // 401 or 403
    NotFound,      // 404
    HttpStatus,    // another status that is no success
    Compressed,    // a body in an encoding that was not asked for
    NotJson,
    TooDeep,
    NoSuchKey,
    Ambiguous,  // the key occurs more than once
    NotANumber,
    NotFinite,
    Unavailable,  // the other program has no value now ("unavailable", "unknown")
    Stale,        // no new value for three intervals
};

// What one reading of an answer gave.
struct SourceValue {
    std::optional<double> value;
    SourceFault fault = SourceFault::None;
    std::wstring detail;  // what the reason names: the key, the status, the text found
    std::wstring unit;    // the unit the answer gives with the value, if any
};

// The value `key` names in a source's answer (UTF-8 JSON).
SourceValue readSourceValue(settings::SourceKind kind, std::string_view key, std::string_view body);

// One thing a source offers, for picking it from a list.
struct SourceOffer {
    std::wstring key;    // what the source's Key becomes
    std::wstring group;  // where it sits ("AMD Ryzen 7 › Temperatures"); may be empty
    std::wstring name;   // what the row's name becomes
    std::wstring unit;
    std::wstring valueText;  // its value now, as the source shows it
};
struct SourceOffers {
    std::vector<SourceOffer> offers;
    SourceFault fault = SourceFault::None;
    std::wstring detail;
};
// Everything numeric in an answer: LibreHardwareMonitor's sensors, Home Assistant's numeric
// entities (of /api/states), or any JSON's numeric leaves by their pointers. At most `limit`.
SourceOffers listSourceOffers(settings::SourceKind kind, std::string_view body,
                              std::size_t limit = 5000);

// The address fetched for a source's value, and for its list of offers.
std::wstring sourceValueUrl(const settings::SourceSetting& source);
std::wstring sourceOffersUrl(settings::SourceKind kind, const std::wstring& url);

// A number as LibreHardwareMonitor formats it in the Windows locale ("45,5 °C", "4391,2 MHz",
// "1.234,5 MB", "1 234,5"): the number, and the unit written after it.
std::optional<double> parseFormattedNumber(std::string_view text, std::string* unit = nullptr);

// The unit a LibreHardwareMonitor sensor type is shown in.
std::wstring hardwareMonitorUnit(std::string_view type);

// A JSON Pointer's reference tokens (RFC 6901, "~1" for "/" and "~0" for "~"); nothing when it
// is not one.
std::optional<std::vector<std::string>> pointerTokens(std::string_view pointer);
std::string pointerOf(const std::vector<std::string>& tokens);

}  // namespace features
