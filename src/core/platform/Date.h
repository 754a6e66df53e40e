#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vardo {

/// A calendar date of the proleptic Gregorian calendar. month is 1..12, day 1..31.
struct Date {
    int year = 2000;
    int month = 1;
    int day = 1;

    /// Parses "YYYY-MM-DD"; nullopt for anything else or an impossible date.
    static std::optional<Date> Parse(std::string_view text);
    /// "YYYY-MM-DD".
    std::string ToIso() const;
    bool IsValid() const;
    /// 0 = Monday .. 6 = Sunday.
    int DayOfWeek() const;
    /// Days since 1970-01-01 (negative before).
    long DaysSinceEpoch() const;
    static Date FromDaysSinceEpoch(long days);

    auto operator<=>(const Date&) const = default;
};

int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

/// A local date and time of day, as the clock gives it.
struct DateTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const DateTime&) const = default;
};

} // namespace vardo
