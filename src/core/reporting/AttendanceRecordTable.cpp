#include "core/reporting/AttendanceRecordTable.h"

#include <algorithm>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

std::string Decimal(double value) {
    std::string text = FormatPrintf("%4.2f", value);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

} // namespace

std::string MeetingName(MeetingKind kind) {
    return std::string(Str(kind == MeetingKind::Midweek ? StrId::MidweekMeeting : StrId::WeekendMeeting));
}

AttendanceRecordTable MakeAttendanceRecordTable(const MeetingAttendance& attendance, MeetingKind kind,
                                                const WorkingMonth& month, bool workingMonthInitialised) {
    const std::array<AttendanceYear, 2> years = AttendanceRecord(attendance, kind, month, workingMonthInitialised);
    AttendanceRecordTable table;
    for (std::size_t y = 0; y < 2; ++y) {
        table.yearHeadings[y] =
            FormatPrintf("%s %d", std::string(Str(StrId::ServiceYearHeading)).c_str(), years[y].serviceYear);
        table.headings[1 + 3 * y] = std::string(Str(StrId::MeetingsCount));
        table.headings[2 + 3 * y] = std::string(Str(StrId::AttendanceTotal));
        table.headings[3 + 3 * y] = std::string(Str(StrId::AverageEachWeek));
    }
    for (std::size_t row = 0; row < 12; ++row) {
        std::array<std::string, 7> cells;
        cells[0] = std::string(MonthName(years[0].rows[row].month));
        for (std::size_t y = 0; y < 2; ++y) {
            const AttendanceRow& line = years[y].rows[row];
            if (!line.shown)
                continue;
            cells[1 + 3 * y] = std::to_string(line.meetings);
            cells[2 + 3 * y] = std::to_string(line.total);
            cells[3 + 3 * y] = Decimal(line.average);
        }
        table.rows.push_back(std::move(cells));
    }
    std::array<std::string, 7> closing;
    closing[0] = std::string(Str(StrId::MeanOfMonthlyAverages));
    for (std::size_t y = 0; y < 2; ++y)
        closing[3 + 3 * y] = Decimal(years[y].meanOfAverages);
    table.rows.push_back(std::move(closing));
    return table;
}

} // namespace vardo
