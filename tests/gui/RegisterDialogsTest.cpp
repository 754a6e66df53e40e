// The dialogs of groups, circuit overseer, user category, families, emergency contacts and special needs,
// worked through their widgets; what they store is checked in the files written.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "core/platform/Strings.h"
#include "core/registry/PublisherChooser.h"
#include "gui/app/CMainFrame.h"
#include "gui/registry/CircuitOverseerDialog.h"
#include "gui/registry/EmergencyContactDialog.h"
#include "gui/registry/FamilyDialog.h"
#include "gui/registry/GroupDialogs.h"
#include "gui/registry/PersonPickerDialog.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/registry/SpecialNeedsDialog.h"
#include "gui/registry/UserCategoryDialog.h"

namespace vardo {
namespace {

using test::Child;
using test::DocumentTest;
using test::OnNextDialog;

std::uint16_t U16At(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

std::string FieldAt(const std::string& bytes, std::size_t offset, std::size_t width) {
    const std::string field = bytes.substr(offset, width);
    return field.substr(0, field.find('\0'));
}

class RegisterDialogsTest : public DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_context = std::make_unique<RegistryContext>(m_frame->MakeRegistryContext());
    }

    std::string FileBytes(std::string_view name) {
        auto bytes = m_folder.ReadAll(name);
        return bytes.ok() ? bytes.value() : std::string();
    }

    /// Saves and opens the folder again in a second document.
    std::unique_ptr<CVardoDoc> SaveAndReopen() {
        EXPECT_TRUE(m_doc.Save(m_prompter));
        auto doc = std::make_unique<CVardoDoc>();
        StartupOptions options;
        options.showStartupNote = false;
        EXPECT_TRUE(doc->Load(m_folder, m_clock, m_prompter, options));
        return doc;
    }

    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<RegistryContext> m_context;
};

TEST_F(RegisterDialogsTest, GroupListEditorAndAssignmentStoreTheGroupFile) {
    const PublisherId jan = AddPerson("Jan", "Kowalski");
    const PublisherId ewa = AddPerson("Ewa", "Nowak");
    GroupListDialog list(*m_context);
    list.show();
    auto* tree = Child<QTreeWidget>(list, "groupTree");
    ASSERT_EQ(tree->topLevelItemCount(), 20);
    // Groups are added in order: row 6 selects the first free group.
    tree->setCurrentItem(tree->topLevelItem(5));
    EXPECT_EQ(tree->indexOfTopLevelItem(tree->currentItem()), 0);
    auto* edit = Child<QPushButton>(list, "editButton");
    EXPECT_EQ(edit->text(), QStringLiteral("Edycja Grupa 1"));

    OnNextDialog<GroupEditorDialog>([](GroupEditorDialog& editor) {
        OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
            test::TypeText(Child<QLineEdit>(picker, "filterEdit"), QStringLiteral("kowal"));
            EXPECT_EQ(Child<QListWidget>(picker, "itemList")->count(), 1);
            Child<QPushButton>(picker, "okButton")->click();
        });
        Child<QPushButton>(editor, "overseerChoose")->click();
        EXPECT_EQ(Child<QLineEdit>(editor, "overseerEdit")->text(), QStringLiteral("Jan Kowalski"));
        Child<QCheckBox>(editor, "nameBox")->setChecked(true);
        test::TypeText(Child<QLineEdit>(editor, "nameEdit"), QStringLiteral("Bałuty Północ i Południe 2024"));
        Child<QComboBox>(editor, "dayCombo")->setCurrentIndex(3);
        test::TypeText(Child<QLineEdit>(editor, "timeEdit"), QStringLiteral("18:30"));
        Child<QPushButton>(editor, "okButton")->click();
    });
    edit->click();
    EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("Jan Kowalski"));
    EXPECT_EQ(tree->topLevelItem(0)->text(4), QStringLiteral("czwartek"));

    OnNextDialog<GroupAssignmentDialog>([ewa](GroupAssignmentDialog& assignment) {
        EXPECT_EQ(Child<QLabel>(assignment, "targetLabel")->text(), QStringLiteral("do grupy  #1"));
        auto* candidates = Child<QListWidget>(assignment, "candidateList");
        EXPECT_EQ(candidates->count(), 2);
        test::TypeText(Child<QLineEdit>(assignment, "searchEdit"), QStringLiteral("NOW"));
        ASSERT_EQ(candidates->count(), 1);
        EXPECT_EQ(candidates->item(0)->text(), QStringLiteral("Nowak, Ewa"));
        Child<QPushButton>(assignment, "assignButton")->click();
        EXPECT_EQ(Child<QListWidget>(assignment, "memberList")->count(), 1);
        EXPECT_EQ(candidates->count(), 0);
        (void)ewa;
        Child<QPushButton>(assignment, "exitButton")->click();
    });
    Child<QPushButton>(list, "assignButton")->click();
    Child<QPushButton>(list, "exitButton")->click();

    auto reopened = SaveAndReopen();
    const std::string bytes = FileBytes("bkstudy.dat");
    ASSERT_EQ(bytes.size(), GroupTable::kSize);
    EXPECT_EQ(bytes[0], 1); // one group counted
    const GroupTable read = GroupTable::FromFileBytes(bytes).table;
    EXPECT_EQ(read.Overseer(0), "Jan Kowalski");
    EXPECT_EQ(read.Name(0), "Bałuty Północ i Połu"); // cut to 20 characters
    EXPECT_TRUE(read.UsesName(0));
    EXPECT_EQ(read.MeetingDay(0), 3);
    EXPECT_EQ(read.Time(0), "18:30");
    EXPECT_EQ(reopened->Database().FindById(ewa)->Group(), 1);
    EXPECT_EQ(reopened->Database().FindById(jan)->Group(), 0);
}

