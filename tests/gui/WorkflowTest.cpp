// The whole editing road through the widgets: add, edit with a re-sort, copy and paste, temporary and
// permanent deletion, then File > Save; the files of the data folder are checked byte by byte.

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "GuiFixture.h"
#include "core/platform/Strings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/registry/DatePickerWidget.h"
#include "gui/registry/DeleteDialog.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/registry/StatusDialog.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Child;
using test::DocumentTest;
using test::OnNextDialog;

class WorkflowTest : public DocumentTest {
protected:
    /// In the open chooser: select the person listed under `name`.
    static void SelectPerson(PublisherChooserDialog& chooser, const QString& name) {
        auto* list = Child<QListWidget>(chooser, "personList");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->setCurrentItem(found.front());
    }

    /// Adds a new person through the add button, the editor and the status dialog.
    void AddThroughEditor(PublisherChooserDialog& chooser, const QString& first, const QString& last,
                          const std::function<void(PublisherEditorDialog&)>& more = {}) {
        OnNextDialog<PublisherEditorDialog>([=, this](PublisherEditorDialog& editor) {
            Type(Child<QLineEdit>(editor, "firstNameEdit"), first);
            Type(Child<QLineEdit>(editor, "lastNameEdit"), last);
            if (more)
                more(editor);
            OnNextDialog<StatusDialog>([](StatusDialog& status) {
                EXPECT_TRUE(Child<QRadioButton>(status, "newPublisherRadio")->isChecked());
                Child<QComboBox>(status, "monthCombo")->setCurrentIndex(1); // January 2024
                Child<QPushButton>(status, "okButton")->click();
            });
            Child<QPushButton>(editor, "okButton")->click();
            EXPECT_FALSE(editor.isVisible());
        });
        Child<QPushButton>(chooser, "addButton")->click();
    }

    /// Opens the editor on the selected person and runs `action` in it.
    void EditSelected(PublisherChooserDialog& chooser, const std::function<void(PublisherEditorDialog&)>& action) {
        OnNextDialog<PublisherEditorDialog>(action);
        Child<QPushButton>(chooser, "openButton")->click();
    }

    /// The stored bytes of a scrambled record text: character i shifted by i + 52, 0xCC kept in names.
    static std::string Scrambled(std::string_view utf8, std::size_t width) {
        return ByteRecord(width).ShiftedText(0, width, utf8, 52, 0xCC, width).Bytes();
    }
};

