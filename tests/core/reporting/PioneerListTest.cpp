#include "core/reporting/PioneerList.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"

namespace vardo {
namespace {

class PioneerListTest : public test::ReportingTest {
protected:
    PioneerListTest() { m_month = WorkingMonthFor(2025, 4, 10); } // working month March 2025
};

TEST_F(PioneerListTest, MonthsOfferedPerYearChoice) {
    PioneerList list(m_context, PioneerCode::Auxiliary);
    EXPECT_EQ(list.YearItems(), (std::vector<std::string>{"23", "24", "25"}));
    EXPECT_EQ(list.MonthItems(), (std::vector<MonthIndex>{0, 1, 2}));
    EXPECT_EQ(list.MonthChoice(), 2);
    list.SetYearChoice(0);
    EXPECT_EQ(list.MonthItems().size(), 9u);
    EXPECT_EQ(list.MonthItems().front(), 3);
    EXPECT_EQ(list.MonthChoice(), 3);
    EXPECT_EQ(list.ChosenCount(), ToMonthCount(2023, 3));
    list.SetYearChoice(1);
    EXPECT_EQ(list.MonthItems().size(), 12u);
}

TEST_F(PioneerListTest, AddAndRemoveFollowTheTitleCount) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    const PublisherId b = AddPerson("Jan", "Kowalski");
    const PublisherId regular = AddPerson("Ewa", "Lis");
    Person(regular).SetRow(MonthRow::Pioneer, 2, 1, 2);
    Person(a).SetRow(MonthRow::Pioneer, 2, 1, 0x40); // other bits of the byte stay
    PioneerList list(m_context, PioneerCode::Auxiliary);
    EXPECT_EQ(list.Title(), "Pionierzy Pomocniczy - marzec 25 ( 0 )");
    ASSERT_EQ(list.Others().size(), 2u); // the regular pioneer is in neither list
    list.SelectOther(1);
    EXPECT_EQ(list.ButtonText(), "<<<    &Dodaj    <<<");
    EXPECT_EQ(list.SelectedName(), "Anna Nowak");
    ASSERT_TRUE(list.Move());
    EXPECT_EQ(Person(a).Row(MonthRow::Pioneer, 2, 1), 0x41);
    EXPECT_EQ(list.Title(), "Pionierzy Pomocniczy - marzec 25 ( 1 )");
    EXPECT_EQ(list.SelectedRow(), 0);
    EXPECT_EQ(m_modifiedCalls, 1);
    list.SelectHolder(0);
    EXPECT_EQ(list.ButtonText(), ">>>  &Usuń  >>>");
    ASSERT_TRUE(list.Remove(RecordOf(a)));
    EXPECT_EQ(Person(a).Row(MonthRow::Pioneer, 2, 1), 0x40);
    EXPECT_FALSE(list.Remove(RecordOf(b)));
    EXPECT_EQ(list.Title(), "Pionierzy Pomocniczy - marzec 25 ( 0 )");
}

TEST_F(PioneerListTest, RemovingInTheWorkingMonthEndsContinuousAuxiliaryService) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    Person(a).SetContinuousAuxiliary(true);
    Person(a).SetRow(MonthRow::Pioneer, 1, 1, 1);
    Person(a).SetRow(MonthRow::Pioneer, 2, 1, 1);
    PioneerList list(m_context, PioneerCode::Auxiliary);
    list.SetMonthChoice(1); // February: an earlier month
    ASSERT_TRUE(list.Remove(RecordOf(a)));
    EXPECT_TRUE(Person(a).IsContinuousAuxiliary());
    list.SetMonthChoice(2);
    ASSERT_TRUE(list.Remove(RecordOf(a)));
    EXPECT_FALSE(Person(a).IsContinuousAuxiliary());
}

TEST_F(PioneerListTest, RegularRemovalKeepsTheFlagAndSpecialModeSwitches) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    Person(a).SetContinuousAuxiliary(true);
    PioneerList list(m_context, PioneerCode::Regular);
    EXPECT_TRUE(list.SpecialBoxVisible());
    ASSERT_TRUE(list.Add(RecordOf(a)));
    EXPECT_EQ(Person(a).Pioneer(2, 1), PioneerCode::Regular);
    ASSERT_TRUE(list.Remove(RecordOf(a)));
    EXPECT_TRUE(Person(a).IsContinuousAuxiliary());
    list.SetSpecial(true);
    EXPECT_EQ(list.Mode(), PioneerCode::Special);
    EXPECT_EQ(list.Title(), "Pionierzy specjalni - marzec 25 ( 0 )");
    EXPECT_FALSE(list.ChooseMonthCount(ToMonthCount(2025, 3)));
    EXPECT_FALSE(list.ChooseMonthCount(ToMonthCount(2023, 2)));
    EXPECT_TRUE(list.ChooseMonthCount(ToMonthCount(2023, 3)));
}

} // namespace
} // namespace vardo
