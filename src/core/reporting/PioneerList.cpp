#include "core/reporting/PioneerList.h"

#include <algorithm>

#include "core/platform/Strings.h"

namespace vardo {

PioneerList::PioneerList(const ReportingContext& context, PioneerCode mode)
    : m_context(context), m_mode(mode == PioneerCode::None ? PioneerCode::Auxiliary : mode) {
    m_monthIndex = context.month.monthIndex;
    Refill();
}

void PioneerList::SetSpecial(bool on) {
    if (m_mode == PioneerCode::Auxiliary)
        return;
    m_mode = on ? PioneerCode::Special : PioneerCode::Regular;
    Refill();
}

std::string PioneerList::Title() const {
    const StrId title = m_mode == PioneerCode::Auxiliary ? StrId::AuxiliaryPioneers
                        : m_mode == PioneerCode::Regular ? StrId::RegularPioneers
                                                         : StrId::SpecialPioneers;
    const std::string month(MonthName(m_monthIndex));
    return FormatPrintf("%s - %s %d ( %d )", std::string(Str(title)).c_str(), month.c_str(),
                        m_context.month.yearIndex - 2 + m_year, static_cast<int>(m_holders.size()));
}

std::vector<std::string> PioneerList::YearItems() const {
    std::vector<std::string> items;
    for (int k = 0; k < 3; ++k)
        items.push_back(FormatPrintf("%d", m_context.month.yearIndex - 2 + k));
    return items;
}

void PioneerList::SetYearChoice(int choice) {
    if (choice < 0 || choice > 2)
        return;
    m_year = choice;
    const std::vector<MonthIndex> months = MonthItems();
    m_monthIndex = months.empty() ? 0 : months.front();
    Refill();
}

std::vector<MonthIndex> PioneerList::MonthItems() const {
    const MonthIndex w = m_context.month.monthIndex;
    std::vector<MonthIndex> months;
    const MonthIndex first = m_year == 0 ? w + 1 : 0;
    const MonthIndex last = m_year == 2 ? w : kMonthsPerYear - 1;
    for (MonthIndex m = first; m <= last; ++m)
        months.push_back(m);
    return months;
}

void PioneerList::SetMonthChoice(MonthIndex month) {
    const std::vector<MonthIndex> months = MonthItems();
    if (std::find(months.begin(), months.end(), month) == months.end())
        return;
    m_monthIndex = month;
    Refill();
}

bool PioneerList::ChooseMonthCount(MonthCount count) {
    const int k = YearIndexOf(count) - m_context.month.yearIndex + 2;
    if (k < 0 || k > 2)
        return false;
    const int previous = m_year;
    m_year = k;
    const std::vector<MonthIndex> months = MonthItems();
    if (std::find(months.begin(), months.end(), MonthIndexOf(count)) == months.end()) {
        m_year = previous;
        return false;
    }
    m_monthIndex = MonthIndexOf(count);
    Refill();
    return true;
}

MonthCount PioneerList::ChosenCount() const {
    return static_cast<MonthCount>((m_context.month.yearIndex - 2 + m_year) * kMonthsPerYear + m_monthIndex);
}

YearSlot PioneerList::ChosenSlot() const {
    return ParitySlot(m_context.month.yearIndex - 2 + m_year);
}

void PioneerList::SelectHolder(int row) {
    if (row < 0 || row >= static_cast<int>(m_holders.size()))
        return;
    m_side = Side::Holders;
    m_row = row;
}

void PioneerList::SelectOther(int row) {
    if (row < 0 || row >= static_cast<int>(m_others.size()))
        return;
    m_side = Side::Others;
    m_row = row;
}

std::string PioneerList::ButtonText() const {
    if (m_side == Side::Holders)
        return std::string(Str(StrId::RemoveButton));
    return std::string(Str(StrId::AddButton));
}

std::string PioneerList::SelectedName() const {
    if (m_side == Side::None)
        return {};
    const Item& item = (m_side == Side::Holders ? m_holders : m_others)[static_cast<std::size_t>(m_row)];
    return m_context.database.DisplayNameOfRecord(item.record, false);
}

bool PioneerList::Move() {
    if (m_side == Side::Others) {
        const int row = m_row;
        if (!Add(m_others[static_cast<std::size_t>(row)].record))
            return false;
        m_side = m_others.empty() ? Side::None : Side::Others;
        m_row = m_others.empty() ? -1 : std::max(0, std::min(row - 1, static_cast<int>(m_others.size()) - 1));
        return true;
    }
    if (m_side == Side::Holders) {
        if (!Remove(m_holders[static_cast<std::size_t>(m_row)].record))
            return false;
        m_side = m_holders.empty() ? (m_others.empty() ? Side::None : Side::Others) : Side::Holders;
        m_row = m_side == Side::None ? -1 : 0;
        return true;
    }
    return false;
}

bool PioneerList::Add(RecordNumber record) {
    PublisherDatabase& db = m_context.database;
    if (!db.IsPerson(record) || db.Record(record).Category() != PublisherCategory::Publisher)
        return false;
    PublisherRecord& person = db.Record(record);
    const YearSlot slot = ChosenSlot();
    if (person.Pioneer(m_monthIndex, slot) != PioneerCode::None)
        return false;
    DocumentChange change(m_context.changes, "Dodanie do listy pionierów");
    change.Touch(DataArea::Register);
    ReportCell cell = person.Cell(m_monthIndex, slot);
    cell.SetPioneer(m_mode);
    person.SetCell(m_monthIndex, slot, cell);
    change.Commit();
    Refill();
    return true;
}

bool PioneerList::Remove(RecordNumber record) {
    PublisherDatabase& db = m_context.database;
    if (!db.IsPerson(record) || db.Record(record).Category() != PublisherCategory::Publisher)
        return false;
    PublisherRecord& person = db.Record(record);
    const YearSlot slot = ChosenSlot();
    if (person.Pioneer(m_monthIndex, slot) != m_mode)
        return false;
    DocumentChange change(m_context.changes, "Usunięcie z listy pionierów");
    change.Touch(DataArea::Register);
    ReportCell cell = person.Cell(m_monthIndex, slot);
    cell.SetPioneer(PioneerCode::None);
    person.SetCell(m_monthIndex, slot, cell);
    if (m_mode != PioneerCode::Regular && ChosenCount() == m_context.month.monthCount)
        person.SetContinuousAuxiliary(false);
    change.Commit();
    Refill();
    return true;
}

void PioneerList::Refill() {
    const PublisherDatabase& db = m_context.database;
    const bool lastNameFirst = db.SortsLastNameFirst();
    const YearSlot slot = ChosenSlot();
    m_holders.clear();
    m_others.clear();
    for (const IndexEntry& entry : db.List(PublisherCategory::Publisher)) {
        const PioneerCode code = db.Record(entry.recordNumber).Pioneer(m_monthIndex, slot);
        if (code == m_mode)
            m_holders.push_back({entry.recordNumber, db.DisplayNameOfRecord(entry.recordNumber, lastNameFirst)});
        else if (code == PioneerCode::None)
            m_others.push_back({entry.recordNumber, db.DisplayNameOfRecord(entry.recordNumber, lastNameFirst)});
    }
    const std::size_t rows = m_side == Side::Holders ? m_holders.size() : m_others.size();
    if (m_side != Side::None && (m_row < 0 || m_row >= static_cast<int>(rows))) {
        m_side = Side::None;
        m_row = -1;
    }
}

} // namespace vardo
