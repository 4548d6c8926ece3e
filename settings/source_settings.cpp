#include "settings/source_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/base64.h"
#include "platform/text_encoding.h"

namespace settings {
namespace {

constexpr const wchar_t* kSection = L"Sources";
constexpr const wchar_t* kCount = L"Count";
// The keys of one source, each followed by its number in the list ("Url3").
constexpr const wchar_t* kKind = L"Kind";
constexpr const wchar_t* kUrl = L"Url";
constexpr const wchar_t* kKey = L"Key";
constexpr const wchar_t* kName = L"Name";
constexpr const wchar_t* kUnit = L"Unit";
constexpr const wchar_t* kDecimals = L"Decimals";
constexpr const wchar_t* kInterval = L"Interval";
constexpr const wchar_t* kBarMin = L"BarMin";
constexpr const wchar_t* kBarMax = L"BarMax";
constexpr const wchar_t* kShow = L"Show";
constexpr const wchar_t* kAlertOn = L"AlertOn";
constexpr const wchar_t* kAlertBelow = L"AlertBelow";
constexpr const wchar_t* kAlertAt = L"AlertAt";
constexpr const wchar_t* kAlertSeconds = L"AlertSeconds";
constexpr const wchar_t* kToken = L"Token";
constexpr const wchar_t* kEveryKey[] = {kKind,     kUrl,        kKey,     kName,         kUnit,
                                        kDecimals, kInterval,   kBarMin,  kBarMax,       kShow,
                                        kAlertOn,  kAlertBelow, kAlertAt, kAlertSeconds, kToken};
// A protected token is kept as this prefix and the protected bytes in base64; anything else in
// the key is a token written there by hand.
constexpr std::wstring_view kProtectedPrefix = L"dpapi:";

struct KindName {
    SourceKind kind;
    std::wstring_view text;
};
constexpr KindName kKinds[] = {
    {SourceKind::HardwareMonitor, L"lhm"},
    {SourceKind::HomeAssistant, L"homeassistant"},
    {SourceKind::Json, L"json"},
};

std::wstring keyOf(const wchar_t* name, size_t n) { return name + std::to_wstring(n); }

std::wstring trimmed(std::wstring text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    size_t start = 0;
    while (start < text.size() && blank(text[start])) ++start;
    return text.substr(start);
}

std::string ascii(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void readToken(platform::ProfileFile& file, platform::SecretBox& secrets, size_t n,
               SourceSetting& source) {
    std::wstring stored = trimmed(file.getString(kSection, keyOf(kToken, n), L""));
    if (stored.empty()) return;
    if (!stored.starts_with(kProtectedPrefix)) {
        source.token = stored;
        source.tokenState = TokenState::Usable;
        return;
    }
    std::optional<std::string> bytes = base::base64Decode(ascii(stored.substr(6)));
    std::optional<std::string> plain = bytes ? secrets.unprotect(*bytes) : std::nullopt;
    std::optional<std::wstring> text =
        plain ? platform::decodeUnicode(*plain, platform::TextEncoding::Utf8) : std::nullopt;
    if (text) {
        source.token = *text;
        source.tokenState = TokenState::Usable;
    } else {
        // Kept as it is: back on its own user's machine the file still works.
        source.storedToken = stored;
        source.tokenState = TokenState::Unreadable;
    }
}

std::wstring tokenText(const SourceSetting& source, platform::SecretBox& secrets) {
    if (source.tokenState == TokenState::Unreadable && source.token.empty())
        return source.storedToken;
    if (source.token.empty()) return L"";
    auto bytes =
        secrets.protect(platform::encodeUnicode(source.token, platform::TextEncoding::Utf8));
    // Never the plain text: a token that cannot be protected is not stored.
    if (!bytes) return L"";
    std::string encoded = base::base64Encode(*bytes);
    return std::wstring(kProtectedPrefix) + std::wstring(encoded.begin(), encoded.end());
}

int clamped(int value, int low, int high) { return std::clamp(value, low, high); }

}  // namespace

std::optional<SourceKind> sourceKindOf(std::wstring_view stored) {
    std::wstring folded;
    for (wchar_t c : stored)
        if (c != L' ' && c != L'\t') folded += (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
    for (const KindName& k : kKinds)
        if (k.text == folded) return k.kind;
    return std::nullopt;
}

std::wstring_view storedKindText(SourceKind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k.text;
    return kKinds[0].text;
}

std::wstring sourceNumberText(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::wstring(buffer, result.ptr);
}

std::optional<double> parseSourceNumber(std::wstring_view text) {
    std::string narrow = ascii(trimmed(std::wstring(text)));
    std::replace(narrow.begin(), narrow.end(), ',', '.');
    if (narrow.empty()) return std::nullopt;
    double value = 0;
    const char* first = narrow.data();
    if (*first == '+') ++first;
    auto result = std::from_chars(first, narrow.data() + narrow.size(), value);
    if (result.ec != std::errc() || result.ptr != narrow.data() + narrow.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<SourceSetting> readSources(platform::ProfileFile& file, platform::SecretBox& secrets) {
    std::vector<SourceSetting> sources;
    const int count = clamped(file.getInt(kSection, kCount, 0), 0, kMaxSources);
    for (size_t n = 1; n <= static_cast<size_t>(count); ++n) {
        SourceSetting s;
        const auto text = [&](const wchar_t* name) {
            return trimmed(file.getString(kSection, keyOf(name, n), L""));
        };
        const auto number = [&](const wchar_t* name, int def, int low, int high) {
            return clamped(file.getInt(kSection, keyOf(name, n), def), low, high);
        };
        // A kind this version does not know is read as plain JSON, its key a pointer.
        s.kind = sourceKindOf(text(kKind)).value_or(SourceKind::Json);
        s.url = text(kUrl);
        s.key = text(kKey);
        s.name = text(kName);
        s.unit = text(kUnit);
        s.decimals = number(kDecimals, s.decimals, 0, kMaxSourceDecimals);
        s.intervalSeconds =
            number(kInterval, s.intervalSeconds, kMinSourceInterval, kMaxSourceInterval);
        s.barMin = parseSourceNumber(text(kBarMin));
        s.barMax = parseSourceNumber(text(kBarMax));
        s.shown = number(kShow, 1, 0, 1) == 1;
        s.alertOn = number(kAlertOn, 0, 0, 1) == 1;
        s.alertBelow = number(kAlertBelow, 0, 0, 1) == 1;
        s.alertThreshold = parseSourceNumber(text(kAlertAt)).value_or(0);
        s.alertSeconds = number(kAlertSeconds, s.alertSeconds, 1, kMaxSourceAlertSeconds);
        readToken(file, secrets, n, s);
        sources.push_back(std::move(s));
    }
    return sources;
}

bool writeSources(platform::ProfileFile& file, const std::vector<SourceSetting>& sources,
                  platform::SecretBox& secrets) {
    const int before = clamped(file.getInt(kSection, kCount, -1), -1, kMaxSources);
    // A file that never had sources gets no section for none.
    if (sources.empty() && before < 0) return true;
    bool ok = file.write(kSection, kCount, std::to_wstring(sources.size()));
    size_t n = 0;
    for (const SourceSetting& s : sources) {
        ++n;
        const auto put = [&](const wchar_t* name, const std::wstring& value) {
            ok = file.write(kSection, keyOf(name, n), value) && ok;
        };
        const auto optionalNumber = [](const std::optional<double>& v) {
            return v ? sourceNumberText(*v) : std::wstring();
        };
        put(kKind, std::wstring(storedKindText(s.kind)));
        put(kUrl, s.url);
        put(kKey, s.key);
        put(kName, s.name);
        put(kUnit, s.unit);
        put(kDecimals, std::to_wstring(s.decimals));
        put(kInterval, std::to_wstring(s.intervalSeconds));
        put(kBarMin, optionalNumber(s.barMin));
        put(kBarMax, optionalNumber(s.barMax));
        put(kShow, s.shown ? L"1" : L"0");
        put(kAlertOn, s.alertOn ? L"1" : L"0");
        put(kAlertBelow, s.alertBelow ? L"1" : L"0");
        put(kAlertAt, sourceNumberText(s.alertThreshold));
        put(kAlertSeconds, std::to_wstring(s.alertSeconds));
        std::wstring token = tokenText(s, secrets);
        if (token.empty())
            ok = file.remove(kSection, keyOf(kToken, n)) && ok;
        else
            put(kToken, token);
    }
    // What a longer list left behind would come back as sources of their own when hand-edited.
    for (size_t gone = sources.size() + 1; gone <= static_cast<size_t>(std::max(before, 0)); ++gone)
        for (const wchar_t* name : kEveryKey) ok = file.remove(kSection, keyOf(name, gone)) && ok;
    return ok;
}

}  // namespace settings
