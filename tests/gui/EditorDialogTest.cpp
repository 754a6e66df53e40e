#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "core/platform/Strings.h"
#include "core/registry/PublisherChooser.h"
#include "gui/app/CMainFrame.h"
#include "gui/registry/DatePickerWidget.h"
#include "gui/registry/DeleteDialog.h"
#include "gui/registry/GroupChooserDialog.h"
#include "gui/registry/PrivilegesDialog.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/registry/StatusDialog.h"

namespace vardo {
namespace {

using test::Child;
using test::DocumentTest;
using test::OnNextDialog;

class EditorDialogTest : public DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_context = std::make_unique<RegistryContext>(m_frame->MakeRegistryContext());
        m_chooser = std::make_unique<PublisherChooser>(*m_context, PublisherChooser::Mode::Edit);
    }

    std::unique_ptr<PublisherEditorDialog> OpenEditor(std::optional<PublisherId> id) {
        m_chooser->Refill();
        std::optional<int> position;
        if (id)
            position = m_chooser->PositionOfId(*id);
        auto dialog = std::make_unique<PublisherEditorDialog>(*m_context, *m_chooser, position);
        dialog->show();
        return dialog;
    }

    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<RegistryContext> m_context;
    std::unique_ptr<PublisherChooser> m_chooser;
};

TEST_F(EditorDialogTest, NamesAreCapitalisedAsTheyAreTyped) {
    auto dialog = OpenEditor(std::nullopt);
    auto* first = Child<QLineEdit>(*dialog, "firstNameEdit");
    test::TypeText(first, QString::fromUtf8("łucja"));
    EXPECT_EQ(first->text(), QString::fromUtf8("Łucja"));
    EXPECT_EQ(first->cursorPosition(), 5);
    EXPECT_EQ(dialog->Editor().Text(EditorText::FirstName), "Łucja");
    EXPECT_EQ(Child<QLineEdit>(*dialog, "lastNameEdit")->maxLength(), 14);
}

TEST_F(EditorDialogTest, DependentBoxesFollowTheClicks) {
    auto dialog = OpenEditor(std::nullopt);
    auto* female = Child<QCheckBox>(*dialog, "femaleBox");
    auto* male = Child<QCheckBox>(*dialog, "maleBox");
    auto* elder = Child<QCheckBox>(*dialog, "elderBox");
    female->click();
    EXPECT_TRUE(female->isChecked());
    elder->click();
    EXPECT_TRUE(elder->isChecked());
    EXPECT_TRUE(male->isChecked());
    EXPECT_FALSE(female->isChecked());

    auto* consent = Child<QCheckBox>(*dialog, "consentBox");
    auto* consentDate = Child<DatePickerWidget>(*dialog, "consentPicker");
    EXPECT_FALSE(consentDate->isVisible());
    consent->click();
    EXPECT_TRUE(consentDate->isVisible());
}

TEST_F(EditorDialogTest, ThePrivilegesButtonNeedsACompleteBaptismDate) {
    auto dialog = OpenEditor(std::nullopt);
    auto* privileges = Child<QPushButton>(*dialog, "privilegesButton");
    auto* baptism = Child<DatePickerWidget>(*dialog, "baptismPicker");
    EXPECT_FALSE(privileges->isVisible());
    baptism->MonthBox()->setCurrentIndex(6);
    baptism->DayBox()->setCurrentIndex(15);
    EXPECT_FALSE(privileges->isVisible());
    baptism->YearBox()->setCurrentText(QStringLiteral("2001"));
    EXPECT_TRUE(privileges->isVisible());
    EXPECT_EQ(Child<QLabel>(*dialog, "baptismSummaryLabel")->text(), QStringLiteral("Od chrztu: 22 lata"));
}

TEST_F(EditorDialogTest, ANewPersonHasNoNavigationAndEnterMovesOn) {
    auto dialog = OpenEditor(std::nullopt);
    for (const char* name : {"previousButton", "nextButton", "deleteButton"})
        EXPECT_FALSE(Child<QPushButton>(*dialog, name)->isVisible()) << name;
    EXPECT_EQ(Child<QPushButton>(*dialog, "groupButton")->text().toStdString(), Str(StrId::ChooseGroup));
    auto* first = Child<QLineEdit>(*dialog, "firstNameEdit");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->focusWidget(), Child<QLineEdit>(*dialog, "lastNameEdit"));
}

