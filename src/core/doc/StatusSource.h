#pragma once

// The document's data as the status views read it.

#include <string>
#include <vector>

#include "core/reporting/StatusViews.h"

namespace vardo {

class CVardoDoc;

/// The register, appointments, settings and working month of the loaded document, and today.
StatusData StatusDataOf(const CVardoDoc& doc);
/// The display names of the field service groups 1..N.
std::vector<std::string> GroupNamesOf(const CVardoDoc& doc);
/// The main panel's line of status counts.
std::string StatusCountsText(const StatusCounts& counts);

} // namespace vardo
