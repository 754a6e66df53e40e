// The backup dialog over a document in the main window: backup, restore from the history list and from a
// searched folder, undo of the last restore, and a password-protected backup.

#include <algorithm>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "../gui/GuiTestSupport.h"
#include "Persons.h"
#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/exchange/Backup.h"
#include "core/exchange/BackupFileSet.h"
#include "core/exchange/BackupHistory.h"
#include "core/exchange/Restore.h"
#include "core/platform/Strings.h"
#include "core/store/Settings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/PasswordDialog.h"
#include "gui/exchange/BackupCommands.h"
#include "gui/exchange/CBackupDlg.h"

namespace vardo {
namespace {

using test::Child;
using test::OnNextDialog;

// A clock the test sets, so that every backup of a test has a minute of its own.
class SetClock final : public Clock {
public:
    DateTime Now() const override { return now; }
    DateTime now{Date{2024, 3, 10}, 9, 15, 0};
};

// Answers every password dialog that opens: the next text of the script is typed (an empty text cancels the
// dialog). Counts the dialogs.
class PasswordResponder {
public:
    explicit PasswordResponder(std::deque<QString> script) : m_script(std::move(script)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog == m_answered.data())
                return;
            m_answered = dialog;
            ++m_count;
            const QString text = m_script.empty() ? QString() : m_script.front();
            if (!m_script.empty())
                m_script.pop_front();
            if (text.isEmpty())
                dialog->reject();
            else
                QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("passwordEdit")), text);
        });
        m_timer.start();
    }
    int Count() const { return m_count; }

private:
    QTimer m_timer;
    std::deque<QString> m_script;
    QPointer<PasswordDialog> m_answered;
    int m_count = 0;
};

QString Text(const QLabel* label) {
    return label ? label->text() : QString();
}

class BackupDialogGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_drive);
        DemoOptions demo;
        demo.people = 12;
        const Status written = WriteDemoCongregation(m_data, m_clock, demo, m_prompter);
        ASSERT_TRUE(written) << written.message();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        RegisterBackupCommands(*m_frame, m_doc, m_prompter, m_clock);
        ASSERT_TRUE(m_frame->OpenDocument(m_data, m_clock, false));
        m_prompter.Clear();
    }

    void TearDown() override {
        m_frame.reset();
        m_doc.Close();
    }

    int Persons() const { return m_doc.IsLoaded() ? m_doc.Database().PersonCount() : -1; }

    // Adds a person and saves, so that the data folder differs from the backups made before.
    void AddPersonAndSave(std::string_view last) {
        test::AddPersonTo(m_doc.Database(), "Nowa", last, m_prompter);
        const Status saved = m_doc.Save(m_prompter, true);
        ASSERT_TRUE(saved) << saved.message();
    }

    std::string DriveWithSeparator() const { return m_drive.string() + "/"; }

    // Picks `folder` in the folder picker that the click on the dialog's browse button opens.
    static void BrowseTo(CBackupDlg& dialog, const std::filesystem::path& folder) {
        const QString path = QString::fromStdString(folder.string());
        OnNextDialog<QFileDialog>([path](QFileDialog& picker) {
            picker.setDirectory(path);
            static_cast<QDialog&>(picker).accept(); // QFileDialog::accept checks the folder
        });
        Child<QPushButton>(dialog, "browseButton")->click();
    }

    // A backup through File > "Kopia Bezpieczeństwa" into the drive folder; the set's full path.
    std::string BackupThroughMenu() {
        OnNextDialog<CBackupDlg>([this](CBackupDlg& dialog) {
            BrowseTo(dialog, m_drive);
            Child<QPushButton>(dialog, "okButton")->click();
            EXPECT_EQ(Text(Child<QLabel>(dialog, "promptLabel")).toStdString(), Str(StrId::BackupCreated));
            Child<QPushButton>(dialog, "okButton")->click();
        });
        m_frame->Action(cmd::kBackup)->trigger();
        const std::string set = BackupSetPath(m_drive.string(), m_clock.now);
        ++m_clock.now.minute;
        return set;
    }

    // Restores the newest history entry through File > "Przywracanie".
    void RestoreLatestThroughMenu() {
        OnNextDialog<CBackupDlg>([](CBackupDlg& dialog) { Child<QPushButton>(dialog, "okButton")->click(); });
        m_frame->Action(cmd::kRestore)->trigger();
    }

    test::TempDir m_dir;
    DataFolder m_data{m_dir.Path() / "data"};
    std::filesystem::path m_drive = m_dir.Path() / "drive";
    SetClock m_clock;
    ScriptedPrompter m_prompter;
    CVardoDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(BackupDialogGuiTest, CommandsSitInTheBackupSubmenuOfTheFileMenu) {
    QAction* backup = m_frame->Action(cmd::kBackup);
    QAction* restore = m_frame->Action(cmd::kRestore);
    ASSERT_TRUE(backup && restore);
    EXPECT_TRUE(backup->isEnabled());
    EXPECT_TRUE(restore->isEnabled());
    QMenu* submenu = nullptr;
    for (QObject* holder : backup->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder))
            submenu = menu;
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(submenu->title(), QStringLiteral("Kopia i Przywracanie"));
    EXPECT_TRUE(submenu->actions().contains(restore));
    EXPECT_TRUE(m_frame->MenuOf(cmd::kSave)->actions().contains(submenu->menuAction()));
}

