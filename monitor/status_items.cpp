#include "monitor/status_items.h"

#include <cwctype>

#include "base/texts.h"
#include "monitor/browser_registry.h"
#include "render/rounding.h"
#include "settings/settings.h"

namespace monitor {

using base::Text;

std::optional<int> ipValueEnd(const std::wstring& ipText) {
    if (ipText == kUnreachableText) return 144;
    if (ipText == kAfterRestartText) return 152;
    return std::nullopt;
}

std::wstring normalisedSwitch(Switch which, const std::wstring& text) {
    const wchar_t* kept = which == Switch::ProxyEnable ? L"1" : L"3";
    return text == kept ? text : L"0";
}

std::wstring switchText(Switch which, const std::wstring& normalised) {
    if (which == Switch::ProxyEnable) return normalised == L"1" ? L"ON" : L"OFF";
    return normalised == L"3" ? L"OFF" : L"ON";
}

std::wstring readSwitch(platform::Registry& registry, Switch which) {
    const wchar_t* key = which == Switch::ProxyEnable ? kInternetSettingsKey : kInternetZoneKey;
    const wchar_t* value = which == Switch::ProxyEnable       ? L"ProxyEnable"
                           : which == Switch::ActiveScripting ? L"1400"
                                                              : L"1402";
    std::wstring text = readRegistryText(registry, platform::Hive::CurrentUser, key, value);
    return switchText(which, normalisedSwitch(which, text));
}

std::wstring readProxyServer(platform::Registry& registry) {
    return readRegistryText(registry, platform::Hive::CurrentUser, kInternetSettingsKey,
                            L"ProxyServer");
}

platform::BrowserProxy readBrowserProxy(platform::Registry& registry) {
    auto read = [&](const wchar_t* value) {
        return readRegistryText(registry, platform::Hive::CurrentUser, kInternetSettingsKey, value);
    };
    return {normalisedSwitch(Switch::ProxyEnable, read(L"ProxyEnable")) == L"1",
            read(L"ProxyServer"), read(L"ProxyOverride")};
}

DateTimeText dateTimeText(platform::LocaleFormat& locale) {
    platform::LocalTime now = locale.now();
    return {locale.shortDate(now) + L" " + locale.fullWeekday(now) + L" ", locale.timeText(now)};
}

namespace {

std::wstring twoDigits(std::int64_t n) {
    std::wstring s = std::to_wstring(n);
    return s.size() < 2 ? L"0" + s : s;
}

}  // namespace

UptimeText uptimeText(std::uint32_t ms) {
    std::int64_t days = ms / 86400000LL;
    std::int64_t hours = ms / 3600000LL - days * 24;
    std::int64_t minutes = ms / 60000LL - hours * 60 - days * 1440;
    std::int64_t seconds = ms / 1000LL - minutes * 60 - hours * 3600 - days * 86400;
    UptimeText result;
    if (days > 0) result.text = base::format(Text::UptimeDays, {std::to_wstring(days)});
    if (hours > 0) result.text += base::format(Text::UptimeHours, {twoDigits(hours)});
    result.text += base::format(Text::UptimeMinutes, {twoDigits(minutes), twoDigits(seconds)});
    return result;
}

int memoColumnsOf(wchar_t c) {
    // The single-byte characters of the system's code page: ASCII and the half-width kana.
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
}

namespace {

// Splits one hard line into the lines the box shows it on.
void wrapInto(std::vector<std::wstring>& lines, const std::wstring& line, int columns) {
    size_t start = 0;
    do {
        size_t end = start;
        int used = 0;
        while (end < line.size() && used + memoColumnsOf(line[end]) <= columns)
            used += memoColumnsOf(line[end++]);
        if (end == start) {
            ++end;  // a box narrower than one character still moves on
        } else if (end < line.size() && line[end] == L' ') {
            // Blanks at the break stay on this line, past its edge.
            while (end < line.size() && line[end] == L' ') ++end;
        } else if (end < line.size()) {
            size_t blank = line.find_last_of(L' ', end - 1);
            if (blank != std::wstring::npos && blank >= start) end = blank + 1;
        }
        lines.push_back(line.substr(start, end - start));
        start = end;
    } while (start < line.size());
}

}  // namespace

std::vector<std::wstring> memoLines(const std::wstring& memo, int columns) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (true) {
        size_t end = memo.find(L'\n', start);
        std::wstring line = memo.substr(start, end == std::wstring::npos ? end : end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        for (wchar_t& c : line)
            if (c == L'\t') c = L' ';
        wrapInto(lines, line, columns);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    for (std::wstring& line : lines) {
        if (line.size() > 255) line.resize(255);
        while (!line.empty() && line.back() == L' ') line.pop_back();
    }
    return lines;
}

PowerRow powerRow(const platform::PowerStatus& power) {
    PowerRow row;
    std::wstring text = L"  ";
    int percent = power.batteryLifePercent;
    if (percent >= 0 && percent < 101) {
        text = L"  " + std::to_wstring(percent) + L"%  ";
        row.barWidth = render::barWidthFor(percent);
    }
    row.texts.push_back(render::textAt(122, 0, text, render::TextRole::Value));
    switch (power.acStatus) {
        case 0:
            text = base::text(Text::PowerOnBattery);
            break;
        case 1:
            text.clear();
            break;
        case 255:
            text = base::text(Text::PowerUnknownSource);
            break;
        default:
            break;
    }
    row.texts.push_back(render::textAt(5, 0, text, render::TextRole::Label));
    text.clear();
    if (power.acStatus == 1) {
        switch (power.batteryStatus) {
            case 1:
            case 2:
            case 4:
                text = base::text(Text::PowerCharged);
                break;
            case 8:
            case 9:
            case 10:
            case 12:
                text = base::text(Text::PowerCharging);
                break;
            case 128:
                text = base::text(Text::PowerNoBattery);
                break;
            case 255:
                text = base::text(Text::PowerUnknown);
                break;
            default:
                break;
        }
    }
    row.texts.push_back(render::textAt(5, 0, text, render::TextRole::Label));
    return row;
}

bool newVersionApplies(const UpdateInfo& update, bool newVersionCheck) {
    if (!newVersionCheck || update.result != L"ok" || update.newestVersion.size() != 3)
        return false;
    int version = 0;
    for (wchar_t c : update.newestVersion) {
        if (!std::iswdigit(c)) return false;
        version = version * 10 + (c - L'0');
    }
    return version > settings::kSettingsVersion;
}

}  // namespace monitor
