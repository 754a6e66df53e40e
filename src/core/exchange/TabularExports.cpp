#include "core/exchange/TabularExports.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/platform/Collation.h"
#include "core/platform/Strings.h"
#include "core/registry/Family.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

/// A text in double quotes, quotes inside doubled.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

/// A text of a tab-separated file: tabs and line breaks inside become blanks.
std::string Plain(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

/// Header line: each text followed by a blank and the separator.
std::string HeaderLine(std::initializer_list<StrId> ids, char separator) {
    std::string line;
    for (const StrId id : ids)
        line += std::string(Str(id)) + " " + separator;
    return line + "\r\n";
}

std::string NameOf(const ExportSource& source, RecordNumber record, bool longName) {
    if (longName && source.extensionOf)
        if (const auto extension = source.extensionOf(source.database.Record(record));
            extension && !extension->LongName().empty())
            return extension->LongName();
    return source.database.DisplayNameOfRecord(record, true);
}

/// The month count of a month of the stored two years seen from the working month.
MonthCount CountOf(const WorkingMonth& working, MonthIndex month) {
    const int back = (working.monthIndex - month + kMonthsPerYear) % kMonthsPerYear;
    return static_cast<MonthCount>(working.monthCount - back);
}

} // namespace

std::string MonthlyDataFileName(MonthIndex month, char separator) {
    return std::string(MonthName(month)) + (separator == '\t' ? ".rpt" : ".csv");
}

std::string MonthlyDataExport(const ExportSource& source, MonthIndex month, char separator, bool header) {
    std::string text(kBom);
    if (header)
        text += HeaderLine({StrId::ExpName, StrId::ExpGroup, StrId::ExpPioneerCode, StrId::ExpParticipated,
                            StrId::ExpStudies, StrId::ExpAuxiliary, StrId::ExpHours, StrId::ExpRemark, StrId::ExpMonth,
                            StrId::ExpYear, StrId::ExpId},
                           separator);
    const WorkingMonth& working = source.month;
    const YearSlot slot = working.SlotOf(month);
    const int year = working.Year() - (month > working.monthIndex ? 1 : 0);
    const std::string monthText = FormatPrintf("%02d (%s)", month + 1, std::string(MonthAbbreviation(month)).c_str());
    const std::string sep(1, separator);
    for (const IndexEntry& entry : source.database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = source.database.Record(entry.recordNumber);
        const ReportCell cell = person.Cell(month, slot);
        const bool newFormat = IsNewReportFormat(CountOf(working, month));
        const bool participated = newFormat ? cell.Flag() : HasReport(cell);
        text += Quoted(NameOf(source, entry.recordNumber, false)) + sep + std::to_string(person.Group()) + sep +
                std::to_string(static_cast<int>(cell.Pioneer())) + sep + (participated ? "1" : "0") + sep +
                std::to_string(cell.BibleStudies()) + sep + (cell.Pioneer() == PioneerCode::Auxiliary ? "1" : "0") +
                sep + std::to_string(cell.hours) + sep + Quoted(RemarkText(source.remarks, person, month, slot).text) +
                sep + Quoted(monthText) + sep + std::to_string(year) + sep + std::to_string(person.Id()) + sep + "\r\n";
    }
    return text;
}

std::string ContactExport(const ExportSource& source) {
    std::string text(kBom);
    text += HeaderLine({StrId::ExpName, StrId::ExpAddress, StrId::ExpPhone, StrId::ExpMobile, StrId::ExpPhone3,
                        StrId::ExpEmail, StrId::ExpOtherContact, StrId::ExpGroup},
                       '\t');
    for (const IndexEntry& entry : source.database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = source.database.Record(entry.recordNumber);
        const auto extension = source.extensionOf ? source.extensionOf(person) : std::nullopt;
        for (const std::string& field :
             {NameOf(source, entry.recordNumber, true), person.Address(), person.Phone1(), person.Phone2(),
              person.Phone3(), extension ? extension->Email() : std::string(),
              extension ? extension->Extra() : std::string(), std::to_string(person.Group())})
            text += Plain(field) + "\t";
        text += "\r\n";
    }
    return text;
}

