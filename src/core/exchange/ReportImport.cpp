#include "core/exchange/ReportImport.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/DocumentChange.h"

namespace vardo {
namespace {

/// One step of the comparison: a nonzero received value over an existing 0 is new data, over a different
/// value a replacement.
bool Step(int existing, int received, ImportComparison& result) {
    if (received == 0)
        return false;
    if (existing == 0) {
        result = std::max(result, ImportComparison::NewData);
        return false;
    }
    if (existing != received) {
        result = ImportComparison::ReplacesValues;
        return true;
    }
    return false;
}

/// The received values merged into the existing cell: a zero never clears.
ReportCell Merge(ReportCell cell, const ReportCell& received) {
    if (received.pioneerByte != 0)
        cell.pioneerByte = received.pioneerByte;
    for (auto member : {&ReportCell::placements, &ReportCell::videos, &ReportCell::hours, &ReportCell::returnVisits,
                        &ReportCell::creditHours})
        if (received.*member != 0)
            cell.*member = received.*member;
    if (received.BibleStudies() != 0)
        cell.SetBibleStudies(received.BibleStudies());
    if (received.QuarterHours() != 0)
        cell.SetQuarterHours(received.QuarterHours());
    if (received.Flag())
        cell.SetFlag(true);
    return cell;
}

} // namespace

ImportComparison CompareReceivedMonth(const ReportCell& existing, std::string_view existingRemark,
                                      const ReportCell& received, std::string_view receivedRemark, bool valuesCompared,
                                      bool hoursCompared) {
    ImportComparison result = ImportComparison::Nothing;
    const bool replaced = (valuesCompared && Step(existing.placements, received.placements, result)) ||
                          (valuesCompared && Step(existing.videos, received.videos, result)) ||
                          (hoursCompared && Step(existing.hours, received.hours, result)) ||
                          (valuesCompared && Step(existing.returnVisits, received.returnVisits, result)) ||
                          Step(existing.BibleStudies(), received.BibleStudies(), result);
    if (!replaced && result == ImportComparison::Nothing)
        if (!Step(existing.QuarterHours(), received.QuarterHours(), result))
            Step(existing.Flag() ? 1 : 0, received.Flag() ? 1 : 0, result);
    if (!receivedRemark.empty()) {
        if (existingRemark.empty())
            result = std::max(result, ImportComparison::NewData);
        else if (existingRemark != receivedRemark)
            result = ImportComparison::ReplacesRemark;
    }
    return result;
}

Result<std::vector<IncomingPerson>> IncomingFromGroupFile(const GroupReportData& data,
                                                          const ReportingContext& context) {
    const WorkingMonth& working = context.month;
    if (data.month != working.monthIndex)
        return Result<std::vector<IncomingPerson>>::Fail(
            Failure::Invalid,
            FormatArgs(Str(StrId::ImportWrongMonth), {MonthName(data.month), MonthName(working.monthIndex)}));
    std::vector<IncomingPerson> persons;
    const PublisherDatabase& database = context.database;
    for (const PublisherRecord& record : data.persons) {
        IncomingPerson person;
        person.values = record;
        const std::string_view first = record.RawText(TextField::FirstName);
        const std::string_view last = record.RawText(TextField::LastName);
        for (const IndexEntry& entry : database.List(PublisherCategory::Publisher)) {
            const PublisherRecord& candidate = database.Record(entry.recordNumber);
            if (candidate.RawText(TextField::LastName) == last && candidate.RawText(TextField::FirstName) == first) {
                person.target = entry.recordNumber;
                break;
            }
        }
        if (person.target == 0)
            continue;
        for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
            person.remarks[m] = data.RemarkOf(record, m, working.SlotOf(m));
            person.late[m] = m != working.monthIndex && GroupReportData::IsMarkedLate(record, m);
        }
        persons.push_back(std::move(person));
    }
    return persons;
}

ReportImport::ReportImport(const ReportingContext& context, ImportSource source, std::vector<IncomingPerson> persons)
    : m_context(context), m_source(source), m_persons(std::move(persons)) {
    for (std::size_t i = 0; i < m_persons.size(); ++i)
        AddEntries(i);
}

MonthCount ReportImport::CountOf(MonthIndex month) const {
    const WorkingMonth& working = m_context.month;
    const int back = (working.monthIndex - month + kMonthsPerYear) % kMonthsPerYear;
    return static_cast<MonthCount>(working.monthCount - back);
}

