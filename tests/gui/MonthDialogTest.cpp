// The month dialog and the entry list driven through their widgets.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "ReportingGuiFixture.h"
#include "core/platform/Strings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/EntryListDialog.h"
#include "gui/reporting/MonthCommands.h"
#include "gui/reporting/MonthDialog.h"
#include "gui/reporting/ReportDialog.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

using test::Child;
using test::OnNextDialog;

MonthDialogInput InputFor(int day, MonthState working, MonthState previous = MonthState::NotInitialised) {
    MonthDialogInput input;
    input.monthCount = ToMonthCount(2024, 1); // February 2024
    input.states[1] = working;
    input.states[0] = previous;
    input.day = day;
    return input;
}

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

TEST(MonthDialog, ButtonsFollowTheDayAndTheMonthStates) {
    ScriptedPrompter prompter;
    {
        // First week, previous month still open: continue it; no early start, no deadline note.
        MonthDialog dialog(InputFor(3, MonthState::NotInitialised, MonthState::Open), prompter);
        auto* continueButton = Child<QPushButton>(dialog, "continueButton");
        EXPECT_FALSE(continueButton->isHidden());
        EXPECT_EQ(continueButton->text(), Text(FormatArgs(Str(StrId::ContinueMonth), {"styczeń"})));
        EXPECT_EQ(Child<QPushButton>(dialog, "startButton")->text(),
                  Text(FormatArgs(Str(StrId::StartMonth), {"luty"})));
        EXPECT_TRUE(Child<QPushButton>(dialog, "earlyButton")->isHidden());
        EXPECT_TRUE(Child<QPushButton>(dialog, "warningButton")->isHidden());
        continueButton->click();
        ASSERT_TRUE(dialog.Choice().has_value());
        EXPECT_EQ(dialog.Choice()->month, 0);
        EXPECT_FALSE(dialog.Choice()->initialise);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    {
        // The 8th: only the start of the working month.
        MonthDialog dialog(InputFor(8, MonthState::NotInitialised, MonthState::Open), prompter);
        EXPECT_TRUE(Child<QPushButton>(dialog, "continueButton")->isHidden());
        EXPECT_TRUE(Child<QPushButton>(dialog, "startButton")->isDefault());
    }
    {
        // From the 25th the next month may start early; after the 20th the deadline note is there.
        MonthDialog dialog(InputFor(26, MonthState::Closed), prompter);
        auto* early = Child<QPushButton>(dialog, "earlyButton");
        EXPECT_FALSE(early->isHidden());
        EXPECT_EQ(early->text(), Text(FormatArgs(Str(StrId::StartMonth), {"marzec"})));
        EXPECT_EQ(Child<QPushButton>(dialog, "startButton")->text(),
                  Text(FormatArgs(Str(StrId::RestartMonth), {"luty"})));
        auto* warning = Child<QPushButton>(dialog, "warningButton");
        EXPECT_FALSE(warning->isHidden());
        warning->click();
        EXPECT_EQ(prompter.Shown().back(), Str(StrId::ReportDeadline));
        prompter.Script(Answer::Ok);
        early->click();
        ASSERT_TRUE(dialog.Choice().has_value());
        EXPECT_EQ(dialog.Choice()->month, 2);
        EXPECT_TRUE(dialog.Choice()->initialise);
        ASSERT_TRUE(dialog.Choice()->earlyStart.has_value());
        EXPECT_EQ(dialog.Choice()->earlyStart->second, 4);
    }
}

TEST(MonthDialog, CancelledConfirmationKeepsTheDialogOpen) {
    ScriptedPrompter prompter({Answer::Cancel});
    MonthDialog dialog(InputFor(10, MonthState::Closed), prompter);
    dialog.show();
    Child<QPushButton>(dialog, "startButton")->click();
    EXPECT_EQ(prompter.Questions(), 1);
    EXPECT_FALSE(dialog.Choice().has_value());
    EXPECT_TRUE(dialog.isVisible());
    // Continue reopens the closed month with its figures.
    Child<QPushButton>(dialog, "continueButton")->click();
    ASSERT_TRUE(dialog.Choice().has_value());
    EXPECT_FALSE(dialog.Choice()->initialise);
    EXPECT_EQ(dialog.Choice()->states[1], MonthState::Open);
    EXPECT_FALSE(dialog.isVisible());

    // Cancel gives no choice.
    MonthDialog cancelled(InputFor(10, MonthState::NotInitialised), prompter);
    cancelled.show();
    Child<QPushButton>(cancelled, "cancelButton")->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled.Choice().has_value());
}

