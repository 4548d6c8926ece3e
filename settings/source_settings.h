#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_file.h"
#include "platform/secret_box.h"

namespace settings {

// Readings taken from other programs' JSON over HTTP, as the options window lists them.
constexpr std::size_t kMaxSources = 16;

enum class SourceKind {
    HardwareMonitor,  // LibreHardwareMonitor's remote web server: a sensor by its SensorId
    HomeAssistant,    // an entity's state through the REST API, with a long-lived token
    Json,             // any JSON: a number by its JSON Pointer
};
std::optional<SourceKind> sourceKindOf(std::wstring_view stored);
std::wstring_view storedKindText(SourceKind kind);

// What became of the token the file held.
enum class TokenState {
    None,        // there is none
    Usable,      // read (protected, or plain as written by hand) and in `token`
    Unreadable,  // protected for another user or machine: kept as it was, not usable here
};

struct SourceSetting {
    SourceKind kind = SourceKind::HardwareMonitor;
    std::wstring url;  // the JSON's address; for Home Assistant the instance's
    std::wstring key;  // the SensorId, the entity id or the JSON Pointer
    std::wstring name;
    std::wstring unit;
    int decimals = 1;
    int intervalSeconds = 2;
    std::optional<double> barMin, barMax;  // a bar when both are set and apart
    bool shown = true;
    std::wstring token;        // in memory only in plain text
    std::wstring storedToken;  // the file's protected text while it cannot be read here
    TokenState tokenState = TokenState::None;
    // An alert over the value: above (or below) the threshold for the hold time.
    bool alertOn = false;
    bool alertBelow = false;
    double alertThreshold = 0;
    int alertSeconds = 10;

    bool hasBar() const { return barMin && barMax && *barMax != *barMin; }
    bool operator==(const SourceSetting&) const = default;
};

constexpr int kMinSourceInterval = 1, kMaxSourceInterval = 3600;
constexpr int kMaxSourceDecimals = 6;
constexpr int kMaxSourceAlertSeconds = 3600;

// The sources of the file's own section; at most kMaxSources, each brought into range. A
// protected token is opened with `secrets`; one written by hand in plain text is used as it is.
std::vector<SourceSetting> readSources(platform::ProfileFile& file, platform::SecretBox& secrets);
// The section as the list stands, every key of a source removed from the file past the last;
// tokens are written protected only (nothing when they cannot be protected). False when a
// write failed.
bool writeSources(platform::ProfileFile& file, const std::vector<SourceSetting>& sources,
                  platform::SecretBox& secrets);

// A number as the file keeps it: shortest text that reads back the same, "." for the point.
std::wstring sourceNumberText(double value);
std::optional<double> parseSourceNumber(std::wstring_view text);

}  // namespace settings
