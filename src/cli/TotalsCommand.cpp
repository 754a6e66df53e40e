// vardo-cli totals: the working month's report to the branch office as one line of JSON.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/platform/Strings.h"
#include "core/reporting/MonthTotals.h"

namespace vardo::cli {
namespace {

std::string RowJson(const MonthTotals& totals, int row) {
    const int hours =
        totals.Value(row, MonthTotals::kHoursColumn) + totals.Value(row, MonthTotals::kQuarterHourColumn) / 4;
    return FormatPrintf(
        "{\"reports\": %d, \"placements\": %d, \"videos\": %d, \"hours\": %d, \"return_visits\": %d, \"studies\": %d}",
        totals.Value(row, MonthTotals::kReportCountColumn), totals.Value(row, MonthTotals::kPlacementsColumn),
        totals.Value(row, MonthTotals::kVideosColumn), hours, totals.Value(row, MonthTotals::kReturnVisitsColumn),
        totals.Value(row, MonthTotals::kStudiesColumn));
}

int RunTotals(const CliContext& context) {
    OpenedDocument opened("totals");
    if (const int failed = opened.OpenWithoutArguments(context); failed != 0)
        return failed;
    CVardoDoc& doc = opened.Doc();
    doc.RefreshMonthTotals();
    const MonthTotals& totals = doc.Totals();
    const WorkingMonth& month = doc.GetWorkingMonth();
    const std::string out = FormatPrintf("{\"month\": \"%04d-%02d\", \"active\": %d, \"rows\": {", month.Year(),
                                         month.monthIndex + 1, totals.ActivePublishers()) +
                            "\"publishers\": " + RowJson(totals, 0) + ", \"auxiliary\": " + RowJson(totals, 1) +
                            ", \"regular\": " + RowJson(totals, 2) + ", \"special\": " + RowJson(totals, 3) + "}}\n";
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"totals", "totals", "the working month's report to the branch office as JSON (the month totals)", RunTotals});

} // namespace
} // namespace vardo::cli
