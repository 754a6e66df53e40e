// The history editor driven through its widgets from command 32887: both report formats, the walks, the
// pioneer boxes, the warnings, a refused field and the totals mode, checked in the saved files.

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "GuiFixture.h"
#include "core/platform/Strings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/HistoryCommands.h"
#include "gui/reporting/HistoryEditorDialog.h"

namespace vardo {
namespace {

using test::Child;
using test::OnNextDialog;

constexpr std::size_t kRecordSize = 816;
constexpr std::size_t kPioneer = 202, kPlacements = 240, kVideos = 312, kHours = 384, kVisits = 456, kStudy = 528,
                      kCredit = 672, kLate = 780;

std::size_t Cell16(std::size_t record, std::size_t row, int month, int slot) {
    return record * kRecordSize + row + 2 * static_cast<std::size_t>(3 * month + slot);
}
std::size_t Cell8(std::size_t record, std::size_t row, int month, int slot) {
    return record * kRecordSize + row + static_cast<std::size_t>(3 * month + slot);
}
int U16(const std::string& bytes, std::size_t offset) {
    return static_cast<unsigned char>(bytes.at(offset)) | static_cast<unsigned char>(bytes.at(offset + 1)) << 8;
}
int U8(const std::string& bytes, std::size_t offset) {
    return static_cast<unsigned char>(bytes.at(offset));
}

class HistoryEditorDialogTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        // Sorted by last name: Adamski is record 1, Nowak record 2.
        m_adamski = AddPerson("Jan", "Adamski");
        m_nowak = AddPerson("Piotr", "Nowak");
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        RegisterHistoryCommands(*m_frame, m_doc, m_prompter);
    }

    /// Runs the editor from the main panel's button 128 with `action` inside it.
    void RunEditor(const std::function<void(HistoryEditorDialog&)>& action) {
        bool ran = false;
        OnNextDialog<HistoryEditorDialog>([&](HistoryEditorDialog& dialog) {
            action(dialog);
            ran = true;
            if (dialog.isVisible())
                Child<QPushButton>(dialog, "closeButton")->click();
        });
        m_prompter.Clear();
        m_frame->Panel().ButtonFor(cmd::kHistory)->click();
        EXPECT_TRUE(ran);
    }

    static void ChooseMonth(HistoryEditorDialog& dialog, int yearRow, MonthIndex month) {
        Child<QListWidget>(dialog, "yearList")->setCurrentRow(yearRow);
        auto* months = Child<QListWidget>(dialog, "monthList");
        for (int i = 0; i < months->count(); ++i)
            if (months->item(i)->data(Qt::UserRole).toInt() == month)
                months->setCurrentRow(i);
        ASSERT_EQ(dialog.Editor().MonthChoice(), month);
    }

