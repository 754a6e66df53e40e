// vardo-cli month: the working month and the state of every month; starting, continuing, starting early and
// closing a month as the month dialog and the entry list do.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

const char* StateName(MonthState state) {
    switch (state) {
    case MonthState::NotInitialised:
        return "not-initialised";
    case MonthState::Open:
        return "open";
    case MonthState::Closed:
        return "closed";
    }
    return "unknown";
}

std::string MonthLines(const CVardoDoc& doc) {
    const WorkingMonth& month = doc.GetWorkingMonth();
    std::string out = FormatPrintf("working\t%04d-%02d\n", month.Year(), month.monthIndex + 1);
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
        const std::uint8_t stored = doc.Database().Header().MonthStateByte(m);
        out += FormatPrintf("%02d\t%s\n", m + 1, stored <= 2 ? StateName(static_cast<MonthState>(stored)) : "unknown");
    }
    return out;
}

int Print(const std::string& out) {
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

// The month dialog's choice for an action, or nullopt after telling why there is none.
std::optional<MonthChoice> DialogChoice(OpenedDocument& opened, const std::string& action) {
    CVardoDoc& doc = opened.Doc();
    if (doc.WorkingMonthOpen()) {
        opened.Error(FormatArgs(Str(StrId::MonthAlreadyOpen), {MonthName(doc.GetWorkingMonth().monthIndex)}));
        return std::nullopt;
    }
    MonthDialogPresenter dialog(doc.MonthDialogState());
    if ((action == "continue" && !dialog.ShowsContinue()) || (action == "early" && !dialog.ShowsEarlyStart())) {
        opened.Error(Str(StrId::MonthButtonAbsent));
        return std::nullopt;
    }
    std::optional<MonthChoice> choice;
    if (action == "continue")
        choice = dialog.Continue();
    else if (action == "early")
        choice = dialog.StartEarly(opened.Prompter());
    else
        choice = dialog.Start(opened.Prompter());
    if (!choice)
        opened.Error("anulowano; dane pozostały bez zmian");
    return choice;
}

int RunMonth(const CliContext& context) {
    OpenedDocument opened("month");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (args.size() > 1) {
        opened.Error("unexpected argument '" + args[1] + "'");
        return 2;
    }
    const std::string action = args.empty() ? std::string() : args[0];
    if (!action.empty() && action != "start" && action != "continue" && action != "early" && action != "close") {
        opened.Error("unknown action '" + action + "' (start, continue, early or close)");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    if (action.empty()) {
        const std::string out = MonthLines(doc);
        opened.Close();
        return Print(out);
    }
    if (doc.PastMonthMode()) {
        opened.Error(Str(StrId::PastMonthReadOnly));
        return 1;
    }

    Status done = Status::Ok();
    if (action == "close") {
        done = doc.CloseWorkingMonth();
    } else {
        const std::optional<MonthChoice> choice = DialogChoice(opened, action);
        if (!choice)
            return 1;
        done = doc.ApplyMonthChoice(*choice, opened.GetClock(), opened.Prompter());
    }
    if (done)
        done = doc.Save(opened.Prompter());
    if (!done) {
        opened.Error(done.message());
        return 1;
    }
    const std::string out = MonthLines(doc);
    opened.Close();
    return Print(out);
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"month", "month [start | continue | early | close] [--yes | --no] [--password TEXT]",
     "the working month and the month states; start, continue, start early or close a month", RunMonth});

} // namespace
} // namespace vardo::cli