TEST_F(RegisterDialogsTest, SharedContactEditedFromEitherMemberAndClearFieldsNo) {
    const PublisherId husband = AddPerson("Jan", "Nowak");
    const PublisherId wife = AddPerson("Anna", "Nowak");
    Person(husband).SetHeadOfFamily(true);
    Person(wife).SetFamilyHead(husband);

    // The husband's contact.
    {
        EmergencyContactDialog dialog(*m_context, Person(husband));
        dialog.show();
        EXPECT_FALSE(Child<QPushButton>(dialog, "linkButton")->isVisible());
        EXPECT_FALSE(Child<QLabel>(dialog, "sharedNote")->isVisible());
        test::TypeText(Child<QLineEdit>(dialog, "nameEdit"), QStringLiteral("Teresa Wiśniewska"));
        test::TypeText(Child<QLineEdit>(dialog, "homeEdit"), QStringLiteral("42 111 22 33"));
        Child<QCheckBox>(dialog, "witnessBox")->setChecked(true);
        Child<QPushButton>(dialog, "okButton")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    // The wife links to it through the picker.
    {
        EmergencyContactDialog dialog(*m_context, Person(wife));
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Anna Nowak (Jan Nowak)"));
        auto* link = Child<QPushButton>(dialog, "linkButton");
        ASSERT_TRUE(link->isVisible());
        OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
            auto* items = Child<QListWidget>(picker, "itemList");
            ASSERT_EQ(items->count(), 1);
            EXPECT_EQ(items->item(0)->text(), QStringLiteral("Teresa Wiśniewska - 42 111 22 33"));
            Child<QPushButton>(picker, "okButton")->click();
        });
        link->click();
        EXPECT_EQ(Child<QLineEdit>(dialog, "homeEdit")->text(), QStringLiteral("42 111 22 33"));
        EXPECT_TRUE(Child<QLabel>(dialog, "sharedNote")->isVisible());
        // Editing the phone from the wife changes the record both refer to.
        test::TypeText(Child<QLineEdit>(dialog, "homeEdit"), QStringLiteral(" w."));
        Child<QPushButton>(dialog, "okButton")->click();
    }
    std::string bytes = FileBytes("emerg.dat");
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(U16At(bytes, 0), 10);
    EXPECT_EQ(FieldAt(bytes, 194, 16), "42 111 22 33 w.");
    EXPECT_EQ(bytes[242], 1);
    EXPECT_EQ(Person(husband).EmergencyKey(), 10);
    EXPECT_EQ(Person(wife).EmergencyKey(), 10);

    // "Clear Fields?" answered No on the husband: he gets his own copy at OK; the wife keeps the shared one.
    {
        EmergencyContactDialog dialog(*m_context, Person(husband));
        dialog.show();
        EXPECT_EQ(Child<QLineEdit>(dialog, "homeEdit")->text(), QStringLiteral("42 111 22 33 w."));
        m_prompter.Script(Answer::No);
        Child<QPushButton>(dialog, "clearButton")->click();
        EXPECT_EQ(Child<QLineEdit>(dialog, "nameEdit")->text(), QStringLiteral("Teresa Wiśniewska"));
        EXPECT_FALSE(Child<QLabel>(dialog, "sharedNote")->isVisible());
        test::TypeText(Child<QLineEdit>(dialog, "mobileEdit"), QStringLiteral("600 700 800"));
        Child<QPushButton>(dialog, "okButton")->click();
    }
    EXPECT_EQ(m_prompter.Shown().back(), "Clear Fields?");
    EXPECT_EQ(Person(husband).EmergencyKey(), 11);
    EXPECT_EQ(Person(wife).EmergencyKey(), 10);
    auto reopened = SaveAndReopen();
    EXPECT_EQ(reopened->Database().FindById(husband)->EmergencyKey(), 11);
    bytes = FileBytes("emerg.dat");
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(FieldAt(bytes, 210, 16), "");
    EXPECT_EQ(U16At(bytes, 256), 11);
    EXPECT_EQ(FieldAt(bytes, 256 + 2, 96), "Teresa Wi\x9Cniewska"); // Windows-1250
    EXPECT_EQ(FieldAt(bytes, 256 + 210, 16), "600 700 800");
}