    static void PressEnter(QWidget* widget) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Return);
    }

    std::string SavedRegister() {
        const Status saved = m_doc.Save(m_prompter);
        EXPECT_TRUE(saved) << saved.message();
        return m_dir.ReadFile("tdat9.bin");
    }

    PublisherId m_adamski = 0;
    PublisherId m_nowak = 0;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(HistoryEditorDialogTest, OlderAndNewerFormatMonthsStoredWalkingThroughTheMonths) {
    RunEditor([](HistoryEditorDialog& dialog) {
        ASSERT_EQ(Child<QListWidget>(dialog, "personList")->count(), 2);
        // Working month February 2024: the working year offers January only, the year before all twelve.
        EXPECT_EQ(Child<QListWidget>(dialog, "yearList")->item(2)->text(), QStringLiteral("2024"));
        EXPECT_EQ(Child<QListWidget>(dialog, "monthList")->count(), 1);
        ChooseMonth(dialog, 1, 8); // September 2023, the last month of the older format
        EXPECT_EQ(Child<QListWidget>(dialog, "monthList")->count(), 12);
        EXPECT_TRUE(Child<QLabel>(dialog, "formatLabel")->text().contains(QStringLiteral("wrzesień 2023")));
        EXPECT_FALSE(Child<QLineEdit>(dialog, "placementsEdit")->isHidden());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "lessThanHourBox")->isHidden());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "participatedBox")->isHidden());
        Type(Child<QLineEdit>(dialog, "placementsEdit"), QStringLiteral("3"));
        Type(Child<QLineEdit>(dialog, "videosEdit"), QStringLiteral("1"));
        Type(Child<QLineEdit>(dialog, "hoursEdit"), QStringLiteral("12,5"));
        Type(Child<QLineEdit>(dialog, "returnVisitsEdit"), QStringLiteral("4"));
        Type(Child<QLineEdit>(dialog, "studiesEdit"), QStringLiteral("1"));
        // "<1 g." goes with hours given: it is cleared on storing.
        Child<QCheckBox>(dialog, "lessThanHourBox")->click();
        Child<QCheckBox>(dialog, "walkMonthsBox")->click();
        PressEnter(Child<QLineEdit>(dialog, "studiesEdit"));

        // Enter stored September and walked on to October, in the newer format.
        EXPECT_EQ(dialog.Editor().MonthChoice(), 9);
        EXPECT_EQ(Child<QListWidget>(dialog, "monthList")->currentItem()->text(), QStringLiteral("październik"));
        EXPECT_TRUE(Child<QLineEdit>(dialog, "placementsEdit")->isHidden());
        EXPECT_TRUE(Child<QLineEdit>(dialog, "hoursEdit")->isHidden()); // a publisher gives no hours
        EXPECT_FALSE(Child<QCheckBox>(dialog, "participatedBox")->isHidden());
        Child<QCheckBox>(dialog, "participatedBox")->click();
        Type(Child<QLineEdit>(dialog, "studiesEdit"), QStringLiteral("2"));
        PressEnter(Child<QLineEdit>(dialog, "studiesEdit"));
        EXPECT_EQ(dialog.Editor().MonthChoice(), 10);
        // Walking on from the newest month (January 2024) starts again at the oldest (February 2022).
        ChooseMonth(dialog, 2, 0);
        PressEnter(Child<QListWidget>(dialog, "monthList"));
        EXPECT_EQ(dialog.Editor().ChosenCount(), ToMonthCount(2022, 1));
    });
    ASSERT_TRUE(m_doc.IsModified());
    const std::string file = SavedRegister();
    EXPECT_EQ(U16(file, Cell16(1, kPlacements, 8, 1)), 3);
    EXPECT_EQ(U16(file, Cell16(1, kVideos, 8, 1)), 1);
    EXPECT_EQ(U16(file, Cell16(1, kHours, 8, 1)), 12);
    EXPECT_EQ(U16(file, Cell16(1, kVisits, 8, 1)), 4);
    EXPECT_EQ(U16(file, Cell16(1, kStudy, 8, 1)), 0x2000 | 1); // half an hour in bits 12-13, no flag
    EXPECT_EQ(U16(file, Cell16(1, kStudy, 9, 1)), 2);
    // October's participation (bit 11) is kept in tlt15.dat at the save, and back in the record after it.
    EXPECT_EQ(m_dir.ReadFile("tlt15.dat"), test::ByteRecord(32).U16(0, m_adamski).U8(2 + 2 * 9 + 1, 1).Bytes());
    EXPECT_EQ(Person(m_adamski).Cell(9, 1).studyWord, 0x0800 | 2);
    EXPECT_EQ(U16(file, Cell16(1, kHours, 9, 1)), 0);
    // November, walked through unchanged, and the other person stay empty.
    EXPECT_EQ(U16(file, Cell16(1, kStudy, 10, 1)), 0);
    EXPECT_EQ(U16(file, Cell16(2, kHours, 8, 1)), 0);
    EXPECT_EQ(U16(file, Cell16(2, kStudy, 9, 1)), 0);
}