std::string CardHeaderExport(const ExportSource& source) {
    std::string text(kBom);
    text += HeaderLine({StrId::ExpName, StrId::ExpAddress, StrId::ExpPhone, StrId::ExpMobile, StrId::ExpBirthDate,
                        StrId::ExpBaptismDate, StrId::ExpAnointed, StrId::ExpElder, StrId::ExpServant,
                        StrId::ExpRegularPioneer, StrId::ExpMale},
                       '\t');
    const WorkingMonth& working = source.month;
    for (const IndexEntry& entry : source.database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = source.database.Record(entry.recordNumber);
        auto yes = [](bool on) { return std::string(on ? "Y" : ""); };
        for (const std::string& field :
             {NameOf(source, entry.recordNumber, true), person.Address(), person.Phone1(), person.Phone2(),
              RecordDateToIso(person.BirthDate()), RecordDateToIso(person.BaptismDate()), yes(person.Hope() == 'A'),
              yes(person.GetAppointment() == Appointment::Elder),
              yes(person.GetAppointment() == Appointment::MinisterialServant),
              yes(person.Pioneer(working.monthIndex, working.SlotOf(working.monthIndex)) == PioneerCode::Regular),
              yes(person.IsMale())})
            text += Plain(field) + "\t";
        text += "\r\n";
    }
    return text;
}

std::string SummaryExport(const ExportSource& source) {
    std::string text(kBom);
    for (const StrId id : {StrId::ExpPrivileges, StrId::ExpMonth, StrId::ExpReports, StrId::ExpPublications,
                           StrId::ExpVideos, StrId::ExpHoursLong, StrId::ExpReturnVisits, StrId::ExpBibleStudies})
        text += std::string(Str(id)) + ",";
    text += std::string(Str(StrId::ExpActivePublishers)) + "\r\n";
    const WorkingMonth& working = source.month;
    const CardTotals& totals = source.cardTotals;
    const StrId categories[] = {StrId::ExpCatPublishers, StrId::ExpCatAuxiliary, StrId::ExpCatPioneers};
    for (int category = 0; category < 3; ++category) {
        for (int back = 23; back >= 0; --back) {
            const auto count = static_cast<MonthCount>(working.monthCount - back);
            const MonthIndex m = MonthIndexOf(count);
            const YearSlot slot = SlotOfMonthCount(count);
            // Regular and special pioneers are reported together.
            auto value = [&](int v) {
                int sum = totals.Value(m, category, v, slot);
                if (category == 2)
                    sum += totals.Value(m, 3, v, slot);
                return sum;
            };
            const int active = totals.Value(m, 0, 5, slot);
            const std::string monthText = std::string(MonthName(m)) + " " + std::to_string(2000 + YearIndexOf(count));
            text += Quoted(Str(categories[category])) + "," + Quoted(monthText);
            for (const int v : {8, 0, 1, 2, 3, 4})
                text += ",\"" + std::to_string(value(v)) + "\"";
            text += "," + Quoted(active != 0 ? std::to_string(active) : std::string()) + "\r\n";
        }
    }
    return text;
}