TEST_F(RegisterDialogsTest, EditorButtonsOpenTheSafetyDialogsAndKeepTheirLinks) {
    const PublisherId id = AddPerson("Jan", "Nowak");
    const PublisherId son = AddPerson("Piotr", "Nowak", PublisherCategory::NonPublisher);
    Person(id).SetHeadOfFamily(true);
    Person(id).SetNeedsFlags(PublisherRecord::kNeedsInitialised); // as every loaded record has it
    PublisherChooser chooser(*m_context, PublisherChooser::Mode::Edit);
    PublisherEditorDialog editor(*m_context, chooser, chooser.PositionOfId(id), WithSafetyDialogs({}));
    editor.show();
    EXPECT_TRUE(Child<QPushButton>(editor, "emergencyButton")->isEnabled());

    OnNextDialog<EmergencyContactDialog>([](EmergencyContactDialog& dialog) {
        test::TypeText(Child<QLineEdit>(dialog, "nameEdit"), QStringLiteral("Teresa"));
        Child<QPushButton>(dialog, "okButton")->click();
    });
    Child<QPushButton>(editor, "emergencyButton")->click();

    OnNextDialog<SpecialNeedsDialog>([](SpecialNeedsDialog& dialog) {
        test::TypeText(Child<QLineEdit>(dialog, "textEdit"), QStringLiteral("Wózek"));
        Child<QCheckBox>(dialog, "confinedBox")->setChecked(true);
        Child<QPushButton>(dialog, "okButton")->click();
    });
    Child<QPushButton>(editor, "importantInfoButton")->click();
    EXPECT_TRUE(Child<QCheckBox>(editor, "confinedBox")->isChecked());

    OnNextDialog<FamilyDialog>([](FamilyDialog& family) {
        OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
            EXPECT_EQ(picker.windowTitle(), QStringLiteral("Wybierz Członków Rodziny"));
            auto* items = Child<QListWidget>(picker, "itemList");
            ASSERT_EQ(items->count(), 1);
            EXPECT_EQ(items->item(0)->text(), QStringLiteral("Nowak, Piotr ( SB )"));
            Child<QPushButton>(picker, "okButton")->click();
        });
        Child<QPushButton>(family, "addButton")->click();
        EXPECT_EQ(Child<QListWidget>(family, "memberList")->count(), 1);
        Child<QPushButton>(family, "closeButton")->click();
    });
    Child<QPushButton>(editor, "familyButton")->click();
    // Storing the editor keeps the links the dialogs made.
    Child<QPushButton>(editor, "okButton")->click();

    auto reopened = SaveAndReopen();
    const PublisherRecord& stored = *reopened->Database().FindById(id);
    EXPECT_EQ(stored.EmergencyKey(), 10);
    EXPECT_EQ(stored.SpecialNeedsKey(), 10);
    EXPECT_TRUE(stored.IsConfined());
    EXPECT_EQ(reopened->Database().FindById(son)->FamilyHead(), id);
    const std::string needs = FileBytes("spneed.dat");
    ASSERT_EQ(needs.size(), 96u);
    EXPECT_EQ(FieldAt(needs, 2, 94), "W\xF3zek");
}

