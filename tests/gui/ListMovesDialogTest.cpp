// The list windows, the month dialog of a move, the interested persons' chooser and editor and the moves of
// "Dodaj głosiciela", driven through their widgets; the moves are checked in the register file saved.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "core/platform/Strings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/registry/AddPublisherDialog.h"
#include "gui/registry/DeleteDialog.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/reporting/ListCommands.h"
#include "gui/reporting/ListMovesDialog.h"
#include "gui/reporting/MoveMonthDialog.h"

namespace vardo {
namespace {

using test::Child;
using test::DocumentTest;
using test::OnNextDialog;

// The widgets of the dialogs, found by their names.
struct ListUi {
    explicit ListUi(QWidget& d)
        : leftBox(Child<QGroupBox>(d, "leftBox")), rightBox(Child<QGroupBox>(d, "rightBox")),
          leftList(Child<QTreeWidget>(d, "leftList")), rightList(Child<QTreeWidget>(d, "rightList")),
          okButton(Child<QPushButton>(d, "okButton")), undoButton(Child<QPushButton>(d, "undoButton")),
          removeButton(Child<QPushButton>(d, "removeButton")), editButton(Child<QPushButton>(d, "editButton")),
          periodButton(Child<QPushButton>(d, "periodButton")), inactiveBox(Child<QCheckBox>(d, "inactiveBox")) {}
    QGroupBox* leftBox;
    QGroupBox* rightBox;
    QTreeWidget* leftList;
    QTreeWidget* rightList;
    QPushButton* okButton;
    QPushButton* undoButton;
    QPushButton* removeButton;
    QPushButton* editButton;
    QPushButton* periodButton;
    QCheckBox* inactiveBox;
};

struct MonthUi {
    explicit MonthUi(QWidget& d)
        : captionLabel(Child<QLabel>(d, "captionLabel")), monthCombo(Child<QComboBox>(d, "monthCombo")),
          yearList(Child<QListWidget>(d, "yearList")), regularBox(Child<QCheckBox>(d, "regularBox")),
          okButton(Child<QPushButton>(d, "okButton")), cancelButton(Child<QPushButton>(d, "cancelButton")) {}
    QLabel* captionLabel;
    QComboBox* monthCombo;
    QListWidget* yearList;
    QCheckBox* regularBox;
    QPushButton* okButton;
    QPushButton* cancelButton;
};

struct ChooserUi {
    explicit ChooserUi(QWidget& d)
        : personList(Child<QListWidget>(d, "personList")), openButton(Child<QPushButton>(d, "openButton")),
          addButton(Child<QPushButton>(d, "addButton")), closeButton(Child<QPushButton>(d, "closeButton")) {}
    QListWidget* personList;
    QPushButton* openButton;
    QPushButton* addButton;
    QPushButton* closeButton;
};

struct EditorUi {
    explicit EditorUi(QWidget& d)
        : firstNameEdit(Child<QLineEdit>(d, "firstNameEdit")), lastNameEdit(Child<QLineEdit>(d, "lastNameEdit")),
          addressEdit(Child<QLineEdit>(d, "addressEdit")), privilegesBox(Child<QWidget>(d, "privilegesBox")),
          anointedBox(Child<QWidget>(d, "anointedBox")), birthPicker(Child<QWidget>(d, "birthPicker")),
          statusButton(Child<QWidget>(d, "statusButton")), nextButton(Child<QWidget>(d, "nextButton")),
          copyButton(Child<QWidget>(d, "copyButton")), deleteButton(Child<QPushButton>(d, "deleteButton")),
          okButton(Child<QPushButton>(d, "okButton")), conductorLabel(Child<QLabel>(d, "conductorLabel")),
          chooseConductorButton(Child<QPushButton>(d, "chooseConductorButton")),
          removeConductorButton(Child<QPushButton>(d, "removeConductorButton")) {}
    QLineEdit* firstNameEdit;
    QLineEdit* lastNameEdit;
    QLineEdit* addressEdit;
    QWidget* privilegesBox;
    QWidget* anointedBox;
    QWidget* birthPicker;
    QWidget* statusButton;
    QWidget* nextButton;
    QWidget* copyButton;
    QPushButton* deleteButton;
    QPushButton* okButton;
    QLabel* conductorLabel;
    QPushButton* chooseConductorButton;
    QPushButton* removeConductorButton;
};

class ListMovesDialogTest : public DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        RegisterListCommands(*m_frame, m_doc, m_prompter);
        m_registry = std::make_unique<RegistryContext>(m_doc.MakeRegistryContext(m_prompter));
        m_reporting = std::make_unique<ReportingContext>(m_doc.MakeReportingContext(m_prompter));
    }

