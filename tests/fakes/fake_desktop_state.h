#pragma once
#include <algorithm>

#include "platform/clipboard.h"
#include "platform/locale_format.h"
#include "platform/power_status.h"

namespace fakes {

class FakePowerStatus : public platform::PowerStatusSource {
public:
    platform::PowerStatus status{1, 128, 255};
    int reads = 0;
    platform::PowerStatus powerStatus() override {
        ++reads;
        return status;
    }
};

// A Japanese locale at a fixed moment.
class FakeLocale : public platform::LocaleFormat {
public:
    platform::LocalTime time{2026, 12, 7, 1, 9, 5, 3};
    std::wstring grouping = L",";
    int reads = 0;
    platform::LocalTime now() override {
        ++reads;
        return time;
    }
    std::wstring thousandsSeparator() override { return grouping; }
    std::wstring decimalSeparator() override { return L"."; }
    std::wstring shortDate(const platform::LocalTime& t) override {
        wchar_t buffer[32];
        swprintf(buffer, 32, L"%04d/%02d/%02d", t.year, t.month, t.day);
        return buffer;
    }
    std::wstring fullWeekday(const platform::LocalTime& t) override {
        static const wchar_t* const names[] = {L"日曜日", L"月曜日", L"火曜日", L"水曜日",
                                               L"木曜日", L"金曜日", L"土曜日"};
        return names[t.dayOfWeek % 7];
    }
    std::wstring timeText(const platform::LocalTime& t) override {
        wchar_t buffer[32];
        swprintf(buffer, 32, L"%d:%02d:%02d", t.hour, t.minute, t.second);
        return buffer;
    }
};

class FakeClipboard : public platform::Clipboard {
public:
    platform::ClipboardRead content{true, false, L""};
    int reads = 0;
    size_t charsHanded = 0;  // the work the readers were given
    platform::ClipboardRead readText(size_t maxChars) override {
        ++reads;
        platform::ClipboardRead read = content;
        read.text.resize(std::min(read.text.size(), maxChars));
        charsHanded += read.text.size();
        return read;
    }
};

}  // namespace fakes
