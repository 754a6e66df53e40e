#include "core/exchange/CsvImport.h"

#include <algorithm>
#include <cstring>

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/SideRecord.h"

namespace vardo {
namespace {

Result<CsvTable> Malformed() {
    return Result<CsvTable>::Fail(Failure::Invalid, std::string(Str(StrId::CsvMalformed)));
}

/// Splits the text into records of fields; quotes may hold separators, quotes ("") and line breaks.
std::vector<std::vector<std::string>> SplitRecords(std::string_view text, char separator) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    bool any = false; // the current record has content
    auto endRecord = [&] {
        if (any || !field.empty() || !fields.empty()) {
            fields.push_back(std::move(field));
            records.push_back(std::move(fields));
        }
        fields.clear();
        field.clear();
        any = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == separator) {
            fields.push_back(std::move(field));
            field.clear();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRecord();
        } else {
            field += c;
            any = true;
        }
    }
    endRecord();
    return records;
}

std::string Trimmed(std::string_view text) {
    return std::string(sidetext::Trim(text));
}

std::string FieldAt(const std::vector<std::string>& row, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= row.size())
        return {};
    return Trimmed(row[static_cast<std::size_t>(column)]);
}

/// The digits of a whole number (blanks trimmed); nullopt for anything else.
std::optional<long> WholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

void PutI32(std::string& bytes, std::size_t offset, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t GetI32(std::string_view bytes, std::size_t offset) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]))
             << (8 * i);
    return static_cast<std::int32_t>(u);
}

void PutText(std::string& bytes, std::size_t offset, std::size_t width, std::string_view utf8) {
    const std::string encoded = codepage::Utf8ToCp1250(utf8).text;
    std::copy_n(encoded.begin(), std::min(encoded.size(), width - 1), bytes.begin() + static_cast<long>(offset));
}

/// A zero-terminated text of a field: at most width − 1 bytes, as it is written.
std::string GetText(std::string_view bytes, std::size_t offset, std::size_t width) {
    return codepage::Cp1250ToUtf8(sidetext::UpToNul(bytes.substr(offset, width - 1)));
}

bool IsNameTarget(int target) {
    const auto t = static_cast<CsvTarget>(target);
    return t == CsvTarget::FirstName || t == CsvTarget::LastName || t == CsvTarget::NameFirstLast ||
           t == CsvTarget::NameLastFirst;
}

} // namespace

char DetectCsvSeparator(std::string_view firstLine) {
    if (std::count(firstLine.begin(), firstLine.end(), ';') >= 5)
        return ';';
    if (std::count(firstLine.begin(), firstLine.end(), '\t') >= 5)
        return '\t';
    return ',';
}

Result<CsvTable> ParseCsv(std::string_view bytes) {
    if (bytes.size() > kMaxCsvBytes)
        return Result<CsvTable>::Fail(Failure::Invalid, FormatArgs(Str(StrId::FileTooLarge), {"CSV"}));
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::string text = codepage::IsValidUtf8(bytes) ? std::string(bytes) : codepage::Cp1250ToUtf8(bytes);
    CsvTable table;
    table.separator = DetectCsvSeparator(std::string_view(text).substr(0, text.find_first_of("\r\n")));
    auto records = SplitRecords(text, table.separator);
    if (records.size() < 2 || records[0].size() < 4)
        return Malformed();
    table.header = std::move(records[0]);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (records[i].size() != table.header.size() && records[i].size() != table.header.size() + 1)
            return Malformed();
        table.rows.push_back(std::move(records[i]));
    }
    return table;
}

std::string_view CsvTargetName(CsvTarget target) {
    switch (target) {
    case CsvTarget::FirstName:
        return Str(StrId::CsvFirstName);
    case CsvTarget::LastName:
        return Str(StrId::CsvLastName);
    case CsvTarget::Participated:
        return Str(StrId::ParticipatedColumn);
    case CsvTarget::Studies:
        return Str(StrId::BibleStudiesColumn);
    case CsvTarget::Hours:
        return Str(StrId::HoursLabel);
    case CsvTarget::Remark:
        return Str(StrId::RemarksColumn);
    case CsvTarget::NameFirstLast:
        return Str(StrId::CsvNameFirstLast);
    case CsvTarget::NameLastFirst:
        return Str(StrId::CsvNameLastFirst);
    }
    return {};
}

void CsvColumnMap::Map(CsvTarget target, int sourceColumn, const std::vector<std::string>& header) {
    const auto t = static_cast<std::size_t>(target);
    if (sourceColumn < 0 || static_cast<std::size_t>(sourceColumn) >= header.size()) {
        column[t] = -1;
        headers[t].clear();
        return;
    }
    column[t] = sourceColumn;
    headers[t] = Trimmed(header[static_cast<std::size_t>(sourceColumn)]);
}