TEST_F(EditorDialogTest, OkWithoutALastNameStaysOpen) {
    auto dialog = OpenEditor(std::nullopt);
    QTest::keyClicks(Child<QLineEdit>(*dialog, "firstNameEdit"), QStringLiteral("Jan"));
    Child<QPushButton>(*dialog, "okButton")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(m_doc.Database().PersonCount(), 0);
    EXPECT_EQ(dialog->focusWidget(), Child<QLineEdit>(*dialog, "lastNameEdit"));
}

TEST_F(EditorDialogTest, GroupButtonStoresTheChosenGroup) {
    GroupTable& groups = m_doc.Side().groups;
    groups.SetCount(3);
    ASSERT_TRUE(groups.SetOverseer(2, "Adam Nowak"));
    const PublisherId id = AddPerson("Jan", "Kowalski");
    auto dialog = OpenEditor(id);
    OnNextDialog<GroupChooserDialog>([](GroupChooserDialog& chooser) {
        auto* numbers = Child<QListWidget>(chooser, "numberList");
        EXPECT_EQ(numbers->count(), 20);
        EXPECT_EQ(numbers->currentRow(), -1);
        numbers->setCurrentRow(2);
        EXPECT_EQ(Child<QLabel>(chooser, "overseerLabel")->text(), QStringLiteral("Nadzorca: Adam Nowak"));
        Child<QPushButton>(chooser, "okButton")->click();
    });
    Child<QPushButton>(*dialog, "groupButton")->click();
    EXPECT_EQ(Child<QPushButton>(*dialog, "groupButton")->text(), QStringLiteral("( &Grupa #3 ) Adam Nowak"));
    Child<QPushButton>(*dialog, "okButton")->click();
    EXPECT_EQ(Person(id).Group(), 3);
}

TEST_F(EditorDialogTest, ExtensionTextsAreTakenIntoTheEditor) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    auto dialog = OpenEditor(id);
    QTest::keyClicks(Child<QLineEdit>(*dialog, "emailEdit"), QStringLiteral("jan@example.org"));
    OnNextDialog<QDialog>([](QDialog& extension) {
        EXPECT_EQ(Child<QLineEdit>(extension, "emailEdit")->text(), QStringLiteral("jan@example.org"));
        QTest::keyClicks(Child<QLineEdit>(extension, "longNameEdit"), QStringLiteral("Jan Maria Kowalski"));
        Child<QPushButton>(extension, "okButton")->click();
    });
    Child<QPushButton>(*dialog, "longNameButton")->click();
    Child<QPushButton>(*dialog, "okButton")->click();
    const auto extension = m_doc.Side().extensions.Read(m_folder, Person(id).ExtensionKey(), id);
    ASSERT_TRUE(extension);
    EXPECT_EQ(extension->LongName(), "Jan Maria Kowalski");
    EXPECT_EQ(extension->Email(), "jan@example.org");
}

TEST_F(EditorDialogTest, ButtonsOfModulesNotHereAreDisabledUntilHooked) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Person(id).SetHeadOfFamily(true);
    auto dialog = OpenEditor(id);
    auto* family = Child<QPushButton>(*dialog, "familyButton");
    EXPECT_TRUE(family->isVisible());
    EXPECT_EQ(family->text().toStdString(), Str(StrId::FamilyEdit));
    EXPECT_FALSE(family->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*dialog, "emergencyButton")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*dialog, "importantInfoButton")->isEnabled());

    int opened = 0;
    RegistryHooks hooks;
    hooks.family = [&](QWidget*, PublisherEditor&) { ++opened; };
    PublisherEditorDialog hooked(*m_context, *m_chooser, m_chooser->PositionOfId(id), hooks);
    hooked.show();
    Child<QPushButton>(hooked, "familyButton")->click();
    EXPECT_EQ(opened, 1);
}

class PrivilegesDialogTest : public DocumentTest {};

