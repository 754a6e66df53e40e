#include "cli/ReportingCommand.h"

#include <cstdio>

#include "core/platform/Strings.h"
#include "core/store/WorkingMonth.h"

namespace vardo::cli {

RecordNumber FindPerson(const PublisherDatabase& db, std::string_view person) {
    if (!person.empty() && person.find_first_not_of("0123456789") == std::string_view::npos && person.size() <= 5) {
        const long id = std::stol(std::string(person));
        if (id <= 65535)
            return db.RecordNumberOfId(static_cast<PublisherId>(id));
    }
    const bool lastNameFirst = db.SortsLastNameFirst();
    for (RecordNumber r = 1; r < db.Count(); ++r)
        if (db.DisplayNameOfRecord(r, lastNameFirst) == person || db.DisplayNameOfRecord(r, true) == person)
            return r;
    return 0;
}

std::optional<MonthCount> ParseMonthArgument(std::string_view text) {
    if (text.size() != 7 || text[4] != '-' ||
        text.substr(0, 4).find_first_not_of("0123456789") != std::string_view::npos ||
        text.substr(5).find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const int year = std::stoi(std::string(text.substr(0, 4)));
    const int month = std::stoi(std::string(text.substr(5)));
    if (year < kFirstSupportedYear || year > kLastSupportedYear || month < 1 || month > 12)
        return std::nullopt;
    return ToMonthCount(year, month - 1);
}

std::optional<bool> ParseYesNo(std::string_view text) {
    if (text == "yes")
        return true;
    if (text == "no")
        return false;
    return std::nullopt;
}

std::string MonthArgumentText(MonthCount count) {
    return FormatPrintf("%04d-%02d", 2000 + YearIndexOf(count), MonthIndexOf(count) + 1);
}

DocumentReporting::DocumentReporting(OpenedDocument& opened)
    : m_context(opened.Doc().MakeReportingContext(opened.Prompter())) {}

void PrintWarnings(const std::vector<Warning>& warnings) {
    for (const Warning& warning : warnings)
        std::fprintf(stderr, "%s%s\n", std::string(Str(StrId::WarningPrefix)).c_str(), warning.text.c_str());
}

int SaveIfModified(OpenedDocument& opened) {
    CVardoDoc& doc = opened.Doc();
    if (!doc.IsModified())
        return 0;
    const Status saved = doc.Save(opened.Prompter());
    if (!saved) {
        opened.Error(saved.message());
        return 1;
    }
    return 0;
}

} // namespace vardo::cli

#include "core/reporting/ReportRules.h"

namespace vardo::cli {

std::string HistoryLine(const PublisherRecord& person, const RemarkTable& remarks, MonthCount count) {
    const MonthIndex month = MonthIndexOf(count);
    const YearSlot slot = ParitySlot(YearIndexOf(count));
    const ReportCell cell = person.Cell(month, slot);
    std::string remark = RemarkText(remarks, person, month, slot).text;
    for (char& c : remark)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    std::string line = MonthArgumentText(count);
    line += IsNewReportFormat(count) ? "\tnew" : "\told";
    for (const std::string& field :
         {std::to_string(static_cast<int>(cell.Pioneer())), std::string(cell.Flag() ? "1" : "0"),
          std::to_string(cell.placements), std::to_string(cell.videos), FormatHours(cell.hours, cell.QuarterHours()),
          std::to_string(cell.returnVisits), std::to_string(cell.BibleStudies()), std::to_string(cell.creditHours),
          std::to_string(cell.lateMarker), remark})
        line += "\t" + field;
    return line + "\n";
}

bool TakeValue(std::vector<std::string>& args, std::string_view name, std::optional<std::string>& value,
               const OpenedDocument& opened) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name)
            continue;
        if (i + 1 >= args.size()) {
            opened.Error(std::string(name) + " needs a value");
            return false;
        }
        value = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

} // namespace vardo::cli
