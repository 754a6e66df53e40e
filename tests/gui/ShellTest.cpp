#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include <algorithm>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "core/platform/IniFile.h"
#include "core/platform/Strings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRules.h"
#include "gui/app/CommandSet.h"
#include "gui/app/MainPanel.h"
#include "gui/app/MenuLayout.h"
#include "gui/app/PasswordDialog.h"
#include "gui/app/SingleInstance.h"
#include "gui/app/Telephony.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

using test::Child;
using test::DocumentTest;
using test::OnNextDialog;

class ShellTest : public DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_frame->ShowWorkingMonth();
        m_frame->UpdateCommands();
    }

    QAction* Action(int id) { return m_frame->Action(id); }

    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(ShellTest, NothingOnScreenIsEnabledWithoutAHandler) {
    AddPerson("Jan", "Kowalski");
    m_frame->UpdateCommands();
    for (int id : MenuCommandIds()) {
        QAction* action = Action(id);
        ASSERT_NE(action, nullptr) << id;
        if (action->isEnabled()) {
            EXPECT_TRUE(m_frame->Router().Has(id)) << "enabled without a handler: " << id;
        }
    }
    for (auto* button : m_frame->Panel().findChildren<QPushButton*>()) {
        const int buttonId = button->objectName().mid(6).toInt();
        const int command = MainPanel::CommandOfButton(buttonId);
        ASSERT_NE(command, 0) << button->objectName().toStdString();
        EXPECT_EQ(button->isEnabled(), m_frame->Router().StateOf(command).enabled) << buttonId;
        if (button->isEnabled()) {
            EXPECT_TRUE(m_frame->Router().Has(command)) << buttonId;
        }
    }
    // The built commands are there and enabled; the report commands wait for the view.
    EXPECT_TRUE(Action(cmd::kPublishers)->isEnabled());
    EXPECT_TRUE(Action(cmd::kPassword)->isEnabled());
    EXPECT_TRUE(Action(cmd::kExit)->isEnabled());
    EXPECT_TRUE(m_frame->Panel().ButtonFor(cmd::kPublishers)->isEnabled());
    EXPECT_TRUE(m_frame->Panel().ButtonFor(cmd::kExit)->isEnabled());
    EXPECT_FALSE(Action(cmd::kStatistics)->isEnabled());
    EXPECT_FALSE(m_frame->Panel().ButtonFor(cmd::kReturnToWorkingMonth)->isVisibleTo(&m_frame->Panel()));
}

TEST_F(ShellTest, TheViewCanRegisterItsCommandsLater) {
    int shown = 0;
    m_frame->Router().Register(cmd::kStatistics, [&] { ++shown; });
    EXPECT_TRUE(Action(cmd::kStatistics)->isEnabled());
    m_frame->Panel().ButtonFor(cmd::kStatistics)->click();
    Action(cmd::kStatistics)->trigger();
    EXPECT_EQ(shown, 2);
}

TEST_F(ShellTest, TheReportViewJoinsTheWindow) {
    AddPerson("Jan", "Kowalski");
    CVardoView view(m_doc, m_prompter, m_clock);
    m_frame->AttachView(view);
    EXPECT_TRUE(m_frame->Router().Has(cmd::kPhoneList));
    EXPECT_TRUE(m_frame->Router().Has(cmd::kReturnToPanel));
    QMenu* options = m_frame->MenuOf(cmd::kReportSettings);
    ASSERT_NE(options, nullptr);
    bool fonts = false;
    for (QAction* action : options->actions())
        fonts = fonts || (action->menu() && action->menu()->title() == QStringLiteral("Czcionki"));
    EXPECT_TRUE(fonts);
    EXPECT_TRUE(m_frame->MenuOf(cmd::kPrintSetup)->actions().contains(view.SaveAsPdfAction()));

    // A report switches the centre to the view; returning shows the panel again.
    if (m_frame->Router().StateOf(cmd::kPhoneList).enabled) {
        m_frame->Router().Execute(cmd::kPhoneList);
        auto* centre = m_frame->centralWidget();
        EXPECT_TRUE(view.isVisibleTo(centre));
        EXPECT_TRUE(Action(cmd::kReturnToPanel)->isEnabled());
        m_frame->Router().Execute(cmd::kReturnToPanel);
        EXPECT_TRUE(m_frame->Panel().isVisibleTo(centre));
    }
    for (int id : MenuCommandIds()) {
        if (Action(id)->isEnabled()) {
            EXPECT_TRUE(m_frame->Router().Has(id)) << "enabled without a handler: " << id;
        }
    }
}

