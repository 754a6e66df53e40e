#include "core/platform/Date.h"

#include <charconv>
#include <cstdio>

namespace vardo {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool Date::IsValid() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

std::optional<Date> Date::Parse(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    auto number = [&](std::size_t from, std::size_t length, int& out) {
        const char* first = text.data() + from;
        const char* last = first + length;
        for (const char* p = first; p != last; ++p)
            if (*p < '0' || *p > '9')
                return false;
        return std::from_chars(first, last, out).ec == std::errc{};
    };
    Date date;
    if (!number(0, 4, date.year) || !number(5, 2, date.month) || !number(8, 2, date.day) || !date.IsValid())
        return std::nullopt;
    return date;
}

std::string Date::ToIso() const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

// Days from civil: the well-known proleptic Gregorian algorithm over 400-year eras.
long Date::DaysSinceEpoch() const {
    const int y = year - (month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long mp = (month + 9) % 12;
    const long doy = (153 * mp + 2) / 5 + day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date Date::FromDaysSinceEpoch(long days) {
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    Date date;
    date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yoe + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int Date::DayOfWeek() const {
    // 1970-01-01 was a Thursday (3 when Monday is 0).
    const long d = DaysSinceEpoch();
    return static_cast<int>(((d % 7) + 7 + 3) % 7);
}

} // namespace vardo
