#include "core/exchange/BackupDialogPresenter.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "BackupFixture.h"
#include "core/exchange/Backup.h"
#include "core/exchange/Restore.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

constexpr int kMarch = 2;

class RecordingHost final : public BackupHost {
public:
    void SaveAll() override { ++saves; }
    void RecordBackup(std::string_view destination, const Date& date) override {
        recorded = std::string(destination) + " " + date.ToIso();
    }
    bool CheckPassword(std::string_view stored) override { return stored == password; }
    void ReloadAll() override { ++reloads; }
    void Progress(std::string_view line) override { lines.emplace_back(line); }

    int saves = 0;
    int reloads = 0;
    std::string recorded;
    std::string password;
    std::vector<std::string> lines;
};

class BackupDialogTest : public test::TempDataFolderTest {
protected:
    void SetUp() override {
        test::WriteSet(m_dir, "data", "A");
        test::WriteSet(m_dir, "data/Roll/Vd9_2", "A2");
        fs::create_directories(m_dir.Path() / "dest");
        m_settings.SetString("Kopia Zapasowa", "Ścieżka", Dest());
    }
    std::string Dest() const { return (m_dir.Path() / "dest").string(); }
    DataFolder Data() const { return m_folder.Sub("data"); }
    BackupDialogPresenter Open(BackupDialogPresenter::Mode mode) {
        return BackupDialogPresenter(mode, Data(), m_settings, m_clock, kMarch, ComputeSnapshotMask(Data(), kMarch),
                                     m_host, m_prompter);
    }

    IniFile m_settings;
    FixedClock m_clock{{2024, 3, 5}, 14, 30, 0};
    RecordingHost m_host;
    ScriptedPrompter m_prompter;
};

TEST_F(BackupDialogTest, BackupModeShowsSpaceAndDestinationThenCreatesOnce) {
    BackupDialogPresenter dialog = Open(BackupDialogPresenter::Mode::Backup);
    const BackupDialogView& v = dialog.View();
    EXPECT_EQ(v.caption, Str(StrId::BackupCaption));
    EXPECT_TRUE(v.spaceVisible);
    EXPECT_EQ(v.spaceText, FormatPrintf("Wymagana przestrzeń: %llu bytes",
                                        static_cast<unsigned long long>(FileSetSize(Data()) * 7)));
    EXPECT_EQ(v.pathText, Dest() + "/");
    EXPECT_EQ(v.prompt, "Kliknij OK by utworzyć Kopię Zapasową.: " + Dest() + "/");
    EXPECT_FALSE(v.listVisible || v.historyRadioVisible || v.folderRadioVisible || v.useLastVisible || v.undoVisible);
    EXPECT_EQ(v.cancelText, "Anuluj");

    EXPECT_EQ(dialog.Ok(), BackupDialogPresenter::After::Stay);
    EXPECT_TRUE(dialog.Done());
    EXPECT_EQ(m_host.saves, 1);
    EXPECT_EQ(m_host.recorded, Dest() + "/ 2024-03-05");
    EXPECT_EQ(v.prompt, Str(StrId::BackupCreated));
    EXPECT_EQ(v.cancelText, Str(StrId::Close));
    EXPECT_EQ(m_host.lines.size(), 24u);
    EXPECT_EQ(m_host.lines.front(), "Backing up file: tdat9.bin");
    EXPECT_EQ(test::SetDifference(m_dir, "dest/Vd9_1430_2024Mar05/Roll/Vd9_2", "A2"), "");
    EXPECT_EQ(dialog.Ok(), BackupDialogPresenter::After::Close);

    // The same minute again: the prompt line asks to retry, the dialog stays.
    BackupDialogPresenter again = Open(BackupDialogPresenter::Mode::Backup);
    EXPECT_EQ(again.Ok(), BackupDialogPresenter::After::Stay);
    EXPECT_FALSE(again.Done());
    EXPECT_EQ(again.View().prompt, Str(StrId::RetryInOneMinute));
}

TEST_F(BackupDialogTest, BackupSetRefusedAsDestination) {
    BackupDialogPresenter dialog = Open(BackupDialogPresenter::Mode::Backup);
    dialog.Browse(Dest() + "/Vd9_0900_2024Jan01");
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown()[0], FormatArgs(Str(StrId::NotABackupPlace), {"Vd9_0900_2024Jan01"}));
    EXPECT_EQ(dialog.CurrentPath(), Dest() + "/");
    dialog.Browse((m_dir.Path() / "data").string());
    EXPECT_EQ(dialog.CurrentPath(), (m_dir.Path() / "data/").string());
}

TEST_F(BackupDialogTest, SettingsPathThatIsNoFolderFallsBackToTheDataFolder) {
    m_settings.SetString("Kopia Zapasowa", "Ścieżka", "C:\\Kopie\\");
    EXPECT_EQ(Open(BackupDialogPresenter::Mode::Backup).CurrentPath(), (m_dir.Path() / "data/").string());
}

