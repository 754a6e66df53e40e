#include "core/registry/Groups.h"

#include <gtest/gtest.h>

#include "RegistryFixture.h"

namespace vardo {
namespace {

using test::RegistryTest;

class GroupsTest : public RegistryTest {
protected:
    void Define(int g, std::string_view overseer) {
        GroupEditorPresenter editor(m_context, g);
        editor.fields.overseer = std::string(overseer);
        ASSERT_TRUE(editor.Store());
    }
};

TEST_F(GroupsTest, CountRuleStopsAtTheFirstGroupWithoutOverseer) {
    Define(1, "Jan Nowak");
    Define(2, "Piotr Lis");
    Define(4, "Adam Kot");
    // The editor makes a group beyond the defined ones the last defined group...
    EXPECT_EQ(m_groups.Count(), 4);
    // ...and closing the list recounts: group 3 has no overseer, so group 4 is not counted but kept.
    GroupListPresenter list(m_context);
    const int before = m_commits;
    list.Close();
    EXPECT_EQ(m_groups.Count(), 2);
    EXPECT_EQ(m_commits, before + 1);
    EXPECT_EQ(m_groups.Overseer(3), "Adam Kot");
    EXPECT_EQ(GroupName(m_groups, 4), "");
    EXPECT_EQ(GroupOverseer(m_groups, 4), "");

    // Closing again changes nothing and commits nothing.
    list.Close();
    EXPECT_EQ(m_commits, before + 1);

    // A blank overseer counts as none.
    Define(3, "   ");
    EXPECT_EQ(CountDefinedGroups(m_groups), 2);
}

TEST_F(GroupsTest, EditorCutsTheNameAndSwitchesItOffWhenEmpty) {
    GroupEditorPresenter editor(m_context, 1);
    editor.fields.overseer = "Jan Nowak";
    editor.fields.useName = true;
    editor.fields.name = "  Abcdefghijklmnopqrstuvwxy";
    editor.fields.time = "10:00 rano!";
    editor.fields.day = 5;
    ASSERT_TRUE(editor.Store());
    EXPECT_EQ(m_groups.Name(0), "Abcdefghijklmnopqrst");
    EXPECT_TRUE(m_groups.UsesName(0));
    EXPECT_EQ(m_groups.Time(0), "10:00 ra");
    EXPECT_EQ(GroupName(m_groups, 1), "Abcdefghijklmnopqrst");
    EXPECT_EQ(GroupDay(m_groups, 1), "sobota");

    GroupEditorPresenter again(m_context, 1);
    EXPECT_EQ(again.fields.name, "Abcdefghijklmnopqrst");
    again.fields.name = "   ";
    ASSERT_TRUE(again.Store());
    EXPECT_FALSE(m_groups.UsesName(0));
    EXPECT_EQ(GroupName(m_groups, 1), "Grupa # 1");

    // A one-character own name is not used either.
    GroupEditorPresenter single(m_context, 1);
    single.fields.useName = true;
    single.fields.name = "X";
    ASSERT_TRUE(single.Store());
    EXPECT_EQ(GroupName(m_groups, 1), "Grupa # 1");
}

TEST_F(GroupsTest, EditorRefusesAnUnstorableTextAndLeavesTheTableAsItWas) {
    Define(1, "Jan Nowak");
    const std::string before(m_groups.PlainBytes());
    GroupEditorPresenter editor(m_context, 1);
    editor.fields.place = "Sala \xe2\x98\x83";
    const int commits = m_commits;
    const Status status = editor.Store();
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ(std::string(m_groups.PlainBytes()), before);
    EXPECT_EQ(m_commits, commits);
}

TEST_F(GroupsTest, ListRowsMarksAndSelection) {
    AddPerson("Jan", "Nowak");
    const PublisherId piotr = AddPerson("Piotr", "Lis");
    Define(1, "Jan Nowak");
    GroupEditorPresenter second(m_context, 2);
    second.ChooseOverseer(m_database.RecordNumberOfId(piotr));
    EXPECT_EQ(second.fields.overseer, "Piotr Lis");
    second.fields.assistant = "Obcy Człowiek";
    second.fields.place = "Sala";
    second.fields.day = 2;
    second.fields.time = "18:00";
    ASSERT_TRUE(second.Store());

    GroupListPresenter list(m_context);
    const auto rows = list.Rows();
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows[0], "#1 \tJan Nowak \t \t \tponiedziałek \t");
    EXPECT_EQ(rows[1], "#2 \tPiotr Lis \tObcy Człowiek* \tSala \tśroda \t18:00");
    EXPECT_EQ(rows[2], "#3");
    EXPECT_TRUE(list.NoteVisible());
    EXPECT_EQ(GroupListPresenter::NoteText(), "* Nie ma w pliku");

