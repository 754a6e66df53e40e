// vardo-cli import csv: monthly reports of the working month from a spreadsheet, through the same preview as
// the group report files.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "cli/ImportPreviewOutput.h"
#include "cli/ReportingCommand.h"
#include "core/exchange/CsvImport.h"
#include "core/exchange/PublistDocument.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "usage: import xml FILE --list active|inactive|nonpublishers [--update|--create] [--only ID...] | import "
    "xml-reports FILE [--dry-run] | import csv FILE [--map first=N,last=N,participated=N,studies=N,hours=N,remark=N | "
    "--map name=N,... | "
    "--map name-last-first=N,...] [--participated-when-hours] [--dry-run]";

/// "first=0,last=1,..." into a column map over `header`; false for an unknown key or a bad column.
bool ParseMapOption(const std::string& text, const std::vector<std::string>& header, CsvColumnMap& map) {
    static const std::map<std::string, CsvTarget> keys{{"first", CsvTarget::FirstName},
                                                       {"last", CsvTarget::LastName},
                                                       {"participated", CsvTarget::Participated},
                                                       {"studies", CsvTarget::Studies},
                                                       {"hours", CsvTarget::Hours},
                                                       {"remark", CsvTarget::Remark},
                                                       {"name", CsvTarget::NameFirstLast},
                                                       {"name-last-first", CsvTarget::NameLastFirst}};
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, end - start);
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos)
            return false;
        const auto key = keys.find(item.substr(0, equals));
        const std::string number = item.substr(equals + 1);
        if (key == keys.end() || number.empty() || number.size() > 4 ||
            number.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int column = std::stoi(number);
        if (static_cast<std::size_t>(column) >= header.size())
            return false;
        map.Map(key->second, column, header);
        start = end + 1;
    }
    return true;
}

int RunCsv(const CliContext& context, OpenedDocument& opened, std::vector<std::string>& args) {
    std::optional<std::string> mapText;
    if (!TakeValue(args, "--map", mapText, opened))
        return 2;
    const bool whenHours = TakeFlag(args, "--participated-when-hours");
    const bool dryRun = TakeFlag(args, "--dry-run");
    if (args.size() != 1 || args[0].starts_with("--")) {
        opened.Error(kUsage);
        return 2;
    }
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        opened.Error("nie można odczytać " + args[0]);
        return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const Result<CsvTable> table = ParseCsv(bytes);
    if (!table) {
        opened.Error(table.error());
        return 1;
    }
    if (!opened.Open(context))
        return 1;
    const DataFolder& folder = opened.Doc().Folder();

    CsvColumnMap map;
    if (mapText) {
        if (!ParseMapOption(*mapText, table.value().header, map)) {
            opened.Error("--map: " + *mapText);
            return 2;
        }
    } else if (const auto saved = folder.ReadAll(CsvColumnMap::kFileName); saved) {
        const auto parsed = CsvColumnMap::FromFileBytes(saved.value());
        if (parsed)
            map = parsed.value().RestoredFor(table.value().header);
        else
            std::fprintf(stderr, "%s\n", parsed.error().c_str());
    }
    if (whenHours)
        map.participatedWhenHours = true;
    if (!map.HasName()) {
        opened.Error(Str(StrId::CsvNoMapping));
        return 1;
    }
    CsvNameMap names;
    if (const auto saved = folder.ReadAll(CsvNameMap::kFileName); saved)
        names = CsvNameMap::FromFileBytes(saved.value());

    DocumentReporting reporting(opened);
    const CsvReports reports = BuildCsvReports(table.value(), map, names, reporting.Context());
    if (!reports.unmatched.empty()) {
        std::fprintf(stderr, "%s\n",
                     FormatArgs(Str(StrId::CsvUnmatchedCount), {std::to_string(reports.unmatched.size())}).c_str());
        for (const std::string& name : reports.unmatched)
            std::fprintf(stderr, "%s\n", name.c_str());
    }
    if (!dryRun) {
        // "Kontynuuj" keeps the mapping for the next file.
        if (const Status saved = folder.WriteAtomic(CsvColumnMap::kFileName, map.FileBytes()); !saved)
            std::fprintf(stderr, "%s\n", saved.message().c_str());
        AskBackupFirst(opened);
    }
    ReportImport import(reporting.Context(), ImportSource::Csv, reports.persons);
    return RunReportImport(opened, import, dryRun);
}

