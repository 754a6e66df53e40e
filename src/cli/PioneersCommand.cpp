// vardo-cli pioneers: the auxiliary, regular or special pioneers of a month, and adding or removing persons
// as the pioneer list does.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/reporting/PioneerList.h"

namespace vardo::cli {
namespace {

int RunPioneers(const CliContext& context) {
    OpenedDocument opened("pioneers");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> month;
    if (!TakeValue(args, "--month", month, opened))
        return 2;
    const std::optional<MonthCount> count = month ? ParseMonthArgument(*month) : std::nullopt;
    PioneerCode mode = PioneerCode::None;
    if (!args.empty())
        mode = args[0] == "aux"       ? PioneerCode::Auxiliary
               : args[0] == "regular" ? PioneerCode::Regular
               : args[0] == "special" ? PioneerCode::Special
                                      : PioneerCode::None;
    const bool change = args.size() >= 2;
    const bool adding = change && args[1] == "add";
    if (mode == PioneerCode::None || (month && !count) || (change && !adding && args[1] != "remove") ||
        (change && args.size() < 3)) {
        opened.Error("usage: pioneers aux|regular|special [--month YYYY-MM] [add|remove PERSON...]");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    DocumentReporting reporting(opened);
    PioneerList list(reporting.Context(), mode);
    if (count && !list.ChooseMonthCount(count.value_or(0))) {
        opened.Error(std::string(Str(StrId::MonthNotStored)));
        return 1;
    }
    for (std::size_t i = 2; i < args.size(); ++i) {
        const RecordNumber record = FindPerson(doc.Database(), args[i]);
        const bool done = record != 0 && (adding ? list.Add(record) : list.Remove(record));
        if (!done) {
            // Nothing is saved: the folder stays as it was.
            opened.Error("'" + args[i] + "': " +
                         (adding ? "nie jest czynnym głosicielem bez służby pionierskiej w tym miesiącu"
                                 : "nie jest na tej liście w tym miesiącu"));
            return 1;
        }
    }
    if (const int failed = SaveIfModified(opened); failed != 0)
        return failed;
    std::string out;
    for (const PioneerList::Item& item : list.Holders())
        out += std::to_string(doc.Database().Record(item.record).Id()) + "\t" + item.name + "\n";
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"pioneers", "pioneers aux|regular|special [--month YYYY-MM] [add|remove PERSON...]",
                     "the pioneers of a month (id, name); add or remove persons", RunPioneers});

} // namespace
} // namespace vardo::cli
