#include "core/reporting/ReportEntry.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"
#include "core/reporting/EntryList.h"

namespace vardo {
namespace {

class ReportEntryTest : public test::ReportingTest {};

TEST_F(ReportEntryTest, StoringSetsParticipationAndClearsQuarterHours) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    ReportCell cell;
    cell.SetQuarterHours(2);
    cell.studyWord |= 0x0400; // bit 10 is dropped with the quarters
    Person(id).SetCell(1, WorkingSlot(), cell);
    ReportEntry entry(m_context, RecordOf(id));
    EXPECT_FALSE(entry.Participation());
    EXPECT_FALSE(entry.HoursVisible());
    entry.SetStudiesText("2");
    ASSERT_TRUE(entry.Store());
    const ReportCell stored = Person(id).Cell(1, WorkingSlot());
    EXPECT_EQ(stored.BibleStudies(), 2);
    EXPECT_TRUE(stored.Flag()); // forced on by the studies
    EXPECT_EQ(stored.QuarterHours(), 0);
    EXPECT_EQ(stored.studyWord, 0x0802);
    EXPECT_EQ(m_lastEntered, id);
    EXPECT_EQ(m_modifiedCalls, 1);
    EXPECT_EQ(Person(id).LateMarker(1, WorkingSlot()), 0);
}

TEST_F(ReportEntryTest, UntickingParticipationZeroesTheFieldsAndUnchangedReportIsNotStored) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    ReportEntry entry(m_context, RecordOf(id));
    entry.SetParticipation(true);
    entry.SetStudiesText("4");
    entry.SetParticipation(false);
    EXPECT_EQ(entry.StudiesText(), "0");
    EXPECT_EQ(entry.HoursText(), "0");
    ASSERT_TRUE(entry.Store());
    EXPECT_FALSE(entry.Changed());
    EXPECT_EQ(m_modifiedCalls, 0);
    EXPECT_EQ(m_lastEntered, 0);
}

TEST_F(ReportEntryTest, StudiesAbove63AreRefused) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    ReportEntry entry(m_context, RecordOf(id));
    entry.SetParticipation(true);
    entry.SetStudiesText("64");
    EXPECT_FALSE(entry.Store());
    EXPECT_TRUE(m_prompter.AnyShownContains("between 0 and 63"));
    EXPECT_EQ(Person(id).StudyWord(1, WorkingSlot()), 0);
}

TEST_F(ReportEntryTest, PioneerKindsAndVisibleFields) {
    const PublisherId aux = AddPerson("Anna", "Nowak");
    const PublisherId missionary = AddPerson("Jan", "Kowalski");
    const PublisherId special = AddPerson("Ewa", "Lis");
    Person(missionary).SetFieldMissionary(true);
    Person(special).SetRow(MonthRow::Pioneer, 1, WorkingSlot(), 3);

    ReportEntry a(m_context, RecordOf(aux));
    EXPECT_TRUE(a.AuxiliaryVisible());
    a.SetParticipation(true);
    EXPECT_FALSE(a.HoursVisible());
    a.SetAuxiliary(true);
    EXPECT_TRUE(a.HoursVisible());
    a.SetHoursText("30");
    ASSERT_TRUE(a.Store());
    EXPECT_EQ(Person(aux).Pioneer(1, WorkingSlot()), PioneerCode::Auxiliary);
    EXPECT_EQ(Person(aux).Hours(1, WorkingSlot()), 30);

    ReportEntry m(m_context, RecordOf(missionary));
    EXPECT_EQ(m.PioneerKindText(), "Misjonarz terenowy");
    EXPECT_FALSE(m.HoursVisible());
    m.SetParticipation(true);
    EXPECT_TRUE(m.HoursVisible());

    ReportEntry s(m_context, RecordOf(special));
    EXPECT_EQ(s.PioneerKindText(), "Pionier specjalny");
    EXPECT_TRUE(s.NotAdded());
    ASSERT_FALSE(s.Messages().empty());
    EXPECT_EQ(s.Messages().back(), "Pionierzy specjalni NIE SĄ WŁĄCZANI do sprawozdania dla Towarzystwa");
}