    /// Answers the next month dialog with month `month` (1..12), the year when it has a year list, and the
    /// regular box; checks its caption begins as expected.
    void AnswerMonth(int month, int year = 0, bool regular = false, std::string caption = {}) {
        OnNextDialog<MoveMonthDialog>([=](MoveMonthDialog& dialog) {
            MonthUi ui(dialog);
            EXPECT_EQ(dialog.windowTitle(), "Wybierz miesiąc");
            if (!caption.empty()) {
                EXPECT_EQ(ui.captionLabel->text().toStdString(), caption);
            }
            EXPECT_EQ(ui.monthCombo->count(), 12);
            ui.monthCombo->setCurrentIndex(month - 1);
            EXPECT_EQ(ui.yearList->isVisible(), year != 0);
            if (year != 0)
                ui.yearList->setCurrentRow(year - 1950);
            EXPECT_EQ(ui.regularBox->isVisible(), regular);
            if (regular)
                ui.regularBox->setChecked(true);
            ui.okButton->click();
        });
    }

    /// Clicks a line of a list as the user would.
    static void ClickRow(QTreeWidget* list, int row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    static QStringList Rows(QTreeWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1);
        return rows;
    }

    /// The register saved and read back: the saved bytes of the person with this id (empty when absent).
    std::string SavedRecord(PublisherId id) {
        EXPECT_TRUE(m_doc.Save(m_prompter));
        auto bytes = m_folder.ReadAll("tdat9.bin");
        EXPECT_TRUE(bytes.ok());
        const std::string& file = bytes.value();
        for (std::size_t at = 0; at + kRecordSize <= file.size(); at += kRecordSize) {
            const auto u8 = [&](std::size_t offset) { return static_cast<unsigned char>(file[at + offset]); };
            if (u8(182) + 256 * u8(183) == id)
                return file.substr(at, kRecordSize);
        }
        return {};
    }
    static int At(const std::string& record, std::size_t offset) {
        return static_cast<unsigned char>(record.at(offset));
    }

    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<RegistryContext> m_registry;
    std::unique_ptr<ReportingContext> m_reporting;
};

TEST_F(ListMovesDialogTest, TheCommandsAreEnabledByTheLists) {
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kInterestedEdit).enabled);
    EXPECT_FALSE(m_frame->Router().StateOf(cmd::kInactiveEdit).enabled); // an empty register
    AddPerson("Jan", "Kowalski");
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kInactiveEdit).enabled);
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kMovedEdit).enabled);
    EXPECT_FALSE(m_frame->Router().StateOf(cmd::kDeletedList).enabled);
    AddPerson("Ewa", "Lis", PublisherCategory::Deleted);
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kDeletedList).enabled);

    // The main panel's buttons and the menu commands open the windows.
    m_frame->UpdateCommands();
    QPushButton* inactiveButton = Child<QPushButton>(*m_frame, "button120");
    QPushButton* movedButton = Child<QPushButton>(*m_frame, "button121");
    ASSERT_TRUE(inactiveButton && movedButton);
    EXPECT_TRUE(inactiveButton->isEnabled());
    EXPECT_TRUE(movedButton->isEnabled());
    OnNextDialog<ListMovesDialog>([](ListMovesDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Przeprowadzeni");
        window.reject();
    });
    movedButton->click();
    OnNextDialog<ListMovesDialog>([](ListMovesDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Edycja - Trwale Usuń - Przywracanie");
        window.reject();
    });
    m_frame->Router().Execute(cmd::kDeletedList);
}

