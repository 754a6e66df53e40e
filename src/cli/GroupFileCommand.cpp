// vardo-cli group-file: writes a group report file (.t09) for a field service group and imports the filled
// file (.t19) that comes back.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/ImportPreviewOutput.h"
#include "cli/ReportingCommand.h"
#include "core/exchange/GroupReportFile.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "usage: group-file write GROUP [--month YYYY-MM] [--blank] --out FILE.t09 | group-file import FILE.t19 "
    "[--dry-run]";

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int RunWrite(const CliContext& context, OpenedDocument& opened, std::vector<std::string>& args) {
    std::optional<std::string> month, out;
    if (!TakeValue(args, "--month", month, opened) || !TakeValue(args, "--out", out, opened))
        return 2;
    const bool blank = TakeFlag(args, "--blank");
    const std::optional<MonthCount> count = month ? ParseMonthArgument(*month) : std::nullopt;
    if (args.size() != 1 || !out || (month && !count) || args[0].find_first_not_of("0123456789") != std::string::npos ||
        args[0].empty() || args[0].size() > 3) {
        opened.Error(kUsage);
        return 2;
    }
    const int group = std::stoi(args[0]);
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& working = doc.GetWorkingMonth();
    const MonthCount chosen = count.value_or(working.monthCount);
    if (chosen != working.monthCount && chosen != working.monthCount + 1) {
        opened.Error("--month: miesiąc roboczy albo następny");
        return 1;
    }
    GroupFileSource source{doc.Database(), doc.Side().remarks,
                           [&doc](const PublisherRecord& person) {
                               const auto extension =
                                   doc.Side().extensions.Read(doc.Folder(), person.ExtensionKey(), person.Id());
                               return extension ? extension->Email() : std::string();
                           },
                           [&doc](const PublisherRecord& person, MonthIndex m) {
                               return doc.GetMonthCycle().lateReports.IsLate(person.Id(), m);
                           },
                           [&working](MonthIndex m) { return working.SlotOf(m); }};
    GroupFileRequest request;
    request.group = group;
    request.month = MonthIndexOf(chosen);
    request.slot = SlotOfMonthCount(chosen);
    request.blank = blank || chosen != working.monthCount; // the next month is always sent blank
    request.secretaryEmail = doc.GetSettings().secretaryEmail;
    const Result<std::string> bytes = WriteGroupReportFile(source, request);
    if (!bytes) {
        opened.Error(bytes.error());
        return 1;
    }
    const Status written = DataFolder(std::filesystem::current_path()).WriteAtomic(*out, bytes.value());
    if (!written) {
        opened.Error(FormatArgs(Str(StrId::CannotCreateFile), {*out}));
        return 1;
    }
    std::fprintf(stderr, "%s\n", FormatArgs(Str(StrId::GroupFileSaved), {*out}).c_str());
    return 0;
}

int RunImport(const CliContext& context, OpenedDocument& opened, std::vector<std::string>& args) {
    const bool dryRun = TakeFlag(args, "--dry-run");
    if (args.size() != 1 || args[0].starts_with("--")) {
        opened.Error(kUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    const std::optional<std::string> bytes = ReadWholeFile(args[0]);
    if (!bytes) {
        opened.Error("nie można odczytać " + args[0]);
        return 1;
    }
    const Result<GroupReportData> data = ReadGroupReportFile(*bytes);
    if (!data) {
        opened.Error(data.error());
        return 1;
    }
    DocumentReporting reporting(opened);
    const auto persons = IncomingFromGroupFile(data.value(), reporting.Context());
    if (!persons) {
        opened.Error(persons.error());
        return 1;
    }
    if (!dryRun)
        AskBackupFirst(opened);
    ReportImport import(reporting.Context(), ImportSource::GroupFile, persons.value());
    return RunReportImport(opened, import, dryRun);
}

int RunGroupFile(const CliContext& context) {
    OpenedDocument opened("group-file");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (args.empty() || (args[0] != "write" && args[0] != "import")) {
        opened.Error(kUsage);
        return 2;
    }
    const std::string action = args[0];
    args.erase(args.begin());
    return action == "write" ? RunWrite(context, opened, args) : RunImport(context, opened, args);
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"group-file", "group-file write GROUP [--month YYYY-MM] [--blank] --out FILE.t09 | import FILE.t19 [--dry-run]",
     "write a group report file for a group overseer, or preview and import the filled file", RunGroupFile});

} // namespace
} // namespace vardo::cli
