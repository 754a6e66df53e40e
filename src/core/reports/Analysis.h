#pragma once

// The congregation analysis of the working month (whole congregation by sections, one group, alphabetical),
// its summary, the report to the branch office and the attendance section.

#include <memory>
#include <optional>

#include "core/reporting/LateReportList.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportKind.h"
#include "core/store/GroupTable.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// The document data the analysis draws from; everything must outlive the report. `groups`, `remarks`,
/// `lateReports` and `attendance` may be null (none).
struct AnalysisSource {
    const PublisherDatabase* database = nullptr;
    const GroupTable* groups = nullptr;
    const RemarkTable* remarks = nullptr;
    const LateReportList* lateReports = nullptr;
    const MeetingAttendance* attendance = nullptr;
    WorkingMonth workingMonth;
    /// The working month's MonthState is Open (the open month is not counted as missed).
    bool workingMonthOpen = true;
};

/// What is drawn: v = 0 the analysis, 1 the summary, 2 the attendance only; z = alphabetical without
/// sections; g = the group (0 = whole congregation).
struct AnalysisVariant {
    int group = 0;
    int variant = 0;
    bool alphabetical = false;
    bool operator==(const AnalysisVariant&) const = default;
};
/// The variant of report kinds 1, 2 (with `group`), 3, 4 and 110; nullopt for other kinds.
std::optional<AnalysisVariant> AnalysisVariantOf(ReportKind kind, int group);

/// The counters one drawing keeps, per category 0..3 and overall.
struct AnalysisCounts {
    std::array<int, 4> listed{};
    std::array<int, 4> studies{};
    std::array<int, 4> hours{};
    std::array<int, 4> noReport{};
    std::array<int, 4> irregular{};
    int specialService = 0;
    int fieldMissionaries = 0;
    int auxiliaryListed = 0;
    int unbaptised = 0;
};

/// DrawAnalysis over one tall sheet; returns the counters of the drawing.
AnalysisCounts DrawAnalysis(const AnalysisSource& source, Canvas& canvas, const ReportEnvironment& environment,
                            AnalysisVariant variant);
/// CountAnalysisPages: the pages the same drawing fills.
int CountAnalysisPages(const AnalysisSource& source, Canvas& canvas, const ReportEnvironment& environment,
                       AnalysisVariant variant);
/// The report object of a variant.
std::unique_ptr<Report> MakeAnalysisReport(const AnalysisSource& source, AnalysisVariant variant);

} // namespace vardo
