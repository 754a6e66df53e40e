#include "core/store/WorkingMonth.h"

#include "core/platform/Strings.h"

namespace vardo {
namespace {

// From this day of the month on, an early start of the next month may be in force.
constexpr int kEarlyStartFirstDay = 25;

// True when the early start (year − 2000, month 1..12) is the calendar month after today's.
bool IsEarlyStartOf(const Date& today, int earlyYear, int earlyMonth) {
    if (!IsValidEarlyStart(earlyYear, earlyMonth))
        return false;
    const int next = today.year * 12 + today.month; // (year × 12 + month − 1) + 1
    return (2000 + earlyYear) * 12 + earlyMonth - 1 == next;
}

} // namespace

bool IsValidEarlyStart(int earlyYear, int earlyMonth) {
    return earlyYear >= kFirstSupportedYear - 2000 && earlyYear <= kLastSupportedYear - 2000 && earlyMonth >= 1 &&
           earlyMonth <= 12;
}

WorkingMonth WorkingMonthFor(int year, int month, int day, int earlyYear, int earlyMonth) {
    WorkingMonth w;
    w.todayYear = year;
    w.todayMonth = month;
    w.todayDay = day;
    if (earlyYear != 0) {
        w.todayYear = 2000 + earlyYear;
        w.todayMonth = earlyMonth;
    }
    w.currentYearByte = ToYearByte(w.todayYear);
    // (year × 12 + month) − 24002 is the MonthCount of the month before (year, month).
    w.monthCount = static_cast<MonthCount>(w.todayYear * 12 + w.todayMonth - 24002);
    w.monthIndex = MonthIndexOf(w.monthCount);
    w.startupMonthIndex = w.monthIndex;
    w.yearIndex = static_cast<std::int8_t>(YearIndexOf(w.monthCount));
    w.startupYearIndex = w.yearIndex;
    return w;
}

Result<WorkingMonth> ComputeWorkingMonth(const Clock& clock, Settings& settings, IniFile& file) {
    const Date today = clock.Today();
    if (today.year < kFirstSupportedYear || today.year > kLastSupportedYear)
        return Result<WorkingMonth>::Fail(FormatPrintf("Data %s leży poza obsługiwanym zakresem lat %d–%d.",
                                                       today.ToIso().c_str(), kFirstSupportedYear, kLastSupportedYear));

    if (today.day < kEarlyStartFirstDay) {
        file.SetInt(kEarlySection, kEarlyYearKey, 0);
        file.SetInt(kEarlySection, kEarlyMonthKey, 0);
    } else if (settings.earlyYear == 0) {
        settings.earlyYear = file.GetInt(kEarlySection, kEarlyYearKey, 0);
        settings.earlyMonth = file.GetInt(kEarlySection, kEarlyMonthKey, 0);
    }
    if (settings.earlyYear != 0 && !IsEarlyStartOf(today, settings.earlyYear, settings.earlyMonth)) {
        // Only the month after today's can have been started early (from the 25th, for the rest of the month).
        // Anything else is damaged or left over from an earlier month and would move the working month
        // elsewhere, even backwards; it is dropped from the file too.
        settings.earlyYear = 0;
        settings.earlyMonth = 0;
        file.SetInt(kEarlySection, kEarlyYearKey, 0);
        file.SetInt(kEarlySection, kEarlyMonthKey, 0);
    }
    return WorkingMonthFor(today.year, today.month, today.day, settings.earlyYear, settings.earlyMonth);
}

std::string WorkingMonthStatusText(const WorkingMonth& month) {
    return FormatArgs(Str(StrId::WorkingMonthStatus), {MonthName(month.monthIndex)});
}

} // namespace vardo
