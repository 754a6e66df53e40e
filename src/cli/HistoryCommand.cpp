// vardo-cli history: the 24 stored months of a person, and `history set` to change one by the history
// editor's storing rules.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/reporting/HistoryEditor.h"

namespace vardo::cli {
namespace {

constexpr const char* kSetUsage = "usage: history set PERSON YYYY-MM [--code N] [--placements N] [--videos N] "
                                  "[--hours H] [--return-visits N] [--studies N] [--flag yes|no] [--late yes|no] "
                                  "[--credit N] [--remark TEXT]";

int RunShow(OpenedDocument& opened, const CliContext& context, const std::string& person) {
    if (!opened.Open(context))
        return 1;
    const CVardoDoc& doc = opened.Doc();
    const RecordNumber record = FindPerson(doc.Database(), person);
    if (record == 0) {
        opened.Error("nie ma osoby '" + person + "'");
        return 1;
    }
    std::string out;
    const MonthCount working = doc.GetWorkingMonth().monthCount;
    for (int back = 23; back >= 0; --back)
        out += HistoryLine(doc.Database().Record(record), doc.Side().remarks, static_cast<MonthCount>(working - back));
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

int RunSet(OpenedDocument& opened, const CliContext& context, std::vector<std::string> args) {
    std::optional<std::string> code, placements, videos, hours, returnVisits, studies, flag, late, credit, remark;
    for (auto [name, value] :
         {std::pair{"--code", &code}, std::pair{"--placements", &placements}, std::pair{"--videos", &videos},
          std::pair{"--hours", &hours}, std::pair{"--return-visits", &returnVisits}, std::pair{"--studies", &studies},
          std::pair{"--flag", &flag}, std::pair{"--late", &late}, std::pair{"--credit", &credit},
          std::pair{"--remark", &remark}})
        if (!TakeValue(args, name, *value, opened))
            return 2;
    // 0 (January 2000) lies outside the covered years, so it stands for no month.
    MonthCount chosen = 0;
    if (args.size() == 2)
        if (const std::optional<MonthCount> parsed = ParseMonthArgument(args[1]))
            chosen = *parsed;
    const std::optional<bool> flagValue = flag ? ParseYesNo(*flag) : std::nullopt;
    const std::optional<bool> lateValue = late ? ParseYesNo(*late) : std::nullopt;
    const bool codeOk = !code || (code->size() == 1 && (*code)[0] >= '0' && (*code)[0] <= '3');
    if (chosen == 0 || (flag && !flagValue) || (late && !lateValue) || !codeOk) {
        opened.Error(kSetUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const RecordNumber record = FindPerson(doc.Database(), args[0]);
    const PublisherCategory category =
        record != 0 ? doc.Database().Record(record).Category() : PublisherCategory::CircuitOverseer;
    if (category != PublisherCategory::Publisher && category != PublisherCategory::Inactive) {
        opened.Error("nie ma czynnego ani nieczynnego głosiciela '" + args[0] + "'");
        return 1;
    }
    if (chosen == doc.GetWorkingMonth().monthCount &&
        doc.Database().Header().GetMonthState(doc.GetWorkingMonth().monthIndex) != MonthState::NotInitialised) {
        opened.Error("sprawozdanie za miesiąc roboczy wpisz poleceniem enter");
        return 1;
    }
    DocumentReporting reporting(opened);
    const bool inactive = category == PublisherCategory::Inactive;
    HistoryEditor editor(reporting.Context(), inactive ? HistoryEditor::Mode::Inactive : HistoryEditor::Mode::Publisher,
                         record);
    if (!inactive) {
        const auto& persons = editor.Persons();
        for (std::size_t i = 0; i < persons.size(); ++i)
            if (persons[i].record == record && !editor.SetPersonChoice(static_cast<int>(i)))
                return 1;
    }
    if (!editor.ChooseMonthCount(chosen)) {
        opened.Error(std::string(Str(StrId::MonthNotStored)));
        return 1;
    }
    HistoryEditor::Fields& fields = editor.Edit();
    if (code) {
        fields.auxiliary = *code == "1";
        fields.regular = *code == "2";
        fields.special = *code == "3";
    }
    for (auto [value, field] :
         {std::pair{&placements, &fields.placements}, std::pair{&videos, &fields.videos},
          std::pair{&hours, &fields.hours}, std::pair{&returnVisits, &fields.returnVisits},
          std::pair{&studies, &fields.studies}, std::pair{&credit, &fields.credit}, std::pair{&remark, &fields.remark}})
        if (*value)
            *field = **value;
    if (flagValue)
        fields.flag = *flagValue;
    if (lateValue)
        fields.late = *lateValue;
    PrintWarnings(editor.Warnings());
    if (!editor.Close())
        return 1;
    if (const int failed = SaveIfModified(opened); failed != 0)
        return failed;
    const std::string line = HistoryLine(doc.Database().Record(record), doc.Side().remarks, editor.ChosenCount());
    std::fputs(line.c_str(), stdout);
    return 0;
}

int RunHistory(const CliContext& context) {
    OpenedDocument opened("history");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (!args.empty() && args[0] == "set") {
        args.erase(args.begin());
        return RunSet(opened, context, std::move(args));
    }
    if (args.size() != 1 || args[0].starts_with("--")) {
        opened.Error("usage: history PERSON | history set PERSON YYYY-MM [...]");
        return 2;
    }
    return RunShow(opened, context, args[0]);
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"history", "history PERSON | history set PERSON YYYY-MM [--code N] [--hours H] ... (docs/cli-reporting.md)",
     "the 24 stored months of a person; `set` changes one month as the history editor does", RunHistory});

} // namespace
} // namespace vardo::cli
