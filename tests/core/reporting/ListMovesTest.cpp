#include "core/reporting/ListMoves.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"

namespace vardo {
namespace {

// Working month February 2025 (slot 1 for 2025, slot 0 for 2024).
class ListMovesTest : public test::ReportingTest {
protected:
    void FillMonth(PublisherId id, MonthIndex month, YearSlot slot) {
        PublisherRecord& p = Person(id);
        p.SetRow(MonthRow::Hours, month, slot, 10);
        p.SetRow(MonthRow::Placements, month, slot, 1);
        p.SetRow(MonthRow::Videos, month, slot, 2);
        p.SetRow(MonthRow::ReturnVisits, month, slot, 3);
        p.SetRow(MonthRow::StudyWord, month, slot, 4);
        p.SetRow(MonthRow::Pioneer, month, slot, 1);
    }
    bool MonthEmpty(PublisherId id, MonthIndex month, YearSlot slot) {
        const PublisherRecord& p = Person(id);
        return p.Hours(month, slot) == 0 && p.Placements(month, slot) == 0 && p.Videos(month, slot) == 0 &&
               p.ReturnVisits(month, slot) == 0 && p.StudyWord(month, slot) == 0 &&
               p.Row(MonthRow::Pioneer, month, slot) == 0;
    }
};

TEST_F(ListMovesTest, MakeInactiveKeepsMonthAndYearAndDropsTwoFlags) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Person(id).SetPersonFlags(0xFF);
    Person(id).SetStatusMonth(0x31);
    ASSERT_TRUE(MakeInactive(m_context, RecordOf(id), 11, 2024));
    const PublisherRecord& p = Person(id);
    EXPECT_EQ(p.U8(200), 1);
    EXPECT_EQ(p.U8(201), 11 * 16);
    EXPECT_EQ(p.U8(238), (2024 + 48) % 256);
    EXPECT_EQ(p.U8(239), 0x6F);
    EXPECT_EQ(m_database.List(PublisherCategory::Inactive).size(), 1u);
    EXPECT_EQ(m_modifiedCalls, 1);

    // A second move of the same person is refused: it is no longer active.
    EXPECT_EQ(MakeInactive(m_context, RecordOf(id), 11, 2024).code(), Failure::NotFound);
    // A date after the working month is refused, changing nothing.
    const PublisherId other = AddPerson("Ewa", "Lis");
    EXPECT_EQ(MakeInactive(m_context, RecordOf(other), 3, 2025).code(), Failure::Invalid);
    EXPECT_EQ(Person(other).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(m_modifiedCalls, 1);
}

TEST_F(ListMovesTest, ReactivationClearsTheGapInItsSlots) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    m_month = WorkingMonthFor(2025, 4, 10); // March 2025
    // Inactive since November 2024; reactivated in March 2025: March, February, January and December go.
    for (MonthIndex m : {0, 1, 2})
        FillMonth(id, m, 1);
    FillMonth(id, 11, 0);
    FillMonth(id, 10, 0);
    FillMonth(id, 2, 0); // March 2024 is not part of the gap
    RemarkEntry own;
    own.SetId(id);
    ASSERT_TRUE(own.SetText("wyjazd"));
    const std::uint16_t ownNumber = m_remarks.Append(own).value();
    Person(id).SetRow(MonthRow::Remark, 11, 0, ownNumber);
    RemarkEntry foreign;
    foreign.SetId(static_cast<PublisherId>(id + 1));
    ASSERT_TRUE(foreign.SetText("cudza"));
    const std::uint16_t foreignNumber = m_remarks.Append(foreign).value();
    Person(id).SetRow(MonthRow::Remark, 1, 1, foreignNumber);
    Person(id).SetCategory(PublisherCategory::Inactive);
    Person(id).SetStatusMonth(11 * 16);
    Person(id).SetStatusYear(ToYearByte(2024));
    Person(id).SetPersonFlags(0xFF);
    m_database.RebuildIndex();

