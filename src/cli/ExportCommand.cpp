// vardo-cli export: the XML publisher lists and the tabular exports, into Exports/ of the data folder or a
// folder (file) of the caller's choice.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ImportPreviewOutput.h"
#include "cli/ReportingCommand.h"
#include "core/exchange/PublistDocument.h"
#include "core/exchange/TabularExports.h"
#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "usage: export xml active|inactive|nonpublishers [--out FILE] | export "
    "data|contacts|card-headers|third-party|summary|emergency|attendance [--month YYYY-MM] [--tab] [--header] [--out "
    "DIR]";

std::optional<PublistKind> ListKind(std::string_view text) {
    if (text == "active")
        return PublistKind::Active;
    if (text == "inactive")
        return PublistKind::Inactive;
    if (text == "nonpublishers")
        return PublistKind::NonPublishers;
    return std::nullopt;
}

/// Writes into `out` (a folder) or Exports/ of the data folder; prints the path.
int Write(OpenedDocument& opened, const std::optional<std::string>& outDir, const std::string& name,
          const std::string& text) {
    const DataFolder& folder = opened.Doc().Folder();
    Result<std::string> path = Result<std::string>::Fail("-");
    if (outDir) {
        const DataFolder target(std::filesystem::absolute(*outDir));
        const std::string full = target.Resolve(name).string();
        path = target.CreateFolder("") && target.WriteAtomic(name, text)
                   ? Result<std::string>(full)
                   : Result<std::string>::Fail(Failure::Io, FormatArgs(Str(StrId::CannotCreateFile), {full}));
    } else {
        path = WriteExport(folder, name, text);
    }
    if (!path) {
        opened.Error(path.error());
        return 1;
    }
    std::printf("%s\n", path.value().c_str());
    return 0;
}

int RunExport(const CliContext& context) {
    OpenedDocument opened("export");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> out, month;
    if (!TakeValue(args, "--out", out, opened) || !TakeValue(args, "--month", month, opened))
        return 2;
    const bool tab = TakeFlag(args, "--tab");
    const bool header = TakeFlag(args, "--header");
    if (args.empty()) {
        opened.Error(kUsage);
        return 2;
    }
    const std::string what = args[0];
    const std::optional<PublistKind> kind = what == "xml" && args.size() == 2 ? ListKind(args[1]) : std::nullopt;
    const bool tabular =
        args.size() == 1 && (what == "data" || what == "contacts" || what == "card-headers" || what == "summary" ||
                             what == "attendance" || what == "third-party" || what == "emergency");
    const std::optional<MonthCount> count = month ? ParseMonthArgument(*month) : std::nullopt;
    if ((!kind && !tabular) || (month && !count)) {
        opened.Error(kUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    if (what == "attendance") {
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
    auto extensionOf = [&doc](const PublisherRecord& person) {
        return doc.Side().extensions.Read(doc.Folder(), person.ExtensionKey(), person.Id());
    };
    if (kind) {
        const PublistKind list = kind.value_or(PublistKind::Active);
        std::vector<RecordNumber> persons;
        for (const IndexEntry& entry : doc.Database().List(PublistCategory(list)))
            persons.push_back(entry.recordNumber);
        auto specialNeedsOf = [&doc](const PublisherRecord& person) {
            if (person.SpecialNeedsKey() == 0)
                return std::string();
            const auto record = doc.Side().specialNeeds.Read(doc.Folder(), person.SpecialNeedsKey());
            return record ? record->Text() : std::string();
        };
        const PublistExportSource source{doc.Database(),
                                         doc.Side().remarks,
                                         doc.GetWorkingMonth(),
                                         extensionOf,
                                         specialNeedsOf,
                                         [&doc](const PublisherRecord& person) {
                                             return PublistHouseholdOf(doc.Database(), person); }};
        const std::string xml = BuildPublist(source, list, persons, opened.GetClock().Today());
        if (out) {
            const DataFolder here(std::filesystem::current_path());
            if (!here.WriteAtomic(*out, xml)) {
                opened.Error(FormatArgs(Str(StrId::CannotCreateFile), {*out}));
                return 1;
            }
            std::printf("%s\n", here.Resolve(*out).string().c_str());
            return 0;
        }
        return Write(opened, std::nullopt, PublistFileName(list), xml);
    }
    const WorkingMonth& working = doc.GetWorkingMonth();
    const ExportSource source{doc.Database(), doc.Side().remarks, doc.Side().cardTotals, working, extensionOf};
    if (what == "data") {
        const MonthCount chosen = count.value_or(working.monthCount);
        if (chosen > working.monthCount || chosen + 11 < working.monthCount) {
            opened.Error(Str(StrId::MonthNotStored));
            return 1;
        }
        const char separator = tab ? '\t' : ',';
        return Write(opened, out, MonthlyDataFileName(MonthIndexOf(chosen), separator),
                     MonthlyDataExport(source, MonthIndexOf(chosen), separator, header));
    }
    if (what == "contacts")
        return Write(opened, out, "contact.tsv", ContactExport(source));
    if (what == "card-headers")
        return Write(opened, out, "cardhdr.tsv", CardHeaderExport(source));
    if (what == "third-party" || what == "emergency") {
        // Both names write the emergency-contact export, 3rdparty.tsv.
        const EmergencyExportSource emergency{
            source,
            [&doc](const PublisherRecord& person) -> std::optional<EmergencyContactRecord> {
                if (person.EmergencyKey() == 0)
                    return std::nullopt;
                return doc.Side().emergency.Read(doc.Folder(), person.EmergencyKey());
            },
            [&doc](const PublisherRecord& person) {
                if (person.SpecialNeedsKey() == 0)
                    return std::string();
                const auto record = doc.Side().specialNeeds.Read(doc.Folder(), person.SpecialNeedsKey());
                return record ? record->Text() : std::string();
            }};
        return Write(opened, out, std::string(Str(StrId::EmergencyFileName)), EmergencyExport(emergency));
    }
    return Write(opened, out, std::string(Str(StrId::SummaryFileName)) + ".csv", SummaryExport(source));
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"export",
     "export xml active|inactive|nonpublishers [--out FILE] | export "
     "data|contacts|card-headers|third-party|summary|emergency|attendance [--month YYYY-MM] [--tab] [--header] "
     "[--out DIR]",
     "write an XML publisher list or a tabular export (default into Exports/); prints the file's path", RunExport});

} // namespace
} // namespace vardo::cli
