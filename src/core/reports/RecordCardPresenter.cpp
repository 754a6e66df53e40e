#include "core/reports/RecordCardPresenter.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"
#include "core/reporting/MonthTotals.h"

namespace vardo {

RecordCardPresenter::RecordCardPresenter(const CardSource& source) : m_source(source) {
    Rebuild();
}

const CategoryList& RecordCardPresenter::List() const {
    return m_source.database->List(m_inactive ? PublisherCategory::Inactive : PublisherCategory::Publisher);
}

void RecordCardPresenter::SetInactive(bool on) {
    if (on == m_inactive)
        return;
    m_inactive = on;
    m_part = 0;
    Rebuild();
}

void RecordCardPresenter::SetTotals(bool on) {
    if (on == m_totals)
        return;
    m_totals = on;
    m_part = 0;
    Rebuild();
}

std::optional<CardTotalsCategory> RecordCardPresenter::SelectedCategory() const {
    if (!m_totals || m_selected < 0)
        return std::nullopt;
    return static_cast<CardTotalsCategory>(m_selected);
}

int RecordCardPresenter::PartCount() const {
    const int groups = m_source.groups != nullptr ? m_source.groups->Count() : 0;
    return groups + 3;
}

void RecordCardPresenter::ShowPart(int part) {
    const int count = PartCount();
    m_part = ((part % count) + count) % count;
    Rebuild();
}

std::string RecordCardPresenter::PartName(int part) const {
    const int count = PartCount();
    part = ((part % count) + count) % count;
    if (part == 0)
        return std::string(Str(StrId::PeriodAll));
    if (part == 1)
        return std::string(Str(StrId::ExpCatPioneers));
    if (part == count - 1)
        return std::string(Str(StrId::NotInGroups));
    return m_source.groups->DisplayName(part - 2);
}

std::optional<int> RecordCardPresenter::PartGroup() const {
    if (m_part < 2)
        return std::nullopt;
    return m_part == PartCount() - 1 ? 0 : m_part - 1;
}

bool RecordCardPresenter::InPart(const PublisherRecord& person, int part) const {
    if (part == 0)
        return true;
    const MonthIndex m = m_source.workingMonth.monthIndex;
    const bool pioneer = SectionOf(person, m, m_source.workingMonth.SlotOf(m)) == 1;
    if (part == 1)
        return pioneer;
    const int group = part == PartCount() - 1 ? 0 : part - 1;
    return !pioneer && person.Group() == group;
}

void RecordCardPresenter::Rebuild() {
    m_entries.clear();
    if (m_totals) {
        for (const CardTotalsCategory category :
             {CardTotalsCategory::Publishers, CardTotalsCategory::Auxiliary, CardTotalsCategory::Pioneers})
            m_entries.push_back({CardTotalsCategoryName(category), 0});
        m_selected = 0;
        return;
    }
    const PublisherDatabase& database = *m_source.database;
    const bool lastNameFirst = database.SortsLastNameFirst();
    for (const IndexEntry& entry : List())
        if (InPart(*entry.record, m_part))
            m_entries.push_back({database.DisplayNameOfRecord(entry.recordNumber, lastNameFirst), entry.recordNumber});
    m_selected = m_entries.empty() ? -1 : 0;
}

void RecordCardPresenter::Select(int row) {
    if (row >= 0 && row < static_cast<int>(m_entries.size()))
        m_selected = row;
}

std::optional<RecordNumber> RecordCardPresenter::SelectedRecord() const {
    if (m_selected < 0 || m_totals)
        return std::nullopt;
    return m_entries[static_cast<std::size_t>(m_selected)].record;
}

std::string RecordCardPresenter::SelectedText() const {
    return m_selected < 0 ? std::string() : m_entries[static_cast<std::size_t>(m_selected)].text;
}

CardSource RecordCardPresenter::Source() const {
    CardSource source = m_source;
    source.previousYear = m_previousYear;
    source.cardMode = m_cardMode;
    // The previous year alone: its table takes the card's first place.
    if (m_previousYear)
        source.options.onePerPage = true;
    if (const std::optional<CardTotalsCategory> category = SelectedCategory())
        source.totals = CardTotalsChoice{*category, m_totalsSource, m_history};
    else
        source.totals.reset();
    return source;
}

CardSource RecordCardPresenter::CardsSource() const {
    CardSource source = Source();
    source.totals.reset();
    return source;
}

std::unique_ptr<Report> RecordCardPresenter::SelectedReport() const {
    if (SelectedCategory())
        return MakeCardTotalsReport(Source());
    if (const std::optional<RecordNumber> record = SelectedRecord())
        return MakeCardsReport(Source(), {*record});
    return nullptr;
}

std::vector<RecordNumber> RecordCardPresenter::PartRecords(bool withPioneers) const {
    std::vector<RecordNumber> records;
    if (m_totals)
        return records;
    const std::optional<int> group = PartGroup();
    if (withPioneers && group && *group != 0)
        for (const IndexEntry& entry : List())
            if (InPart(*entry.record, 1) && entry.record->Group() == *group)
                records.push_back(entry.recordNumber);
    for (const CardListEntry& entry : m_entries)
        records.push_back(entry.record);
    return records;
}

std::vector<RecordNumber> RecordCardPresenter::BatchRecords(bool inactive) const {
    return CardBatchOrder(*m_source.database, m_source.workingMonth, inactive);
}

std::string RecordCardPresenter::BatchName(bool inactive) const {
    std::string name(Str(inactive ? StrId::InactivePublishers : StrId::ActivePublishers));
    if (m_previousYear) {
        const WorkingMonth& month = m_source.workingMonth;
        name += FormatPrintf(" %d", ServiceYearOf(month.Year(), month.monthIndex) - 1);
    }
    return name;
}

std::string RecordCardPresenter::BatchFileName(bool inactive) const {
    std::string name = BatchName(inactive);
    for (char& c : name)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    return name + ".pdf";
}

} // namespace vardo
