#pragma once

// What the import commands share: the preview lines of a report import and the import itself.

#include <string>
#include <string_view>
#include <vector>

#include "cli/DocumentCommand.h"
#include "core/exchange/ReportImport.h"

namespace vardo::cli {

/// Takes a flag out of `args`; true when it was there.
bool TakeFlag(std::vector<std::string>& args, std::string_view name);

/// One preview line: person, month (YYYY-MM), late, replaces values, replaces remark (yes/no); tab-separated,
/// with a newline.
std::string ImportPreviewLine(const ReportImport& import, std::size_t entry, const WorkingMonth& month);

/// Prints the preview lines; without `dryRun` imports every entry and saves the folder. Returns the exit code.
int RunReportImport(OpenedDocument& opened, ReportImport& import, bool dryRun);

/// Asks the backup question before an import (the import goes on either way; a Yes is answered with a hint).
void AskBackupFirst(OpenedDocument& opened);

} // namespace vardo::cli