TEST_F(ShellTest, StatusBarShowsTheWorkingMonth) {
    EXPECT_EQ(m_frame->StatusPaneText(1), QString::fromUtf8("  Miesiąc roboczy = luty"));
    auto* pane = m_frame->findChild<QLabel*>(QStringLiteral("statusPane1"));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->width(), pane->fontMetrics().horizontalAdvance(pane->text()) + 4);
}

TEST_F(ShellTest, SaveIsEnabledOnlyForModifiedData) {
    EXPECT_FALSE(Action(cmd::kSave)->isEnabled());
    Action(cmd::kStartupNoteOff)->trigger();
    EXPECT_TRUE(Action(cmd::kStartupNoteOff)->isChecked());
    EXPECT_EQ(m_doc.GetSettings().noStartupNote, 1);
    EXPECT_TRUE(Action(cmd::kSave)->isEnabled());

    Action(cmd::kSave)->trigger();
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(Action(cmd::kSave)->isEnabled());
    EXPECT_EQ(IniFile::Parse(m_dir.ReadFile("vardok.ini")).GetInt("Nag", "Włączono", 0), 1);
}

TEST_F(ShellTest, TogglesWithoutAMenuEntryMarkTheDataModified) {
    ASSERT_EQ(m_doc.GetSettings().autoCapitalize, 1);
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kAutoCap).checked);
    EXPECT_TRUE(m_frame->Router().Execute(cmd::kAutoCap));
    EXPECT_EQ(m_doc.GetSettings().autoCapitalize, 0);
    EXPECT_FALSE(m_frame->Router().StateOf(cmd::kAutoCap).checked);
    EXPECT_TRUE(m_doc.IsModified());

    AddPerson("Zenon", "Adamski");
    AddPerson("Adam", "Zawada");
    EXPECT_TRUE(m_frame->Router().Execute(cmd::kFirstNameFirst));
    EXPECT_EQ(m_doc.GetSettings().firstNameFirst, 1);
    EXPECT_TRUE(m_frame->Router().StateOf(cmd::kFirstNameFirst).checked);
}

TEST_F(ShellTest, ExitAnsweredNoRestoresTheRemarksOfTheStart) {
    // remark9.dat as it was at start-up is kept in rmkundo.dat; an edit written since is undone by No.
    const std::string atStart = m_dir.ReadFile("rmkundo.dat");
    ASSERT_TRUE(m_dir.Exists("rmkundo.dat"));
    m_dir.WriteFile("remark9.dat", std::string(96, 'x'));
    m_doc.ToggleAutoCapitalize();
    m_prompter.Script(Answer::No);
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(m_prompter.Shown().back(), Str(StrId::SaveChanges));
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), atStart);
    EXPECT_FALSE(m_dir.Exists("rmkundo.dat"));
    EXPECT_FALSE(m_doc.IsLoaded());
}

TEST_F(ShellTest, ExitAnsweredCancelKeepsTheProgramOpen) {
    m_doc.ToggleAutoCapitalize();
    m_frame->show();
    m_prompter.Script(Answer::Cancel);
    EXPECT_FALSE(m_frame->close());
    EXPECT_TRUE(m_doc.IsLoaded());
    EXPECT_TRUE(m_frame->isVisible());
}

TEST_F(ShellTest, ClosingDuringAPrintPreviewIsRefused) {
    m_frame->SetPreviewActive([] { return true; });
    m_frame->show();
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(m_prompter.Shown().back(), "Use Close Button");
}

TEST_F(ShellTest, PasswordChangeConfirmedTwice) {
    OnNextDialog<PasswordChangeDialog>([](PasswordChangeDialog& dialog) {
        auto* prompt = Child<QLabel>(dialog, "promptLabel");
        auto* edit = Child<QLineEdit>(dialog, "passwordEdit");
        auto* ok = Child<QPushButton>(dialog, "okButton");
        EXPECT_EQ(prompt->text().toStdString(), Str(StrId::EnterNewPassword));
        QTest::keyClicks(edit, QStringLiteral("Owca7"));
        ok->click();
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_NE(prompt->text().toStdString().find(Str(StrId::PasswordAgain)), std::string::npos);
        QTest::keyClicks(edit, QStringLiteral("Owca7"));
        ok->click();
    });
    Action(cmd::kPassword)->trigger();
    EXPECT_EQ(m_prompter.Shown().back(), Str(StrId::PasswordChanged));
    EXPECT_EQ(m_doc.Database().Header().Password(), "Owca7");
    EXPECT_TRUE(m_doc.IsModified());

    // Now the old password is asked first; a wrong one changes nothing.
    m_prompter.Clear();
    OnNextDialog<PasswordDialog>([](PasswordDialog& dialog) {
        auto* prompt = Child<QLabel>(dialog, "promptLabel");
        EXPECT_EQ(prompt->text().toStdString(), Str(StrId::EnterOldPassword));
        QTest::keyClicks(Child<QLineEdit>(dialog, "passwordEdit"), QStringLiteral("zle"));
        Child<QPushButton>(dialog, "okButton")->click();
        EXPECT_EQ(prompt->text().toStdString(), Str(StrId::WrongPassword));
        Child<QPushButton>(dialog, "okButton")->click();
    });
    Action(cmd::kPassword)->trigger();
    EXPECT_TRUE(m_prompter.Shown().empty());
    EXPECT_EQ(m_doc.Database().Header().Password(), "Owca7");
}