bool CsvColumnMap::HasName() const {
    return (Column(CsvTarget::FirstName) >= 0 && Column(CsvTarget::LastName) >= 0) ||
           Column(CsvTarget::NameFirstLast) >= 0 || Column(CsvTarget::NameLastFirst) >= 0;
}

Result<CsvColumnMap> CsvColumnMap::FromFileBytes(std::string_view bytes) {
    if (bytes.size() != kFileSize)
        return Result<CsvColumnMap>::Fail(Failure::Invalid, FormatArgs(Str(StrId::MapFileDamaged), {kFileName}));
    CsvColumnMap map;
    for (std::size_t t = 0; t < kCsvTargets; ++t) {
        const std::int32_t value = GetI32(bytes, 4 * t);
        map.column[t] = value >= 0 && value < 10000 ? value : -1;
        map.headers[t] = GetText(bytes, 40 + 80 * t, 80);
    }
    map.participatedWhenHours = GetI32(bytes, 36) != 0;
    map.versioned = sidetext::UpToNul(bytes.substr(760, 80)) == kVersionMarker;
    return map;
}

std::string CsvColumnMap::FileBytes() const {
    std::string bytes(kFileSize, '\0');
    for (std::size_t t = 0; t < kCsvTargets; ++t) {
        PutI32(bytes, 4 * t, column[t]);
        if (column[t] >= 0)
            PutText(bytes, 40 + 80 * t, 80, headers[t]);
    }
    PutI32(bytes, 36, participatedWhenHours ? 1 : 0);
    PutText(bytes, 760, 80, kVersionMarker);
    return bytes;
}

CsvColumnMap CsvColumnMap::RestoredFor(const std::vector<std::string>& header) const {
    CsvColumnMap restored;
    restored.participatedWhenHours = participatedWhenHours;
    for (int t = 0; t < kCsvTargets; ++t) {
        const int c = column[static_cast<std::size_t>(t)];
        if (c < 0 || static_cast<std::size_t>(c) >= header.size() || (!versioned && !IsNameTarget(t)))
            continue;
        if (Trimmed(header[static_cast<std::size_t>(c)]) == headers[static_cast<std::size_t>(t)])
            restored.Map(static_cast<CsvTarget>(t), c, header);
    }
    return restored;
}

CsvNameMap CsvNameMap::FromFileBytes(std::string_view bytes) {
    CsvNameMap map;
    for (std::size_t offset = 0; offset + kRecordSize <= bytes.size() && map.pairs.size() < kMaxPairs;
         offset += kRecordSize) {
        const std::string_view record = bytes.substr(offset, kRecordSize);
        CsvNamePair pair{GetText(record, 0, 60), GetText(record, 60, 60),
                         static_cast<PublisherId>(static_cast<std::uint32_t>(GetI32(record, 120)) & 0xFFFF)};
        if (!pair.csvName.empty())
            map.pairs.push_back(std::move(pair));
    }
    return map;
}

std::string CsvNameMap::FileBytes() const {
    std::string bytes;
    for (const CsvNamePair& pair : pairs) {
        std::string record(kRecordSize, '\0');
        PutText(record, 0, 60, pair.displayName);
        PutText(record, 60, 60, pair.csvName);
        PutI32(record, 120, pair.id);
        bytes += record;
    }
    return bytes;
}

PublisherId CsvNameMap::Find(std::string_view csvName) const {
    for (const CsvNamePair& pair : pairs)
        if (pair.csvName == csvName)
            return pair.id;
    return 0;
}

void CsvNameMap::Set(CsvNamePair pair) {
    std::erase_if(pairs, [&](const CsvNamePair& p) { return p.csvName == pair.csvName; });
    pairs.push_back(std::move(pair));
    if (pairs.size() > kMaxPairs)
        pairs.erase(pairs.begin());
}

int CsvPioneerCredit(int hours, std::string_view remark, int limit) {
    int c = 0;
    for (std::size_t i = 0; i < 3 && i < remark.size() && remark[i] >= '0' && remark[i] <= '9'; ++i)
        c = c * 10 + (remark[i] - '0');
    c = std::min(c, 255);
    if (remark.substr(0, 6).find('!') != std::string_view::npos)
        return c;
    const std::size_t star = remark.find('*');
    const int f = star >= 1 && star <= 4 ? std::min(c, 40) : 0;
    int credit = (hours < limit && f < c && hours + f <= limit - 1) ? c : f;
    if (credit > 0 && f > 0 && hours + f <= limit - 1 && hours + credit > limit - 1)
        credit = limit - hours;
    if (f == 0 && credit > limit - hours)
        credit = limit - hours;
    // Hours already above the limit leave no room for credit (the rule above would make it negative).
    return std::max(credit, 0);
}

