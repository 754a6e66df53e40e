#include "core/registry/StatusChoice.h"

#include "core/platform/Strings.h"
#include "core/store/PublisherRecord.h"

namespace vardo {

StatusChoice::StatusChoice(const PublisherRecord& record, MonthCount workingMonth, bool newPerson)
    : m_working(workingMonth) {
    const int ordinal = record.StatusChangeMonth();
    if (ordinal != 0 && ordinal < m_working && m_working - ordinal <= kStatusMonthChoices - 1)
        m_monthIndex = m_working - ordinal;

    const std::uint8_t status = record.StatusMonth();
    if (status & 1)
        m_kind = StatusKind::NewPublisher;
    else if (status & 2)
        m_kind = StatusKind::Reactivated;
    else if (status & 4)
        m_kind = StatusKind::RegularMovedIn;
    else if ((status >> 4) != 0)
        m_kind = StatusKind::IrregularMovedIn;
    else if (newPerson)
        m_kind = StatusKind::NewPublisher;

    // Without an ordinal, a moved-in status still names its month; offer the latest month of that number.
    if (m_monthIndex == 0 && ordinal == 0 && (status >> 4) >= 1 && (status >> 4) <= 12) {
        const int month = (status >> 4) - 1;
        m_monthIndex = (MonthIndexOf(m_working) - month + 12) % 12;
    }
}

std::vector<std::string> StatusChoice::MonthTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < kStatusMonthChoices; ++i) {
        const MonthCount count = MonthAt(i);
        texts.push_back(
            FormatPrintf("%s %d", std::string(MonthName(MonthIndexOf(count))).c_str(), 2000 + YearIndexOf(count)));
    }
    return texts;
}

void StatusChoice::SetMonthIndexChosen(int index) {
    if (index >= 0 && index < kStatusMonthChoices)
        m_monthIndex = index;
}

void StatusChoice::Apply(PublisherRecord& record) const {
    if (!m_kind)
        return;
    const MonthCount chosen = MonthAt(m_monthIndex);
    int bits = 0;
    switch (*m_kind) {
    case StatusKind::NewPublisher:
        bits = 1;
        break;
    case StatusKind::Reactivated:
        bits = 2;
        break;
    case StatusKind::RegularMovedIn:
        bits = 4;
        break;
    case StatusKind::IrregularMovedIn:
        break;
    case StatusKind::Clear:
        record.SetStatusMonth(0);
        record.SetStatusYear(0);
        record.SetStatusChangeMonth(0);
        return;
    }
    if (*m_kind == StatusKind::NewPublisher || *m_kind == StatusKind::Reactivated)
        record.SetStatusChangeMonth(chosen);
    // The month nibble only names a month of the last twelve; an older one keeps the bits alone.
    const int month = m_working - chosen > 11 ? 0 : MonthIndexOf(chosen) + 1;
    const auto status = static_cast<std::uint8_t>((month << 4) | bits);
    record.SetStatusMonth(status);
    record.SetStatusYear(status);
}

} // namespace vardo