std::optional<PublistKind> ListKind(std::string_view text) {
    if (text == "active")
        return PublistKind::Active;
    if (text == "inactive")
        return PublistKind::Inactive;
    if (text == "nonpublishers")
        return PublistKind::NonPublishers;
    return std::nullopt;
}

bool LoadXml(const std::string& path, CXmlDoc& doc, OpenedDocument& opened) {
    std::string lower = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower != ".xml") {
        opened.Error(Str(StrId::XmlMissingTags));
        return false;
    }
    if (!doc.LoadFile(path)) {
        opened.Error("nie można odczytać " + path);
        return false;
    }
    return true;
}

int RunXml(const CliContext& context, OpenedDocument& opened, std::vector<std::string>& args) {
    std::optional<std::string> list;
    if (!TakeValue(args, "--list", list, opened))
        return 2;
    const bool update = TakeFlag(args, "--update");
    const bool create = TakeFlag(args, "--create");
    std::vector<PublisherId> only;
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != "--only")
            continue;
        auto id = std::next(it);
        for (; id != args.end() && !id->starts_with("--"); ++id) {
            if (id->empty() || id->size() > 5 || id->find_first_not_of("0123456789") != std::string::npos) {
                opened.Error(kUsage);
                return 2;
            }
            only.push_back(static_cast<PublisherId>(std::stoi(*id)));
        }
        args.erase(it, id);
        break;
    }
    const std::optional<PublistKind> kind = list ? ListKind(*list) : std::nullopt;
    if (args.size() != 1 || !kind || (update && create) || args[0].starts_with("--")) {
        opened.Error(kUsage);
        return 2;
    }
    CXmlDoc doc;
    if (!LoadXml(args[0], doc, opened))
        return 1;
    if (!opened.Open(context))
        return 1;
    CVardoDoc& vardo = opened.Doc();
    const auto persons = ReadPublistPersons(doc, *kind, vardo.Database());
    if (!persons) {
        opened.Error(persons.error());
        return 1;
    }
    PublistImportChoice choice;
    choice.updateDuplicates = !create;
    for (const PublistPerson& person : persons.value())
        if (only.empty() || std::find(only.begin(), only.end(), person.id) != only.end())
            choice.positions.push_back(person.position);
    AskBackupFirst(opened);
    RegistryContext registry = vardo.MakeRegistryContext(opened.Prompter());
    const Result<int> imported = ImportPublist(doc, *kind, choice, registry, vardo.Side().remarks);
    if (!imported) {
        opened.Error(imported.error());
        return 1;
    }
    for (const int position : choice.positions)
        std::printf("%u\t%s\n", persons.value()[static_cast<std::size_t>(position)].id,
                    persons.value()[static_cast<std::size_t>(position)].label.c_str());
    return SaveIfModified(opened);
}

int RunXmlReports(const CliContext& context, OpenedDocument& opened, std::vector<std::string>& args) {
    const bool dryRun = TakeFlag(args, "--dry-run");
    if (args.size() != 1 || args[0].starts_with("--")) {
        opened.Error(kUsage);
        return 2;
    }
    CXmlDoc doc;
    if (!LoadXml(args[0], doc, opened))
        return 1;
    if (!opened.Open(context))
        return 1;
    DocumentReporting reporting(opened);
    const auto persons = IncomingFromXmlReports(doc, reporting.Context());
    if (!persons) {
        opened.Error(persons.error());
        return 1;
    }
    if (!dryRun)
        AskBackupFirst(opened);
    ReportImport import(reporting.Context(), ImportSource::Xml, persons.value());
    return RunReportImport(opened, import, dryRun);
}

int RunImport(const CliContext& context) {
    OpenedDocument opened("import");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (args.empty() || (args[0] != "csv" && args[0] != "xml" && args[0] != "xml-reports")) {
        opened.Error(kUsage);
        return 2;
    }
    const std::string source = args[0];
    args.erase(args.begin());
    if (source == "xml")
        return RunXml(context, opened, args);
    if (source == "xml-reports")
        return RunXmlReports(context, opened, args);
    return RunCsv(context, opened, args);
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"import",
     "import xml FILE --list active|inactive|nonpublishers [--update|--create] [--only ID...] | import xml-reports "
     "FILE [--dry-run] | import csv FILE [--map first=N,last=N,participated=N,studies=N,hours=N,remark=N | --map "
     "name=N,... | --map "
     "name-last-first=N,...] [--participated-when-hours] [--dry-run]",
     "import publishers from an XML list, or preview and import the working month's reports from XML or CSV",
     RunImport});

} // namespace
} // namespace vardo::cli
