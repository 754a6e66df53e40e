#pragma once

// The attendance record of one meeting as the text of a table: the months September..August down, for the
// previous and the current service year the meetings, the total and the average per meeting.

#include <array>
#include <string>
#include <vector>

#include "core/reporting/Attendance.h"

namespace vardo {

struct AttendanceRecordTable {
    /// "Rok służbowy <year>" for the previous and the current service year (the calendar year it ends in).
    std::array<std::string, 2> yearHeadings;
    /// The column headings: the month column (empty), then "Liczba zebrań", "Ogółem obecnych" and
    /// "Śr. każdym tygodniu" for each of the two years.
    std::array<std::string, 7> headings;
    /// Twelve month rows and the closing row "Śr. obecności w każdym miesiącu"; averages "%4.2f" with a
    /// decimal comma; months not yet reported are left empty.
    std::vector<std::array<std::string, 7>> rows;
};

AttendanceRecordTable MakeAttendanceRecordTable(const MeetingAttendance& attendance, MeetingKind kind,
                                                const WorkingMonth& month, bool workingMonthInitialised);

/// The meeting's name ("Zebranie w tygodniu", "Zebranie w weekend").
std::string MeetingName(MeetingKind kind);

} // namespace vardo
