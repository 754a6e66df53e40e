#pragma once

// The averages and hours report kinds of `vardo-cli report`: a base name with --group and --filter.

#include <optional>
#include <string>
#include <string_view>

#include "core/reports/HoursReports.h"
#include "core/reports/ReportKind.h"

namespace vardo {
class CVardoDoc;
}

namespace vardo::cli {

/// "hours-12", the command line's name of the 12-month hours report; nullopt for other names.
std::optional<ReportKind> HoursKindAlias(std::string_view name);

/// The kind a base kind (averages, hours, service-year, pioneer-hours) becomes with a group (0 = none) and a
/// filter ("" = none; pioneers, regular, aux, elders, servants, brothers, user-category). Kinds of other
/// reports pass through unchanged when neither is given. nullopt with `error` set when the report does not
/// offer the combination.
std::optional<ReportKind> ResolveHoursReportKind(ReportKind base, int group, std::string_view filter,
                                                 std::string& error);

/// Why the report of `kind` cannot be drawn for the document (the user category is off); empty when it can.
std::string HoursReportRefusal(const CVardoDoc& doc, ReportKind kind);

/// The data the reports draw from, taken from the open document.
HoursSource HoursSourceOf(const CVardoDoc& doc);

} // namespace vardo::cli
