#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/page_texts.h"
#include "monitor/readings.h"
#include "platform/locale_format.h"
#include "platform/page_request.h"
#include "platform/power_status.h"
#include "platform/registry.h"
#include "render/value_row.h"

namespace monitor {

// Where the public address row's two fixed texts end, measured; an address is placed by its
// characters like the other values.
std::optional<int> ipValueEnd(const std::wstring& ipText);

// Items 107, 108, 109: the registry text normalised to the one kept value or "0", and "ON" or
// "OFF" from it (a missing proxy switch is OFF, a missing zone policy is ON).
enum class Switch { ProxyEnable, ActiveScripting, JavaScripting };
std::wstring normalisedSwitch(Switch which, const std::wstring& registryText);
std::wstring switchText(Switch which, const std::wstring& normalised);
std::wstring readSwitch(platform::Registry& registry, Switch which);  // "ON" / "OFF"
std::wstring readProxyServer(platform::Registry& registry);
// The proxy the browser uses now, for the program's own page fetches.
platform::BrowserProxy readBrowserProxy(platform::Registry& registry);

// Item 114: short date, full weekday, time. The row shows it as one line; when a long regional
// format does not fit, the time keeps its place and the date gives way.
DateTimeText dateTimeText(platform::LocaleFormat& locale);

// Item 115: "1日01時01分01秒", measured to end where the row's design puts it, whatever the
// units' widths.
constexpr int kUptimeValueEnd = 150;
struct UptimeText {
    std::wstring text;
};
UptimeText uptimeText(std::uint32_t milliseconds);

// Item 122: the memo's rows are the lines of the memo box as it shows them. The box is as wide
// as a row's text: (157 - 5) / 6 half-width characters (a full-width one takes two), in the rows'
// fixed-pitch font, and wraps a longer line after its last blank that fits, or else where the
// width ends, as a multi-line edit does.
constexpr int kMemoColumns = 25;
// The columns a character takes in that font: 1 for what is half-width, 2 otherwise.
int memoColumnsOf(wchar_t c);
// The box's lines as drawn (trailing blanks removed, tabs as one blank); at least one line.
std::vector<std::wstring> memoLines(const std::wstring& memo, int columns = kMemoColumns);

// Item 123: what the power row draws, in order, and its bar.
struct PowerRow {
    std::vector<render::RowText> texts;
    int barWidth = 0;
};
PowerRow powerRow(const platform::PowerStatus& power);

// The new-version row shows while the check answered, a newer version exists and the check
// box is on.
bool newVersionApplies(const UpdateInfo& update, bool newVersionCheck);

}  // namespace monitor
