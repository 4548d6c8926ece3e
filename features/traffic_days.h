#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace features {

// A local calendar day as a count of days since 1970-01-01.
using Day = std::int64_t;
Day dayOf(int year, int month, int day);
struct CivilDate {
    int year, month, day;
};
CivilDate dateOf(Day day);

struct ByteTotals {
    std::int64_t received = 0;
    std::int64_t sent = 0;
};

// One line of the traffic file: a day's totals, or a line that did not parse, kept as it was.
struct TrafficLine {
    std::wstring text;  // as read, for a line that did not parse
    std::optional<Day> day;
    ByteTotals bytes;
};

// The daily traffic totals as the file keeps them: one line per day, oldest first.
class TrafficDays {
public:
    static constexpr size_t kDaysKept = 1100;

    static TrafficDays parse(const std::vector<std::wstring>& lines);
    std::vector<std::wstring> lines() const;

    // Adds to the day's line, making it in date order when it is new; the oldest lines go
    // when more than the kept number of days are left.
    void add(Day day, ByteTotals bytes);
    ByteTotals of(Day day) const;
    // The sum over the days first to last, both included; lines that did not parse count
    // nothing.
    ByteTotals sum(Day first, Day last) const;
    const std::vector<TrafficLine>& entries() const { return lines_; }
    // Changes whenever the lines do, and differs between any two lists made: a view made of
    // the lines knows when to make itself again.
    std::uint64_t revision() const { return revision_; }

private:
    void trim();
    std::vector<TrafficLine> lines_;
    std::uint64_t revision_ = nextRevision();
    static std::uint64_t nextRevision();
};

// The first day of the month `monthsBack` months before the month of `day`.
Day firstOfMonth(Day day, int monthsBack);

}  // namespace features
