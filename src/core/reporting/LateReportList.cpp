#include "core/reporting/LateReportList.h"

#include <algorithm>

namespace vardo {

void LateReportList::Add(PublisherId id, MonthIndex reportMonth, MonthIndex workingMonth) {
    std::erase_if(m_entries, [&](const LateReportEntry& e) { return e.id == id && e.reportMonth == reportMonth; });
    if (m_entries.size() >= kCapacity)
        return;
    m_entries.push_back({id, static_cast<std::uint8_t>(reportMonth), static_cast<std::uint8_t>(workingMonth + 1)});
}

bool LateReportList::IsLate(PublisherId id, MonthIndex reportMonth) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const LateReportEntry& e) { return e.id == id && e.reportMonth == reportMonth; });
}

int LateReportList::CountFor(PublisherId id) const {
    return static_cast<int>(
        std::count_if(m_entries.begin(), m_entries.end(), [&](const LateReportEntry& e) { return e.id == id; }));
}

void LateReportList::StoreMarkers(PublisherDatabase& database, const WorkingMonth& month) const {
    const auto marker = static_cast<std::uint16_t>(month.monthIndex + 1);
    for (RecordNumber r = 1; r < database.Count(); ++r) {
        PublisherRecord& record = database.Record(r);
        for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
            for (YearSlot s = 0; s < kYearSlots; ++s)
                if (record.Row(MonthRow::LateMarker, m, s) == marker)
                    record.SetRow(MonthRow::LateMarker, m, s, 0);
    }
    for (const LateReportEntry& entry : m_entries) {
        if (!IsMonthIndex(entry.reportMonth))
            continue;
        PublisherRecord* record = database.FindById(entry.id);
        if (record == nullptr)
            continue;
        record->SetRow(MonthRow::LateMarker, entry.reportMonth, month.SlotOf(entry.reportMonth), entry.enteredIn);
    }
}

void LateReportList::LoadMarkers(const PublisherDatabase& database, const WorkingMonth& month) {
    m_entries.clear();
    const auto marker = static_cast<std::uint8_t>(month.monthIndex + 1);
    for (int back = 1; back <= 6; ++back) {
        const MonthIndex m = (month.monthIndex - back + kMonthsPerYear) % kMonthsPerYear;
        const YearSlot slot = month.SlotOf(m);
        for (RecordNumber r = 1; r < database.Count(); ++r) {
            const PublisherRecord& record = database.Record(r);
            if (record.Category() != PublisherCategory::Publisher || record.LateMarker(m, slot) != marker)
                continue;
            if (m_entries.size() >= kReloadLimit)
                return;
            m_entries.push_back({record.Id(), static_cast<std::uint8_t>(m), marker});
        }
    }
}

} // namespace vardo
