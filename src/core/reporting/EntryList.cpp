#include "core/reporting/EntryList.h"

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {

EntryList::EntryList(const ReportingContext& context, const GroupTable& groups, PublisherId lastEntered)
    : m_context(context), m_groups(groups), m_lastEntered(lastEntered) {
    context.database.Header().SetMonthState((context.month.monthIndex + 2) % kMonthsPerYear,
                                            MonthState::NotInitialised);
    Refresh();
}

std::string EntryList::Title() const {
    return FormatArgs(Str(StrId::EntryListTitle), {MonthName(m_context.month.monthIndex)}) +
           FormatPrintf(" - %d ", static_cast<int>(m_context.database.List(PublisherCategory::Publisher).size())) +
           std::string(Str(StrId::ActivePublishers));
}

std::vector<std::string> EntryList::GroupItems() const {
    std::vector<std::string> items{std::string(Str(StrId::Congregation))};
    for (int g = 0; g < m_groups.Count(); ++g)
        items.push_back(m_groups.DisplayName(g));
    return items;
}

void EntryList::SetGroupChoice(int choice) {
    m_group = choice >= 0 && choice <= m_groups.Count() ? choice : 0;
    Refresh();
}

void EntryList::SetMissingOnly(bool on) {
    m_missingOnly = on;
    Refresh();
}

void EntryList::Select(int row) {
    if (row >= 0 && row < static_cast<int>(m_items.size()))
        m_selection = row;
}

RecordNumber EntryList::SelectedRecord() const {
    return m_selection >= 0 ? m_items[static_cast<std::size_t>(m_selection)].record : 0;
}

std::string EntryList::LastEnteredName() const {
    return m_lastEntered == 0 ? std::string() : m_context.database.NameOfId(m_lastEntered, false);
}

std::string EntryList::ImportLabel() const {
    return FormatArgs(Str(StrId::AddReportFrom), {MonthName(m_context.month.monthIndex)});
}

std::string EntryList::CloseButtonText() const {
    return FormatArgs(Str(StrId::CloseMonthButton), {MonthName(m_context.month.monthIndex)});
}

void EntryList::AfterReport() {
    if (m_missingOnly)
        Refresh();
}

void EntryList::Refresh() {
    const PublisherDatabase& db = m_context.database;
    const MonthIndex month = m_context.month.monthIndex;
    const YearSlot slot = m_context.month.SlotOf(month);
    const bool lastNameFirst = db.SortsLastNameFirst();
    m_items.clear();
    for (const IndexEntry& entry : db.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = db.Record(entry.recordNumber);
        if (m_group != 0 && person.Group() != m_group)
            continue;
        if (m_missingOnly &&
            (HasReport(person, month, slot) || m_context.remarks.HasRemark(person.RemarkNumber(month, slot))))
            continue;
        m_items.push_back({entry.recordNumber, db.DisplayNameOfRecord(entry.recordNumber, lastNameFirst)});
    }
    if (m_selection < 0 || m_selection >= static_cast<int>(m_items.size()))
        m_selection = m_items.empty() ? -1 : 0;
}

} // namespace vardo
