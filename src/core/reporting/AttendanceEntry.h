#pragma once

// The rules of the attendance entry dialog (109): which months can be edited, where their values are kept,
// the keys of the ten week fields and storing a month through the change path.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reporting/Attendance.h"
#include "core/store/DocumentChange.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// The week fields of the dialog: 0..4 the midweek meeting's weeks 1..5, 5..9 the weekend meeting's.
inline constexpr int kWeekFieldCount = 10;
/// Enter: the next week; midweek week 5 goes on to weekend week 1 and weekend week 5 back to midweek week 1.
int NextWeekFieldOnEnter(int field);
/// Down and Up: the next or previous week of the same meeting, wrapping between weeks 5 and 1.
int WeekFieldBelow(int field);
int WeekFieldAbove(int field);

/// What a key typed into a week field does.
enum class WeekKey {
    Insert,           ///< the key goes into the field as typed
    RestartWithDigit, ///< the field already holds more than two characters: it becomes the typed key alone
    ZeroSelected,     ///< Space: the field becomes a selected "0"
    Ignore,           ///< any other character is refused
};
/// The rule for a printable key `key` (digits, "." and Space) typed into a field holding `text`. Backspace,
/// Delete and the cursor keys are not printable and always reach the field.
WeekKey ClassifyWeekKey(std::string_view text, char key);
/// The attendance a week field holds: its leading digits (an empty field counts as 0), at most 65535.
std::uint16_t WeekFieldValue(std::string_view text);

/// The values of dialog 109 while it is open. Values are edited in the presenter and written to the
/// attendance with Store (the dialog stores before showing another month and when it closes).
class AttendanceEntryPresenter {
public:
    AttendanceEntryPresenter(MeetingAttendance& attendance, ChangeHub& changes, const WorkingMonth& month);

    /// The year list: the full calendar years that have months to edit (two years back, one year back and the
    /// working year; two years back has none when the working month is December).
    const std::vector<int>& Years() const { return m_years; }
    int SelectedYearRow() const { return m_yearRow; }
    /// The month list of the selected year: the months of the 24 ending with the working month.
    std::vector<MonthIndex> Months() const;
    int SelectedMonthRow() const;
    /// Selects a year and keeps the month when the year has it (else its nearest month); stores first.
    void SelectYear(int row);
    /// Selects a month of the month list; stores first.
    void SelectMonth(int row);

    /// The box for the month after the working month is shown: that month is today's calendar month.
    bool NextMonthOffered() const { return m_nextMonthOffered; }
    /// Its text "<month name> - <full year>".
    std::string NextMonthText() const;
    bool NextMonthChosen() const { return m_nextMonth; }
    /// Ticking the box edits the next month in slot 2 (the lists are hidden meanwhile); stores first.
    void SetNextMonth(bool on);

    /// The month, full year and slot being edited.
    MonthIndex ShownMonth() const;
    int ShownYear() const;
    YearSlot ShownSlot() const;
    /// "Frekwencja - <month> - <year>".
    std::string Caption() const;

    const WeekAttendance& Weeks(MeetingKind kind) const { return m_weeks[Index(kind)]; }
    void SetWeek(MeetingKind kind, int week, std::uint16_t value);
    /// Meetings, sum and rounded average of the weeks as they stand.
    MeetingFigures Figures(MeetingKind kind) const { return ComputeMeetingFigures(Weeks(kind)); }

    /// The weeks shown differ from what the attendance holds for the month.
    bool Changed() const;
    /// Writes both meetings of the shown month in one change "Frekwencja" when they changed. True when
    /// anything was written.
    bool Store();

private:
    static std::size_t Index(MeetingKind kind) { return kind == MeetingKind::Midweek ? 0 : 1; }
    void Load();

    MeetingAttendance& m_attendance;
    ChangeHub& m_changes;
    WorkingMonth m_month;
    std::vector<int> m_years;
    int m_yearRow = 0;
    MonthIndex m_selectedMonth = 0;
    bool m_nextMonthOffered = false;
    bool m_nextMonth = false;
    int m_nextYear = 0;
    MonthIndex m_nextMonthIndex = 0;
    std::array<WeekAttendance, 2> m_weeks{};
};

} // namespace vardo
