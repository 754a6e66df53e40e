// vardo-cli move and remove: a person moves between the active list and the inactive, interested, moved and
// deleted lists, or is removed from the register for good.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/registry/PersonRemoval.h"
#include "core/reporting/ListMoves.h"

namespace vardo::cli {
namespace {

constexpr const char* kMoveUsage = "move PERSON to inactive|active|moved|deleted [--month YYYY-MM] [--regular]";

int Finish(OpenedDocument& opened, const Status& status) {
    if (status.cancelled())
        return 1;
    if (!status) {
        opened.Error(status.message());
        return 1;
    }
    return SaveIfModified(opened);
}

int RunMove(const CliContext& context) {
    OpenedDocument opened("move");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> month;
    if (!TakeValue(args, "--month", month, opened))
        return 2;
    const bool regular = std::erase(args, std::string("--regular")) > 0;
    const std::optional<MonthCount> count = month ? ParseMonthArgument(*month) : std::nullopt;
    const bool validTarget =
        args.size() == 3 && args[1] == "to" &&
        (args[2] == "inactive" || args[2] == "active" || args[2] == "moved" || args[2] == "deleted");
    if (!validTarget || (month && !count)) {
        opened.Error(std::string("usage: ") + kMoveUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const RecordNumber record = FindPerson(doc.Database(), args[0]);
    if (record == 0) {
        opened.Error("'" + args[0] + "': no such person");
        return 1;
    }
    const WorkingMonth& working = doc.GetWorkingMonth();
    const MonthCount chosen = count.value_or(working.monthCount);
    const int monthNumber = MonthIndexOf(chosen) + 1;
    const int year = 2000 + YearIndexOf(chosen);
    if (chosen > working.monthCount) {
        opened.Error(std::string(Str(StrId::MoveDateAfterWorkingMonth)));
        return 1;
    }
    const std::string& target = args[2];
    // Moves that ask only for a month take its year from the working month: a month more than a year back
    // cannot be named for them.
    const bool monthOnly = target != "inactive" && target != "deleted";
    if (monthOnly && YearOfMoveMonth(working, monthNumber) != year) {
        opened.Error("--month must be one of the twelve months up to the working month " +
                     MonthArgumentText(working.monthCount));
        return 1;
    }
    DocumentReporting reporting(opened);
    ReportingContext& rc = reporting.Context();
    const PublisherCategory category = doc.Database().Record(record).Category();
    const std::string name = doc.Database().DisplayNameOfRecord(record, false);
    if (target == "inactive")
        return Finish(opened, MakeInactive(rc, record, monthNumber, year));
    if (target == "moved")
        return Finish(opened, MoveAway(rc, record, monthNumber));
    if (target == "deleted") {
        if (category != PublisherCategory::Publisher && category != PublisherCategory::Inactive)
            return Finish(opened, Status::Fail(Failure::Refused, FormatArgs(Str(StrId::MoveWrongList), {name})));
        RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
        return Finish(opened, RemoveTemporarily(registry, record, monthNumber, year));
    }
    switch (category) {
    case PublisherCategory::Inactive:
        return Finish(opened, Reactivate(rc, record, monthNumber));
    case PublisherCategory::NonPublisher:
        return Finish(opened, MakePublisher(rc, record, monthNumber));
    case PublisherCategory::Moved:
        if (opened.Prompter().Ask(FormatArgs(Str(StrId::ConfirmUndoMove), {name}), Buttons::OkCancel, Answer::Ok) !=
            Answer::Ok)
            return Finish(opened, Status::Cancelled());
        return Finish(opened, UndoMove(rc, record, monthNumber, regular));
    case PublisherCategory::Deleted:
        return Finish(opened, Restore(rc, record, monthNumber));
    default:
        return Finish(opened, Status::Fail(Failure::Refused, FormatArgs(Str(StrId::MoveWrongList), {name})));
    }
}

int RunRemove(const CliContext& context) {
    OpenedDocument opened("remove");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (args.size() != 1) {
        opened.Error("usage: remove PERSON");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const RecordNumber record = FindPerson(doc.Database(), args[0]);
    if (record == 0) {
        opened.Error("'" + args[0] + "': no such person");
        return 1;
    }
    const std::string name = doc.Database().DisplayNameOfRecord(record, false);
    if (opened.Prompter().Ask(FormatArgs(Str(StrId::ConfirmDelete), {name}), Buttons::OkCancel, Answer::Cancel) !=
        Answer::Ok)
        return Finish(opened, Status::Cancelled());
    RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
    return Finish(opened, RemovePermanently(registry, record));
}

[[maybe_unused]] const bool registeredMove = RegisterCommand(
    {"move", kMoveUsage, "moves a person between the active, inactive, interested, moved and deleted lists", RunMove});
[[maybe_unused]] const bool registeredRemove =
    RegisterCommand({"remove", "remove PERSON", "removes a person from the register for good (asks first)", RunRemove});

} // namespace
} // namespace vardo::cli