TEST_F(ListMovesDialogTest, TheInactiveWindowMakesInactiveAndReactivates) {
    const PublisherId jan = AddPerson("Jan", "Kowalski");
    ListMovesDialog dialog(ListMovesDialog::Kind::Inactive, *m_reporting, *m_registry);
    dialog.show();
    ListUi ui(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Dodaj - edytuj - usuń - uaktywnij nieczynnych głosicieli");
    EXPECT_EQ(ui.rightBox->title(), " Brak spraw. przez 6 mies. ");
    EXPECT_EQ(ui.leftBox->title(), " Nieczynni głosiciele ");
    ASSERT_EQ(ui.rightList->topLevelItemCount(), 1);
    EXPECT_EQ(ui.rightList->topLevelItem(0)->text(0), "Kowalski, Jan");
    EXPECT_EQ(ui.okButton->text(), "Przenieś do nieczynnych");
    EXPECT_FALSE(ui.removeButton->isVisible());
    EXPECT_FALSE(ui.undoButton->isVisible());
    EXPECT_EQ(ui.periodButton->text(), "Wszyscy");

    AnswerMonth(11, 2023, false, "Miesiąc, w którym Jan Kowalski Został(a) nieczynny(a)");
    ui.okButton->click();
    EXPECT_EQ(ui.rightList->topLevelItemCount(), 0);
    EXPECT_EQ(Rows(ui.leftList), QStringList{"Kowalski, Jan|Lis 2023"});
    EXPECT_TRUE(dialog.Changed());
    const std::string inactive = SavedRecord(jan);
    ASSERT_FALSE(inactive.empty());
    EXPECT_EQ(At(inactive, 200), 1);
    EXPECT_EQ(At(inactive, 201), 11 * 16);
    EXPECT_EQ(At(inactive, 238), (2023 + 48) % 256);

    // The left list active: "Uaktywnieni" with the left buttons.
    ClickRow(ui.leftList, 0);
    EXPECT_EQ(ui.okButton->text(), "Uaktywnieni");
    EXPECT_TRUE(ui.removeButton->isVisible());
    EXPECT_TRUE(ui.editButton->isVisible());
    // Cancelling the month leaves the person inactive.
    OnNextDialog<MoveMonthDialog>([](MoveMonthDialog& month) { MonthUi(month).cancelButton->click(); });
    ui.okButton->click();
    EXPECT_EQ(Person(jan).Category(), PublisherCategory::Inactive);
    AnswerMonth(2, 0, false, "Miesiąc, w którym Jan Kowalski był uaktywniony");
    ui.okButton->click();
    EXPECT_EQ(ui.leftList->topLevelItemCount(), 0);
    const std::string active = SavedRecord(jan);
    EXPECT_EQ(At(active, 200), 0);
    EXPECT_EQ(At(active, 201), 2 * 16 + 2);
    EXPECT_EQ(At(active, 238), 2 * 16 + 2);
}

TEST_F(ListMovesDialogTest, ThePeriodEditAndRemoveButtonsOfTheInactiveWindow) {
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::Inactive);
    Person(anna).SetStatusMonth(3 * 16);
    Person(anna).SetStatusYear(ToYearByte(2020));
    ListMovesDialog dialog(ListMovesDialog::Kind::Inactive, *m_reporting, *m_registry);
    dialog.show();
    ListUi ui(dialog);
    EXPECT_EQ(dialog.Window().Active(), ListSide::Left); // no candidates
    EXPECT_EQ(Rows(ui.leftList), QStringList{"Nowak, Anna|Mar 2020"});
    ui.periodButton->click();
    EXPECT_EQ(ui.periodButton->text(), "6 ost. mies.");
    EXPECT_EQ(ui.leftList->topLevelItemCount(), 0);
    EXPECT_FALSE(ui.okButton->isEnabled());
    for (int i = 0; i < 4; ++i)
        ui.periodButton->click();
    EXPECT_EQ(ui.periodButton->text(), "Wszyscy");
    ASSERT_EQ(ui.leftList->topLevelItemCount(), 1);

    // "&Edytuj" opens the publisher editor on the person; a new address is stored.
    OnNextDialog<PublisherEditorDialog>([](PublisherEditorDialog& editor) {
        EXPECT_EQ(EditorUi(editor).lastNameEdit->text(), "Nowak");
        DocumentTest::Type(EditorUi(editor).addressEdit, "Polna 3");
        EditorUi(editor).okButton->click();
    });
    ui.editButton->click();
    EXPECT_EQ(Person(anna).Address(), "Polna 3");
    EXPECT_EQ(Person(anna).Category(), PublisherCategory::Inactive);
    EXPECT_TRUE(dialog.Changed());
    // "&Usuń" with the delete dialog: a temporary removal in March 2022 moves the person to the deleted list.
    OnNextDialog<DeleteDialog>([](DeleteDialog& remove) {
        Child<QRadioButton>(remove, "temporaryRadio")->click();
        Child<QComboBox>(remove, "monthCombo")->setCurrentIndex(3);
        Child<QComboBox>(remove, "yearCombo")->setCurrentIndex(2022 - 1950);
        Child<QPushButton>(remove, "okButton")->click();
    });
    ui.removeButton->click();
    EXPECT_EQ(ui.leftList->topLevelItemCount(), 0);
    const std::string removed = SavedRecord(anna);
    EXPECT_EQ(At(removed, 200), static_cast<int>(PublisherCategory::Deleted));
    EXPECT_EQ(At(removed, 192), 3);
    EXPECT_EQ(At(removed, 193), 2022 - 1950);
}