TEST_F(WorkflowTest, EditingThroughTheWidgetsLeavesTheFilesAsTheRulesSay) {
    Open();
    CMainFrame frame(m_doc, m_prompter);
    frame.show();

    OnNextDialog<PublisherChooserDialog>([this](PublisherChooserDialog& chooser) {
        // Three new persons; the first with the details that go to the side files.
        AddThroughEditor(chooser, QStringLiteral("jan"), QStringLiteral("Kowalski"), [](PublisherEditorDialog& e) {
            Type(Child<QLineEdit>(e, "addressEdit"), QStringLiteral("ul. Polna 1"));
            Type(Child<QLineEdit>(e, "phoneHomeEdit"), QStringLiteral("22 111 22 33"));
            Child<QCheckBox>(e, "elderBox")->click();
            Child<QCheckBox>(e, "consentBox")->click();
            auto* consent = Child<DatePickerWidget>(e, "consentPicker");
            consent->MonthBox()->setCurrentIndex(5);
            consent->DayBox()->setCurrentIndex(25);
            consent->YearBox()->setCurrentText(QStringLiteral("2018"));
            auto* birth = Child<DatePickerWidget>(e, "birthPicker");
            birth->MonthBox()->setCurrentIndex(3);
            birth->DayBox()->setCurrentIndex(9);
            birth->YearBox()->setCurrentText(QStringLiteral("1970"));
        });
        AddThroughEditor(chooser, QStringLiteral("Anna"), QStringLiteral("Nowak"));
        AddThroughEditor(chooser, QStringLiteral("Piotr"), QStringLiteral("Zieliński"));
        auto* list = Child<QListWidget>(chooser, "personList");
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Kowalski, Jan"));

        // Jan becomes the copy source.
        SelectPerson(chooser, QStringLiteral("Kowalski, Jan"));
        EditSelected(chooser, [](PublisherEditorDialog& e) {
            Child<QPushButton>(e, "copyButton")->click();
            Child<QPushButton>(e, "cancelButton")->click();
        });

        // Anna is renamed (she moves to the top) and gets Jan's address and phone.
        SelectPerson(chooser, QStringLiteral("Nowak, Anna"));
        m_prompter.Script(Answer::Yes);
        EditSelected(chooser, [](PublisherEditorDialog& e) {
            Type(Child<QLineEdit>(e, "lastNameEdit"), QStringLiteral("Adamczyk"));
            Child<QPushButton>(e, "copyButton")->click();
            EXPECT_EQ(Child<QLineEdit>(e, "addressEdit")->text(), QStringLiteral("ul. Polna 1"));
            Child<QPushButton>(e, "okButton")->click();
        });
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Adamczyk, Anna"));
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Adamczyk, Anna"));

        // Piotr is removed for now, in March 2023.
        SelectPerson(chooser, QString::fromUtf8("Zieliński, Piotr"));
        EditSelected(chooser, [](PublisherEditorDialog& e) {
            OnNextDialog<DeleteDialog>([](DeleteDialog& d) {
                Child<QRadioButton>(d, "temporaryRadio")->click();
                Child<QComboBox>(d, "monthCombo")->setCurrentIndex(3);
                Child<QComboBox>(d, "yearCombo")->setCurrentText(QStringLiteral("2023"));
                Child<QPushButton>(d, "okButton")->click();
            });
            Child<QPushButton>(e, "deleteButton")->click();
            EXPECT_FALSE(e.isVisible());
        });
        EXPECT_EQ(list->count(), 2);

        // Ewa is added and then removed for good (after the extra question).
        AddThroughEditor(chooser, QStringLiteral("Ewa"), QStringLiteral("Lis"));
        SelectPerson(chooser, QStringLiteral("Lis, Ewa"));
        m_prompter.Script(Answer::Ok);
        EditSelected(chooser, [](PublisherEditorDialog& e) {
            OnNextDialog<DeleteDialog>([](DeleteDialog& d) { Child<QPushButton>(d, "okButton")->click(); });
            Child<QPushButton>(e, "deleteButton")->click();
        });
        EXPECT_EQ(list->count(), 2);
        Child<QPushButton>(chooser, "closeButton")->click();
    });
    frame.Panel().ButtonFor(cmd::kPublishers)->click();
    EXPECT_EQ(m_prompter.Shown().back(), FormatArgs(Str(StrId::ConfirmDelete), {"Ewa Lis"}));

    ASSERT_TRUE(frame.Action(cmd::kSave)->isEnabled());
    frame.Action(cmd::kSave)->trigger();
    EXPECT_FALSE(m_doc.IsModified());

    // tdat9.bin: the header and three persons in name order; Ewa (id 103) is gone.
    const std::string file = m_dir.ReadFile("tdat9.bin");
    ASSERT_EQ(file.size(), 4 * kRecordSize);
    auto record = [&](int n) { return std::string_view(file).substr(n * kRecordSize, kRecordSize); };
    auto u16 = [](std::string_view r, std::size_t offset) {
        return static_cast<int>(static_cast<unsigned char>(r[offset]) | static_cast<unsigned char>(r[offset + 1]) << 8);
    };
    EXPECT_EQ(record(0)[23], 'u');
    const struct {
        const char* first;
        const char* last;
        int id;
        int category;
    } expected[] = {{"Anna", "Adamczyk", 101, 0}, {"Jan", "Kowalski", 100, 0}, {"Piotr", "Zieliński", 102, 4}};
    for (int n = 1; n <= 3; ++n) {
        const auto r = record(n);
        const auto& e = expected[n - 1];
        EXPECT_EQ(r.substr(2, 21), Scrambled(e.first, 21)) << e.first;
        EXPECT_EQ(r.substr(23, 21), Scrambled(e.last, 21)) << e.last;
        EXPECT_EQ(u16(r, 182), e.id);
        EXPECT_EQ(static_cast<int>(r[200]), e.category);
    }
    // Anna has Jan's address and home phone; both came in as new publishers in January 2024.
    EXPECT_EQ(record(1).substr(44, 63), Scrambled("ul. Polna 1", 63));
    EXPECT_EQ(record(1).substr(107, 15), Scrambled("22 111 22 33", 15));
    EXPECT_EQ(static_cast<unsigned char>(record(1)[201]), 0x11);
    EXPECT_EQ(u16(record(1), 192), ToMonthCount(2024, 0));
    // Jan: elder and male, born 9 March 1970 (stored " 3091970").
    EXPECT_EQ(static_cast<unsigned char>(record(2)[239]), 0x22);
    EXPECT_EQ(record(2).substr(161, 9), Scrambled(" 3091970", 9));
    // Piotr: on the deleted list since March 2023; status month cleared.
    EXPECT_EQ(u16(record(3), 192), 3 + (2023 - 1950) * 256);
    EXPECT_EQ(static_cast<unsigned char>(record(3)[201]), 0);

    // tappt.dat: only Jan's consent; the elder entry without a start date is not kept.
    const std::string appointments = ByteRecord(32).U16(0, 100).U16(2, 20).Text(6, 9, " 5252018").Bytes();
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), appointments);
}

} // namespace
} // namespace vardo
