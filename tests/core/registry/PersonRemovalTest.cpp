#include "core/registry/PersonRemoval.h"

#include <gtest/gtest.h>

#include "RegistryFixture.h"
#include "core/registry/GroupChooser.h"
#include "core/registry/PublisherChooser.h"

namespace vardo {
namespace {

using test::RegistryTest;

using PersonRemovalTest = RegistryTest;

TEST_F(PersonRemovalTest, RemovalChoiceDefaultsToPermanentAndTheWorkingMonth) {
    RemovalChoice choice(m_month);
    EXPECT_TRUE(choice.Permanent());
    EXPECT_FALSE(choice.DateVisible());
    EXPECT_EQ(choice.Month(), 2); // February
    EXPECT_EQ(choice.Year(), 2024);
    const auto years = choice.YearTexts();
    ASSERT_EQ(years.size(), 75u);
    EXPECT_EQ(years.front(), "1950");
    EXPECT_EQ(years.back(), "2024");
    EXPECT_EQ(choice.YearEntry(), 74);
    choice.SetYearEntry(75);
    EXPECT_EQ(choice.Year(), 2024);
    choice.SetMonthEntry(0);
    EXPECT_EQ(choice.Month(), 0);
    EXPECT_EQ(choice.MonthTexts().size(), 13u);
}

TEST_F(PersonRemovalTest, TemporaryRemovalKeepsThePersonOnTheDeletedList) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    PublisherRecord& r = Person(id);
    r.SetStatusMonth(0x31);
    r.SetPersonFlags(0xFF);
    ASSERT_TRUE(RemoveTemporarily(m_context, m_database.RecordNumberOfId(id), 3, 2023));
    EXPECT_EQ(r.Category(), PublisherCategory::Deleted);
    EXPECT_EQ(r.StatusMonth(), 0);
    EXPECT_EQ(r.PersonFlags(), 0x64);
    EXPECT_EQ(r.StatusChangeMonth(), 3 + 73 * 256);
    EXPECT_EQ(m_database.List(PublisherCategory::Deleted).size(), 1u);
    EXPECT_TRUE(m_database.List(PublisherCategory::Publisher).empty());
    EXPECT_TRUE(m_changes.IsModified());
    EXPECT_EQ(m_commits, 1);
}

TEST_F(PersonRemovalTest, TemporaryRemovalIsRefusedWhenTheDeletedListIsFull) {
    for (int i = 0; i < kDeletedListLimit; ++i)
        AddPerson("X", "Usunięty" + std::to_string(i), PublisherCategory::Deleted);
    const PublisherId id = AddPerson("Jan", "Kowalski");
    const Status status = RemoveTemporarily(m_context, m_database.RecordNumberOfId(id), 3, 2023);
    EXPECT_EQ(status.code(), Failure::Full);
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ(Person(id).Category(), PublisherCategory::Publisher);
    EXPECT_FALSE(m_changes.IsModified());
}

TEST_F(PersonRemovalTest, PermanentRemovalLeavesNothingAttachedToTheId) {
    const PublisherId head = AddPerson("Jan", "Kowalski");
    const PublisherId wife = AddPerson("Anna", "Kowalska");
    Person(head).SetHeadOfFamily(true);
    Person(wife).SetFamilyHead(head);
    ASSERT_TRUE(m_appointments.SetAppointment(head, 2, "09012015"));
    ASSERT_TRUE(m_appointments.SetAppointment(head, 20, " 1012020"));
    PublisherId remarksRemovedFor = 0;
    m_context.removeRemarks = [&](PublisherId id) {
        remarksRemovedFor = id;
        return Status::Ok();
    };

    ASSERT_TRUE(RemovePermanently(m_context, m_database.RecordNumberOfId(head)));
    EXPECT_EQ(m_database.PersonCount(), 1);
    EXPECT_EQ(m_database.FindById(head), nullptr);
    EXPECT_EQ(remarksRemovedFor, head);
    EXPECT_EQ(Person(wife).FamilyHead(), 0);
    EXPECT_FALSE(m_appointments.HasConsent(head));
    EXPECT_EQ(m_appointments.GetAppointment(head, 2), "");
    EXPECT_EQ(m_database.List(PublisherCategory::Publisher).size(), 1u);
    EXPECT_TRUE(m_changes.IsModified());
    // The appointment no longer reaches the file.
    for (const auto& entry : AppointmentTable::Parse(m_appointments.SaveBytes()))
        EXPECT_NE(entry.Id(), head);
}

TEST_F(PersonRemovalTest, PermanentRemovalWhoseRemarksCannotBeWrittenChangesNothing) {
    const PublisherId head = AddPerson("Jan", "Kowalski");
    const PublisherId wife = AddPerson("Anna", "Kowalska");
    Person(head).SetHeadOfFamily(true);
    Person(wife).SetFamilyHead(head);
    ASSERT_TRUE(m_appointments.SetAppointment(head, 2, "09012015"));
    const auto before = m_database.TakeSnapshot();
    const std::string appointmentsBefore = m_appointments.SaveBytes();
    m_context.removeRemarks = [](PublisherId) { return Status::Fail(Failure::Io, "Nie można zapisać remark9.dat"); };

    const Status removed = RemovePermanently(m_context, m_database.RecordNumberOfId(head));
    EXPECT_EQ(removed.code(), Failure::Io);
    EXPECT_EQ(m_database.PersonCount(), 2);
    const auto after = m_database.TakeSnapshot();
    ASSERT_EQ(after.persons.size(), before.persons.size());
    for (std::size_t i = 0; i < before.persons.size(); ++i)
        EXPECT_EQ(after.persons[i].Bytes(), before.persons[i].Bytes()) << "record " << i + 1;
    EXPECT_EQ(m_appointments.SaveBytes(), appointmentsBefore);
    EXPECT_FALSE(m_changes.IsModified());
    EXPECT_EQ(m_commits, 0);
}

TEST_F(PersonRemovalTest, GroupChooserShowsMembersOverseerAndPlace) {
    m_groups.SetCount(2);
    ASSERT_TRUE(m_groups.SetOverseer(1, "Adam Nowak"));
    ASSERT_TRUE(m_groups.SetPlace(1, "Sala Królestwa"));
    const PublisherId a = AddPerson("Ewa", "Lis");
    AddPerson("Jan", "Kos");
    const PublisherId inactive = AddPerson("Ola", "Bąk", PublisherCategory::Inactive);
    Person(a).SetGroup(2);
    Person(inactive).SetGroup(2);

    GroupChooser chooser(m_context, 2);
    EXPECT_EQ(GroupChooser::Numbers().front(), "01");
    EXPECT_EQ(GroupChooser::Numbers().back(), "20");
    EXPECT_EQ(chooser.Selection(), 1);
    EXPECT_EQ(chooser.Members(), std::vector<std::string>{"Lis, Ewa"});
    EXPECT_EQ(chooser.OverseerText(), "Nadzorca: Adam Nowak");
    EXPECT_EQ(chooser.PlaceText(), "Sala Królestwa");
    chooser.Select(4); // a group beyond the defined ones
    EXPECT_EQ(chooser.OverseerText(), "");
    EXPECT_EQ(chooser.Chosen(), 5);

    EXPECT_EQ(GroupChooser(m_context, 25).Selection(), -1);
    EXPECT_FALSE(GroupChooser(m_context, 0).Chosen());
}

TEST_F(PersonRemovalTest, ChooserKeepsTheSelectedPersonAcrossChanges) {
    AddPerson("Adam", "Adamski");
    const PublisherId b = AddPerson("Bogdan", "Bielski");
    PublisherChooser chooser(m_context, PublisherChooser::Mode::Edit);
    EXPECT_EQ(chooser.Selection(), 0);
    chooser.SelectId(b);
    AddPerson("Aaron", "Aaa");
    chooser.Refill();
    EXPECT_EQ(chooser.Selection(), 2);
    ASSERT_TRUE(RemovePermanently(m_context, m_database.RecordNumberOfId(b)));
    chooser.Refill();
    EXPECT_EQ(chooser.Selection(), 0);

    EXPECT_EQ(chooser.OpenButtonText(), "&Edycja...");
    PublisherChooser picker(m_context, PublisherChooser::Mode::Pick);
    EXPECT_EQ(picker.OpenButtonText(), "&Wybierz");
    EXPECT_EQ(picker.CloseButtonText(), "&Anuluj");
    EXPECT_FALSE(picker.AddVisible());
    EXPECT_FALSE(chooser.AddNeedsChoice());
    AddPerson("Ola", "Bąk", PublisherCategory::NonPublisher);
    EXPECT_TRUE(chooser.AddNeedsChoice());
    EXPECT_FALSE(chooser.HasInactive());
}

} // namespace
} // namespace vardo
