#include "core/exchange/Backup.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "BackupFixture.h"
#include "core/exchange/BackupHistory.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

constexpr int kMarch = 2; // snapshots 2, 1, 12, 11, 10, 9 lie one to six months back

TEST(BackupFileSet, SnapshotNumbersCountBackAcrossTheYear) {
    struct Case {
        int workingMonth, monthsBack, number;
    } cases[] = {{0, 1, 12}, {0, 6, 7}, {2, 1, 2}, {2, 3, 12}, {11, 6, 6}, {5, 6, 12}, {6, 6, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(SnapshotNumber(c.workingMonth, c.monthsBack), c.number)
            << "working month " << c.workingMonth << ", " << c.monthsBack << " back";
    EXPECT_EQ(SnapshotFolderName(12), "Roll/Vd9_12");
}

TEST(BackupFileSet, SetNamesAndRecognition) {
    EXPECT_EQ(BackupSetName({{2024, 3, 5}, 14, 30, 59}), "Vd9_1430_2024Mar05");
    EXPECT_EQ(BackupSetName({{2031, 12, 24}, 7, 5, 0}), "Vd9_0705_2031Dec24");
    EXPECT_TRUE(IsBackupSetPath("/media/pendrive/Vd9_1430_2024Mar05"));
    EXPECT_TRUE(IsBackupSetPath("/media/pendrive/Vd9_1430_2024Mar05/"));
    EXPECT_TRUE(IsBackupSetPath("D:\\Kopie\\Vd9_x\\"));
    EXPECT_FALSE(IsBackupSetPath("/media/Vd9_set/inside"));
    EXPECT_FALSE(IsBackupSetPath("/media/vd9_lowercase"));
    EXPECT_FALSE(IsBackupSetPath("/media/Vd9"));
    EXPECT_EQ(BackupSetPath("/kopie", {{2024, 3, 5}, 14, 30, 0}), "/kopie/Vd9_1430_2024Mar05");
    EXPECT_EQ(BackupSetPath("/kopie/", {{2024, 3, 5}, 14, 30, 0}), "/kopie/Vd9_1430_2024Mar05");
    EXPECT_EQ(BackupSetPath("/kopie//", {{2024, 3, 5}, 14, 30, 0}), "/kopie/Vd9_1430_2024Mar05");
}

using BackupFileSetTest = test::TempDataFolderTest;

TEST_F(BackupFileSetTest, CopySkipsMissingFilesAndReportsEachName) {
    test::WriteSet(m_dir, "a", "A");
    ASSERT_TRUE(fs::remove(m_dir.Path() / "a" / "spneed.dat"));
    m_dir.WriteFile("a/tdat7.bin", "older version");
    ASSERT_TRUE(m_folder.CreateFolder("b"));
    std::vector<std::string> told;
    ASSERT_TRUE(
        CopyFileSet(m_folder.Sub("a"), m_folder.Sub("b"), [&](std::string_view name) { told.emplace_back(name); }));
    EXPECT_EQ(told.size(), 11u);
    EXPECT_EQ(told.front(), "tdat9.bin");
    EXPECT_FALSE(m_dir.Exists("b/spneed.dat"));
    EXPECT_FALSE(m_dir.Exists("b/tdat7.bin"));
    EXPECT_EQ(m_dir.ReadFile("b/tcard.dat"), test::FileBytes("A", "tcard.dat"));
    EXPECT_EQ(FileSetSize(m_folder.Sub("b")), FileSetSize(m_folder.Sub("a")));
}

TEST_F(BackupFileSetTest, ClearKeepsOlderVersionFilesUnlessAsked) {
    test::WriteSet(m_dir, "", "A");
    m_dir.WriteFile("tdat7.bin", "older");
    m_dir.WriteFile("tdele7.dat", "older");
    m_dir.WriteFile("other.txt", "not ours");
    ASSERT_TRUE(ClearFileSet(m_folder, false));
    EXPECT_EQ(FileSetSize(m_folder), 0u);
    EXPECT_TRUE(m_dir.Exists("tdat7.bin"));
    ASSERT_TRUE(ClearFileSet(m_folder, true));
    EXPECT_FALSE(m_dir.Exists("tdat7.bin"));
    EXPECT_FALSE(m_dir.Exists("tdele7.dat"));
    EXPECT_TRUE(m_dir.Exists("other.txt"));
}

TEST_F(BackupFileSetTest, SnapshotMaskFollowsReadableRegisters) {
    m_dir.WriteFile("Roll/Vd9_2/tdat9.bin", "x");
    m_dir.WriteFile("Roll/vd9_12/TDAT9.BIN", "x"); // names copied from Windows
    m_dir.WriteFile("Roll/Vd9_3/tdat9.bin", "x");  // the working month itself is no snapshot
    fs::create_directories(m_dir.Path() / "Roll/Vd9_1/tdat9.bin");
    EXPECT_EQ(ComputeSnapshotMask(m_folder, kMarch), (1u << 1) | (1u << 3));
}

class MakeBackupTest : public test::TempDataFolderTest {
protected:
    void SetUp() override {
        test::WriteSet(m_dir, "data", "A");
        test::WriteSet(m_dir, "data/Roll/Vd9_2", "S2");
        test::WriteSet(m_dir, "data/Roll/Vd9_11", "S11");
        test::WriteSet(m_dir, "data/Roll/Vd9_5", "S5"); // older than six months: stays at home
        fs::create_directories(m_dir.Path() / "dest");
    }

    BackupRequest Request(std::string destination) const {
        BackupRequest request;
        request.data = m_folder.Sub("data");
        request.destination = std::move(destination);
        request.now = {{2024, 3, 5}, 14, 30, 0};
        request.workingMonthIndex = kMarch;
        request.snapshotMask = ComputeSnapshotMask(request.data, kMarch);
        return request;
    }
};

TEST_F(MakeBackupTest, SetHoldsTheFilesAndTheRecentSnapshotsAndEntersTheHistory) {
    BackupRequest request = Request((m_dir.Path() / "dest").string());
    int files = 0;
    request.progress = [&](std::string_view) { ++files; };
    const BackupOutcome outcome = MakeBackup(request);
    ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Created) << outcome.message;
    EXPECT_EQ(outcome.folder, (m_dir.Path() / "dest/Vd9_1430_2024Mar05").string());
    EXPECT_EQ(files, 36);
    EXPECT_EQ(test::SetDifference(m_dir, "dest/Vd9_1430_2024Mar05", "A"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "dest/Vd9_1430_2024Mar05/Roll/Vd9_2", "S2"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "dest/Vd9_1430_2024Mar05/Roll/Vd9_11", "S11"), "");
    EXPECT_FALSE(m_dir.Exists("dest/Vd9_1430_2024Mar05/Roll/Vd9_5"));
    EXPECT_EQ(DataFolder(m_dir.Path() / "dest").List().value(), std::vector<std::string>{"Vd9_1430_2024Mar05"});

    const BackupHistory history = BackupHistory::Load(request.data);
    EXPECT_EQ(history.Entry(0).path, outcome.folder);
    EXPECT_EQ(history.Entry(0).text, "Tuesday, March 05, 2024 2:30 PM");
    EXPECT_EQ(history.ValidIndexes(), std::vector<int>{0});
}

TEST_F(MakeBackupTest, SecondBackupOfTheSameMinuteIsRefusedAndLeavesTheFirst) {
    ASSERT_EQ(MakeBackup(Request((m_dir.Path() / "dest/").string())).kind, BackupOutcome::Kind::Created);
    test::WriteSet(m_dir, "data", "B");
    const BackupOutcome second = MakeBackup(Request((m_dir.Path() / "dest").string()));
    EXPECT_EQ(second.kind, BackupOutcome::Kind::FolderExists);
    EXPECT_EQ(second.message, Str(StrId::RetryInOneMinute));
    EXPECT_EQ(test::SetDifference(m_dir, "dest/Vd9_1430_2024Mar05", "A"), "");
    EXPECT_TRUE(BackupHistory::Load(m_folder.Sub("data")).Entry(1).Empty());
}

TEST_F(MakeBackupTest, FailedCopyLeavesNoSetAndNoHistory) {
    // A source that cannot be read (a folder in a file's place): the copy fails, and nothing half made remains.
    fs::remove(m_dir.Path() / "data/tcard.dat");
    fs::create_directory(m_dir.Path() / "data/tcard.dat");
    const BackupOutcome outcome = MakeBackup(Request((m_dir.Path() / "dest").string()));
    EXPECT_EQ(outcome.kind, BackupOutcome::Kind::Failed);
    EXPECT_NE(outcome.message.find("tcard.dat"), std::string::npos) << outcome.message;
    EXPECT_TRUE(DataFolder(m_dir.Path() / "dest").List().value().empty());
    EXPECT_TRUE(BackupHistory::Load(m_folder.Sub("data")).Entry(0).Empty());
}

TEST_F(MakeBackupTest, MissingDestinationFailsAndLeftoversOfAnInterruptedBackupGo) {
    EXPECT_EQ(MakeBackup(Request((m_dir.Path() / "nowhere").string())).kind, BackupOutcome::Kind::Failed);
    EXPECT_FALSE(m_dir.Exists("nowhere"));
    m_dir.WriteFile("dest/.vardo-backup-Vd9_0101_2024Mar01/tdat9.bin", "half");
    ASSERT_EQ(MakeBackup(Request((m_dir.Path() / "dest").string())).kind, BackupOutcome::Kind::Created);
    EXPECT_EQ(DataFolder(m_dir.Path() / "dest").List().value(), std::vector<std::string>{"Vd9_1430_2024Mar05"});
}

TEST(BackupSettings, KeysAndTheQuestionBeforeAnImport) {
    IniFile settings;
    const FixedClock clock({2024, 3, 5});
    ScriptedPrompter prompter({Answer::No});
    EXPECT_FALSE(AskBackupBeforeImport(clock, settings, prompter));
    EXPECT_EQ(prompter.Questions(), 1);
    EXPECT_EQ(prompter.Shown().back(), Str(StrId::BackupFirst));

    RecordBackupInSettings(settings, "/media/kopie/", {2024, 3, 5});
    EXPECT_EQ(LastBackupDestination(settings), "/media/kopie/");
    EXPECT_EQ(settings.GetString("KOPIA ZAPASOWA", "last", ""), "2024-03-05");
    EXPECT_NE(settings.Serialize().find("\x8C"
                                        "cie\xBF"
                                        "ka=/media/kopie/"),
              std::string::npos);
    EXPECT_FALSE(AskBackupBeforeImport(clock, settings, prompter));
    EXPECT_EQ(prompter.Questions(), 1) << "no question when today's backup exists";

    ScriptedPrompter yes({Answer::Yes});
    EXPECT_TRUE(AskBackupBeforeImport(FixedClock({2024, 3, 6}), settings, yes));
}

} // namespace
} // namespace vardo
