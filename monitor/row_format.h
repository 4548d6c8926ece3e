#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "monitor/page_texts.h"
#include "monitor/readings.h"
#include "render/number_pattern.h"
#include "render/value_row.h"
#include "settings/display_item.h"
#include "settings/settings.h"

namespace monitor {

// What formatting a row needs beyond the readings.
struct FormatInputs {
    const settings::Settings& settings;
    render::NumberSymbols symbols;
    const PageTexts& pages;
    const std::wstring& memo;           // the memo text box, lines ended by CR LF
    std::int64_t receiveTotalBase = 0;  // the shown totals count from these
    std::int64_t sendTotalBase = 0;
};

// An item's value text (what other features read of it) and its row's picture.
struct FormattedRow {
    std::wstring value;
    render::RowPicture picture;
    int lines = 1;  // 13-pixel lines of the row (the memo has one per line)
};

// The row of an item whose section ran; `previous` is the item's last value text, which a
// row keeps while its reading has nothing new (rates before the second sample, an unknown
// memory format).
FormattedRow formatRow(settings::Item item, const Readings& readings, const FormatInputs& in,
                       const std::wstring& previous);

std::wstring rateText(std::int64_t rate, int rateUnit);
// A value as its row shows it: a placeholder marker in the current language, else as it is.
std::wstring_view shownValue(const std::wstring& value);
// The shown total of the two total items: plain "0", or megabytes as "##GB ###.00" + "MB".
std::wstring totalText(std::int64_t bytes, const render::NumberSymbols& symbols);
// The memory item's text in one of its three formats; nothing for an unknown format.
std::optional<std::wstring> memoryText(int format, int totalMB, int freeMB);

}  // namespace monitor