TEST_F(ReportEntryTest, RegularPioneerCreditFromRemark) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    Person(id).SetRow(MonthRow::Pioneer, 1, WorkingSlot(), 2);
    ReportEntry entry(m_context, RecordOf(id));
    EXPECT_TRUE(entry.CreditVisible());
    entry.SetParticipation(true);
    entry.SetHoursText("50");
    entry.SetRemark("10 szpital i jeszcze bardzo długi opis ponad limit");
    EXPECT_EQ(entry.Remark(), "10 szpital i jeszcze bardzo długi op"); // 36 characters
    EXPECT_EQ(entry.Credit(), 5);
    EXPECT_EQ(entry.CreditText(), "( + 5 Godz. )");
    ASSERT_TRUE(entry.Store());
    EXPECT_EQ(Person(id).CreditHours(1, WorkingSlot()), 5);
    const std::uint16_t number = Person(id).RemarkNumber(1, WorkingSlot());
    ASSERT_NE(number, 0);
    EXPECT_EQ(m_remarks.Entry(number).Text(), entry.Remark());
    // An emptied remark clears the credit.
    ReportEntry again(m_context, RecordOf(id));
    again.SetRemark("");
    EXPECT_EQ(again.Credit(), 0);
}

TEST_F(ReportEntryTest, CancelledWindowLeavesRemarksUntouched) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    {
        ReportEntry entry(m_context, RecordOf(id));
        entry.SetRemark("nie zapisana");
    }
    EXPECT_EQ(m_remarks.Count(), 1u);
    EXPECT_EQ(m_modifiedCalls, 0);
}

TEST_F(ReportEntryTest, LateReportForNovemberGoesToThePreviousYearSlot) {
    // Working month February 2025: November lies in 2024, the other year slot.
    const PublisherId id = AddPerson("Anna", "Nowak");
    ReportEntry entry(m_context, RecordOf(id));
    entry.ChooseMonth(10);
    EXPECT_TRUE(entry.IsLate());
    EXPECT_EQ(entry.Slot(), 0);
    EXPECT_EQ(entry.Count(), ToMonthCount(2024, 10));
    ASSERT_EQ(entry.Messages().size(), 1u);
    EXPECT_EQ(entry.Messages()[0], "Wszystkie zmiany będą widoczne w sprawozdaniu za miesiąc luty.");
    entry.SetParticipation(true);
    ASSERT_TRUE(entry.Store());
    EXPECT_TRUE(Person(id).Cell(10, 0).Flag());
    EXPECT_EQ(Person(id).LateMarker(10, 0), 2); // working month index + 1
    EXPECT_FALSE(Person(id).Cell(10, 1).Flag());
}

TEST_F(ReportEntryTest, LateEntryOverRecordedHoursIsNotAdded) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    ReportCell cell;
    cell.SetFlag(true);
    Person(id).SetCell(10, 0, cell);
    ReportEntry entry(m_context, RecordOf(id));
    entry.ChooseMonth(10);
    ASSERT_EQ(entry.Messages().size(), 2u);
    EXPECT_EQ(entry.Messages()[0], "- UWAGA -   Już księgowałeś czas za listopad dla : Anna Nowak.");
    EXPECT_EQ(entry.Messages()[1], "Zmiany nie będą dodane do sprawozdania za miesiąc luty.");
    EXPECT_TRUE(entry.NotAdded());
    entry.SetStudiesText("1");
    ASSERT_TRUE(entry.Store());
    EXPECT_EQ(Person(id).Cell(10, 0).BibleStudies(), 1);
    EXPECT_EQ(Person(id).LateMarker(10, 0), 0);
    // Once in the late list, a change is counted again.
    Person(id).SetRow(MonthRow::LateMarker, 10, 0, 2);
    ReportEntry listed(m_context, RecordOf(id));
    listed.ChooseMonth(10);
    EXPECT_FALSE(listed.NotAdded());
}