    EXPECT_EQ(ReactivationGap(Person(id), 3, 2025), 4);
    ASSERT_TRUE(Reactivate(m_context, RecordOf(id), 3));
    for (MonthIndex m : {0, 1, 2})
        EXPECT_TRUE(MonthEmpty(id, m, 1)) << m;
    EXPECT_TRUE(MonthEmpty(id, 11, 0));
    EXPECT_FALSE(MonthEmpty(id, 10, 0));
    EXPECT_FALSE(MonthEmpty(id, 2, 0));
    EXPECT_TRUE(m_remarks.Entry(ownNumber).Text().empty());
    EXPECT_EQ(m_remarks.Entry(foreignNumber).Text(), "cudza");
    const PublisherRecord& p = Person(id);
    EXPECT_EQ(p.U8(200), 0);
    EXPECT_EQ(p.U8(201), 3 * 16 + 2);
    EXPECT_EQ(p.U8(238), 3 * 16 + 2);
    EXPECT_EQ(p.U16(192), ToMonthCount(2025, 2));
    EXPECT_EQ(p.U8(239), 0x64);
}

TEST_F(ListMovesTest, ReactivationInALaterMonthOfLastYearClearsOnlyItsOwnGap) {
    const PublisherId id = AddPerson("Jan", "Kowalski", PublisherCategory::Inactive);
    Person(id).SetStatusMonth(10 * 16); // October 2024
    Person(id).SetStatusYear(ToYearByte(2024));
    FillMonth(id, 9, 0);
    FillMonth(id, 10, 0);
    ASSERT_TRUE(Reactivate(m_context, RecordOf(id), 11)); // November 2024, before the working month
    EXPECT_TRUE(MonthEmpty(id, 10, 0));
    EXPECT_FALSE(MonthEmpty(id, 9, 0)); // October, the month of becoming inactive, keeps its report
    EXPECT_EQ(Person(id).StatusChangeMonth(), ToMonthCount(2024, 10));
}

TEST_F(ListMovesTest, MakePublisherClearsEveryMonthAndTheConductorText) {
    const PublisherId id = AddPerson("Anna", "Nowak", PublisherCategory::NonPublisher);
    ASSERT_TRUE(Person(id).SetConductorText("Jan Kowalski"));
    FillMonth(id, 5, 0);
    FillMonth(id, 5, 2);
    ASSERT_TRUE(MakePublisher(m_context, RecordOf(id), 4)); // April: later than February, so 2024
    const PublisherRecord& p = Person(id);
    EXPECT_EQ(p.Category(), PublisherCategory::Publisher);
    EXPECT_EQ(p.U8(201), 4 * 16 + 1);
    EXPECT_EQ(p.U8(238), 4 * 16 + 1);
    EXPECT_EQ(p.StatusChangeMonth(), ToMonthCount(2024, 3));
    EXPECT_TRUE(p.ConductorText().empty());
    for (YearSlot slot = 0; slot < kYearSlots; ++slot)
        EXPECT_TRUE(MonthEmpty(id, 5, slot));
    EXPECT_EQ(m_database.List(PublisherCategory::NonPublisher).size(), 0u);
}

TEST_F(ListMovesTest, MovingAnInactivePersonAndUndoingItReturnsToTheInactiveList) {
    const PublisherId id = AddPerson("Jan", "Kowalski", PublisherCategory::Inactive);
    Person(id).SetStatusMonth(7 * 16);
    Person(id).SetStatusYear(ToYearByte(2024));
    Person(id).SetExtensionKey(5);
    Person(id).SetFamilyHead(321);
    ASSERT_TRUE(MoveAway(m_context, RecordOf(id), 1));
    EXPECT_EQ(Person(id).Category(), PublisherCategory::Moved);
    EXPECT_EQ(Person(id).U8(201), 1 * 16);
    EXPECT_EQ(Person(id).U8(170), 'I');
    EXPECT_EQ(Person(id).U8(171), 7 * 16);
    EXPECT_EQ(Person(id).ExtensionKey(), 0);
    EXPECT_EQ(Person(id).FamilyHead(), 0);
    EXPECT_TRUE(ReturnsToInactive(Person(id)));

    ASSERT_TRUE(UndoMove(m_context, RecordOf(id), 0, false));
    EXPECT_EQ(Person(id).Category(), PublisherCategory::Inactive);
    EXPECT_EQ(Person(id).U8(201), 7 * 16);
    EXPECT_EQ(Person(id).U8(238), ToYearByte(2024));
    EXPECT_EQ(Person(id).U8(170), 0);
    EXPECT_EQ(Person(id).U8(171), 0);
}

TEST_F(ListMovesTest, UndoingTheMoveOfAnActivePublisherAsRegular) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    ASSERT_TRUE(MoveAway(m_context, RecordOf(id), 2));
    EXPECT_FALSE(ReturnsToInactive(Person(id)));
    EXPECT_EQ(UndoMove(m_context, RecordOf(id), 13, true).code(), Failure::Invalid);
    ASSERT_TRUE(UndoMove(m_context, RecordOf(id), 1, true));
    EXPECT_EQ(Person(id).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(Person(id).U8(201), 1 * 16 + 4);
    EXPECT_EQ(Person(id).U8(238), 1 * 16 + 4);
}

TEST_F(ListMovesTest, FullListsRefuseAndChangeNothing) {
    for (int i = 0; i < kMovedListLimit - 1; ++i)
        AddPerson("P" + std::to_string(i), "Moved", PublisherCategory::Moved);
    const PublisherId a = AddPerson("Jan", "Kowalski");
    const PublisherId b = AddPerson("Ewa", "Lis");
    ASSERT_TRUE(MoveAway(m_context, RecordOf(a), 1)); // the 199th
    const Status refused = MoveAway(m_context, RecordOf(b), 1);
    EXPECT_EQ(refused.code(), Failure::Full);
    EXPECT_FALSE(refused.message().empty());
    EXPECT_EQ(Person(b).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(m_database.List(PublisherCategory::Moved).size(), static_cast<std::size_t>(kMovedListLimit));
}

TEST_F(ListMovesTest, RestoreBringsADeletedPersonBackReactivated) {
    const PublisherId id = AddPerson("Jan", "Kowalski", PublisherCategory::Deleted);
    Person(id).SetStatusChangeMonth(static_cast<MonthCount>(5 + (2020 - 1950) * 256));
    Person(id).SetPersonFlags(0xF3);
    ASSERT_TRUE(Restore(m_context, RecordOf(id), 2));
    EXPECT_EQ(Person(id).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(Person(id).U8(201), 2 * 16 + 2);
    EXPECT_EQ(Person(id).U8(238), 2 * 16 + 2);
    EXPECT_EQ(Person(id).StatusChangeMonth(), 0);
    EXPECT_EQ(Person(id).PersonFlags(), 0x60);
    EXPECT_EQ(Restore(m_context, RecordOf(id), 2).code(), Failure::NotFound);
}

TEST(ListMoves, CaptionAndYearOfAMonth) {
    const WorkingMonth march = WorkingMonthFor(2025, 4, 10);
    EXPECT_EQ(YearOfMoveMonth(march, 3), 2025);
    EXPECT_EQ(YearOfMoveMonth(march, 4), 2024);
    EXPECT_EQ(MonthDialogCaption("Jan Kowalski", "wyjechał(a)"), "Miesiąc, w którym Jan Kowalski wyjechał(a)");
}

} // namespace
} // namespace vardo
