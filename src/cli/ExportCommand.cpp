// vardo-cli export WHAT: the tabular exports into the data folder's Exports folder.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/DocumentCommand.h"
#include "core/reporting/Attendance.h"

namespace vardo::cli {
namespace {

int RunExport(const CliContext& context) {
    OpenedDocument opened("export");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (args.size() != 1 || args[0] != "attendance") {
        opened.Error("usage: export attendance");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    doc.RefreshMonthTotals();
    const Result<std::string> path =
        ExportAttendanceCsv(doc.Folder(), doc.Side().attendance, doc.Side().cardTotals, doc.GetWorkingMonth());
    opened.Close();
    if (!path.ok()) {
        opened.Error(path.error());
        return 1;
    }
    std::printf("%s\n", path.value().c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"export", "export attendance", "write the attendance of the last 24 months to Exports/Frekwencja.csv", RunExport});

} // namespace
} // namespace vardo::cli