class EntryListTest : public test::ReportingGuiTest {
protected:
    void SetUp() override {
        Open();
        m_anna = AddPerson("Anna", "Adamska");
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
        m_doc.Side().groups.SetCount(2);
        Person(m_anna).SetGroup(1);
        Person(m_ewa).SetGroup(1);
        Person(m_jan).SetGroup(2);
        m_doc.Database().Header().SetMonthState(1, MonthState::Open);
    }

    static QStringList Rows(EntryListDialog& dialog) {
        QStringList rows;
        auto* list = Child<QListWidget>(dialog, "personList");
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }

    PublisherId m_anna = 0, m_jan = 0, m_ewa = 0;
};

TEST_F(EntryListTest, FiltersByGroupAndByMissingReports) {
    // Anna has a February report, Ewa only a remark: neither is missing a report.
    ReportCell cell;
    cell.SetBibleStudies(1);
    cell.studyWord |= kStudyFlagBit;
    Person(m_anna).SetCell(1, 0, cell);
    ReportingContext context = m_doc.MakeReportingContext(m_prompter);
    {
        ReportEntry entry(context, m_doc.Database().RecordNumberOfId(m_ewa));
        entry.SetRemark("chora");
        ASSERT_TRUE(entry.Store());
    }

    EntryListDialog dialog(m_doc, m_prompter);
    EXPECT_EQ(dialog.windowTitle(), Text(FormatArgs(Str(StrId::EntryListTitle), {"luty"}) + " - 3 " +
                                         std::string(Str(StrId::ActivePublishers))));
    auto* groups = Child<QComboBox>(dialog, "groupCombo");
    ASSERT_EQ(groups->count(), 3);
    EXPECT_EQ(groups->itemText(0), Text(Str(StrId::Congregation)));
    EXPECT_EQ(Rows(dialog), (QStringList{"Adamska, Anna", "Kowalski, Jan", "Nowak, Ewa"}));
    groups->setCurrentIndex(1);
    EXPECT_EQ(Rows(dialog), (QStringList{"Adamska, Anna", "Nowak, Ewa"}));
    Child<QCheckBox>(dialog, "missingBox")->setChecked(true);
    EXPECT_TRUE(Rows(dialog).isEmpty());
    EXPECT_FALSE(Child<QPushButton>(dialog, "okButton")->isEnabled());
    groups->setCurrentIndex(0);
    EXPECT_EQ(Rows(dialog), (QStringList{"Kowalski, Jan"}));
    EXPECT_EQ(Child<QPushButton>(dialog, "closeMonthButton")->text(),
              Text(FormatArgs(Str(StrId::CloseMonthButton), {"luty"})));
}

TEST_F(EntryListTest, EnterOpensTheReportAndTheLastEnteredNameFollows) {
    EntryListDialog dialog(m_doc, m_prompter);
    dialog.show();
    Child<QCheckBox>(dialog, "missingBox")->setChecked(true);
    auto* list = Child<QListWidget>(dialog, "personList");
    list->setCurrentRow(1); // Jan
    list->setFocus();
    OnNextDialog<ReportDialog>([](ReportDialog& report) {
        EXPECT_EQ(report.windowTitle(), QStringLiteral("Jan Kowalski"));
        Press(report, Qt::Key_Space);  // participated
        Press(report, Qt::Key_Return); // to "Pionier Pomocniczy"
        Press(report, Qt::Key_Return); // to the studies
        Keys(report, QStringLiteral("1"));
        Press(report, Qt::Key_Return); // stores
    });
    Press(dialog, Qt::Key_Return);
    EXPECT_EQ(Person(m_jan).StudyWord(1, 0), kStudyFlagBit | 1);
    EXPECT_EQ(Child<QLabel>(dialog, "lastEnteredLabel")->text(), QStringLiteral("Jan Kowalski"));
    // Jan has his report now: the list of missing reports goes on with Ewa, in the same row.
    EXPECT_EQ(Rows(dialog), (QStringList{"Adamska, Anna", "Nowak, Ewa"}));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(list->hasFocus() || dialog.focusWidget() == list);
}