std::string HouseholdMembersText(const PublisherDatabase& database, const PublisherRecord& person) {
    const PublisherId head = person.IsHeadOfFamily() ? person.Id() : person.FamilyHead();
    if (head == 0)
        return {};
    std::vector<std::string> names;
    if (head != person.Id())
        if (const RecordNumber record = database.RecordNumberOfId(head); record != 0)
            names.push_back(database.DisplayNameOfRecord(record, true));
    for (const RecordNumber member : FamilyMembersOf(database, head))
        if (database.Record(member).Id() != person.Id())
            names.push_back(database.DisplayNameOfRecord(member, true));
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string HouseholdContactText(const PublisherDatabase& database, const PublisherRecord& person) {
    const PublisherId headId = person.IsHeadOfFamily() ? person.Id() : person.FamilyHead();
    const RecordNumber record = headId != 0 ? database.RecordNumberOfId(headId) : 0;
    if (record == 0)
        return {};
    const PublisherRecord& head = database.Record(record);
    std::string phones;
    for (const auto& [label, phone] :
         {std::pair{StrId::ExpMobile, head.Phone2()}, std::pair{StrId::WorkColumn, head.Phone3()},
          std::pair{StrId::HomeColumn, head.Phone1()}})
        if (phone.find_first_not_of(' ') != std::string::npos)
            phones += (phones.empty() ? "" : ", ") + std::string(Str(label)) + " " + phone;
    return phones.empty() ? std::string() : head.LastName() + ": " + phones;
}

std::string EmergencyExport(const EmergencyExportSource& source, std::string_view languageTag) {
    const ExportSource& base = source.base;
    const PublisherDatabase& database = base.database;
    std::string text(kBom);
    text += HeaderLine({StrId::ExpName, StrId::ExpAddress, StrId::ExpPhone, StrId::ExpMobile, StrId::ExpPhone3,
                        StrId::ExpEmail, StrId::ExpFamilyMembers, StrId::ExpEmergencyName, StrId::ExpEmergencyHome,
                        StrId::ExpEmergencyMobile, StrId::ExpEmergencyWork, StrId::ExpSpecialNeeds, StrId::ExpGroup},
                       '\t');
    struct Line {
        std::string sortKey;
        std::string text;
    };
    const Collator collator(languageTag);
    std::vector<Line> lines;
    for (const PublisherCategory category :
         {PublisherCategory::Publisher, PublisherCategory::Inactive, PublisherCategory::NonPublisher}) {
        for (const IndexEntry& entry : database.List(category)) {
            const PublisherRecord& person = database.Record(entry.recordNumber);
            if (category != PublisherCategory::Publisher && !person.IsHeadOfFamily())
                continue;
            const auto contact = source.emergencyOf ? source.emergencyOf(person) : std::nullopt;
            const bool member = !person.IsHeadOfFamily() && person.FamilyHead() != 0;
            if (member && !contact && HouseholdContactText(database, person).empty())
                continue;
            const std::string plainName = database.DisplayNameOfRecord(entry.recordNumber, true);
            std::string name = NameOf(base, entry.recordNumber, category == PublisherCategory::Publisher);
            if (category == PublisherCategory::Inactive)
                name = FormatPrintf("%s ( %s )", plainName.c_str(), "N");
            else if (category == PublisherCategory::NonPublisher)
                name = FormatPrintf("%s ( %s )", plainName.c_str(), "SB");
            const auto extension = base.extensionOf ? base.extensionOf(person) : std::nullopt;
            std::string line;
            for (const std::string& field :
                 {name, person.Address(), person.Phone1(), person.Phone2(), person.Phone3(),
                  extension ? extension->Email() : std::string(), HouseholdMembersText(database, person),
                  contact ? contact->Name() : std::string(), contact ? contact->HomePhone() : std::string(),
                  contact ? contact->MobilePhone() : std::string(), contact ? contact->WorkPhone() : std::string(),
                  source.specialNeedsOf ? source.specialNeedsOf(person) : std::string(),
                  std::to_string(person.Group())})
                line += Plain(field) + "\t";
            lines.push_back({collator.SortKey(plainName), line + "\r\n"});
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.sortKey < b.sortKey; });
    for (const Line& line : lines)
        text += line.text;
    return text;
}

Result<std::string> WriteExport(const DataFolder& folder, std::string_view name, std::string_view text) {
    const std::string relative = std::string(kExportsFolder) + "/" + std::string(name);
    const std::string path = folder.Resolve(relative).string();
    if (!folder.CreateFolder(kExportsFolder) || !folder.WriteAtomic(relative, text))
        return Result<std::string>::Fail(Failure::Io, FormatArgs(Str(StrId::CannotCreateFile), {path}));
    return path;
}

} // namespace vardo