TEST_F(RegisterDialogsTest, CircuitOverseerDialogStoresTheRecordAndItsEmail) {
    AddPerson("Jan", "Nowak");
    {
        CircuitOverseerDialog dialog(*m_context);
        dialog.show();
        test::TypeText(Child<QLineEdit>(dialog, "firstEdit"), QStringLiteral("Marek"));
        Child<QPushButton>(dialog, "okButton")->click();
    }
    EXPECT_EQ(m_doc.Database().CircuitOverseerRecord(), 0);
    {
        CircuitOverseerDialog dialog(*m_context);
        dialog.show();
        EXPECT_EQ(Child<QLineEdit>(dialog, "firstEdit")->text(), QString());
        test::TypeText(Child<QLineEdit>(dialog, "firstEdit"), QStringLiteral("Marek"));
        test::TypeText(Child<QLineEdit>(dialog, "lastEdit"), QStringLiteral("Zieliński"));
        test::TypeText(Child<QLineEdit>(dialog, "mobileEdit"), QStringLiteral("600 100 200"));
        test::TypeText(Child<QLineEdit>(dialog, "emailEdit"), QStringLiteral("co@example.org"));
        Child<QPushButton>(dialog, "okButton")->click();
    }
    auto reopened = SaveAndReopen();
    const RecordNumber number = reopened->Database().CircuitOverseerRecord();
    ASSERT_NE(number, 0);
    const PublisherRecord& r = reopened->Database().Record(number);
    EXPECT_EQ(r.Id(), kCircuitOverseerId);
    EXPECT_EQ(r.LastName(), "Zieliński");
    EXPECT_EQ(r.Phone2(), "600 100 200");
    CircuitOverseerDialog again(*m_context);
    EXPECT_EQ(Child<QLineEdit>(again, "emailEdit")->text(), QStringLiteral("co@example.org"));
}

TEST_F(RegisterDialogsTest, UserCategoryRenameAsksAboutTheMarks) {
    m_doc.GetSettings().userCategoryLabel = "Sprzątanie";
    m_doc.GetSettings().userCategoryEnabled = 1;
    const PublisherId a = AddPerson("Anna", "Nowak");
    Person(a).SetInUserCategory(true);

    UserCategoryDialog dialog(*m_context);
    dialog.show();
    EXPECT_EQ(Child<QLineEdit>(dialog, "nameEdit")->maxLength(), 15);
    Type(Child<QLineEdit>(dialog, "nameEdit"), QStringLiteral("Porządki"));
    OnNextDialog<UserCategoryMarksDialog>([](UserCategoryMarksDialog& marks) {
        EXPECT_EQ(Child<QLabel>(marks, "questionLabel")->text(),
                  QStringLiteral("1  głosicieli zostało zaznaczonych jako Sprzątanie.  Co chcesz zrobić?"));
        EXPECT_TRUE(Child<QRadioButton>(marks, "keepRadio")->isChecked());
        EXPECT_EQ(Child<QRadioButton>(marks, "keepRadio")->text(),
                  QStringLiteral("Zmienić wszystkich z Sprzątanie na Porządki"));
        Child<QRadioButton>(marks, "clearRadio")->setChecked(true);
        Child<QPushButton>(marks, "okButton")->click();
    });
    Child<QPushButton>(dialog, "okButton")->click();
    EXPECT_EQ(m_doc.GetSettings().userCategoryLabel, "Porządki");
    EXPECT_FALSE(Person(a).InUserCategory());
    auto reopened = SaveAndReopen();
    EXPECT_EQ(reopened->GetSettings().userCategoryLabel, "Porządki");
    EXPECT_FALSE(reopened->Database().FindById(a)->InUserCategory());
}

TEST_F(RegisterDialogsTest, PublisherChooserFindsAPartOfEitherName) {
    AddPerson("Jan", "Kowalski");
    AddPerson("Janina", "Nowak");
    const PublisherId zofia = AddPerson("Zofia", "Żakowska");
    PublisherChooserDialog dialog(*m_context, PublisherChooser::Mode::Pick);
    dialog.show();
    auto* list = Child<QListWidget>(dialog, "personList");
    auto* filter = Child<QLineEdit>(dialog, "filterEdit");
    EXPECT_EQ(list->count(), 3);
    test::TypeText(filter, QStringLiteral("jan"));
    EXPECT_EQ(list->count(), 2);
    Type(filter, QStringLiteral("KOWS"));
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Żakowska, Zofia"));
    Child<QPushButton>(dialog, "openButton")->click();
    EXPECT_EQ(dialog.Picked(), zofia);
    Type(filter, QStringLiteral("xyz"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(Child<QPushButton>(dialog, "openButton")->isEnabled());
}

} // namespace
} // namespace vardo