TEST_F(BackupDialogGuiTest, BackupSavesFirstCopiesTheSetAndRecordsIt) {
    m_doc.ToggleStartupNote(); // an unsaved change, which the backup must carry
    ASSERT_TRUE(m_doc.IsModified());
    const std::uint64_t spaceAtOpening = FileSetSize(m_data) * 7;

    OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kopia"));
        EXPECT_TRUE(Child<QGroupBox>(dialog, "spaceGroup")->isVisibleTo(&dialog));
        EXPECT_EQ(Text(Child<QLabel>(dialog, "spaceLabel")).toStdString(),
                  std::string(Str(StrId::SpaceNeeded)) + ": " + std::to_string(spaceAtOpening) + " bytes");
        EXPECT_EQ(Child<QGroupBox>(dialog, "pathGroup")->title().toStdString(), Str(StrId::BackupDestGroup));
        for (const char* hidden : {"historyRadio", "folderRadio", "useLastCheck", "undoCheck", "listGroup"})
            EXPECT_FALSE(Child<QWidget>(dialog, hidden)->isVisibleTo(&dialog)) << hidden;

        BrowseTo(dialog, m_drive);
        EXPECT_EQ(Text(Child<QLabel>(dialog, "pathLabel")).toStdString(), DriveWithSeparator());
        EXPECT_EQ(Text(Child<QLabel>(dialog, "promptLabel")).toStdString(),
                  FormatArgs(Str(StrId::ClickOkToBackup), {DriveWithSeparator()}));

        Child<QPushButton>(dialog, "okButton")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Text(Child<QLabel>(dialog, "promptLabel")).toStdString(), Str(StrId::BackupCreated));
        EXPECT_EQ(Child<QPushButton>(dialog, "cancelButton")->text().toStdString(), Str(StrId::Close));
        EXPECT_FALSE(Child<QPushButton>(dialog, "browseButton")->isVisibleTo(&dialog));
        Child<QPushButton>(dialog, "okButton")->click(); // a further OK closes
        EXPECT_FALSE(dialog.isVisible());
    });
    m_frame->Action(cmd::kBackup)->trigger();

    const std::filesystem::path set = BackupSetPath(m_drive.string(), m_clock.now);
    ASSERT_TRUE(std::filesystem::is_directory(set)) << set;
    const DataFolder copy(set);
    for (const std::string_view name : BackupFileNames()) {
        if (name == "vardok.ini" || !m_data.Exists(name))
            continue;
        EXPECT_EQ(copy.ReadAll(name).value(), m_data.ReadAll(name).value()) << name;
    }
    // The change made before the backup was saved first, and the copy holds it.
    const auto copiedSettings = LoadSettingsFile(copy);
    ASSERT_TRUE(copiedSettings);
    EXPECT_EQ(ReadSettings(copiedSettings.value(), set.string(), m_doc.LanguageTag()).noStartupNote, 1);

    const BackupHistory history = BackupHistory::Load(m_data);
    ASSERT_EQ(history.ValidIndexes().size(), 1u);
    EXPECT_EQ(history.Entry(0).path, set.string());

    // The destination and the date are in the settings file on disk, and nothing is left unsaved.
    const auto settings = LoadSettingsFile(m_data);
    ASSERT_TRUE(settings);
    EXPECT_EQ(LastBackupDestination(settings.value()), DriveWithSeparator());
    EXPECT_EQ(LastBackupDate(settings.value()), "2024-03-10");
    EXPECT_EQ(LastBackupDestination(m_doc.SettingsFile()), DriveWithSeparator());
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(BackupDialogGuiTest, SecondBackupInTheSameMinuteAsksToRetryAndKeepsTheFirst) {
    const std::string first = BackupThroughMenu();
    --m_clock.now.minute;
    const std::string registerBefore = DataFolder(first).ReadAll("tdat9.bin").value();
    AddPersonAndSave("Późniejsza");

    OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
        // The destination of the last backup is offered again.
        EXPECT_EQ(Text(Child<QLabel>(dialog, "pathLabel")).toStdString(), DriveWithSeparator());
        Child<QPushButton>(dialog, "okButton")->click();
        EXPECT_EQ(Text(Child<QLabel>(dialog, "promptLabel")).toStdString(), Str(StrId::RetryInOneMinute));
        EXPECT_EQ(Child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("Anuluj"));
        Child<QPushButton>(dialog, "cancelButton")->click();
    });
    m_frame->Action(cmd::kBackup)->trigger();
    EXPECT_EQ(DataFolder(first).ReadAll("tdat9.bin").value(), registerBefore);
    EXPECT_EQ(BackupHistory::Load(m_data).ValidIndexes().size(), 1u);
}