TEST_F(HistoryEditorDialogTest, PioneerBoxesCreditAndWarningsThatDoNotBlock) {
    RunEditor([this](HistoryEditorDialog& dialog) {
        auto* hours = Child<QLineEdit>(dialog, "hoursEdit");
        auto* credit = Child<QLineEdit>(dialog, "creditEdit");
        auto* warnings = Child<QLabel>(dialog, "warningsLabel");
        auto* regular = Child<QCheckBox>(dialog, "regularBox");
        auto* auxiliary = Child<QCheckBox>(dialog, "auxiliaryBox");
        // January 2024 is chosen at opening; hours show for a pioneer who took part.
        EXPECT_EQ(dialog.Editor().ChosenCount(), ToMonthCount(2024, 0));
        EXPECT_TRUE(hours->isHidden());
        EXPECT_FALSE(credit->isEnabled());
        regular->click();
        EXPECT_TRUE(hours->isHidden());
        Child<QCheckBox>(dialog, "participatedBox")->click();
        EXPECT_FALSE(hours->isHidden());
        EXPECT_TRUE(credit->isEnabled());
        // The three boxes name one code.
        auxiliary->click();
        EXPECT_FALSE(regular->isChecked());
        EXPECT_FALSE(credit->isEnabled());
        regular->click();
        EXPECT_FALSE(auxiliary->isChecked());

        EXPECT_TRUE(warnings->isHidden());
        Type(hours, QStringLiteral("160"));
        EXPECT_FALSE(warnings->isHidden());
        EXPECT_TRUE(warnings->text().contains(QStringLiteral("160 godz.")));
        Type(Child<QLineEdit>(dialog, "studiesEdit"), QStringLiteral("25"));
        EXPECT_TRUE(warnings->text().contains(QStringLiteral("25 studiów")));
        Type(credit, QStringLiteral("5"));
        Type(Child<QLineEdit>(dialog, "remarkEdit"), QStringLiteral("5 + Godz."));
        Child<QPushButton>(dialog, "storeButton")->click();
        EXPECT_TRUE(m_prompter.Shown().empty()) << m_prompter.Shown().front();
    });
    const std::string file = SavedRegister();
    EXPECT_EQ(U8(file, Cell8(1, kPioneer, 0, 0)) & 3, 2);
    EXPECT_EQ(U16(file, Cell16(1, kHours, 0, 0)), 160);
    // The participation flag goes to tlt15.dat with the save.
    EXPECT_EQ(U16(file, Cell16(1, kStudy, 0, 0)), 25);
    EXPECT_EQ(m_dir.ReadFile("tlt15.dat"), test::ByteRecord(32).U16(0, m_adamski).U8(2, 1).Bytes());
    EXPECT_EQ(U16(file, Cell16(1, kCredit, 0, 0)), 5);
    EXPECT_NE(U16(file, Cell16(1, 600, 0, 0)), 0); // the remark got its entry
    EXPECT_NE(m_dir.ReadFile("remark9.dat").find("5 + Godz."), std::string::npos);
}

TEST_F(HistoryEditorDialogTest, LateBoxShowsOnlyForALateReportOfTheWorkingMonth) {
    // November 2023 was entered late during February (marker 2); its box shows ticked.
    ReportCell cell = Person(m_adamski).Cell(10, 1);
    cell.hours = 0;
    cell.SetFlag(true);
    cell.lateMarker = 2;
    Person(m_adamski).SetCell(10, 1, cell);
    m_doc.GetMonthCycle().lateReports.LoadMarkers(m_doc.Database(), m_doc.GetWorkingMonth());
    ASSERT_TRUE(m_doc.GetMonthCycle().lateReports.IsLate(m_adamski, 10));
    RunEditor([](HistoryEditorDialog& dialog) {
        auto* late = Child<QCheckBox>(dialog, "lateBox");
        EXPECT_TRUE(late->isHidden()); // January 2024 has no marker
        ChooseMonth(dialog, 1, 10);
        EXPECT_FALSE(late->isHidden());
        EXPECT_TRUE(late->isChecked());
        late->click();
    });
    // Unticked, the marker is gone and the late-report list rebuilt from the markers has no entry.
    EXPECT_EQ(Person(m_adamski).Cell(10, 1).lateMarker, 0);
    EXPECT_FALSE(m_doc.GetMonthCycle().lateReports.IsLate(m_adamski, 10));
    const std::string file = SavedRegister();
    EXPECT_EQ(U8(file, Cell8(1, kLate, 10, 1)), 0);
}