TEST_F(PrivilegesDialogTest, ASisterInTheDatabaseHasOnlyThePioneerRows) {
    PrivilegesInput input;
    input.displayName = "Anna Nowak";
    input.existingPerson = true;
    input.workingYear = 2024;
    PrivilegesDialog dialog(input);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Przywileje służby - Anna Nowak"));
    EXPECT_FALSE(Child<QCheckBox>(dialog, "servantBox")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "elderBox")->isEnabled());
    EXPECT_FALSE(Child<DatePickerWidget>(dialog, "elderStart")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "regularPioneerBox")->isEnabled());
}

TEST_F(PrivilegesDialogTest, EndPickersShowOnceTheStartIsComplete) {
    PrivilegesInput input;
    input.displayName = "Jan Kowalski";
    input.existingPerson = true;
    input.male = true;
    input.workingYear = 2024;
    PrivilegesDialog dialog(input);
    dialog.show();
    auto* start = Child<DatePickerWidget>(dialog, "regularPioneerStart");
    auto* end = Child<DatePickerWidget>(dialog, "regularPioneerEnd");
    EXPECT_FALSE(end->isVisible());
    start->MonthBox()->setCurrentIndex(9);
    start->DayBox()->setCurrentIndex(1);
    EXPECT_FALSE(end->isVisible()); // no year yet
    start->YearBox()->setCurrentText(QStringLiteral("2019"));
    EXPECT_TRUE(end->isVisible());
    Child<QCheckBox>(dialog, "regularPioneerBox")->click();
    EXPECT_FALSE(end->isVisible());         // ticked: the privilege goes on
    EXPECT_EQ(start->Date(), PickerDate{}); // and needs a new start date
    Child<QCheckBox>(dialog, "specialFullTimeBox")->click();
    EXPECT_FALSE(Child<QCheckBox>(dialog, "regularPioneerBox")->isChecked());
}

TEST_F(PrivilegesDialogTest, DeleteAndStatusDialogsShowWhatTheirChoiceNeeds) {
    Open();
    DeleteDialog remove(m_doc.GetWorkingMonth(), "Jan Kowalski");
    remove.show();
    auto* month = Child<QComboBox>(remove, "monthCombo");
    EXPECT_TRUE(Child<QRadioButton>(remove, "permanentRadio")->isChecked());
    EXPECT_FALSE(month->isVisible());
    Child<QRadioButton>(remove, "temporaryRadio")->click();
    EXPECT_TRUE(month->isVisible());
    EXPECT_EQ(month->currentText(), QStringLiteral("Lut"));
    EXPECT_EQ(Child<QComboBox>(remove, "yearCombo")->currentText(), QStringLiteral("2024"));
    EXPECT_FALSE(remove.Choice().Permanent());

    PublisherRecord record;
    StatusDialog status(StatusChoice(record, m_doc.GetWorkingMonth().monthCount, true));
    status.show();
    EXPECT_TRUE(Child<QRadioButton>(status, "newPublisherRadio")->isChecked());
    Child<QRadioButton>(status, "clearRadio")->click();
    EXPECT_FALSE(Child<QComboBox>(status, "monthCombo")->isEnabled());
    EXPECT_EQ(status.Choice().Kind(), StatusKind::Clear);
}

TEST_F(PrivilegesDialogTest, PickingModeOfTheChooser) {
    Open();
    AddPerson("Jan", "Kowalski");
    const PublisherId anna = AddPerson("Anna", "Adamska");
    CMainFrame frame(m_doc, m_prompter);
    RegistryContext context = frame.MakeRegistryContext();
    OnNextDialog<PublisherChooserDialog>([](PublisherChooserDialog& chooser) {
        EXPECT_FALSE(Child<QPushButton>(chooser, "addButton")->isVisible());
        EXPECT_EQ(Child<QPushButton>(chooser, "openButton")->text(), QStringLiteral("&Wybierz"));
        EXPECT_EQ(Child<QPushButton>(chooser, "closeButton")->text(), QStringLiteral("&Anuluj"));
        EXPECT_EQ(Child<QListWidget>(chooser, "personList")->item(0)->text(), QStringLiteral("Adamska, Anna"));
        Child<QPushButton>(chooser, "openButton")->click();
    });
    EXPECT_EQ(PublisherChooserDialog::Pick(nullptr, context), anna);
}

} // namespace
} // namespace vardo