TEST_F(BackupDialogGuiTest, RestoreFromTheHistoryListReloadsTheCopy) {
    const int before = Persons();
    const std::string set = BackupThroughMenu();
    AddPersonAndSave("Dodana");
    ASSERT_EQ(Persons(), before + 1);

    OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), Str(StrId::RestoreCaption));
        EXPECT_FALSE(Child<QGroupBox>(dialog, "spaceGroup")->isVisibleTo(&dialog));
        EXPECT_TRUE(Child<QRadioButton>(dialog, "historyRadio")->isChecked());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "useLastCheck")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "undoCheck")->isVisibleTo(&dialog)); // nothing restored yet
        EXPECT_FALSE(Child<QPushButton>(dialog, "browseButton")->isVisibleTo(&dialog));
        auto* list = Child<QListWidget>(dialog, "listWidget");
        EXPECT_TRUE(Child<QGroupBox>(dialog, "listGroup")->isVisibleTo(&dialog));
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(list->item(0)->text().toStdString(), BackupHistory::Load(m_data).Entry(0).text);
        EXPECT_EQ(Text(Child<QLabel>(dialog, "promptLabel")).toStdString(),
                  FormatArgs(Str(StrId::ClickOkToRestore), {set}));
        Child<QPushButton>(dialog, "okButton")->click();
    });
    m_frame->Action(cmd::kRestore)->trigger();

    ASSERT_TRUE(m_doc.IsLoaded());
    EXPECT_EQ(Persons(), before);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(CanUndoRestore(m_data));
    EXPECT_EQ(m_data.ReadAll("tdat9.bin").value(), DataFolder(set).ReadAll("tdat9.bin").value());
    EXPECT_FALSE(m_data.Exists(kRestoreJournal));
}

TEST_F(BackupDialogGuiTest, RestoreFromASearchedFolder) {
    const int before = Persons();
    const std::string first = BackupThroughMenu();
    AddPersonAndSave("Druga");
    const std::string second = BackupThroughMenu();
    AddPersonAndSave("Trzecia");
    ASSERT_EQ(Persons(), before + 2);
    const std::string firstName = std::filesystem::path(first).filename().string();

    OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
        auto* list = Child<QListWidget>(dialog, "listWidget");
        auto* ok = Child<QPushButton>(dialog, "okButton");
        ASSERT_EQ(list->count(), 2); // the history first
        Child<QRadioButton>(dialog, "folderRadio")->click();
        EXPECT_TRUE(Child<QPushButton>(dialog, "browseButton")->isVisibleTo(&dialog));
        EXPECT_FALSE(Child<QCheckBox>(dialog, "useLastCheck")->isVisibleTo(&dialog));
        EXPECT_EQ(Child<QGroupBox>(dialog, "pathGroup")->title().toStdString(), Str(StrId::RestoreSourceGroup));

        // A folder without sets: nothing to choose, nothing to confirm.
        BrowseTo(dialog, m_dir.Path());
        EXPECT_EQ(list->count(), 0);
        EXPECT_FALSE(Child<QGroupBox>(dialog, "listGroup")->isVisibleTo(&dialog));
        EXPECT_FALSE(ok->isVisibleTo(&dialog));

        BrowseTo(dialog, m_drive);
        ASSERT_EQ(list->count(), 2);
        EXPECT_FALSE(ok->isVisibleTo(&dialog));
        const auto found = list->findItems(QString::fromStdString("[" + firstName + "]"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.front());
        const std::string chosen = DriveWithSeparator() + firstName + "/";
        EXPECT_EQ(Text(Child<QLabel>(dialog, "pathLabel")).toStdString(), chosen);
        EXPECT_EQ(Text(Child<QLabel>(dialog, "promptLabel")).toStdString(),
                  FormatArgs(Str(StrId::ClickOkToRestore), {chosen}));
        EXPECT_TRUE(ok->isVisibleTo(&dialog));
        ok->click();
    });
    m_frame->Action(cmd::kRestore)->trigger();

    EXPECT_EQ(Persons(), before);
    EXPECT_EQ(m_data.ReadAll("tdat9.bin").value(), DataFolder(first).ReadAll("tdat9.bin").value());
    EXPECT_NE(m_data.ReadAll("tdat9.bin").value(), DataFolder(second).ReadAll("tdat9.bin").value());
}