TEST_F(HistoryEditorDialogTest, ABadFieldIsRefusedWithAMessageAndKeptForCorrection) {
    RunEditor([this](HistoryEditorDialog& dialog) {
        ChooseMonth(dialog, 1, 3); // April 2023
        auto* hours = Child<QLineEdit>(dialog, "hoursEdit");
        Type(hours, QStringLiteral("7,3"));
        Child<QListWidget>(dialog, "personList")->setCurrentRow(1);
        EXPECT_TRUE(m_prompter.AnyShownContains("7,3"));
        // Still on the same person and month, with the text as typed.
        EXPECT_EQ(dialog.Editor().PersonChoice(), 0);
        EXPECT_EQ(Child<QListWidget>(dialog, "personList")->currentRow(), 0);
        EXPECT_EQ(hours->text(), QStringLiteral("7,3"));
        EXPECT_FALSE(m_doc.IsModified());
        // Closing is refused too until the field is right.
        Child<QPushButton>(dialog, "closeButton")->click();
        EXPECT_TRUE(dialog.isVisible());
        Type(hours, QStringLiteral("7,75"));
        Child<QPushButton>(dialog, "closeButton")->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    const std::string file = SavedRegister();
    EXPECT_EQ(U16(file, Cell16(1, kHours, 3, 1)), 7);
    EXPECT_EQ(U16(file, Cell16(1, kStudy, 3, 1)), 0x3000);
}

TEST_F(HistoryEditorDialogTest, PersonWalkWrapsAndTheTwoWalksExcludeEachOther) {
    RunEditor([](HistoryEditorDialog& dialog) {
        auto* persons = Child<QCheckBox>(dialog, "walkPersonsBox");
        auto* months = Child<QCheckBox>(dialog, "walkMonthsBox");
        months->click();
        persons->click();
        EXPECT_FALSE(months->isChecked());
        auto* list = Child<QListWidget>(dialog, "personList");
        Child<QCheckBox>(dialog, "participatedBox")->click();
        PressEnter(Child<QCheckBox>(dialog, "participatedBox"));
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_FALSE(Child<QCheckBox>(dialog, "participatedBox")->isChecked()); // Nowak's own January
        PressEnter(list);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_TRUE(Child<QCheckBox>(dialog, "participatedBox")->isChecked());
    });
    EXPECT_TRUE(Person(m_adamski).Cell(0, 0).Flag());
    EXPECT_FALSE(Person(m_nowak).Cell(0, 0).Flag());
}

TEST_F(HistoryEditorDialogTest, TotalsModeEditsTheStoredTotalsCommittedWhenLeft) {
    const std::string before = m_dir.Exists("tcard.dat") ? m_dir.ReadFile("tcard.dat") : std::string(1728, '\0');
    ASSERT_EQ(before.size(), 1728u);
    RunEditor([this](HistoryEditorDialog& dialog) {
        Child<QCheckBox>(dialog, "totalsBox")->click();
        auto* rows = Child<QListWidget>(dialog, "personList");
        ASSERT_EQ(rows->count(), 4);
        EXPECT_EQ(rows->item(2)->text(), QString::fromUtf8("Pionierzy (Peł i Spe)"));
        EXPECT_TRUE(Child<QLineEdit>(dialog, "remarkEdit")->isHidden());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "regularBox")->isHidden());
        EXPECT_FALSE(Child<QLabel>(dialog, "hintLabel")->isHidden());
        EXPECT_EQ(Child<QLabel>(dialog, "creditLabel")->text(), QString::fromUtf8("Liczba sprawozdań"));
        ChooseMonth(dialog, 1, 2); // March 2023
        Type(Child<QLineEdit>(dialog, "placementsEdit"), QStringLiteral("40"));
        Type(Child<QLineEdit>(dialog, "hoursEdit"), QStringLiteral("120.75"));
        Type(Child<QLineEdit>(dialog, "studiesEdit"), QStringLiteral("7"));
        Type(Child<QLineEdit>(dialog, "creditEdit"), QStringLiteral("30"));
        // The pioneers' row waits for its kind.
        rows->setCurrentRow(2);
        EXPECT_FALSE(Child<QLineEdit>(dialog, "placementsEdit")->isEnabled());
        Child<QCheckBox>(dialog, "specialTotalsBox")->click();
        EXPECT_TRUE(Child<QLineEdit>(dialog, "placementsEdit")->isEnabled());
        Type(Child<QLineEdit>(dialog, "hoursEdit"), QStringLiteral("55"));
        Type(Child<QLineEdit>(dialog, "creditEdit"), QStringLiteral("1"));
        // "Głosiciele czynni" uses the one field.
        rows->setCurrentRow(3);
        EXPECT_TRUE(Child<QLineEdit>(dialog, "placementsEdit")->isHidden());
        EXPECT_EQ(Child<QLabel>(dialog, "creditLabel")->text(), QString::fromUtf8("Głosiciele czynni"));
        Type(Child<QLineEdit>(dialog, "creditEdit"), QStringLiteral("42"));
        EXPECT_FALSE(m_doc.IsModified()); // a copy until totals mode is left
        Child<QCheckBox>(dialog, "totalsBox")->click();
        EXPECT_TRUE(m_doc.IsModified());
        EXPECT_EQ(rows->count(), 2);
    });
    ASSERT_TRUE(m_doc.Save(m_prompter));
    test::ByteRecord expected(1728);
    expected.Raw(0, before);
    const auto at = [](int m, int c, int v, int s) {
        return static_cast<std::size_t>(2 * (72 * m + 18 * c + 2 * v + s));
    };
    expected.U16(at(2, 0, 0, 1), 40).U16(at(2, 0, 2, 1), 120).U16(at(2, 0, 7, 1), 3).U16(at(2, 0, 4, 1), 7);
    expected.U16(at(2, 0, 8, 1), 30).U16(at(2, 3, 2, 1), 55).U16(at(2, 3, 8, 1), 1).U16(at(2, 0, 5, 1), 42);
    EXPECT_EQ(m_dir.ReadFile("tcard.dat"), expected.Bytes());
}

TEST_F(HistoryEditorDialogTest, CommandNeedsAPersonAndTheWorkingData) {
    m_frame->UpdateCommands();
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kHistory).enabled);
    EXPECT_TRUE(m_frame->Action(cmd::kHistory)->isEnabled());
    // An empty register offers nothing to edit.
    CVardoDoc empty;
    ScriptedPrompter prompter;
    test::TempDir dir;
    StartupOptions options;
    options.showStartupNote = false;
    ASSERT_TRUE(empty.Load(DataFolder(dir.Path()), m_clock, prompter, options));
    CMainFrame frame(empty, prompter);
    RegisterHistoryCommands(frame, empty, prompter);
    EXPECT_FALSE(frame.Router().StateOf(cmd::kHistory).enabled);
    EXPECT_FALSE(frame.Panel().ButtonFor(cmd::kHistory)->isEnabled());
}

} // namespace
} // namespace vardo