TEST_F(ShellTest, PasswordSwitchedOffWithAnEmptyEntry) {
    m_doc.Database().Header().SetPassword("Owca7");
    OnNextDialog<PasswordDialog>([](PasswordDialog& dialog) {
        OnNextDialog<PasswordChangeDialog>([](PasswordChangeDialog& change) {
            Child<QPushButton>(change, "okButton")->click();
            Child<QPushButton>(change, "okButton")->click();
        });
        QTest::keyClicks(Child<QLineEdit>(dialog, "passwordEdit"), QStringLiteral("Owca7")); // no OK needed
    });
    Action(cmd::kPassword)->trigger();
    EXPECT_EQ(m_prompter.Shown().back(), Str(StrId::PasswordOff));
    EXPECT_EQ(m_doc.Database().Header().Password(), " ");
}

TEST_F(ShellTest, DifferentEntriesLeaveThePassword) {
    OnNextDialog<PasswordChangeDialog>([](PasswordChangeDialog& dialog) {
        QTest::keyClicks(Child<QLineEdit>(dialog, "passwordEdit"), QStringLiteral("abc"));
        Child<QPushButton>(dialog, "okButton")->click();
        QTest::keyClicks(Child<QLineEdit>(dialog, "passwordEdit"), QStringLiteral("abd"));
        Child<QPushButton>(dialog, "okButton")->click();
    });
    Action(cmd::kPassword)->trigger();
    EXPECT_EQ(m_prompter.Shown().back(), Str(StrId::PasswordNotChanged));
    EXPECT_FALSE(m_doc.Database().Header().HasPassword());
    EXPECT_FALSE(m_doc.IsModified());
}

class PasswordGateTest : public DocumentTest {};

