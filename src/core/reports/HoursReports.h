#pragma once

// The four per-publisher reports of recent activity: the 3/6-month averages, the 12-month hours, the
// service-year summary and the regular pioneers' hours requirement, with their shared filter and page frame,
// and the pioneer figures they (and the pioneer progress window) compute.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/reports/PageEngine.h"
#include "core/reports/ReportKind.h"
#include "core/store/GroupTable.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// Who a report lists besides being on the active list.
struct ReportFilter {
    /// Field-service group 1..20; 0 = all.
    int group = 0;
    /// 0 any, 1 auxiliary pioneers, 2 regular pioneers.
    int pioneer = 0;
    /// 0 any; 1 ministerial servants, 2 elders, 3 baptised brothers. In the hours report and the service-year
    /// summary 1 means elders and ministerial servants together.
    int appointment = 0;
    /// Only persons marked for the user category.
    bool userCategory = false;
    bool operator==(const ReportFilter&) const = default;
};

enum class HoursReportType { Averages, Hours, ServiceYear, PioneerHours };

/// The report a kind draws and its filter; nullopt for other kinds. `group` is the chosen group of the group
/// kinds (6, 41).
struct HoursReportKind {
    HoursReportType type = HoursReportType::Averages;
    ReportFilter filter;
};
std::optional<HoursReportKind> HoursReportKindOf(ReportKind kind, int group);

/// The data the reports draw from. A report keeps a copy; the database (index built) and groups it points
/// to must outlive the report.
struct HoursSource {
    const PublisherDatabase* database = nullptr;
    const GroupTable* groups = nullptr; ///< may be null
    WorkingMonth workingMonth;
    /// The user category's name (the subtitle of the user-category kinds).
    std::string userCategoryLabel;
    /// The last month of the older report format; months after it use the newer one.
    MonthCount lastOldFormatMonth = kNewReportFormatStart;
};

// --- Pioneer figures -------------------------------------------------------------------------------------

/// Monthly hours requirement of a regular pioneer: 70 while the service year's two-digit number (the year
/// + 1 after August) is below 23, else 50.
int PioneerMonthlyGoal(const WorkingMonth& month);
/// Month index where the person's regular pioneer service of this service year began: the walk back from
/// the working month stops at the first month without regular service (the start is the month after it) or
/// at September.
MonthIndex PioneerStartMonth(const PublisherRecord& person, const WorkingMonth& month);
/// Months from `start` through August (12 for September).
int PioneerMonthsInYear(MonthIndex start);
/// Months from `start` through the working month, both included.
int MonthsSinceStart(MonthIndex start, MonthIndex working);
/// Months after the working month up to and including August (0 in August).
int MonthsLeftToAugust(MonthIndex working);

/// One regular pioneer's standing in the service year.
struct PioneerProgress {
    RecordNumber record = 0;
    std::string name;
    MonthIndex start = 8;
    int pioneerMonths = 12; ///< months as pioneer this service year
    int elapsed = 1;        ///< months from the start through the working month
    int hours = 0;          ///< over the elapsed months; quarter hours carried into hours
    int credit = 0;         ///< pioneer credit hours over the elapsed months
    int goal = 50;          ///< monthly requirement
    int monthsLeft = 0;     ///< months after the working month through August

    int Done() const { return hours + credit; }
    int Required() const { return pioneerMonths * goal; }
    /// Hours still to go this year, at least 0.
    int Remaining() const;
    /// Done / elapsed.
    double AveragePerMonth() const;
    /// Remaining / months left; 0 when nothing remains or no month is left.
    double RemainingPerMonth() const;
};

/// The progress of one person (who need not be a pioneer of the working month).
PioneerProgress ComputePioneerProgress(const PublisherDatabase& database, RecordNumber record,
                                       const WorkingMonth& month, bool lastNameFirst);
/// The regular pioneers of the working month (active list, list order).
std::vector<RecordNumber> RegularPioneersOf(const PublisherDatabase& database, const WorkingMonth& month);

// --- Cell texts --------------------------------------------------------------------------------------------

/// Hours with their quarter hours: "12", "12,15", "12,30", "12,45".
std::string HoursText(int hours, int quarters);
/// The 12-month average of the hours report: whole hours plus quarters / 4, one more hour when the quarter
/// remainder is 3, divided by 12.
double TwelveMonthAverage(int hours, int quarters);

// --- Reports ------------------------------------------------------------------------------------------------

std::string HoursReportTitle(HoursReportType type, const WorkingMonth& month);
/// The subtitle of a kind, followed by " - " and the congregation name when one is set and the report is
/// not for a group.
std::string HoursReportSubtitle(ReportKind kind, const HoursSource& source, const ReportFilter& filter,
                                const std::string& congregationName);
/// The persons a report lists, in active-list order.
std::vector<RecordNumber> SelectReportRows(HoursReportType type, const HoursSource& source, const ReportFilter& filter);

void DrawAveragesReport(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment,
                        ReportKind kind, const ReportFilter& filter);
void DrawHoursReport(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment, ReportKind kind,
                     const ReportFilter& filter);
void DrawServiceYearSummary(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment,
                            ReportKind kind, const ReportFilter& filter);
void DrawPioneerHoursReport(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment);
int CountHoursReportPages(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment,
                          ReportKind kind, const ReportFilter& filter);

/// The report of a kind over a copy of `source`, or nullptr for kinds that are not of these.
std::unique_ptr<Report> MakeHoursReport(ReportKind kind, const HoursSource& source, int group);

} // namespace vardo