TEST_F(BackupDialogTest, RestoreFromTheHistoryThenUndo) {
    test::WriteSet(m_dir, "dest/Vd9_0900_2024Jan01", "B");
    test::WriteSet(m_dir, "dest/Vd9_0800_2024Jan01", "C");
    ASSERT_TRUE(BackupHistory::Push(Data(), {"gone", "/nowhere/Vd9_0100_2020Jan01"}));
    ASSERT_TRUE(BackupHistory::Push(Data(), {"C text", Dest() + "/Vd9_0800_2024Jan01"}));
    ASSERT_TRUE(BackupHistory::Push(Data(), {"B text", Dest() + "/Vd9_0900_2024Jan01"}));

    BackupDialogPresenter dialog = Open(BackupDialogPresenter::Mode::Restore);
    const BackupDialogView& v = dialog.View();
    EXPECT_EQ(v.caption, Str(StrId::RestoreCaption));
    EXPECT_TRUE(v.historyListMode);
    EXPECT_TRUE(v.useLastChecked);
    EXPECT_EQ(v.listItems, (std::vector<std::string>{"B text", "C text"}));
    EXPECT_EQ(v.selectedItem, 0);
    EXPECT_EQ(dialog.CurrentPath(), Dest() + "/Vd9_0900_2024Jan01");
    EXPECT_EQ(v.prompt, "Kliknij OK by przywrócić Kopię Zapasową.: " + Dest() + "/Vd9_0900_2024Jan01");
    EXPECT_FALSE(v.undoVisible);
    EXPECT_FALSE(v.browseVisible);

    dialog.SelectItem(1);
    EXPECT_FALSE(v.useLastChecked);
    EXPECT_EQ(v.selectedItem, 1);
    EXPECT_EQ(dialog.Ok(), BackupDialogPresenter::After::Close);
    EXPECT_EQ(m_host.reloads, 1);
    EXPECT_EQ(test::SetDifference(m_dir, "data", "C"), "");
    EXPECT_EQ(m_host.lines.front(), "Przywracam plik tdat9.bin");

    BackupDialogPresenter undo = Open(BackupDialogPresenter::Mode::Restore);
    EXPECT_TRUE(undo.View().undoVisible);
    undo.SetUndoLastRestore(true);
    EXPECT_EQ(undo.CurrentPath(), Data().Resolve("unrestore").string());
    EXPECT_TRUE(undo.View().prompt.starts_with(std::string(Str(StrId::UndoRestoreText)) + " : "));
    EXPECT_TRUE(undo.View().prompt.ends_with("\n"));
    EXPECT_FALSE(undo.View().listVisible || undo.View().historyRadioVisible || undo.View().useLastVisible);
    EXPECT_EQ(undo.Ok(), BackupDialogPresenter::After::Close);
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore", "C"), "");
}

TEST_F(BackupDialogTest, FolderSearchListsSetsAndOffersOkOnlyOnASet) {
    test::WriteSet(m_dir, "dest/Vd9_0900_2024Jan01", "B");
    fs::create_directories(m_dir.Path() / "dest/Inne");
    m_dir.WriteFile("dest/.vardo-backup-Vd9_1000_2024Jan01/tdat9.bin", "half");
    BackupDialogPresenter dialog = Open(BackupDialogPresenter::Mode::Restore);
    EXPECT_FALSE(dialog.View().historyListMode) << "no history: folder search";
    EXPECT_FALSE(dialog.View().historyRadioEnabled);
    EXPECT_EQ(dialog.View().listItems, std::vector<std::string>{"[Vd9_0900_2024Jan01]"});
    EXPECT_FALSE(dialog.View().okVisible);
    EXPECT_EQ(dialog.View().pathGroupText, Str(StrId::RestoreSourceGroup));
    EXPECT_TRUE(dialog.View().browseVisible);

    dialog.SelectItem(0);
    EXPECT_EQ(dialog.CurrentPath(), Dest() + "/Vd9_0900_2024Jan01/");
    EXPECT_TRUE(dialog.View().okVisible);
    dialog.SelectItem(0); // chosen again from inside the set: the parent is the base
    EXPECT_EQ(dialog.CurrentPath(), Dest() + "/Vd9_0900_2024Jan01/");

    // A protected set with a wrong password: refused, the dialog stays.
    m_dir.WriteFile("dest/Vd9_0900_2024Jan01/tdat9.bin", test::RegisterBytes("B", "haslo"));
    m_host.password = "inne";
    EXPECT_EQ(dialog.Ok(), BackupDialogPresenter::After::Stay);
    EXPECT_EQ(dialog.View().prompt, Str(StrId::WrongBackupPassword));
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
    m_host.password = "haslo";
    EXPECT_EQ(dialog.Ok(), BackupDialogPresenter::After::Close);
}

} // namespace
} // namespace vardo
