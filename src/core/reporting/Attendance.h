#pragma once

// Meeting attendance rules: the figures of a month (meetings, total, rounded average), storing a month, the
// averages, the attendance record of two service years and the CSV export of the last 24 months.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/platform/DataFolder.h"
#include "core/platform/Result.h"
#include "core/store/CardTotals.h"
#include "core/store/DocumentChange.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/PublisherRecord.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// Attendance of the five weeks of a month; 0 = no meeting that week.
using WeekAttendance = std::array<std::uint16_t, 5>;

/// The derived figures of a month: meetings = weeks with attendance, total = sum of the weeks, average =
/// total / meetings rounded half up (0 without meetings).
struct MeetingFigures {
    int meetings = 0;
    int total = 0;
    int average = 0;
    bool operator==(const MeetingFigures&) const = default;
};
MeetingFigures ComputeMeetingFigures(const WeekAttendance& weeks);

/// The five weeks stored for a month and slot.
WeekAttendance WeeksOf(const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot);
/// The figures stored for a month and slot.
MeetingFigures StoredFigures(const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot);

/// Writes the weeks and their figures into a month and slot (0..2) of one meeting.
void StoreAttendanceMonth(MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot,
                          const WeekAttendance& weeks);
/// The same through the change path: one change "Frekwencja" of the attendance area.
void StoreAttendanceMonth(ChangeHub& changes, MeetingAttendance& attendance, MeetingKind kind, MonthIndex month,
                          YearSlot slot, const WeekAttendance& weeks);

/// MeetingAverage: total / meetings as a real number; 0 without meetings.
double MeetingAverage(const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot);

/// Where the values of a calendar month are kept: the year slot of the 24 months ending with the working
/// month, or slot 2 for the month after the working month while it is today's calendar month. nullopt for
/// any other month.
std::optional<YearSlot> AttendanceSlotOf(const WorkingMonth& month, int year, MonthIndex monthIndex);

/// One month row of the attendance record.
struct AttendanceRow {
    MonthIndex month = 0;
    bool shown = false; ///< false: the row stays empty (a month not yet reported)
    int meetings = 0;
    int total = 0;
    double average = 0.0;
};
/// One service year of the record: September..August.
struct AttendanceYear {
    int serviceYear = 0; ///< the calendar year in which the service year ends
    std::array<AttendanceRow, 12> rows{};
    /// Mean of the monthly averages over the months that had meetings; 0 when none had.
    double meanOfAverages = 0.0;
};
/// The record of one meeting for the previous and the current service year. Months of the current service
/// year after the working month stay empty (their slots still hold the months two years back), and so does
/// the working month while `workingMonthInitialised` is false.
std::array<AttendanceYear, 2> AttendanceRecord(const MeetingAttendance& attendance, MeetingKind kind,
                                               const WorkingMonth& month, bool workingMonthInitialised);

/// The service year (the calendar year in which it ends) of a month.
constexpr int ServiceYearOf(int year, MonthIndex month) {
    return month >= 8 ? year + 1 : year;
}

/// The CSV text of the attendance export (UTF-8, lines ending in CR LF): the header line, then for the midweek
/// and the weekend meeting one line per month of the 24 months ending with the working month, oldest first.
std::string AttendanceCsv(const MeetingAttendance& attendance, const CardTotals& history, const WorkingMonth& month);
/// Writes the export as Windows-1250 into Exports/Frekwencja.csv of `folder` (the folder is created when
/// missing). Returns the file's path; fails with message 1231 when the file cannot be created.
Result<std::string> ExportAttendanceCsv(const DataFolder& folder, const MeetingAttendance& attendance,
                                        const CardTotals& history, const WorkingMonth& month);

} // namespace vardo
