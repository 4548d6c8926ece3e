#pragma once
#include <string>

namespace platform {

// A wall-clock moment of the local time zone.
struct LocalTime {
    int year = 2000, month = 1, day = 1, dayOfWeek = 0;  // dayOfWeek 0 = Sunday
    int hour = 0, minute = 0, second = 0;
};

// The user's locale: clock, digit grouping, date and time forms.
class LocaleFormat {
public:
    virtual ~LocaleFormat() = default;
    virtual LocalTime now() = 0;
    virtual std::wstring thousandsSeparator() = 0;
    virtual std::wstring decimalSeparator() = 0;
    virtual std::wstring shortDate(const LocalTime& time) = 0;
    virtual std::wstring fullWeekday(const LocalTime& time) = 0;  // "月曜日"
    virtual std::wstring timeText(const LocalTime& time) = 0;
};

}  // namespace platform
