#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Date.h"

namespace vardo::cli {

/// What every command gets: the global options and its own arguments (the command name removed).
struct CliContext {
    std::string dataFolder = ".";
    std::optional<Date> today;
    /// --past K: view the snapshot of the month K (1..6) before the working month, read-only.
    std::optional<int> past;
    std::vector<std::string> args;
};

/// One command of vardo-cli. `run` returns the process exit code: 0 success, 1 failure, 2 bad usage.
struct CliCommand {
    std::string name;
    std::string usage;   // e.g. "list" or "report KIND [--group N] (--pdf FILE | --png DIR)"
    std::string summary; // one line
    std::function<int(const CliContext&)> run;
};

/// Adds a command to the table; used from a namespace-scope initializer in the command's source file:
///   const bool registered = RegisterCommand({...});
bool RegisterCommand(CliCommand command);
const std::vector<CliCommand>& Commands();

} // namespace vardo::cli