TEST_F(ListMovesDialogTest, TheDeletedWindowRestoresAndRemovesForGood) {
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::Deleted);
    const PublisherId piotr = AddPerson("Piotr", "Zając", PublisherCategory::Deleted);
    Person(anna).SetStatusChangeMonth(11 + (2023 - 1950) * 256);
    ListMovesDialog dialog(ListMovesDialog::Kind::Deleted, *m_reporting, *m_registry);
    dialog.show();
    ListUi ui(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Edycja - Trwale Usuń - Przywracanie");
    EXPECT_EQ(ui.leftBox->title(), " Usuniętych ");
    EXPECT_FALSE(ui.rightBox->isVisible());
    EXPECT_FALSE(ui.periodButton->isVisible());
    EXPECT_EQ(ui.okButton->text(), "Przywracanie");
    EXPECT_EQ(Rows(ui.leftList), (QStringList{"Nowak, Anna|Lis 2023", "Zając, Piotr|    "}));

    AnswerMonth(1, 0, false, "Anna Nowak");
    ui.okButton->click();
    EXPECT_EQ(Rows(ui.leftList), QStringList{"Zając, Piotr|    "});
    const std::string restored = SavedRecord(anna);
    EXPECT_EQ(At(restored, 200), 0);
    EXPECT_EQ(At(restored, 201), 1 * 16 + 2);
    EXPECT_EQ(At(restored, 192) + 256 * At(restored, 193), 0);

    m_prompter.Script(Answer::Cancel);
    ui.removeButton->click();
    EXPECT_NE(m_doc.Database().FindById(piotr), nullptr);
    m_prompter.Script(Answer::Ok);
    ui.removeButton->click();
    EXPECT_TRUE(m_prompter.AnyShownContains("Czy na pewno chcesz usunąć Piotr Zając?"));
    EXPECT_EQ(ui.leftList->topLevelItemCount(), 0);
    EXPECT_TRUE(SavedRecord(piotr).empty());
}

