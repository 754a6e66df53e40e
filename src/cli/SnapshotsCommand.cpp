// vardo-cli snapshots: the six months before the working month and whether each has its snapshot.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

int RunSnapshots(const CliContext& context) {
    OpenedDocument opened("snapshots");
    if (const int failed = opened.OpenWithoutArguments(context); failed != 0)
        return failed;
    const CVardoDoc& doc = opened.Doc();
    std::string out;
    for (int k = 1; k <= kViewableSnapshots; ++k) {
        const MonthIndex month = doc.PastMonthIndex(k);
        const bool present = IsSnapshotPresent(doc.DataFolderRoot(), month + 1);
        out += FormatPrintf("%d\t%04d-%02d\t%s\n", k, doc.PastMonthYear(k), month + 1, present ? "present" : "absent");
    }
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"snapshots", "snapshots [--password TEXT]",
                     "the six months before the working month: k, month, present or absent", RunSnapshots});

} // namespace
} // namespace vardo::cli
