// The pioneer list driven through its widgets from the main panel and the Edit menu, checked in the saved
// register.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/HistoryCommands.h"
#include "gui/reporting/PioneerListDialog.h"

namespace vardo {
namespace {

using test::Child;
using test::OnNextDialog;

constexpr std::size_t kRecordSize = 816;

int PioneerByte(const std::string& file, std::size_t record, int month, int slot) {
    return static_cast<unsigned char>(file.at(record * kRecordSize + 202 + static_cast<std::size_t>(3 * month + slot)));
}

QStringList Names(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

class PioneerListDialogTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        // Records in name order: Adamski 1, Nowak 2, Wiśniewski 3. Working month February 2024 (slot 0).
        m_adamski = AddPerson("Jan", "Adamski");
        m_nowak = AddPerson("Piotr", "Nowak");
        m_wisniewski = AddPerson("Adam", "Wiśniewski");
        SetCode(m_adamski, 1, PioneerCode::Auxiliary);
        Person(m_adamski).SetContinuousAuxiliary(true);
        SetCode(m_wisniewski, 1, PioneerCode::Regular);
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        RegisterHistoryCommands(*m_frame, m_doc, m_prompter);
    }

    void SetCode(PublisherId id, MonthIndex month, PioneerCode code) {
        ReportCell cell = Person(id).Cell(month, 0);
        cell.SetPioneer(code);
        Person(id).SetCell(month, 0, cell);
    }

    std::string SavedRegister() {
        const Status saved = m_doc.Save(m_prompter);
        EXPECT_TRUE(saved) << saved.message();
        return m_dir.ReadFile("tdat9.bin");
    }

    PublisherId m_adamski = 0;
    PublisherId m_nowak = 0;
    PublisherId m_wisniewski = 0;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(PioneerListDialogTest, AuxiliaryPioneersAddedAndRemovedFromThePanelButton) {
    bool ran = false;
    OnNextDialog<PioneerListDialog>([&](PioneerListDialog& dialog) {
        ran = true;
        auto* holders = Child<QListWidget>(dialog, "holdersList");
        auto* others = Child<QListWidget>(dialog, "othersList");
        auto* move = Child<QPushButton>(dialog, "moveButton");
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pionierzy Pomocniczy - luty 24 ( 1 )"));
        EXPECT_TRUE(Child<QCheckBox>(dialog, "specialBox")->isHidden());
        EXPECT_EQ(Names(holders), QStringList{QStringLiteral("Adamski, Jan")});
        // A regular pioneer of the month holds another code: he is in neither list.
        EXPECT_EQ(Names(others), QStringList{QStringLiteral("Nowak, Piotr")});
        others->setCurrentRow(0);
        EXPECT_EQ(move->text(), QStringLiteral("<<<    &Dodaj    <<<"));
        EXPECT_EQ(Child<QLabel>(dialog, "nameLabel")->text(), QStringLiteral("Piotr Nowak"));
        QTest::keyClick(others, Qt::Key_Return);
        EXPECT_EQ(Names(holders), (QStringList{QStringLiteral("Adamski, Jan"), QStringLiteral("Nowak, Piotr")}));
        EXPECT_TRUE(Names(others).isEmpty());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pionierzy Pomocniczy - luty 24 ( 2 )"));

        holders->setCurrentRow(0);
        EXPECT_EQ(move->text(), QStringLiteral(">>>  &Usuń  >>>"));
        EXPECT_EQ(others->currentRow(), -1);
        move->click();
        EXPECT_EQ(Names(holders), QStringList{QStringLiteral("Nowak, Piotr")});
        EXPECT_EQ(Names(others), QStringList{QStringLiteral("Adamski, Jan")});
        EXPECT_EQ(holders->currentRow(), 0); // the first holder is selected after a removal
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pionierzy Pomocniczy - luty 24 ( 1 )"));

        // The months of the three years: up to the working month, all twelve, after the working month.
        auto* years = Child<QListWidget>(dialog, "yearList");
        auto* months = Child<QComboBox>(dialog, "monthCombo");
        EXPECT_EQ(months->count(), 2);
        years->setCurrentRow(1);
        EXPECT_EQ(months->count(), 12);
        EXPECT_EQ(months->currentText(), QStringLiteral("styczeń"));
        years->setCurrentRow(0);
        EXPECT_EQ(months->count(), 10);
        EXPECT_EQ(months->itemText(0), QStringLiteral("marzec"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pionierzy Pomocniczy - marzec 22 ( 0 )"));
        Child<QPushButton>(dialog, "closeButton")->click();
    });
    m_frame->Panel().ButtonFor(cmd::kAuxiliaryPioneers)->click();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(m_doc.IsModified());
    // Leaving the auxiliary pioneers in the working month ends the continuous service too.
    EXPECT_FALSE(Person(m_adamski).IsContinuousAuxiliary());
    const std::string file = SavedRegister();
    EXPECT_EQ(PioneerByte(file, 1, 1, 0) & 3, 0);
    EXPECT_EQ(PioneerByte(file, 2, 1, 0) & 3, 1);
    EXPECT_EQ(PioneerByte(file, 3, 1, 0) & 3, 2);
    EXPECT_EQ(static_cast<unsigned char>(file.at(1 * kRecordSize + 239)) & 0x08, 0);
}

TEST_F(PioneerListDialogTest, RegularListSwitchesToSpecialPioneersInAnEarlierMonth) {
    Person(m_nowak).SetContinuousAuxiliary(true);
    bool ran = false;
    OnNextDialog<PioneerListDialog>([&](PioneerListDialog& dialog) {
        ran = true;
        auto* holders = Child<QListWidget>(dialog, "holdersList");
        auto* others = Child<QListWidget>(dialog, "othersList");
        auto* special = Child<QCheckBox>(dialog, "specialBox");
        EXPECT_FALSE(special->isHidden());
        EXPECT_EQ(Names(holders), QStringList{QString::fromUtf8("Wiśniewski, Adam")});
        // January 2024: nobody holds a code.
        Child<QComboBox>(dialog, "monthCombo")->setCurrentIndex(0);
        EXPECT_TRUE(Names(holders).isEmpty());
        EXPECT_EQ(others->count(), 3);
        special->click();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pionierzy specjalni - styczeń 24 ( 0 )"));
        others->setCurrentRow(1);
        Child<QPushButton>(dialog, "moveButton")->click();
        EXPECT_EQ(Names(holders), QStringList{QStringLiteral("Nowak, Piotr")});
        EXPECT_EQ(others->currentRow(), 0); // the entry before the one moved
        holders->setCurrentRow(0);
        QTest::keyClick(holders, Qt::Key_Enter);
        EXPECT_TRUE(Names(holders).isEmpty());
        others->setCurrentRow(2);
        Child<QPushButton>(dialog, "moveButton")->click();
        Child<QPushButton>(dialog, "closeButton")->click();
    });
    m_frame->Action(cmd::kRegularPioneers)->trigger();
    ASSERT_TRUE(ran);
    // Removing a special pioneer in an earlier month leaves the continuous auxiliary service alone.
    EXPECT_TRUE(Person(m_nowak).IsContinuousAuxiliary());
    const std::string file = SavedRegister();
    EXPECT_EQ(PioneerByte(file, 2, 0, 0) & 3, 0);
    EXPECT_EQ(PioneerByte(file, 3, 0, 0) & 3, 3);
    EXPECT_EQ(PioneerByte(file, 3, 1, 0) & 3, 2);
}

} // namespace
} // namespace vardo