TEST_F(EntryListTest, OpeningMarksTheMonthTwoAheadOnlyWhenItChanges) {
    m_doc.Database().Header().SetMonthState(3, MonthState::Closed);
    ASSERT_FALSE(m_doc.IsModified());
    {
        EntryListDialog dialog(m_doc, m_prompter);
        EXPECT_EQ(m_doc.GetMonthState(3), MonthState::NotInitialised);
        EXPECT_TRUE(m_doc.IsModified());
    }
    ASSERT_TRUE(m_doc.Save(m_prompter));
    EntryListDialog again(m_doc, m_prompter);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(EntryListTest, CloseButtonClosesTheMonthAndTheList) {
    EntryListDialog dialog(m_doc, m_prompter);
    dialog.show();
    Child<QPushButton>(dialog, "closeMonthButton")->click();
    EXPECT_EQ(m_doc.GetMonthState(1), MonthState::Closed);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(EntryListTest, TimeAccountingGoesStraightToTheListOfAnOpenMonth) {
    CMainFrame frame(m_doc, m_prompter);
    RegisterMonthCommands(frame, m_doc, m_prompter, m_clock);
    bool listed = false;
    OnNextDialog<EntryListDialog>([&](EntryListDialog& list) {
        listed = true;
        Press(list, Qt::Key_Escape);
    });
    frame.Action(cmd::kTimeAccounting)->trigger();
    EXPECT_TRUE(listed);

    // A month not yet started: the month dialog first; cancelling it changes nothing and opens no list.
    m_doc.Database().Header().SetMonthState(1, MonthState::NotInitialised);
    ASSERT_TRUE(m_doc.Save(m_prompter, true));
    bool asked = false;
    OnNextDialog<MonthDialog>([&](MonthDialog& dialog) {
        asked = true;
        Press(dialog, Qt::Key_Escape);
    });
    frame.Panel().ButtonFor(cmd::kTimeAccounting)->click();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetMonthState(1), MonthState::NotInitialised);
}

TEST_F(EntryListTest, LateReportsAreErasedOnlyAfterF11InTheReportView) {
    CMainFrame frame(m_doc, m_prompter);
    CVardoView view(m_doc, m_prompter, m_clock, &frame);
    frame.AttachView(view);
    RegisterMonthCommands(frame, m_doc, m_prompter, m_clock);
    QAction* erase = frame.Action(cmd::kEraseLateReports);
    ASSERT_NE(erase, nullptr);

    // F11 without late reports allows nothing.
    QTest::keyClick(&view, Qt::Key_F11);
    EXPECT_FALSE(erase->isEnabled());
    m_doc.GetMonthCycle().lateReports.Add(m_jan, 0, 1);
    m_doc.GetMonthCycle().lateReports.Add(m_ewa, 0, 1);
    frame.UpdateCommands();
    EXPECT_FALSE(erase->isEnabled());
    QTest::keyClick(&view, Qt::Key_F11);
    EXPECT_TRUE(erase->isEnabled());

    // Cancel keeps the list; OK empties it and disables the command again.
    m_prompter.Script(Answer::Cancel);
    erase->trigger();
    EXPECT_EQ(m_doc.GetMonthCycle().lateReports.Size(), 2u);
    EXPECT_FALSE(m_doc.IsModified());
    m_prompter.Script(Answer::Ok);
    erase->trigger();
    EXPECT_NE(m_prompter.Shown().back().find("2 raport"), std::string::npos) << m_prompter.Shown().back();
    EXPECT_EQ(m_doc.GetMonthCycle().lateReports.Size(), 0u);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(erase->isEnabled());
}

} // namespace
} // namespace vardo
