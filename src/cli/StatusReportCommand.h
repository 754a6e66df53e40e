#pragma once

// vardo-cli report status-KIND: a status view printed to PDF or PNG.

#include <string>
#include <vector>

#include "cli/CliCommand.h"

namespace vardo::cli {

class OpenedDocument;

/// The report's arguments name a status view (status-KIND).
bool IsStatusReportRequest(const std::vector<std::string>& args);
/// Runs it; `args` are the report command's arguments after the document options.
int RunStatusReport(const CliContext& context, std::vector<std::string> args, OpenedDocument& opened);

} // namespace vardo::cli
