#pragma once

// The status views as printed lists: one report kind per view, the lines of a view with the name, what the
// view shows beside it and the reason the person is listed.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reporting/StatusViews.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportKind.h"
#include "core/store/GroupTable.h"

namespace vardo {

/// The report kind that prints a status view, and back (nullopt for other kinds).
ReportKind StatusReportKind(StatusViewKind kind);
std::optional<StatusViewKind> StatusViewOfReport(ReportKind kind);
/// The ASCII name of a view for command lines ("irregular", "no-report", ...).
std::string_view StatusViewName(StatusViewKind kind);
std::optional<StatusViewKind> StatusViewFromName(std::string_view name);

/// What a printed status view shows: the caption with its count, the filter line and the persons.
struct StatusReportContent {
    std::string title;
    /// The period, month, group, class or privilege chosen, and the working month.
    std::string subtitle;
    std::vector<StatusLine> lines;
};

/// The filter text of a query: "Okres: 12 ost. mies." / "Grupa: ..." joined with the working month.
std::string StatusReportSubtitle(const StatusData& data, const StatusQuery& query, const GroupTable* groups);
/// The content of a view as BuildStatusView gives it.
StatusReportContent MakeStatusReportContent(const StatusData& data, const StatusQuery& query, const GroupTable* groups);

/// The printable report of a view; it keeps its own copy of the lines.
std::unique_ptr<Report> MakeStatusReport(StatusReportContent content);

/// The text of a view's detail as one line: the tab-separated parts joined by two blanks.
std::string DetailText(std::string_view detail);

} // namespace vardo