TEST_F(ListMovesDialogTest, TheMovedWindowMovesAwayUndoesAndErases) {
    const PublisherId jan = AddPerson("Jan", "Kowalski");
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::Inactive);
    Person(anna).SetStatusMonth(9 * 16);
    Person(anna).SetStatusYear(ToYearByte(2023));
    ListMovesDialog dialog(ListMovesDialog::Kind::Moved, *m_reporting, *m_registry);
    dialog.show();
    ListUi ui(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Przeprowadzeni");
    EXPECT_EQ(ui.rightBox->title(), "Brak raportu dla luty ");
    EXPECT_EQ(ui.leftBox->title(), " Głosiciele, którzy się przeprowadzili ");
    EXPECT_EQ(Rows(ui.rightList), QStringList{"Kowalski, Jan|"});
    EXPECT_EQ(ui.okButton->text(), "< < &Przenieś < <");
    EXPECT_FALSE(ui.undoButton->isVisible());

    AnswerMonth(2, 0, false, "Miesiąc, w którym Jan Kowalski wyjechał(a)");
    ui.okButton->click();
    EXPECT_EQ(Rows(ui.leftList), QStringList{"Kowalski, Jan|Lut"});
    EXPECT_EQ(At(SavedRecord(jan), 200), static_cast<int>(PublisherCategory::Moved));

    // The inactive box lists the inactive persons; moving one keeps the return mark.
    ui.inactiveBox->setChecked(true);
    EXPECT_EQ(Rows(ui.rightList), QStringList{"Nowak, Anna|Wrz 2023"});
    EXPECT_EQ(ui.okButton->text(), "< < &Przenieś < <");
    AnswerMonth(1);
    ui.okButton->click();
    const std::string moved = SavedRecord(anna);
    EXPECT_EQ(At(moved, 170), 'I');
    EXPECT_EQ(At(moved, 171), 9 * 16);
    EXPECT_EQ(At(moved, 201), 1 * 16);

    // Undo of the formerly inactive person: only the question, back with the old month.
    ClickRow(ui.leftList, 1);
    EXPECT_EQ(ui.okButton->text(), "Skasuj");
    EXPECT_TRUE(ui.undoButton->isVisible());
    m_prompter.Script(Answer::Ok);
    ui.undoButton->click();
    const std::string back = SavedRecord(anna);
    EXPECT_EQ(At(back, 200), 1);
    EXPECT_EQ(At(back, 201), 9 * 16);
    EXPECT_EQ(At(back, 170), 0);

    // Undo of an active publisher as a regular publisher moved in.
    ClickRow(ui.leftList, 0);
    m_prompter.Script(Answer::Ok);
    AnswerMonth(2, 0, true, "Miesiąc, w którym Jan Kowalski wrócił(a)");
    ui.undoButton->click();
    const std::string returned = SavedRecord(jan);
    EXPECT_EQ(At(returned, 200), 0);
    EXPECT_EQ(At(returned, 201), 2 * 16 + 4);

    // "Skasuj" removes a moved person for good after the question.
    ui.inactiveBox->setChecked(false);
    ClickRow(ui.rightList, 0);
    AnswerMonth(2);
    ui.okButton->click();
    ClickRow(ui.leftList, 0);
    m_prompter.Script(Answer::Ok);
    ui.okButton->click();
    EXPECT_TRUE(SavedRecord(jan).empty());
}

TEST_F(ListMovesDialogTest, InterestedPersonsAreAddedWithTheirConductorFromTheCommand) {
    AddPerson("Jan", "Kowalski");
    // The chooser is empty: its OK opens the editor for a new person.
    OnNextDialog<PublisherChooserDialog>([this](PublisherChooserDialog& chooser) {
        EXPECT_EQ(chooser.windowTitle(), "Wybierz zainteresowanego");
        EXPECT_EQ(ChooserUi(chooser).addButton->text(), "&Dodaj");
        OnNextDialog<PublisherEditorDialog>([this](PublisherEditorDialog& editor) {
            EditorUi ui(editor);
            EXPECT_EQ(editor.windowTitle(), "Edytuj zainteresowanego");
            for (QWidget* hidden :
                 {ui.privilegesBox, ui.anointedBox, ui.birthPicker, ui.statusButton, ui.nextButton, ui.copyButton,
                  static_cast<QWidget*>(ui.deleteButton), static_cast<QWidget*>(ui.conductorLabel),
                  static_cast<QWidget*>(ui.removeConductorButton)})
                EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
            EXPECT_EQ(ui.chooseConductorButton->text(), "Wybierz prowadzącego studium Biblii");
            DocumentTest::Type(ui.firstNameEdit, "Anna");
            // One letter of the last name: told, and nothing typed is lost.
            DocumentTest::Type(ui.lastNameEdit, "N");
            ui.okButton->setFocus();
            ui.okButton->click();
            EXPECT_TRUE(m_prompter.AnyShownContains("co najmniej dwa znaki"));
            EXPECT_TRUE(editor.isVisible());
            EXPECT_EQ(ui.firstNameEdit->text(), "Anna");
            DocumentTest::Type(ui.lastNameEdit, "Nowak");
            OnNextDialog<PublisherChooserDialog>([](PublisherChooserDialog& pick) {
                ASSERT_EQ(ChooserUi(pick).personList->count(), 1);
                ChooserUi(pick).openButton->click();
            });
            ui.chooseConductorButton->click();
            EXPECT_TRUE(ui.conductorLabel->isVisible());
            EXPECT_EQ(ui.conductorLabel->text(), "Prowadzący studium Biblii: Jan Kowalski");
            EXPECT_EQ(ui.removeConductorButton->text(), "Usuń prowadzących studium Biblii");
            EXPECT_TRUE(ui.removeConductorButton->isVisible());
            ui.okButton->click();
        });
        ChooserUi(chooser).openButton->click();
        EXPECT_EQ(ChooserUi(chooser).personList->count(), 1);
        ChooserUi(chooser).closeButton->click();
    });
    m_frame->Router().Execute(cmd::kInterestedEdit);
    const PublisherRecord* anna = m_doc.Database().FindById(2000);
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(anna->Category(), PublisherCategory::NonPublisher);
    const std::string saved = SavedRecord(2000);
    EXPECT_EQ(saved.substr(240, 13), std::string("Jan Kowalski\0", 13));
}

