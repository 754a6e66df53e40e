// vardo-cli list: one tab-separated line per person, in the register's order.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"

namespace vardo::cli {
namespace {

int RunList(const CliContext& context) {
    OpenedDocument opened("list");
    if (const int failed = opened.OpenWithoutArguments(context); failed != 0)
        return failed;
    const PublisherDatabase& db = opened.Doc().Database();
    const bool lastNameFirst = db.SortsLastNameFirst();
    std::string out;
    for (RecordNumber r = 1; r < db.Count(); ++r) {
        const PublisherRecord& p = db.Record(r);
        out += std::to_string(p.Id()) + "\t" + std::string(CategoryIdentifier(p.CategoryByte())) + "\t" +
               db.DisplayNameOfRecord(r, lastNameFirst) + "\t" + std::to_string(p.Group()) + "\n";
    }
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"list", "list", "one tab-separated line per person: id, category, name, group", RunList});

} // namespace
} // namespace vardo::cli