TEST_F(ReportEntryTest, KeysWalkTheVisibleFields) {
    const PublisherId id = AddPerson("Anna", "Nowak");
    ReportEntry entry(m_context, RecordOf(id));
    using C = ReportEntry::Control;
    EXPECT_EQ(entry.Neighbour(C::Participation, true), C::Participation); // no field shown yet
    entry.SetParticipation(true);
    EXPECT_EQ(entry.Neighbour(C::Participation, true), C::Studies);
    EXPECT_EQ(entry.Neighbour(C::Studies, true), C::Participation);
    EXPECT_EQ(entry.Neighbour(C::Participation, false), C::Studies);
    entry.SetAuxiliary(true);
    EXPECT_EQ(entry.Neighbour(C::Participation, true), C::Hours);
    EXPECT_EQ(entry.Neighbour(C::Hours, false), C::Participation);
    EXPECT_EQ(entry.NextOnEnter(C::Participation), C::Auxiliary);
    EXPECT_EQ(entry.NextOnEnter(C::Hours), C::Studies);
    EXPECT_TRUE(entry.EnterStores(C::Studies));
    EXPECT_FALSE(entry.EnterStores(C::Hours));
    EXPECT_EQ(ReportEntry::ApplyFieldKey(ReportEntry::FieldKey::Space), "0");
    EXPECT_EQ(ReportEntry::ApplyFieldKey(ReportEntry::FieldKey::Delete), "");
    EXPECT_TRUE(ReportEntry::AcceptsCharacter('.'));
    EXPECT_FALSE(ReportEntry::AcceptsCharacter('a'));
}

class EntryListTest : public test::ReportingTest {};

TEST_F(EntryListTest, MissingReportsSkipPersonsWithReportOrRemark) {
    const PublisherId reported = AddPerson("Anna", "Nowak");
    const PublisherId remarked = AddPerson("Jan", "Kowalski");
    AddPerson("Ewa", "Lis");
    AddPerson("Adam", "Zając", PublisherCategory::Inactive);
    ReportCell cell;
    cell.SetFlag(true);
    Person(reported).SetCell(1, WorkingSlot(), cell);
    ASSERT_TRUE(StoreRemark(m_remarks, Person(remarked), 1, WorkingSlot(), 1, "chory", m_prompter).ok());
    GroupTable groups;
    EntryList list(m_context, groups, 0);
    EXPECT_EQ(list.Title(), "luty Księgowanie Czasu - 3 Głosiciele czynni");
    EXPECT_EQ(list.Items().size(), 3u);
    list.Select(2);
    list.SetMissingOnly(true);
    ASSERT_EQ(list.Items().size(), 1u);
    EXPECT_EQ(list.Items()[0].name, "Lis, Ewa");
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.CloseButtonText(), "ZAMKNIJ listę raportów za luty (raportowanie ZAKOŃCZONE)");
    EXPECT_EQ(m_database.Header().GetMonthState(3), MonthState::NotInitialised);
}

TEST_F(EntryListTest, GroupChoiceFiltersMembers) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    AddPerson("Jan", "Kowalski");
    Person(a).SetGroup(2);
    GroupTable groups;
    groups.SetCount(2);
    EntryList list(m_context, groups, a);
    EXPECT_EQ(list.GroupItems().size(), 3u);
    EXPECT_EQ(list.LastEnteredName(), "Anna Nowak");
    list.SetGroupChoice(2);
    ASSERT_EQ(list.Items().size(), 1u);
    EXPECT_EQ(list.SelectedRecord(), RecordOf(a));
}

} // namespace
} // namespace vardo
