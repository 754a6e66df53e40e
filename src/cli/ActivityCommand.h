#pragma once

// The activity summary on the command line: its options, shared by `activity` and `report activity`.

#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "core/reports/ActivitySummary.h"

namespace vardo::cli {

/// Takes the option at args[i] when it is one of --source, --category, --period or --chart (its value
/// too, advancing i). Returns nullopt when args[i] is no such option, true when taken, false after printing
/// what is wrong with the value.
std::optional<bool> TakeActivityOption(const std::vector<std::string>& args, std::size_t& i, ActivityChoice& choice,
                                       const char* command);

/// True when the report kind among `args` (the first argument that is neither an option nor an option's
/// value) is "activity".
bool IsActivityReport(const std::vector<std::string>& args);

/// `vardo-cli report activity ...`: the printed page of the summary to PDF or PNG.
int RunActivityReport(const CliContext& context);

} // namespace vardo::cli