    // Renaming the overseer's person makes the list mark him.
    m_database.Record(m_database.RecordNumberOfId(piotr)).SetFirstName("Paweł");
    EXPECT_EQ(list.Rows()[1], "#2 \tPiotr Lis* \tObcy Człowiek* \tSala \tśroda \t18:00");

    // Rows past the first free group select the first free group.
    list.Select(9);
    EXPECT_EQ(list.Selection(), 2);
    EXPECT_EQ(list.EditButtonText(), "Edycja Grupa 3");
    list.Select(1);
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_EQ(list.EditButtonText(), "Edycja Grupa 2");
    EXPECT_TRUE(list.AssignEnabled());
}

TEST_F(GroupsTest, OverseerTitleFollowsTheOverseersAppointment) {
    const PublisherId jan = AddPerson("Jan", "Nowak");
    Define(1, "Jan Nowak");
    Define(2, "Nieznany Brat");
    auto& person = Person(jan);
    person.SetAppointment(Appointment::MinisterialServant);
    EXPECT_EQ(OverseerTitle(m_database, m_groups, 1), StrId::ServantOverseer);
    person.SetAppointment(Appointment::Elder);
    EXPECT_EQ(OverseerTitle(m_database, m_groups, 1), StrId::Overseer);
    person.SetAppointment(Appointment::BaptizedBrother);
    EXPECT_EQ(OverseerTitle(m_database, m_groups, 1), StrId::OtherOverseer);
    EXPECT_EQ(OverseerTitle(m_database, m_groups, 2), StrId::Overseer);
}

TEST_F(GroupsTest, PersonGroupHonoursTheHiddenBitOnlyWhenAsked) {
    const PublisherId id = AddPerson("Ewa", "Nieczynna", PublisherCategory::Inactive);
    Person(id).SetGroup(3);
    Person(id).SetHidesGroup(true);
    EXPECT_EQ(PersonGroup(m_database, PublisherCategory::Inactive, 0, true), 0);
    EXPECT_EQ(PersonGroup(m_database, PublisherCategory::Inactive, 0, false), 3);
    EXPECT_EQ(PersonGroup(m_database, PublisherCategory::Inactive, 1, false), 0);
}

TEST_F(GroupsTest, AssignmentCandidatesAndFilters) {
    const PublisherId a = AddPerson("Adam", "Adamski");
    const PublisherId b = AddPerson("Bogdan", "Bobrowski");
    const PublisherId c = AddPerson("Cezary", "Cegła");
    const PublisherId d = AddPerson("Dawid", "Dudek", PublisherCategory::Inactive);
    AddPerson("Ewa", "Ekiert", PublisherCategory::NonPublisher);
    Person(b).SetGroup(1);
    Person(c).SetGroup(2);

    GroupAssignment assignment(m_context, 1);
    EXPECT_EQ(assignment.TargetCaption(), "do grupy  #1");
    auto texts = [&] {
        std::vector<std::string> out;
        for (const auto& candidate : assignment.Candidates())
            out.push_back(candidate.text);
        return out;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"Adamski, Adam", "Cegła, Cezary (2)"}));
    assignment.SetOnlyUnassigned(true);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Adamski, Adam"}));
    assignment.SetIncludeInactive(true);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Adamski, Adam", "Dudek, Dawid *"}));
    assignment.SetFilter(2);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Adamski, Adam", "Cegła, Cezary (2)", "Dudek, Dawid *"}));

    ASSERT_TRUE(assignment.Assign(a));
    EXPECT_EQ(Person(a).Group(), 1);
    EXPECT_EQ(assignment.Members(), (std::vector<std::string>{"Adamski, Adam", "Bobrowski, Bogdan"}));
    ASSERT_TRUE(assignment.Assign(d));
    EXPECT_EQ(Person(d).Group(), 1);
    EXPECT_EQ(assignment.Assign(9999).code(), Failure::NotFound);
    EXPECT_TRUE(m_changes.IsModified());
}

} // namespace
} // namespace vardo