TEST_F(BackupDialogGuiTest, UndoTheLastRestoreAndUndoTheUndo) {
    const int before = Persons();
    (void)BackupThroughMenu();
    AddPersonAndSave("Cofnięta");
    RestoreLatestThroughMenu();
    ASSERT_EQ(Persons(), before);

    const auto undo = [&] {
        OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
            auto* undoCheck = Child<QCheckBox>(dialog, "undoCheck");
            ASSERT_TRUE(undoCheck->isVisibleTo(&dialog));
            EXPECT_FALSE(undoCheck->isChecked());
            undoCheck->click();
            EXPECT_TRUE(Text(Child<QLabel>(dialog, "promptLabel"))
                            .startsWith(QString::fromUtf8(Str(StrId::UndoRestoreText).data())));
            for (const char* hidden : {"listGroup", "historyRadio", "folderRadio", "useLastCheck", "browseButton"})
                EXPECT_FALSE(Child<QWidget>(dialog, hidden)->isVisibleTo(&dialog)) << hidden;
            // Unchecking gives the history back.
            undoCheck->click();
            EXPECT_TRUE(Child<QGroupBox>(dialog, "listGroup")->isVisibleTo(&dialog));
            undoCheck->click();
            Child<QPushButton>(dialog, "okButton")->click();
        });
        m_frame->Action(cmd::kRestore)->trigger();
    };
    undo();
    EXPECT_EQ(Persons(), before + 1);
    EXPECT_FALSE(m_data.IsFolder(kUndoRestoreTempFolder));
    undo(); // the state the undo replaced was kept
    EXPECT_EQ(Persons(), before);
}

TEST_F(BackupDialogGuiTest, ProtectedBackupAsksItsPasswordOnce) {
    ASSERT_TRUE(m_doc.SetPassword("Owca7"));
    ASSERT_TRUE(m_doc.Save(m_prompter));
    const int before = Persons();
    (void)BackupThroughMenu();
    ASSERT_TRUE(m_doc.SetPassword(""));
    AddPersonAndSave("Jawna");

    PasswordResponder responder({QString(), QStringLiteral("Owca7")});
    OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
        // Cancelled password: nothing restored, the dialog stays open and says why.
        Child<QPushButton>(dialog, "okButton")->click();
        EXPECT_EQ(responder.Count(), 1);
        EXPECT_TRUE(dialog.isVisible());
        const std::string prompt = Text(Child<QLabel>(dialog, "promptLabel")).toStdString();
        EXPECT_FALSE(prompt.empty());
        EXPECT_EQ(prompt.find(Str(StrId::ClickOkToRestore).substr(0, 10)), std::string::npos);
        EXPECT_EQ(Persons(), before + 1);
        EXPECT_FALSE(CanUndoRestore(m_data));

        Child<QPushButton>(dialog, "okButton")->click();
    });
    m_frame->Action(cmd::kRestore)->trigger();

    // The reload did not ask again for the password just given.
    EXPECT_EQ(responder.Count(), 2);
    ASSERT_TRUE(m_doc.IsLoaded());
    EXPECT_EQ(Persons(), before);
    EXPECT_EQ(m_doc.Database().Header().Password(), "Owca7");
}

// A host that checks, for every file, that the prompt line already shows it.
class ProgressProbe final : public BackupHost {
public:
    void SaveAll() override {}
    void RecordBackup(std::string_view, const Date&) override {}
    bool CheckPassword(std::string_view) override { return false; }
    void ReloadAll() override {}
    void Progress(std::string_view line) override {
        auto* dialog = qobject_cast<CBackupDlg*>(QApplication::activeModalWidget());
        lines.emplace_back(line);
        shown.push_back(dialog ? Text(dialog->findChild<QLabel*>(QStringLiteral("promptLabel"))).toStdString() : "");
    }
    std::vector<std::string> lines;
    std::vector<std::string> shown;
};

TEST_F(BackupDialogGuiTest, PromptLineFollowsTheCopyFileByFile) {
    ProgressProbe probe;
    OnNextDialog<CBackupDlg>([&](CBackupDlg& dialog) {
        BrowseTo(dialog, m_drive);
        Child<QPushButton>(dialog, "okButton")->click();
        dialog.reject();
    });
    EXPECT_TRUE(CBackupDlg::Run(m_frame.get(), BackupDialogPresenter::Mode::Backup, m_data, m_doc.SettingsFile(),
                                m_clock, m_doc.GetWorkingMonth().monthIndex, 0, probe, m_prompter));
    ASSERT_FALSE(probe.lines.empty());
    EXPECT_EQ(probe.shown, probe.lines);
    EXPECT_NE(std::find(probe.lines.begin(), probe.lines.end(), FormatArgs(Str(StrId::BackingUpFile), {"tdat9.bin"})),
              probe.lines.end());
}

} // namespace
} // namespace vardo