void ReportImport::AddEntries(std::size_t index) {
    const IncomingPerson& incoming = m_persons[index];
    const PublisherDatabase& database = m_context.database;
    if (!database.IsPerson(incoming.target))
        return;
    const PublisherRecord& person = database.Record(incoming.target);
    const WorkingMonth& working = m_context.month;
    const std::string name = database.DisplayNameOfRecord(incoming.target, true);

    auto add = [&](MonthIndex month, bool late, bool valuesCompared, bool hoursCompared) {
        const YearSlot slot = working.SlotOf(month);
        const std::string existingRemark = RemarkText(m_context.remarks, person, month, slot).text;
        const ImportComparison result =
            CompareReceivedMonth(person.Cell(month, slot), existingRemark, incoming.values.Cell(month, slot),
                                 incoming.remarks[month], valuesCompared, hoursCompared);
        if (result == ImportComparison::Nothing)
            return;
        ImportListEntry entry;
        entry.person = index;
        entry.month = month;
        entry.late = late;
        entry.replacesValues = result >= ImportComparison::ReplacesValues;
        entry.replacesRemark = result == ImportComparison::ReplacesRemark;
        entry.label = late ? name + " (" + std::string(MonthAbbreviation(month)) + ")" : name;
        m_entries.push_back(std::move(entry));
    };

    add(working.monthIndex, false, true, true);
    if (m_source != ImportSource::GroupFile)
        return;
    const bool newFormat = IsNewReportFormat(working.monthCount);
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
        if (!incoming.late[m] || m == working.monthIndex)
            continue;
        const bool pioneer = person.Pioneer(m, working.SlotOf(m)) != PioneerCode::None;
        add(m, true, !newFormat, !newFormat || pioneer);
    }
}

std::string ReportImport::CountText() const {
    return std::string(Str(StrId::ImportCount)) + " " + std::to_string(m_entries.size());
}

std::string ReportImport::HintText() {
    return std::string(Str(StrId::ImportHint));
}

void ReportImport::SelectAll() {
    for (ImportListEntry& entry : m_entries)
        entry.selected = true;
}

void ReportImport::ClearAll() {
    for (ImportListEntry& entry : m_entries)
        entry.selected = false;
}

void ReportImport::SetSelected(std::size_t entry, bool selected) {
    if (entry < m_entries.size())
        m_entries[entry].selected = selected;
}

std::size_t ReportImport::SelectedCount() const {
    return static_cast<std::size_t>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const ImportListEntry& e) { return e.selected; }));
}

ImportPreviewRow ReportImport::RowOf(const ReportCell& cell, const std::string& remark, MonthIndex month) const {
    ImportPreviewRow row;
    const bool newFormat = IsNewReportFormat(CountOf(month));
    row.participated = newFormat ? (cell.Flag() ? "1" : "0") : std::string();
    row.studies = std::to_string(cell.BibleStudies());
    row.hours = FormatHours(cell.hours, cell.QuarterHours());
    row.remark = remark;
    return row;
}

ImportPreview ReportImport::Preview(std::size_t index) const {
    const ImportListEntry& entry = m_entries.at(index);
    const IncomingPerson& incoming = m_persons[entry.person];
    const PublisherRecord& person = m_context.database.Record(incoming.target);
    const YearSlot slot = m_context.month.SlotOf(entry.month);
    ImportPreview preview;
    preview.name = person.FirstName() + " " + person.LastName();
    if (entry.late)
        preview.lateText = FormatArgs(Str(StrId::ImportLateReport), {MonthName(entry.month)});
    preview.incoming = RowOf(incoming.values.Cell(entry.month, slot), incoming.remarks[entry.month], entry.month);
    preview.existing = RowOf(person.Cell(entry.month, slot),
                             RemarkText(m_context.remarks, person, entry.month, slot).text, entry.month);
    return preview;
}

Result<int> ReportImport::Import() {
    DocumentChange change(m_context.changes, "Import sprawozdań");
    change.Touch(DataArea::Register | DataArea::Remarks | DataArea::MonthCycle);
    int stored = 0;
    for (const ImportListEntry& entry : m_entries) {
        if (!entry.selected)
            continue;
        const IncomingPerson& incoming = m_persons[entry.person];
        if (!m_context.database.IsPerson(incoming.target))
            continue;
        PublisherRecord& person = m_context.database.Record(incoming.target);
        const YearSlot slot = m_context.month.SlotOf(entry.month);
        PublisherRecord copy = person;
        copy.SetCell(entry.month, slot, Merge(copy.Cell(entry.month, slot), incoming.values.Cell(entry.month, slot)));
        const std::string& remark = incoming.remarks[entry.month];
        if (!remark.empty()) {
            const RemarkSlot current = RemarkText(m_context.remarks, copy, entry.month, slot);
            const Result<bool> storedRemark =
                StoreRemark(m_context.remarks, copy, entry.month, slot, current.number, remark, m_context.prompter);
            if (!storedRemark)
                return Result<int>::Fail(storedRemark.status());
        }
        person = copy;
        if (entry.late && person.Pioneer(entry.month, slot) != PioneerCode::Special &&
            !m_context.IsLateReport(person, entry.month))
            m_context.AddLateReport(person, entry.month);
        ++stored;
    }
    if (stored > 0)
        change.Commit();
    return stored;
}

} // namespace vardo