TEST_F(PasswordGateTest, AProtectedRegisterOpensOnlyForTheRightPassword) {
    Open();
    ASSERT_TRUE(m_doc.SetPassword("Owca7"));
    ASSERT_TRUE(m_doc.Save(m_prompter));
    m_doc.Close();

    CMainFrame frame(m_doc, m_prompter);
    OnNextDialog<PasswordDialog>([](PasswordDialog& dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "promptLabel")->text().toStdString(), Str(StrId::EnterPassword));
        QTest::keyClicks(Child<QLineEdit>(dialog, "passwordEdit"), QStringLiteral("Owca7"));
    });
    EXPECT_TRUE(frame.OpenDocument(m_folder, m_clock, false));
    m_doc.Close();

    m_prompter.Clear();
    OnNextDialog<PasswordDialog>([](PasswordDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(frame.OpenDocument(m_folder, m_clock, false));
    EXPECT_FALSE(m_doc.IsLoaded());
    EXPECT_TRUE(m_prompter.Shown().empty()); // a refused password ends the start silently
}

TEST_F(PasswordGateTest, TheStartupNoteFollowsTheSetting) {
    CMainFrame frame(m_doc, m_prompter);
    ASSERT_TRUE(frame.OpenDocument(m_folder, m_clock, true));
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown()[0], std::string(Str(StrId::StartupNote1)) + "  " +
                                         std::string(Str(StrId::StartupNote2)) + "  " +
                                         std::string(Str(StrId::StartupNote3)));
    frame.Router().Execute(cmd::kStartupNoteOff);
    frame.Router().Execute(cmd::kSave);
    m_doc.Close();

    m_prompter.Clear();
    ASSERT_TRUE(frame.OpenDocument(m_folder, m_clock, true));
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(PasswordGateTest, AMissingFolderIsReported) {
    CMainFrame frame(m_doc, m_prompter);
    EXPECT_FALSE(frame.OpenDocument(DataFolder(m_dir.Path() / "brak"), m_clock, false));
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_NE(m_prompter.Shown()[0].find("brak"), std::string::npos);
}

TEST(CommandRules, EnablingFollowsTheDocumentState) {
    DocumentFacts facts;
    EXPECT_TRUE(DocumentCommandEnabled(cmd::kPublishers, facts));
    EXPECT_FALSE(DocumentCommandEnabled(cmd::kSave, facts));
    EXPECT_FALSE(DocumentCommandEnabled(cmd::kAuxiliaryPioneers, facts));
    EXPECT_FALSE(DocumentCommandEnabled(cmd::kDataExport, facts));
    EXPECT_FALSE(DocumentCommandEnabled(cmd::kDeletedList, facts));
    facts.persons = 3;
    facts.modified = true;
    facts.deletedPersons = 1;
    for (int id : {cmd::kSave, cmd::kAuxiliaryPioneers, cmd::kTimeAccounting, cmd::kDataExport, cmd::kDeletedList,
                   cmd::kCircuitOverseer})
        EXPECT_TRUE(DocumentCommandEnabled(id, facts)) << id;
    facts.pastMonthMode = true;
    for (int id : {cmd::kSave, cmd::kPublishers, cmd::kPassword, cmd::kAuxiliaryPioneers, cmd::kDeletedList,
                   cmd::kUserCategory, cmd::kBackup})
        EXPECT_FALSE(DocumentCommandEnabled(id, facts)) << id;
    EXPECT_TRUE(DocumentCommandEnabled(cmd::kDataExport, facts));
    EXPECT_TRUE(DocumentCommandEnabled(cmd::kCircuitOverseer, facts));
}

TEST(Telephony, HandsTheNumberToTheDesktopOrSaysWhy) {
    ScriptedPrompter prompter;
    QUrl opened;
    Telephony working([] { return true; },
                      [&](const QUrl& url) {
                          opened = url;
                          return true;
                      });
    EXPECT_TRUE(working.DialNumber("+48 (22) 123-45-67", "Jan Nowak", prompter));
    EXPECT_EQ(opened.toString(QUrl::FullyEncoded).toStdString(), "tel:+48221234567;app=VARDO;name=Jan%20Nowak");
    EXPECT_TRUE(prompter.Shown().empty());

    EXPECT_FALSE(Telephony([] { return false; }, [](const QUrl&) { return true; }).DialNumber("1", "", prompter));
    EXPECT_EQ(prompter.Shown().back(), "Telephone service not available");
    EXPECT_FALSE(Telephony([] { return true; }, [](const QUrl&) { return false; }).DialNumber("1", "", prompter));
    EXPECT_EQ(prompter.Shown().back(), "bad procaddress");
}

TEST(SingleInstance, ASecondStartRaisesTheFirst) {
    const QString name = QStringLiteral("VARDO_9_test_%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    SingleInstance second(name);
    EXPECT_FALSE(first.RaiseRunningInstance(200)); // nobody is listening yet
    ASSERT_TRUE(first.Listen());
    QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
    EXPECT_TRUE(second.RaiseRunningInstance(2000));
    EXPECT_TRUE(raised.wait(2000));
    EXPECT_EQ(SingleInstance::ServerName(), QStringLiteral("VARDO_9_polish"));
}

TEST(MenuLayout, CommandIdsAreUnique) {
    auto ids = MenuCommandIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

} // namespace
} // namespace vardo

namespace vardo {
namespace {

// With every command of the program registered, no menu item or panel button is left without a handler,
// and each enabled one runs.
TEST_F(ShellTest, EveryMenuItemAndPanelButtonHasAHandlerOnceEverythingIsRegistered) {
    AddPerson("Jan", "Kowalski");
    CVardoView view(m_doc, m_prompter, m_clock);
    m_frame->AttachView(view);
    RegisterEveryCommand(*m_frame, m_doc, m_prompter, m_clock, view);
    m_frame->UpdateCommands();
    std::vector<int> unwired;
    for (int id : MenuCommandIds())
        if (!m_frame->Router().Has(id))
            unwired.push_back(id);
    EXPECT_EQ(unwired, std::vector<int>{}) << "menu commands without a handler";
    for (auto* button : m_frame->Panel().findChildren<QPushButton*>()) {
        const int command = MainPanel::CommandOfButton(button->objectName().mid(6).toInt());
        EXPECT_TRUE(m_frame->Router().Has(command)) << button->objectName().toStdString() << " -> " << command;
    }
}

} // namespace
} // namespace vardo
