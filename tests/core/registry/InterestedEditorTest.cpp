#include <gtest/gtest.h>

#include "RegistryFixture.h"
#include "core/platform/Strings.h"
#include "core/registry/PublisherChooser.h"
#include "core/registry/PublisherEditor.h"

namespace vardo {
namespace {

using test::RegistryTest;

class InterestedEditorTest : public RegistryTest {
protected:
    PublisherChooser m_chooser{m_context, PublisherChooser::Mode::Edit, PublisherCategory::NonPublisher};
    PublisherEditor m_editor{m_context, m_chooser};

    bool AddNew(std::string_view first, std::string_view last) {
        m_editor.LoadNew();
        m_editor.SetText(EditorText::FirstName, std::string(first));
        m_editor.SetText(EditorText::LastName, std::string(last));
        return m_editor.Store();
    }

    void Open(PublisherId id) {
        m_chooser.Refill();
        m_editor.Load(m_chooser.PositionOfId(id));
    }
};

TEST_F(InterestedEditorTest, NewInterestedPersonsGetIdsFromTwoThousandOnTheNonPublisherList) {
    const PublisherId publisher = AddPerson("Jan", "Kowalski");
    ASSERT_LT(publisher, 2000);
    EXPECT_TRUE(m_editor.Interested());
    EXPECT_FALSE(m_editor.NeedsStatusBeforeStore());
    EXPECT_EQ(m_editor.Caption(), "Edytuj zainteresowanego");

    ASSERT_TRUE(AddNew("Anna", "Nowak"));
    ASSERT_TRUE(AddNew("Ewa", "Zielińska"));
    const PublisherRecord* anna = m_database.FindById(2000);
    const PublisherRecord* ewa = m_database.FindById(2001);
    ASSERT_NE(anna, nullptr);
    ASSERT_NE(ewa, nullptr);
    EXPECT_EQ(anna->LastName(), "Nowak");
    EXPECT_EQ(anna->Category(), PublisherCategory::NonPublisher);
    EXPECT_EQ(ewa->Category(), PublisherCategory::NonPublisher);
    EXPECT_EQ(m_database.List(PublisherCategory::NonPublisher).size(), 2u);
    EXPECT_EQ(m_database.List(PublisherCategory::Publisher).size(), 1u);
    EXPECT_EQ(m_chooser.Count(), 2);
    EXPECT_EQ(m_commits, 2);
}

TEST_F(InterestedEditorTest, ALastNameOfOneCharacterStoresNothingAndAsksNothing) {
    EXPECT_FALSE(AddNew("Anna", "N"));
    EXPECT_FALSE(AddNew("Anna", " N "));
    EXPECT_TRUE(m_database.List(PublisherCategory::NonPublisher).empty());
    EXPECT_EQ(m_commits, 0);
    EXPECT_TRUE(m_prompter.Shown().empty());
    // Two characters are enough, also for a name of Polish letters.
    EXPECT_TRUE(AddNew("", "Łą"));
}

TEST_F(InterestedEditorTest, TheConductorIsKeptAsTheFirstNameFirstNameAndCanBeRemoved) {
    const PublisherId conductor = AddPerson("Jan", "Kowalski");
    ASSERT_TRUE(AddNew("Anna", "Nowak"));
    Open(2000);
    EXPECT_TRUE(m_editor.ConductorLabel().empty());
    EXPECT_FALSE(m_editor.ConductorRemoveVisible());

    ASSERT_TRUE(m_editor.ChooseConductor(conductor));
    EXPECT_EQ(m_editor.ConductorLabel(), "Prowadzący studium Biblii: Jan Kowalski");
    EXPECT_TRUE(m_editor.ConductorRemoveVisible());
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_database.FindById(2000)->ConductorText(), "Jan Kowalski");