int CsvCreditLimit(MonthCount month) {
    return IsNewReportFormat(month) ? 55 : 70;
}

std::vector<CsvPersonLine> MatchCsvNames(const CsvTable& table, const CsvColumnMap& map, const CsvNameMap& names,
                                         const PublisherDatabase& database) {
    // The names of the active publishers, converted once.
    struct ActiveName {
        std::string firstLast;
        std::string lastFirst;
        RecordNumber record;
    };
    std::vector<ActiveName> activeNames;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = database.Record(entry.recordNumber);
        activeNames.push_back({person.FirstName() + " " + person.LastName(),
                               person.LastName() + ", " + person.FirstName(), entry.recordNumber});
    }
    std::vector<CsvPersonLine> lines;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::string>& row = table.rows[r];
        CsvPersonLine line;
        line.line = static_cast<int>(r) + 2;
        if (map.Column(CsvTarget::FirstName) >= 0 && map.Column(CsvTarget::LastName) >= 0)
            line.name =
                FieldAt(row, map.Column(CsvTarget::FirstName)) + " " + FieldAt(row, map.Column(CsvTarget::LastName));
        else if (map.Column(CsvTarget::NameFirstLast) >= 0)
            line.name = FieldAt(row, map.Column(CsvTarget::NameFirstLast));
        else if (map.Column(CsvTarget::NameLastFirst) >= 0)
            line.name = FieldAt(row, map.Column(CsvTarget::NameLastFirst));
        if (line.name.empty() || line.name == " ")
            continue;
        for (const ActiveName& active : activeNames) {
            if (line.name == active.firstLast || line.name == active.lastFirst) {
                line.target = active.record;
                break;
            }
        }
        if (line.target == 0)
            if (const PublisherId id = names.Find(line.name); id != 0) {
                const RecordNumber record = database.RecordNumberOfId(id);
                if (record != 0 && database.Record(record).Category() == PublisherCategory::Publisher)
                    line.target = record;
            }
        lines.push_back(std::move(line));
    }
    return lines;
}

CsvReports BuildCsvReports(const CsvTable& table, const CsvColumnMap& map, const CsvNameMap& names,
                           const ReportingContext& context) {
    CsvReports reports;
    reports.lines = MatchCsvNames(table, map, names, context.database);
    const MonthIndex month = context.month.monthIndex;
    const YearSlot slot = context.month.SlotOf(month);
    for (const CsvPersonLine& line : reports.lines) {
        if (line.target == 0) {
            if (std::find(reports.unmatched.begin(), reports.unmatched.end(), line.name) == reports.unmatched.end())
                reports.unmatched.push_back(line.name);
            continue;
        }
        const std::vector<std::string>& row = table.rows[static_cast<std::size_t>(line.line - 2)];
        IncomingPerson person;
        person.target = line.target;

        const Result<HoursValue> parsedHours = ParseHours(FieldAt(row, map.Column(CsvTarget::Hours)));
        const HoursValue hours = parsedHours.ok() ? parsedHours.value() : HoursValue{};
        const bool hoursInRange = hours.hours >= 1 && hours.hours <= 739;
        bool participated = false;
        if (map.Column(CsvTarget::Participated) >= 0) {
            const std::string value = FieldAt(row, map.Column(CsvTarget::Participated));
            participated = !value.empty() && value != "0";
        }
        if (map.participatedWhenHours && hours.hours >= 1 && hours.hours <= 740)
            participated = true;

        ReportCell cell;
        if (participated) {
            if (hoursInRange) {
                cell.hours = static_cast<std::uint16_t>(hours.hours);
                cell.SetQuarterHours(hours.quarters);
            }
            const std::optional<long> studies = WholeNumber(FieldAt(row, map.Column(CsvTarget::Studies)));
            if (studies && *studies >= 1 && *studies <= 499)
                cell.SetBibleStudies(static_cast<int>(*studies));
            cell.SetFlag(true);
        }
        const std::string remark = FieldAt(row, map.Column(CsvTarget::Remark));
        if (codepage::Utf8ToCp1250(remark).text.size() > 1)
            person.remarks[static_cast<std::size_t>(month)] = sidetext::CutToCharacters(remark, RemarkEntry::kTextMax);
        const PublisherRecord& existing = context.database.Record(line.target);
        if (existing.Pioneer(month, slot) == PioneerCode::Regular)
            cell.creditHours = static_cast<std::uint16_t>(CsvPioneerCredit(
                cell.hours, person.remarks[static_cast<std::size_t>(month)], CsvCreditLimit(context.month.monthCount)));
        person.values.SetCell(month, slot, cell);
        reports.persons.push_back(std::move(person));
    }
    return reports;
}

} // namespace vardo
