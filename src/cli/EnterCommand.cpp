// vardo-cli enter: a report of one publisher for the working month or a late month, by the report
// window's rules.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportEntry.h"

namespace vardo::cli {
namespace {

int RunEnter(const CliContext& context) {
    OpenedDocument opened("enter");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> month, participated, studies, hours, aux, remark;
    for (auto [name, value] :
         {std::pair{"--month", &month}, std::pair{"--participated", &participated}, std::pair{"--studies", &studies},
          std::pair{"--hours", &hours}, std::pair{"--aux", &aux}, std::pair{"--remark", &remark}})
        if (!TakeValue(args, name, *value, opened))
            return 2;
    if (args.size() != 1 || args[0].starts_with("--")) {
        opened.Error("usage: enter PERSON [--month YYYY-MM] [--participated yes|no] [--studies N] [--hours N] "
                     "[--aux yes|no] [--remark TEXT]");
        return 2;
    }
    const std::optional<MonthCount> count = month ? ParseMonthArgument(*month) : std::nullopt;
    const std::optional<bool> participation = participated ? ParseYesNo(*participated) : std::nullopt;
    const std::optional<bool> auxiliary = aux ? ParseYesNo(*aux) : std::nullopt;
    if ((month && !count) || (participated && !participation) || (aux && !auxiliary)) {
        opened.Error("--month needs YYYY-MM, --participated and --aux need yes or no");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& working = doc.GetWorkingMonth();
    if (doc.Database().Header().GetMonthState(working.monthIndex) != MonthState::Open) {
        opened.Error("miesiąc roboczy (" + std::string(MonthName(working.monthIndex)) +
                     ") nie jest otwarty do wpisywania sprawozdań");
        return 1;
    }
    const RecordNumber record = FindPerson(doc.Database(), args[0]);
    if (record == 0 || doc.Database().Record(record).Category() != PublisherCategory::Publisher) {
        opened.Error("nie ma czynnego głosiciela '" + args[0] + "'");
        return 1;
    }
    DocumentReporting reporting(opened);
    ReportEntry entry(reporting.Context(), record);
    const MonthCount chosen = count.value_or(working.monthCount);
    if (chosen != working.monthCount) {
        const MonthIndex m = MonthIndexOf(chosen);
        const int expectedYear = working.yearIndex - (m > working.monthIndex ? 1 : 0);
        if (YearIndexOf(chosen) != expectedYear || m == working.monthIndex) {
            opened.Error(std::string(Str(StrId::MonthNotStored)));
            return 1;
        }
        entry.ChooseMonth(m);
    }
    for (const std::string& line : entry.Messages())
        std::fprintf(stderr, "%s\n", line.c_str());
    if (auxiliary) {
        if (!entry.AuxiliaryVisible()) {
            opened.Error("--aux: " + entry.PioneerKindText());
            return 1;
        }
        entry.SetAuxiliary(*auxiliary);
    }
    if (participation)
        entry.SetParticipation(*participation);
    if (hours) {
        entry.SetParticipation(true);
        entry.SetHoursText(*hours);
    }
    if (studies) {
        entry.SetParticipation(true);
        entry.SetStudiesText(*studies);
    }
    if (remark)
        entry.SetRemark(*remark);
    entry.RecomputeCredit();
    PrintWarnings(entry.Warnings());
    if (!entry.Store())
        return 1;
    if (const int failed = SaveIfModified(opened); failed != 0)
        return failed;
    const std::string line = HistoryLine(doc.Database().Record(record), doc.Side().remarks, entry.Count());
    std::fputs(line.c_str(), stdout);
    return 0;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"enter",
     "enter PERSON [--month YYYY-MM] [--participated yes|no] [--studies N] [--hours N] [--aux yes|no] "
     "[--remark TEXT]",
     "store a monthly report as the report window does; prints the stored month as `history` does", RunEnter});

} // namespace
} // namespace vardo::cli