TEST_F(ListMovesDialogTest, TheInterestedEditorRemovesTheConductorAndDeletes) {
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::NonPublisher);
    Person(anna).SetConductorText("Jan Kowalski");
    OnNextDialog<PublisherEditorDialog>([this](PublisherEditorDialog& editor) {
        EditorUi ui(editor);
        EXPECT_EQ(ui.conductorLabel->text(), "Prowadzący studium Biblii: Jan Kowalski");
        EXPECT_TRUE(ui.deleteButton->isVisible());
        ui.removeConductorButton->click();
        EXPECT_FALSE(ui.conductorLabel->isVisible());
        EXPECT_FALSE(ui.removeConductorButton->isVisible());
        ui.okButton->click();
    });
    PublisherChooser chooser(*m_registry, PublisherChooser::Mode::Edit, PublisherCategory::NonPublisher);
    EXPECT_TRUE(PublisherEditorDialog::Run(nullptr, *m_registry, chooser, 0));
    EXPECT_EQ(Person(anna).ConductorText(), "");

    OnNextDialog<PublisherEditorDialog>([this](PublisherEditorDialog& editor) {
        m_prompter.Script(Answer::No);
        EditorUi(editor).deleteButton->click();
        EXPECT_TRUE(editor.isVisible());
        m_prompter.Script(Answer::Yes);
        EditorUi(editor).deleteButton->click();
    });
    EXPECT_TRUE(PublisherEditorDialog::Run(nullptr, *m_registry, chooser, 0));
    EXPECT_EQ(m_doc.Database().FindById(anna), nullptr);
}

TEST_F(ListMovesDialogTest, AddPublisherMovesFromTheInterestedAndInactiveLists) {
    AddPerson("Jan", "Kowalski");
    const PublisherId anna = AddPerson("Anna", "Nowak", PublisherCategory::NonPublisher);
    const PublisherId piotr = AddPerson("Piotr", "Zając", PublisherCategory::Inactive);
    Person(piotr).SetStatusMonth(11 * 16);
    Person(piotr).SetStatusYear(ToYearByte(2023));
    const RegistryHooks hooks = WithListMoveHooks({}, m_doc, m_prompter);

    const auto addVia = [&](const char* button, const char* title, std::string caption) {
        OnNextDialog<PublisherChooserDialog>([=, this](PublisherChooserDialog& chooser) {
            OnNextDialog<AddPublisherDialog>([=, this](AddPublisherDialog& add) {
                QPushButton* move = Child<QPushButton>(add, button);
                ASSERT_NE(move, nullptr);
                EXPECT_TRUE(move->isEnabled());
                OnNextDialog<PublisherChooserDialog>([=, this](PublisherChooserDialog& pick) {
                    EXPECT_EQ(pick.windowTitle().toStdString(), title);
                    ASSERT_EQ(ChooserUi(pick).personList->count(), 1);
                    AnswerMonth(2, 0, false, caption);
                    ChooserUi(pick).openButton->click();
                });
                move->click();
            });
            ChooserUi(chooser).addButton->click();
            ChooserUi(chooser).closeButton->click();
        });
        EXPECT_TRUE(PublisherChooserDialog::Edit(nullptr, *m_registry, hooks));
    };
    addVia("fromInterestedButton", "Zainteresowani", "Miesiąc, w którym Anna Nowak został(a) głosicielem");
    const std::string made = SavedRecord(anna);
    EXPECT_EQ(At(made, 200), 0);
    EXPECT_EQ(At(made, 201), 2 * 16 + 1);
    addVia("fromInactiveButton", "Nieczynni głosiciele", "Miesiąc, w którym Piotr Zając był uaktywniony");
    const std::string reactivated = SavedRecord(piotr);
    EXPECT_EQ(At(reactivated, 200), 0);
    EXPECT_EQ(At(reactivated, 201), 2 * 16 + 2);
}

} // namespace
} // namespace vardo