    Open(2000);
    EXPECT_EQ(m_editor.Conductor(), "Jan Kowalski");
    m_editor.RemoveConductor();
    EXPECT_TRUE(m_editor.ConductorLabel().empty());
    ASSERT_TRUE(m_editor.Store());
    EXPECT_EQ(m_database.FindById(2000)->ConductorText(), "");
    Open(2000);
    EXPECT_TRUE(m_editor.ConductorLabel().empty());
    EXPECT_FALSE(m_editor.ConductorRemoveVisible());
}

TEST_F(InterestedEditorTest, OnlyAnActivePublisherCanBeTheConductor) {
    const PublisherId inactive = AddPerson("Piotr", "Wiśniewski", PublisherCategory::Inactive);
    ASSERT_TRUE(AddNew("Anna", "Nowak"));
    Open(2000);
    const Status refused = m_editor.ChooseConductor(inactive);
    EXPECT_EQ(refused.code(), Failure::Invalid);
    EXPECT_NE(refused.message().find("Piotr Wiśniewski"), std::string::npos);
    EXPECT_EQ(m_editor.ChooseConductor(9999).code(), Failure::Invalid);
    EXPECT_TRUE(m_editor.Conductor().empty());
}

TEST_F(InterestedEditorTest, EditingKeepsTheFieldsTheModeHides) {
    ASSERT_TRUE(AddNew("Anna", "Nowak"));
    PublisherRecord& stored = *m_database.FindById(2000);
    stored.SetBaptismDate("05101999");
    stored.SetHope('A');
    const PublisherRecord before = stored;

    Open(2000);
    m_editor.SetText(EditorText::Address, "Polna 3");
    m_editor.SetText(EditorText::PhoneMobile, "600100200");
    m_editor.SetBox(EditorBox::Female, true);
    ASSERT_TRUE(m_editor.Store());
    const PublisherRecord& after = *m_database.FindById(2000);
    EXPECT_EQ(after.Address(), "Polna 3");
    EXPECT_EQ(after.Phone2(), "600100200");
    EXPECT_TRUE(after.IsFemale());
    EXPECT_EQ(after.BaptismDate(), before.BaptismDate());
    EXPECT_EQ(after.Hope(), 'A');
    EXPECT_EQ(after.Category(), PublisherCategory::NonPublisher);
    // The report rows and pioneer codes are left alone: only the conductor text may write from offset 240.
    for (std::size_t offset = 240 + PublisherRecord::kConductorWidth; offset < kRecordSize; ++offset)
        ASSERT_EQ(after.U8(offset), before.U8(offset)) << "offset " << offset;
}

TEST_F(InterestedEditorTest, ANameAnActivePublisherHasIsNotMergedIntoThatPublisher) {
    AddPerson("Jan", "Kowalski");
    m_prompter.Script(Answer::Yes); // "update the existing person?"
    EXPECT_FALSE(AddNew("Jan", "Kowalski"));
    EXPECT_TRUE(m_prompter.AnyShownContains("na innej liście"));
    EXPECT_EQ(m_database.PersonCount(), 1);
    EXPECT_EQ(m_database.Record(1).Category(), PublisherCategory::Publisher);
    EXPECT_EQ(m_commits, 0);
}

TEST_F(InterestedEditorTest, DeleteAsksYesNoAndIsNotOfferedForANewPerson) {
    ASSERT_TRUE(AddNew("Anna", "Nowak"));
    m_editor.LoadNew();
    EXPECT_FALSE(m_editor.DeleteVisible());
    EXPECT_EQ(m_editor.DeleteInterested().code(), Failure::NotFound);

    Open(2000);
    EXPECT_TRUE(m_editor.DeleteVisible());
    m_prompter.Script(Answer::No);
    EXPECT_TRUE(m_editor.DeleteInterested().cancelled());
    EXPECT_NE(m_database.FindById(2000), nullptr);
    EXPECT_TRUE(m_prompter.AnyShownContains("Czy na pewno chcesz usunąć Anna Nowak?"));

    const int commits = m_commits;
    m_prompter.Script(Answer::Yes);
    EXPECT_TRUE(m_editor.DeleteInterested());
    EXPECT_EQ(m_database.FindById(2000), nullptr);
    EXPECT_TRUE(m_database.List(PublisherCategory::NonPublisher).empty());
    EXPECT_EQ(m_chooser.Count(), 0);
    EXPECT_EQ(m_commits, commits + 1);
}

TEST_F(InterestedEditorTest, TheInterestedChooserAddsWithoutTheChoiceAndNamesItsButtons) {
    AddPerson("Piotr", "Wiśniewski", PublisherCategory::Inactive);
    PublisherChooser publishers{m_context, PublisherChooser::Mode::Edit};
    EXPECT_TRUE(publishers.AddNeedsChoice());
    EXPECT_FALSE(m_chooser.AddNeedsChoice());
    EXPECT_EQ(m_chooser.Caption(), "Wybierz zainteresowanego");
    EXPECT_EQ(m_chooser.AddButtonText(), "&Dodaj");
    m_context.languageTag = "swedish";
    EXPECT_EQ(m_chooser.AddButtonText(), "    &Dodaj    ");
}

} // namespace
} // namespace vardo
