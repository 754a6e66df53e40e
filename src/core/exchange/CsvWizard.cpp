#include "core/exchange/CsvWizard.h"

#include <algorithm>

#include "core/platform/Strings.h"

namespace vardo {

CsvWizard::CsvWizard(const ReportingContext& context, const DataFolder& folder, CsvTable table)
    : m_context(context), m_folder(folder), m_table(std::move(table)) {
    if (const auto saved = m_folder.ReadAll(CsvColumnMap::kFileName); saved) {
        if (const auto map = CsvColumnMap::FromFileBytes(saved.value()); map)
            m_map = map.value().RestoredFor(m_table.header);
        else
            m_context.prompter.Message(map.error(), Severity::Warning);
    }
    if (const auto saved = m_folder.ReadAll(CsvNameMap::kFileName); saved)
        m_names = CsvNameMap::FromFileBytes(saved.value());
}

std::vector<std::string> CsvWizard::TargetLines() const {
    std::vector<std::string> lines;
    for (int t = 0; t < kCsvTargets; ++t) {
        std::string line(CsvTargetName(static_cast<CsvTarget>(t)));
        if (m_map.column[static_cast<std::size_t>(t)] >= 0)
            line += " = " + m_map.headers[static_cast<std::size_t>(t)];
        lines.push_back(std::move(line));
    }
    return lines;
}

void CsvWizard::Pair(int sourceColumn, CsvTarget target) {
    const bool whole = target == CsvTarget::NameFirstLast || target == CsvTarget::NameLastFirst;
    const bool part = target == CsvTarget::FirstName || target == CsvTarget::LastName;
    if (whole) {
        m_map.Map(CsvTarget::FirstName, -1, m_table.header);
        m_map.Map(CsvTarget::LastName, -1, m_table.header);
        m_map.Map(target == CsvTarget::NameFirstLast ? CsvTarget::NameLastFirst : CsvTarget::NameFirstLast, -1,
                  m_table.header);
    } else if (part) {
        m_map.Map(CsvTarget::NameFirstLast, -1, m_table.header);
        m_map.Map(CsvTarget::NameLastFirst, -1, m_table.header);
    }
    m_map.Map(target, sourceColumn, m_table.header);
}

void CsvWizard::ClearPairs() {
    const bool option = m_map.participatedWhenHours;
    m_map = CsvColumnMap{};
    m_map.participatedWhenHours = option;
}

std::string CsvWizard::WhenHoursCaption() {
    return FormatArgs(Str(StrId::CsvWhenHoursOption), {Str(StrId::ParticipatedColumn), Str(StrId::HoursLabel)});
}

Status CsvWizard::Continue() {
    if (!m_map.HasName())
        return Status::Fail(Failure::Invalid, std::string(Str(StrId::CsvNoMapping)));
    if (const Status saved = m_folder.WriteAtomic(CsvColumnMap::kFileName, m_map.FileBytes()); !saved)
        m_context.prompter.Message(saved.message(), Severity::Warning);
    m_lines = MatchCsvNames(m_table, m_map, m_names, m_context.database);
    return Status::Ok();
}

std::vector<std::string> CsvWizard::Unmatched() const {
    std::vector<std::string> names;
    for (const CsvPersonLine& line : MatchCsvNames(m_table, m_map, m_names, m_context.database))
        if (line.target == 0 && std::find(names.begin(), names.end(), line.name) == names.end())
            names.push_back(line.name);
    return names;
}

std::string CsvWizard::UnmatchedText() const {
    return FormatArgs(Str(StrId::CsvUnmatchedCount), {std::to_string(Unmatched().size())});
}

std::vector<std::pair<RecordNumber, std::string>> CsvWizard::Publishers() const {
    std::vector<std::pair<RecordNumber, std::string>> list;
    for (const IndexEntry& entry : m_context.database.List(PublisherCategory::Publisher))
        list.emplace_back(entry.recordNumber, m_context.database.DisplayNameOfRecord(entry.recordNumber, true));
    return list;
}

void CsvWizard::PairName(const std::string& csvName, RecordNumber publisher) {
    if (!m_context.database.IsPerson(publisher))
        return;
    m_names.Set(
        {m_context.database.DisplayNameOfRecord(publisher, false), csvName, m_context.database.Record(publisher).Id()});
}

void CsvWizard::ClearNamePairs() {
    std::vector<std::string> fileNames;
    for (const CsvPersonLine& line : MatchCsvNames(m_table, m_map, CsvNameMap{}, m_context.database))
        fileNames.push_back(line.name);
    std::erase_if(m_names.pairs, [&](const CsvNamePair& pair) {
        return std::find(fileNames.begin(), fileNames.end(), pair.csvName) != fileNames.end();
    });
}

CsvReports CsvWizard::Finish() {
    if (const Status saved = m_folder.WriteAtomic(CsvNameMap::kFileName, m_names.FileBytes()); !saved)
        m_context.prompter.Message(saved.message(), Severity::Warning);
    return BuildCsvReports(m_table, m_map, m_names, m_context);
}

} // namespace vardo
