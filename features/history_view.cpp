#include "features/history_view.h"

#include <cmath>
#include <cwchar>

#include "settings/settings.h"

namespace features {

double inListUnit(double bytesPerSecond, int rateUnit) {
    double bits = rateUnit == settings::kKilobitsPerSecond ? 8.0 : 1.0;
    return bytesPerSecond * bits / 1024.0;
}

double rateAxisTop(double peak) {
    if (!(peak > 0)) return 1;
    double step = std::pow(10.0, std::floor(std::log10(peak)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * step >= peak) return m * step;
    return 10 * step;
}

std::wstring amountText(std::int64_t bytes) {
    if (bytes <= 0) return L"0";
    if (bytes < 1024 * 1024) return std::to_wstring((bytes + 1023) / 1024) + L"KB";
    const wchar_t* const units[] = {L"MB", L"GB", L"TB"};
    double value = static_cast<double>(bytes) / (1024.0 * 1024.0);
    int unit = 0;
    // Rounded as shown, so 1023.999 MB reads 1.00GB, not 1024.00MB.
    while (unit < 2 && std::round(value * 100) >= 1024 * 100) {
        value /= 1024;
        ++unit;
    }
    wchar_t text[32];
    swprintf(text, 32, L"%.2f%ls", value, units[unit]);
    return text;
}

std::vector<DayTotals> lastDays(const TrafficDays& days, Day today, int count) {
    std::vector<DayTotals> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int back = 0; back < count; ++back) rows.push_back({today - back, days.of(today - back)});
    return rows;
}

MonthSums monthSums(const TrafficDays& days, Day today) {
    Day thisFirst = firstOfMonth(today, 0), lastFirst = firstOfMonth(today, 1);
    return {days.sum(thisFirst, today), days.sum(lastFirst, thisFirst - 1)};
}

}  // namespace features
