#include "features/traffic_days.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace features {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : kDays[m - 1];
}

std::optional<int> digits(std::wstring_view text) {
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::optional<std::int64_t> count(std::wstring_view text) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        if (value > (kMax - (c - L'0')) / 10) return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::int64_t plus(std::int64_t a, std::int64_t b) { return b > kMax - a ? kMax : a + b; }

std::wstring twoDigits(int v) { return (v < 10 ? L"0" : L"") + std::to_wstring(v); }

std::optional<TrafficLine> parseLine(std::wstring_view line) {
    if (line.size() < 14 || line[4] != L'-' || line[7] != L'-' || line[10] != L',')
        return std::nullopt;
    auto y = digits(line.substr(0, 4)), m = digits(line.substr(5, 2)),
         d = digits(line.substr(8, 2));
    if (!y || !m || !d || *y < 1970 || *m < 1 || *m > 12 || *d < 1 || *d > daysInMonth(*y, *m))
        return std::nullopt;
    std::wstring_view rest = line.substr(11);
    size_t comma = rest.find(L',');
    if (comma == std::wstring_view::npos) return std::nullopt;
    auto received = count(rest.substr(0, comma)), sent = count(rest.substr(comma + 1));
    if (!received || !sent) return std::nullopt;
    return TrafficLine{{}, dayOf(*y, *m, *d), {*received, *sent}};
}

}  // namespace

// Days from the civil calendar (proleptic Gregorian), after H. Hinnant's algorithm.
Day dayOf(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate dateOf(Day z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

Day firstOfMonth(Day day, int monthsBack) {
    CivilDate date = dateOf(day);
    int months = date.year * 12 + (date.month - 1) - monthsBack;
    return dayOf(months / 12, months % 12 + 1, 1);
}

std::uint64_t TrafficDays::nextRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

TrafficDays TrafficDays::parse(const std::vector<std::wstring>& lines) {
    TrafficDays days;
    days.lines_.reserve(lines.size());
    for (const std::wstring& line : lines) {
        std::optional<TrafficLine> parsed = parseLine(line);
        days.lines_.push_back(parsed ? std::move(*parsed) : TrafficLine{line, std::nullopt, {}});
    }
    days.trim();
    return days;
}

std::vector<std::wstring> TrafficDays::lines() const {
    std::vector<std::wstring> out;
    out.reserve(lines_.size());
    for (const TrafficLine& line : lines_) {
        if (!line.day) {
            out.push_back(line.text);
            continue;
        }
        CivilDate d = dateOf(*line.day);
        out.push_back(std::to_wstring(d.year) + L"-" + twoDigits(d.month) + L"-" +
                      twoDigits(d.day) + L"," + std::to_wstring(line.bytes.received) + L"," +
                      std::to_wstring(line.bytes.sent));
    }
    return out;
}

void TrafficDays::add(Day day, ByteTotals bytes) {
    auto same = std::find_if(lines_.begin(), lines_.end(),
                             [&](const TrafficLine& l) { return l.day == day; });
    if (same == lines_.end()) {
        // Before the first later day, so that a clock set back keeps the file in order.
        auto later = std::find_if(lines_.begin(), lines_.end(),
                                  [&](const TrafficLine& l) { return l.day && *l.day > day; });
        same = lines_.insert(later, TrafficLine{{}, day, {}});
    }
    same->bytes.received = plus(same->bytes.received, std::max<std::int64_t>(bytes.received, 0));
    same->bytes.sent = plus(same->bytes.sent, std::max<std::int64_t>(bytes.sent, 0));
    trim();
    revision_ = nextRevision();
}

void TrafficDays::trim() {
    size_t days = std::count_if(lines_.begin(), lines_.end(),
                                [](const TrafficLine& l) { return l.day.has_value(); });
    size_t drop = 0;
    while (days > kDaysKept && drop < lines_.size()) {
        if (lines_[drop].day) --days;
        ++drop;
    }
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(drop));
}

ByteTotals TrafficDays::of(Day day) const { return sum(day, day); }

ByteTotals TrafficDays::sum(Day first, Day last) const {
    ByteTotals total;
    for (const TrafficLine& line : lines_) {
        if (!line.day || *line.day < first || *line.day > last) continue;
        total.received = plus(total.received, line.bytes.received);
        total.sent = plus(total.sent, line.bytes.sent);
    }
    return total;
}

}  // namespace features
