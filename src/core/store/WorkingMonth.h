#pragma once

// The working month: the month whose reports are being collected, normally the month before today.

#include <cstdint>
#include <string>

#include "core/platform/Clock.h"
#include "core/platform/IniFile.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/Settings.h"

namespace vardo {

/// First and last calendar year the month arithmetic covers (year bytes 1..199).
inline constexpr int kFirstSupportedYear = 2001;
inline constexpr int kLastSupportedYear = 2199;

/// The working month as the document holds it.
struct WorkingMonth {
    /// Today: the clock's date with year and month replaced by an early start in force (so the day may lie
    /// beyond the end of that month). month is 1..12.
    int todayYear = 2000;
    int todayMonth = 1;
    int todayDay = 1;
    /// YearByte of todayYear (the current two-digit year).
    YearByte currentYearByte = 0;
    /// MonthCount of the working month: the month before (todayYear, todayMonth).
    MonthCount monthCount = 0;
    /// MonthIndex of the working month and the copy taken at start-up.
    MonthIndex monthIndex = 0;
    MonthIndex startupMonthIndex = 0;
    /// Year of the working month − 2000 and the copy taken at start-up.
    std::int8_t yearIndex = 0;
    std::int8_t startupYearIndex = 0;

    /// Full calendar year of the working month.
    int Year() const { return 2000 + yearIndex; }
    /// Year slot of month `month` of the per-month arrays, seen from this working month.
    YearSlot SlotOf(MonthIndex month) const { return SlotOfMonth(yearIndex, month, monthIndex); }
    bool operator==(const WorkingMonth&) const = default;
};

/// Year slot of a month of the two-year window, given by its MonthCount: the parity of its year.
constexpr YearSlot SlotOfMonthCount(MonthCount count) {
    return ParitySlot(YearIndexOf(count));
}

/// The working month for a date (year, month 1..12, day) with an optional early start (earlyYear =
/// year − 2000, 0 = none; earlyMonth 1..12). Both start-up copies are set. Years outside
/// kFirstSupportedYear..kLastSupportedYear are not covered.
WorkingMonth WorkingMonthFor(int year, int month, int day, int earlyYear = 0, int earlyMonth = 0);

/// True when an early start (year − 2000, month 1..12) can stand for a calendar month of the covered years.
bool IsValidEarlyStart(int earlyYear, int earlyMonth);

/// The working month from the clock, as at start-up. Before the 25th the early-start keys of `file` are set
/// to 0; from the 25th on, when `settings` holds no early start, it is read from `file` into `settings`.
/// An early start in `settings` is then used in place of today's year and month when it names the calendar
/// month after today's; any other is cleared in `settings` and `file`. Fails, changing nothing, when today
/// lies outside the covered years.
Result<WorkingMonth> ComputeWorkingMonth(const Clock& clock, Settings& settings, IniFile& file);

/// Text of the main window's status pane: "  Miesiąc roboczy = <month name>".
std::string WorkingMonthStatusText(const WorkingMonth& month);

} // namespace vardo
