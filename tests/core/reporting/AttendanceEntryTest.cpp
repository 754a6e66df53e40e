// The attendance entry dialog's rules: the months it offers, where each is kept, the keys of the week fields
// and storing through the change path.

#include "core/reporting/AttendanceEntry.h"

#include <gtest/gtest.h>

#include "core/platform/Strings.h"
#include "core/reporting/AttendanceRecordTable.h"

namespace vardo::test {
namespace {

class AttendanceEntryTest : public ::testing::Test {
protected:
    AttendanceEntryTest() {
        m_changes.SetCapture(DataArea::Attendance, [this] {
            MeetingAttendance before = m_attendance;
            return ChangeHub::Restore([this, before] { m_attendance = before; });
        });
    }
    MeetingAttendance m_attendance;
    ChangeHub m_changes;
    WorkingMonth m_february = WorkingMonthFor(2024, 3, 10); // working month February 2024
};

TEST_F(AttendanceEntryTest, OffersTheTwentyFourMonthsEndingWithTheWorkingMonth) {
    AttendanceEntryPresenter entry(m_attendance, m_changes, m_february);
    ASSERT_EQ(entry.Years(), (std::vector<int>{2022, 2023, 2024}));
    EXPECT_EQ(entry.SelectedYearRow(), 2);
    EXPECT_EQ(entry.Months(), (std::vector<MonthIndex>{0, 1}));
    EXPECT_EQ(entry.SelectedMonthRow(), 1);
    EXPECT_EQ(entry.Caption(), "Frekwencja - luty - 2024");
    int months = static_cast<int>(entry.Months().size());
    entry.SelectYear(1);
    EXPECT_EQ(entry.Months().size(), 12u);
    months += static_cast<int>(entry.Months().size());
    entry.SelectYear(0);
    EXPECT_EQ(entry.Months().front(), 2);
    months += static_cast<int>(entry.Months().size());
    EXPECT_EQ(months, 24);
}

TEST_F(AttendanceEntryTest, DecemberLeavesOutTheYearTwoYearsBack) {
    AttendanceEntryPresenter entry(m_attendance, m_changes, WorkingMonthFor(2025, 1, 10));
    EXPECT_EQ(entry.Years(), (std::vector<int>{2023, 2024}));
    EXPECT_EQ(entry.Months().size(), 12u);
    EXPECT_EQ(entry.SelectedMonthRow(), 11);
}

TEST_F(AttendanceEntryTest, ChangingTheYearKeepsTheMonthOrTakesTheNearest) {
    AttendanceEntryPresenter entry(m_attendance, m_changes, m_february);
    entry.SelectYear(1);
    EXPECT_EQ(entry.ShownMonth(), 1); // February 2023 exists
    EXPECT_EQ(entry.ShownYear(), 2023);
    EXPECT_EQ(entry.ShownSlot(), 1);
    entry.SelectYear(0); // 2022 has only March..December
    EXPECT_EQ(entry.ShownMonth(), 2);
    EXPECT_EQ(entry.ShownSlot(), 0);
    entry.SelectYear(1);
    entry.SelectMonth(11);
    entry.SelectYear(2); // 2024 has only January and February
    EXPECT_EQ(entry.ShownMonth(), 1);
    EXPECT_EQ(entry.ShownSlot(), 0);
}

TEST_F(AttendanceEntryTest, EditsAreStoredWhenAnotherMonthIsShownAndOnlyThen) {
    AttendanceEntryPresenter entry(m_attendance, m_changes, m_february);
    EXPECT_FALSE(entry.Store());
    EXPECT_FALSE(m_changes.IsModified());

    entry.SetWeek(MeetingKind::Midweek, 0, 120);
    entry.SetWeek(MeetingKind::Midweek, 2, 130);
    entry.SetWeek(MeetingKind::Weekend, 1, 131);
    EXPECT_EQ(entry.Figures(MeetingKind::Midweek), (MeetingFigures{2, 250, 125}));
    EXPECT_FALSE(m_changes.IsModified()); // nothing written while typing
    entry.SelectMonth(0);                 // January: February is stored first
    EXPECT_EQ(m_changes.CommitCount(), 1);
    EXPECT_TRUE(m_changes.IsModified());
    EXPECT_EQ(StoredFigures(m_attendance, MeetingKind::Midweek, 1, 0), (MeetingFigures{2, 250, 125}));
    EXPECT_EQ(StoredFigures(m_attendance, MeetingKind::Weekend, 1, 0), (MeetingFigures{1, 131, 131}));
    EXPECT_EQ(entry.Weeks(MeetingKind::Midweek), WeekAttendance{});

    entry.SelectMonth(1); // back to February: the stored weeks come back
    EXPECT_EQ(entry.Weeks(MeetingKind::Midweek), (WeekAttendance{120, 0, 130, 0, 0}));
    EXPECT_EQ(m_changes.CommitCount(), 1); // January was unchanged
}

TEST_F(AttendanceEntryTest, TheMonthInProgressIsEditedInSlotTwo) {
    AttendanceEntryPresenter entry(m_attendance, m_changes, m_february);
    ASSERT_TRUE(entry.NextMonthOffered());
    EXPECT_EQ(entry.NextMonthText(), "marzec - 2024");
    entry.SetWeek(MeetingKind::Weekend, 0, 90);
    entry.SetNextMonth(true); // February's edit is stored first
    EXPECT_EQ(StoredFigures(m_attendance, MeetingKind::Weekend, 1, 0).total, 90);
    EXPECT_EQ(entry.ShownMonth(), 2);
    EXPECT_EQ(entry.ShownSlot(), 2);
    EXPECT_EQ(entry.Caption(), "Frekwencja - marzec - 2024");
    entry.SetWeek(MeetingKind::Midweek, 0, 77);
    EXPECT_TRUE(entry.Store());
    EXPECT_EQ(WeeksOf(m_attendance, MeetingKind::Midweek, 2, 2)[0], 77);
    EXPECT_EQ(WeeksOf(m_attendance, MeetingKind::Midweek, 2, 0)[0], 0); // March 2022 untouched
}

TEST(AttendanceEntryKeys, EnterGoesOnToTheOtherMeetingAndUpDownWrapWithinOne) {
    EXPECT_EQ(NextWeekFieldOnEnter(0), 1);
    EXPECT_EQ(NextWeekFieldOnEnter(4), 5);
    EXPECT_EQ(NextWeekFieldOnEnter(9), 0);
    EXPECT_EQ(WeekFieldBelow(4), 0);
    EXPECT_EQ(WeekFieldBelow(7), 8);
    EXPECT_EQ(WeekFieldBelow(9), 5);
    EXPECT_EQ(WeekFieldAbove(5), 9);
    EXPECT_EQ(WeekFieldAbove(0), 4);
    EXPECT_EQ(WeekFieldAbove(3), 2);
}

TEST(AttendanceEntryKeys, DigitsStartAgainAfterThreeCharactersAndSpaceGivesZero) {
    EXPECT_EQ(ClassifyWeekKey("", '7'), WeekKey::Insert);
    EXPECT_EQ(ClassifyWeekKey("12", '3'), WeekKey::Insert);
    EXPECT_EQ(ClassifyWeekKey("123", '4'), WeekKey::RestartWithDigit);
    EXPECT_EQ(ClassifyWeekKey("12", '.'), WeekKey::Insert);
    EXPECT_EQ(ClassifyWeekKey("12", ' '), WeekKey::ZeroSelected);
    EXPECT_EQ(ClassifyWeekKey("1", 'a'), WeekKey::Ignore);
    EXPECT_EQ(ClassifyWeekKey("1", '-'), WeekKey::Ignore);
    EXPECT_EQ(WeekFieldValue(""), 0);
    EXPECT_EQ(WeekFieldValue("125"), 125);
    EXPECT_EQ(WeekFieldValue("12.5"), 12);
    EXPECT_EQ(WeekFieldValue("999999"), 65535);
}

TEST(AttendanceRecordTable, ShowsReportedMonthsWithDecimalCommaAndLeavesLaterOnesEmpty) {
    MeetingAttendance attendance;
    const WorkingMonth february = WorkingMonthFor(2024, 3, 10);
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, 8, 1, {100, 101, 0, 0, 0}); // September 2023
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, 1, 0, {90, 0, 0, 0, 0});    // February 2024
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, 2, 1, {50, 0, 0, 0, 0});    // March 2023
    const AttendanceRecordTable table = MakeAttendanceRecordTable(attendance, MeetingKind::Weekend, february, true);
    EXPECT_EQ(table.yearHeadings[0], "Rok służbowy 2023");
    EXPECT_EQ(table.yearHeadings[1], "Rok służbowy 2024");
    ASSERT_EQ(table.rows.size(), 13u);
    EXPECT_EQ(table.rows[0][0], "wrzesień");
    EXPECT_EQ(table.rows[0][4], "2");
    EXPECT_EQ(table.rows[0][5], "201");
    EXPECT_EQ(table.rows[0][6], "100,50");
    EXPECT_EQ(table.rows[5][6], "90,00"); // February of the current year
    EXPECT_EQ(table.rows[6][4], "");      // March 2024 is not reported yet
    EXPECT_EQ(table.rows[6][3], "50,00"); // March 2023
    EXPECT_EQ(table.rows[1][3], "0,00");  // a month without meetings
    EXPECT_EQ(table.rows[12][0], "Śr. obecności w każdym miesiącu");
    EXPECT_EQ(table.rows[12][6], "95,25"); // mean of 100.5 and 90; months without meetings left out
    EXPECT_EQ(table.rows[12][3], "50,00");

    const AttendanceRecordTable notOpened =
        MakeAttendanceRecordTable(attendance, MeetingKind::Weekend, february, false);
    EXPECT_EQ(notOpened.rows[5][6], "");
}

} // namespace
} // namespace vardo::test
