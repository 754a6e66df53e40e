// The circuit overseer's record and the user category.

#include <gtest/gtest.h>

#include "RegistryFixture.h"
#include "core/registry/CircuitOverseer.h"
#include "core/registry/UserCategory.h"

namespace vardo {
namespace {

using test::RegistryTest;

class CircuitOverseerTest : public RegistryTest {};

TEST_F(CircuitOverseerTest, OnlyAFirstNameStoresNothing) {
    CircuitOverseerPresenter presenter(m_context);
    for (int f = 0; f < kOverseerFields; ++f)
        EXPECT_EQ(presenter.Text(static_cast<OverseerField>(f)), "");
    presenter.SetText(OverseerField::FirstName, "Marek");
    presenter.SetText(OverseerField::LastName, "   ");
    ASSERT_TRUE(presenter.Store());
    EXPECT_EQ(m_database.CircuitOverseerRecord(), 0);
    EXPECT_EQ(m_database.Count(), 1);
    EXPECT_EQ(m_commits, 0);
}

TEST_F(CircuitOverseerTest, NewRecordWithEmailAndCutTexts) {
    AddPerson("Jan", "Nowak");
    CircuitOverseerPresenter presenter(m_context);
    presenter.SetText(OverseerField::FirstName, "Maksymilianowski12345");
    presenter.SetText(OverseerField::LastName, "Wiśniewski");
    presenter.SetText(OverseerField::Address, "ul. Długa 1, Kraków");
    presenter.SetText(OverseerField::PhoneHome, "12 345 67 89 0123");
    presenter.SetText(OverseerField::PhoneMobile, "600 100 200");
    presenter.SetText(OverseerField::Email, "obwod@example.org");
    ASSERT_TRUE(presenter.Store());

    const RecordNumber number = m_database.CircuitOverseerRecord();
    ASSERT_NE(number, 0);
    EXPECT_EQ(number, m_database.Count() - 1); // sorted last
    const PublisherRecord& r = m_database.Record(number);
    EXPECT_EQ(r.Id(), kCircuitOverseerId);
    EXPECT_EQ(r.Category(), PublisherCategory::CircuitOverseer);
    EXPECT_EQ(r.U8(238), 0);
    EXPECT_EQ(r.FirstName(), "Maksymilianowski12");
    EXPECT_EQ(r.Phone1(), "12 345 67 89 0");
    EXPECT_EQ(r.Phone2(), "600 100 200");
    EXPECT_EQ(r.Phone3(), "");
    ASSERT_NE(r.ExtensionKey(), 0);
    // The e-mail sits in the extension record of owner 30003 at the key's position.
    const auto bytes = m_folder.ReadAll("xten7.dat");
    ASSERT_TRUE(bytes.ok());
    const std::string record = bytes.value().substr(r.ExtensionKey() * 192u, 192);
    EXPECT_EQ(static_cast<unsigned char>(record[0]) | static_cast<unsigned char>(record[1]) << 8, 30003);
    EXPECT_EQ(static_cast<unsigned char>(record[67]), static_cast<unsigned char>('o' + 0 + 52));
    EXPECT_TRUE(m_changes.IsModified());

    // Reopened: every field shows what was stored; clearing the e-mail keeps the record's key.
    CircuitOverseerPresenter again(m_context);
    EXPECT_EQ(again.Text(OverseerField::Email), "obwod@example.org");
    EXPECT_EQ(again.Text(OverseerField::LastName), "Wiśniewski");
    again.SetText(OverseerField::Email, "");
    again.SetText(OverseerField::PhoneWork, "22 111");
    ASSERT_TRUE(again.Store());
    EXPECT_EQ(m_database.CircuitOverseerRecord(), number);
    EXPECT_EQ(m_database.Record(number).Phone3(), "22 111");
    EXPECT_EQ(CircuitOverseerPresenter(m_context).Text(OverseerField::Email), "");
}

class UserCategoryTest : public RegistryTest {
protected:
    void SetUp() override {
        m_settings.userCategoryLabel = "Sprzątanie";
        m_settings.userCategoryEnabled = 1;
        for (const char* name : {"Anna", "Beata", "Celina", "Dorota"})
            m_ids.push_back(AddPerson(name, "Kowalska"));
        for (int i = 0; i < 3; ++i)
            Person(m_ids[static_cast<std::size_t>(i)]).SetInUserCategory(true);
    }
    int Marked() const {
        int count = 0;
        for (RecordNumber r = 1; r < m_database.Count(); ++r)
            count += m_database.Record(r).InUserCategory() ? 1 : 0;
        return count;
    }
    std::vector<PublisherId> m_ids;
};

TEST_F(UserCategoryTest, RenameKeepsOrClearsTheMarks) {
    UserCategoryPresenter keep(m_context);
    keep.name = "Porządki  ";
    ASSERT_TRUE(keep.NeedsMarksChoice());
    EXPECT_EQ(keep.MarksQuestion(), "3  głosicieli zostało zaznaczonych jako Sprzątanie.  Co chcesz zrobić?");
    EXPECT_EQ(keep.KeepMarksText(), "Zmienić wszystkich z Sprzątanie na Porządki");
    keep.Store(UserCategoryPresenter::Marks::Keep);
    EXPECT_EQ(m_settings.userCategoryLabel, "Porządki");
    EXPECT_EQ(Marked(), 3);

    UserCategoryPresenter clear(m_context);
    clear.name = "Sprzątanie";
    clear.Store(UserCategoryPresenter::Marks::Clear);
    EXPECT_EQ(m_settings.userCategoryLabel, "Sprzątanie");
    EXPECT_EQ(Marked(), 0);
    EXPECT_EQ(m_commits, 2);
}

TEST_F(UserCategoryTest, CancelledSecondDialogStillRenamesAndLabelIsCut) {
    UserCategoryPresenter presenter(m_context);
    presenter.name = "Bardzo długa nazwa kategorii";
    presenter.Store(std::nullopt);
    EXPECT_EQ(m_settings.userCategoryLabel, "Bardzo długa na");
    EXPECT_EQ(Marked(), 3);
    EXPECT_EQ(m_settings.userCategoryEnabled, 1);
}

TEST_F(UserCategoryTest, EmptyNameSwitchesTheCategoryOffAndSameValuesChangeNothing) {
    UserCategoryPresenter same(m_context);
    EXPECT_FALSE(same.NeedsMarksChoice());
    same.Store(std::nullopt);
    EXPECT_EQ(m_commits, 0);
    EXPECT_FALSE(m_changes.IsModified());

    UserCategoryPresenter cleared(m_context);
    cleared.name = "";
    cleared.enabled = true;
    cleared.Store(UserCategoryPresenter::Marks::Keep);
    EXPECT_EQ(m_settings.userCategoryLabel, "");
    EXPECT_EQ(m_settings.userCategoryEnabled, 0);

    UserCategoryPresenter on(m_context);
    on.name = "Nowa";
    on.enabled = true;
    on.Store(std::nullopt);
    EXPECT_EQ(m_settings.userCategoryEnabled, 1);
    UserCategoryPresenter off(m_context);
    off.enabled = false;
    off.Store(std::nullopt);
    EXPECT_EQ(m_settings.userCategoryEnabled, 0);
    EXPECT_EQ(m_settings.userCategoryLabel, "Nowa");
}

} // namespace
} // namespace vardo
