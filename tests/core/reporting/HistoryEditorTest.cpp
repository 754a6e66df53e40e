#include "core/reporting/HistoryEditor.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"

namespace vardo {
namespace {

class HistoryEditorTest : public test::ReportingTest {};

TEST_F(HistoryEditorTest, YearsAndMonthsCoverThe24StoredMonths) {
    AddPerson("Anna", "Nowak");
    HistoryEditor editor(m_context);
    EXPECT_EQ(editor.YearItems(), (std::vector<std::string>{"2023", "2024", "2025"}));
    EXPECT_EQ(editor.YearChoice(), 2);
    EXPECT_EQ(editor.MonthChoice(), 0); // January, the month before the working month
    EXPECT_EQ(editor.MonthItems(), (std::vector<MonthIndex>{0}));
    ASSERT_TRUE(editor.SetYearChoice(0));
    // Two years back: March..December, February itself is Open.
    EXPECT_EQ(editor.MonthItems().size(), 10u);
    EXPECT_EQ(editor.MonthItems().front(), 2);
    m_database.Header().SetMonthState(1, MonthState::NotInitialised);
    EXPECT_EQ(editor.MonthItems().front(), 1);
}

TEST_F(HistoryEditorTest, JanuaryStartsInDecemberOfThePreviousYear) {
    m_month = WorkingMonthFor(2025, 2, 3); // January 2025
    AddPerson("Anna", "Nowak");
    HistoryEditor editor(m_context);
    EXPECT_EQ(editor.YearChoice(), 1);
    EXPECT_EQ(editor.MonthChoice(), 11);
    ASSERT_TRUE(editor.SetYearChoice(2));
    EXPECT_EQ(editor.YearChoice(), 1);
}

TEST_F(HistoryEditorTest, OlderFormatStoresQuarterHoursAndLessThanAnHour) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    HistoryEditor editor(m_context);
    ASSERT_TRUE(editor.ChooseMonthCount(ToMonthCount(2023, 5))); // June 2023, slot 1
    EXPECT_FALSE(editor.NewFormat());
    EXPECT_TRUE(editor.CountsVisible());
    editor.Edit().placements = "4";
    editor.Edit().videos = "2";
    editor.Edit().hours = "10.75";
    editor.Edit().returnVisits = "3";
    editor.Edit().studies = "1";
    editor.Edit().flag = true; // "<1 g." goes with hours
    ASSERT_TRUE(editor.Store());
    ReportCell cell = Person(id).Cell(5, 1);
    EXPECT_EQ(cell.placements, 4);
    EXPECT_EQ(cell.videos, 2);
    EXPECT_EQ(cell.hours, 10);
    EXPECT_EQ(cell.QuarterHours(), 3);
    EXPECT_EQ(cell.returnVisits, 3);
    EXPECT_EQ(cell.BibleStudies(), 1);
    EXPECT_FALSE(cell.Flag());
    editor.Edit().hours = "0";
    editor.Edit().flag = true;
    ASSERT_TRUE(editor.Store());
    EXPECT_TRUE(Person(id).Cell(5, 1).Flag());
    EXPECT_EQ(Person(id).Cell(5, 1).QuarterHours(), 0);
    editor.Edit().hours = "3.3";
    EXPECT_FALSE(editor.Store());
    EXPECT_EQ(Person(id).Hours(5, 1), 0);
}

TEST_F(HistoryEditorTest, NewerFormatParticipationPioneerCodesCreditAndLateFlag) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    Person(id).SetRow(MonthRow::LateMarker, 11, 0, 2); // December 2024 entered late in February
    HistoryEditor editor(m_context);
    ASSERT_TRUE(editor.ChooseMonthCount(ToMonthCount(2024, 11)));
    EXPECT_TRUE(editor.NewFormat());
    EXPECT_FALSE(editor.CountsVisible());
    EXPECT_TRUE(editor.LateVisible());
    EXPECT_TRUE(editor.View().late);
    editor.Edit().flag = true;
    EXPECT_FALSE(editor.HoursVisible());
    editor.Edit().regular = true;
    EXPECT_TRUE(editor.HoursVisible());
    editor.Edit().hours = "52.5";
    editor.Edit().credit = "3";
    editor.Edit().late = false;
    editor.Edit().remark = "3 kongres";
    ASSERT_TRUE(editor.Store());
    const ReportCell cell = Person(id).Cell(11, 0);
    EXPECT_EQ(cell.Pioneer(), PioneerCode::Regular);
    EXPECT_EQ(cell.hours, 52);
    EXPECT_EQ(cell.QuarterHours(), 2);
    EXPECT_TRUE(cell.Flag());
    EXPECT_EQ(cell.creditHours, 3);
    EXPECT_EQ(cell.lateMarker, 0);
    ASSERT_NE(cell.remark, 0);
    EXPECT_EQ(m_remarks.Entry(cell.remark).Text(), "3 kongres");
    EXPECT_GE(m_modifiedCalls, 1);
    // A marker of another working month is kept when the box is not shown.
    Person(id).SetRow(MonthRow::LateMarker, 10, 0, 9);
    ASSERT_TRUE(editor.ChooseMonthCount(ToMonthCount(2024, 10)));
    EXPECT_FALSE(editor.LateVisible());
    editor.Edit().studies = "2";
    ASSERT_TRUE(editor.Store());
    EXPECT_EQ(Person(id).LateMarker(10, 0), 9);
    EXPECT_TRUE(Person(id).Cell(10, 0).Flag()); // forced on by the studies
}

