#pragma once

// The working month's totals by report category (4 rows × 9 unsigned 16-bit columns), the counting rules
// every report shares (time, participation, baptism, analysis section, irregularity) and the averages of one
// report field over recent months.

#include <array>
#include <cstdint>

#include "core/reporting/LateReportList.h"
#include "core/store/CardTotals.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/PublisherRecord.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

struct MonthTotals {
    static constexpr int kRows = 4;    ///< publishers, auxiliary, regular and special pioneers
    static constexpr int kColumns = 9; ///< 0..4 sums, 5 active publishers (row 0), 7 quarter hours, 8 reports
    static constexpr int kPlacementsColumn = 0;
    static constexpr int kVideosColumn = 1;
    static constexpr int kHoursColumn = 2;
    static constexpr int kReturnVisitsColumn = 3;
    static constexpr int kStudiesColumn = 4;
    static constexpr int kActiveColumn = 5;
    static constexpr int kQuarterHourColumn = 7;
    static constexpr int kReportCountColumn = 8;

    std::array<std::array<std::uint16_t, kColumns>, kRows> values{};

    std::uint16_t Value(int row, int column) const { return values[row][column]; }
    void SetValue(int row, int column, std::uint16_t value) { values[row][column] = value; }
    void Clear() { values = {}; }
    /// Publishers on the active list when the totals were computed.
    int ActivePublishers() const { return values[0][kActiveColumn]; }
    bool operator==(const MonthTotals&) const = default;
};

// --- Counting rules --------------------------------------------------------------------------------------

/// Hours or quarter hours reported for the month.
bool HasTime(const PublisherRecord& person, MonthIndex month, YearSlot slot);
/// HasTime, or the participation flag (bit 11 of the study word) is set.
bool Participated(const PublisherRecord& person, MonthIndex month, YearSlot slot);
/// The baptism date text, trimmed on both sides, is longer than 5 characters.
bool IsBaptised(const PublisherRecord& person);
/// Analysis section: 1 regular or special pioneer of the month, 2 baptised (the fifth character of the
/// baptism date is a digit), 3 unbaptised.
int SectionOf(const PublisherRecord& person, MonthIndex month, YearSlot slot);
// --- Totals ----------------------------------------------------------------------------------------------

/// ComputeMonthTotals: the totals of the working month over the active list, special-service and
/// field-missionary persons left out. Late reports of earlier months count with their own month's category
/// (publishers, auxiliary and regular pioneers only); the working month counts all four categories. Category
/// 0 adds only Bible studies, the others every report field. Column 5 of row 0 = publishers on the list.
MonthTotals ComputeMonthTotals(const PublisherDatabase& database, const LateReportList& lateReports,
                               const WorkingMonth& month);
/// The history copy: the 36 values into month `month`, slot `slot` of the card totals (the quarter-hour
/// column 7 included).
void StoreMonthHistory(CardTotals& history, const MonthTotals& totals, MonthIndex month, YearSlot slot);
/// The totals of a month read back from the history.
MonthTotals MonthHistory(const CardTotals& history, MonthIndex month, YearSlot slot);
/// Sum of rows 0..2 of a column; for hours each row's quarter-hour sum / 4 is added.
int TotalOfColumn(const MonthTotals& totals, int column);

/// Report fields CategoryAverage can average.
enum class ReportField { Placements, Videos, Hours, ReturnVisits, Studies };
/// Category value meaning any category.
inline constexpr int kAnyCategory = 15;
/// CategoryAverage: average of one field over the reports of the last `months` months (the working month
/// included) of persons on the active list in `group` (0 = all) whose month category is `category`
/// (kAnyCategory = any) and who participated. `filter` bits 0-1 require that appointment, bit 4 the user
/// category. Hours add the quarter hours (q / 4, one more hour when q mod 4 = 3). 0 when nothing counts.
double CategoryAverage(const PublisherDatabase& database, const WorkingMonth& month, int category, int months,
                       ReportField field, int group, int filter);

} // namespace vardo
