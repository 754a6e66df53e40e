#pragma once

// The printed attendance record of both meetings: the midweek and then the weekend meeting, the months
// September to August of the previous and the current service year, with meetings, total attendance and the
// average per meeting, and the mean of the monthly averages.

#include <memory>
#include <string>

#include "core/reports/PageEngine.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// What the record draws; the attendance must outlive the report.
struct AttendanceRecordSource {
    const MeetingAttendance* attendance = nullptr;
    WorkingMonth workingMonth;
    /// The working month's MonthState is not NotInitialised (its row is filled).
    bool workingMonthInitialised = true;
};

/// An average as the record prints it: "%4.2f" with a decimal comma ("125,50", "0,00").
std::string AttendanceAverageText(double average);

/// The record on one page.
std::unique_ptr<Report> MakeAttendanceRecordReport(const AttendanceRecordSource& source);

} // namespace vardo