TEST_F(HistoryEditorTest, UnchangedMonthIsNotMarkedModified) {
    AddPerson("Anna", "Nowak");
    HistoryEditor editor(m_context);
    ASSERT_TRUE(editor.SetMonthChoice(0));
    ASSERT_TRUE(editor.Store());
    EXPECT_EQ(m_modifiedCalls, 0);
}

TEST_F(HistoryEditorTest, MonthWalkRunsOldestToNewestAndWraps) {
    AddPerson("Anna", "Nowak");
    HistoryEditor editor(m_context);
    editor.SetWalkPersons(true);
    editor.SetWalkMonths(true);
    EXPECT_FALSE(editor.WalkPersons());
    std::vector<MonthCount> seen;
    // 23 months: the Open working month is not offered two years back.
    for (int i = 0; i < 24; ++i) {
        ASSERT_TRUE(editor.Enter());
        seen.push_back(editor.ChosenCount());
    }
    // From January 2025 the walk wraps to March 2023 and climbs back to January 2025.
    EXPECT_EQ(seen.front(), ToMonthCount(2023, 2));
    EXPECT_EQ(seen[1], ToMonthCount(2023, 3));
    EXPECT_EQ(seen[22], ToMonthCount(2025, 0));
    EXPECT_EQ(seen[23], ToMonthCount(2023, 2));
}

TEST_F(HistoryEditorTest, PersonWalkWrapsToTheFirst) {
    AddPerson("Anna", "Nowak");
    AddPerson("Jan", "Kowalski");
    HistoryEditor editor(m_context);
    editor.SetWalkPersons(true);
    ASSERT_TRUE(editor.Enter());
    EXPECT_EQ(editor.PersonChoice(), 1);
    ASSERT_TRUE(editor.Enter());
    EXPECT_EQ(editor.PersonChoice(), 0);
}

TEST_F(HistoryEditorTest, TotalsModeEditsACopyCommittedWhenLeft) {
    AddPerson("Anna", "Nowak");
    m_totals.SetValue(0, 0, 7, 1, 9); // a quarter sum beyond 3 stays while the hours are not edited
    HistoryEditor editor(m_context);
    ASSERT_TRUE(editor.SetTotalsMode(true));
    EXPECT_EQ(HistoryEditor::TotalsRows().size(), 4u);
    editor.Edit().placements = "120";
    editor.Edit().credit = "31";
    ASSERT_TRUE(editor.SetTotalsRow(2));
    EXPECT_FALSE(editor.TotalsFieldsEnabled());
    ASSERT_TRUE(editor.SetTotalsPioneerKind(PioneerCode::Special));
    editor.Edit().hours = "100.5";
    ASSERT_TRUE(editor.SetTotalsRow(3));
    editor.Edit().credit = "57";
    ASSERT_TRUE(editor.Store());
    EXPECT_EQ(m_totals.Value(0, 0, 0, 1), 0); // not yet committed
    ASSERT_TRUE(editor.SetTotalsMode(false));
    EXPECT_EQ(m_totals.Value(0, 0, 0, 1), 120);
    EXPECT_EQ(m_totals.Value(0, 0, 8, 1), 31);
    EXPECT_EQ(m_totals.Value(0, 0, 7, 1), 9);
    EXPECT_EQ(m_totals.Value(0, 3, 2, 1), 100);
    EXPECT_EQ(m_totals.Value(0, 3, 7, 1), 2);
    EXPECT_EQ(m_totals.Value(0, 0, 5, 1), 57);
    EXPECT_EQ(m_modifiedCalls, 1);
}

TEST_F(HistoryEditorTest, WarningsNameUnlikelyValues) {
    AddPerson("Anna", "Nowak");
    HistoryEditor editor(m_context);
    editor.Edit().flag = true;
    editor.Edit().hours = "12";
    const std::vector<Warning> warnings = editor.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].issue, PlausibilityIssue::HoursInNewFormat);
}

} // namespace
} // namespace vardo
