#include "core/reporting/AttendanceEntry.h"

#include <algorithm>
#include <cctype>

#include "core/platform/Strings.h"
#include "core/store/MonthMath.h"

namespace vardo {

int NextWeekFieldOnEnter(int field) {
    return (field + 1) % kWeekFieldCount;
}

int WeekFieldBelow(int field) {
    const int meeting = field / 5;
    return meeting * 5 + (field % 5 + 1) % 5;
}

int WeekFieldAbove(int field) {
    const int meeting = field / 5;
    return meeting * 5 + (field % 5 + 4) % 5;
}

WeekKey ClassifyWeekKey(std::string_view text, char key) {
    if (key == ' ')
        return WeekKey::ZeroSelected;
    if (std::isdigit(static_cast<unsigned char>(key)) == 0 && key != '.')
        return WeekKey::Ignore;
    return text.size() > 2 ? WeekKey::RestartWithDigit : WeekKey::Insert;
}

std::uint16_t WeekFieldValue(std::string_view text) {
    unsigned value = 0;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0)
            break;
        value = std::min(value * 10 + static_cast<unsigned>(c - '0'), 65535u);
    }
    return static_cast<std::uint16_t>(value);
}

AttendanceEntryPresenter::AttendanceEntryPresenter(MeetingAttendance& attendance, ChangeHub& changes,
                                                   const WorkingMonth& month)
    : m_attendance(attendance), m_changes(changes), m_month(month), m_selectedMonth(month.monthIndex) {
    const int year = month.Year();
    // Two years back holds only the months after the working month: none in December.
    for (int back = 2; back >= 0; --back)
        if (back != 2 || month.monthIndex < kMonthsPerYear - 1)
            m_years.push_back(year - back);
    m_yearRow = static_cast<int>(m_years.size()) - 1;

    const MonthCount next = static_cast<MonthCount>(month.monthCount + 1);
    m_nextYear = 2000 + YearIndexOf(next);
    m_nextMonthIndex = MonthIndexOf(next);
    m_nextMonthOffered = AttendanceSlotOf(month, m_nextYear, m_nextMonthIndex) == YearSlot{2};
    Load();
}

std::vector<MonthIndex> AttendanceEntryPresenter::Months() const {
    std::vector<MonthIndex> months;
    const int year = m_years[static_cast<std::size_t>(m_yearRow)];
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
        const int count = ToMonthCount(year, m);
        if (count <= m_month.monthCount && count > m_month.monthCount - 24)
            months.push_back(m);
    }
    return months;
}

int AttendanceEntryPresenter::SelectedMonthRow() const {
    const std::vector<MonthIndex> months = Months();
    const auto it = std::find(months.begin(), months.end(), m_selectedMonth);
    return it == months.end() ? -1 : static_cast<int>(it - months.begin());
}

void AttendanceEntryPresenter::SelectYear(int row) {
    if (row < 0 || row >= static_cast<int>(m_years.size()) || row == m_yearRow)
        return;
    Store();
    m_yearRow = row;
    const std::vector<MonthIndex> months = Months();
    if (std::find(months.begin(), months.end(), m_selectedMonth) == months.end()) {
        // The nearest month the year has: its last for a later month, its first for an earlier one.
        m_selectedMonth = m_selectedMonth > months.back() ? months.back() : months.front();
    }
    Load();
}

void AttendanceEntryPresenter::SelectMonth(int row) {
    const std::vector<MonthIndex> months = Months();
    if (row < 0 || row >= static_cast<int>(months.size()) || months[static_cast<std::size_t>(row)] == m_selectedMonth)
        return;
    Store();
    m_selectedMonth = months[static_cast<std::size_t>(row)];
    Load();
}

std::string AttendanceEntryPresenter::NextMonthText() const {
    return FormatPrintf("%s - %d", std::string(MonthName(m_nextMonthIndex)).c_str(), m_nextYear);
}

void AttendanceEntryPresenter::SetNextMonth(bool on) {
    if (on == m_nextMonth || (on && !m_nextMonthOffered))
        return;
    Store();
    m_nextMonth = on;
    Load();
}

MonthIndex AttendanceEntryPresenter::ShownMonth() const {
    return m_nextMonth ? m_nextMonthIndex : m_selectedMonth;
}

int AttendanceEntryPresenter::ShownYear() const {
    return m_nextMonth ? m_nextYear : m_years[static_cast<std::size_t>(m_yearRow)];
}

YearSlot AttendanceEntryPresenter::ShownSlot() const {
    if (m_nextMonth)
        return 2;
    return AttendanceSlotOf(m_month, ShownYear(), ShownMonth()).value_or(m_month.SlotOf(ShownMonth()));
}

std::string AttendanceEntryPresenter::Caption() const {
    return FormatArgs(Str(StrId::AttendanceCaption), {MonthName(ShownMonth()), std::to_string(ShownYear())});
}

void AttendanceEntryPresenter::SetWeek(MeetingKind kind, int week, std::uint16_t value) {
    if (week >= 0 && week < 5)
        m_weeks[Index(kind)][static_cast<std::size_t>(week)] = value;
}

void AttendanceEntryPresenter::Load() {
    for (const MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend})
        m_weeks[Index(kind)] = WeeksOf(m_attendance, kind, ShownMonth(), ShownSlot());
}

bool AttendanceEntryPresenter::Changed() const {
    for (const MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend})
        if (Weeks(kind) != WeeksOf(m_attendance, kind, ShownMonth(), ShownSlot()))
            return true;
    return false;
}

bool AttendanceEntryPresenter::Store() {
    // Unchanged weeks leave the document unmodified.
    if (!Changed())
        return false;
    DocumentChange change(m_changes, std::string(Str(StrId::AttendanceChange)));
    change.Touch(DataArea::Attendance);
    for (const MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend})
        StoreAttendanceMonth(m_attendance, kind, ShownMonth(), ShownSlot(), Weeks(kind));
    change.Commit();
    return true;
}

} // namespace vardo
