#include "core/exchange/Restore.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "BackupFixture.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

constexpr int kMarch = 2;
constexpr std::string_view kSet = "kopie/Vd9_1200_2024Feb01";

class RestoreTest : public test::TempDataFolderTest {
protected:
    void SetUp() override {
        test::WriteSet(m_dir, "data", "A");
        m_dir.WriteFile("data/tdat7.bin", "older version");
        m_dir.WriteFile("data/remark7.dat", "older version");
        test::WriteSet(m_dir, "data/Roll/Vd9_2", "A2");
        test::WriteSet(m_dir, "data/Roll/Vd9_12", "A12");
        test::WriteSet(m_dir, "data/Roll/Vd9_5", "A5");
        test::WriteSet(m_dir, kSet, "B");
    }

    RestoreOutcome Restore(std::string source, std::function<bool(std::string_view)> password = {}) {
        RestoreRequest request;
        request.data = Data();
        request.source = std::move(source);
        request.workingMonthIndex = kMarch;
        request.checkPassword = std::move(password);
        return RestoreBackup(request);
    }
    std::string SetPath() const { return (m_dir.Path() / kSet).string(); }
    DataFolder Data() const { return m_folder.Sub("data"); }
    std::vector<std::string> DataEntries() const { return Data().List().value(); }
};

TEST_F(RestoreTest, RestoreThenUndoThenUndoAgain) {
    const RestoreOutcome restored = Restore(SetPath() + "/");
    ASSERT_EQ(restored.kind, RestoreOutcome::Kind::Restored) << restored.message;
    EXPECT_FALSE(restored.undo);
    EXPECT_EQ(test::SetDifference(m_dir, "data", "B"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore", "A"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore/Roll/Vd9_2", "A2"), "");
    EXPECT_EQ(m_dir.ReadFile("data/tdat7.bin"), "older version");
    EXPECT_TRUE(CanUndoRestore(Data()));

    const RestoreOutcome undone = Restore((m_dir.Path() / "data/unrestore").string());
    ASSERT_EQ(undone.kind, RestoreOutcome::Kind::Restored) << undone.message;
    EXPECT_TRUE(undone.undo);
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore", "B"), "");

    ASSERT_EQ(Restore((m_dir.Path() / "data/unrestore/").string()).kind, RestoreOutcome::Kind::Restored);
    EXPECT_EQ(test::SetDifference(m_dir, "data", "B"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore", "A"), "");
    // Nothing of the switch remains.
    EXPECT_EQ(DataEntries(),
              (std::vector<std::string>{"Roll", "bkstudy.dat", "emerg.dat", "meetin9.dat", "remark7.dat", "remark9.dat",
                                        "spneed.dat", "tappt.dat", "tcard.dat", "tdat7.bin", "tdat9.bin", "tlt15.dat",
                                        "unrestore", "vardok.ini", "vdxcfg.cfg", "xten7.dat"}));
}

TEST_F(RestoreTest, SetWithoutRollKeepsTheSnapshots) {
    ASSERT_EQ(Restore(SetPath()).kind, RestoreOutcome::Kind::Restored);
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_2", "A2"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_12", "A12"), "");
}

TEST_F(RestoreTest, SetWithRollReplacesTheLastSixMonths) {
    test::WriteSet(m_dir, std::string(kSet) + "/Roll/Vd9_1", "B1");
    test::WriteSet(m_dir, std::string(kSet) + "/Roll/Vd9_12", "B12");
    test::WriteSet(m_dir, std::string(kSet) + "/Roll/Vd9_6", "B6"); // not one of the six months
    ASSERT_EQ(Restore(SetPath()).kind, RestoreOutcome::Kind::Restored);
    EXPECT_FALSE(m_dir.Exists("data/Roll/Vd9_2")) << "a month the set lacks goes";
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_1", "B1"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_12", "B12"), "");
    EXPECT_FALSE(m_dir.Exists("data/Roll/Vd9_6"));
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_5", "A5"), "") << "older snapshots stay";
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore/Roll/Vd9_12", "A12"), "");

    // The undo brings the replaced months back.
    ASSERT_EQ(Restore((m_dir.Path() / "data/unrestore").string()).kind, RestoreOutcome::Kind::Restored);
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_2", "A2"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_12", "A12"), "");
    EXPECT_FALSE(m_dir.Exists("data/Roll/Vd9_1"));
}

TEST_F(RestoreTest, FilesMissingFromTheSetAreMissingAfterwards) {
    fs::remove(m_dir.Path() / kSet / "spneed.dat");
    ASSERT_EQ(Restore(SetPath()).kind, RestoreOutcome::Kind::Restored);
    EXPECT_FALSE(m_dir.Exists("data/spneed.dat"));
    EXPECT_EQ(m_dir.ReadFile("data/unrestore/spneed.dat"), test::FileBytes("A", "spneed.dat"));
}

TEST_F(RestoreTest, ProtectedSetNeedsItsPassword) {
    for (const bool scrambled : {false, true}) {
        SCOPED_TRACE(scrambled ? "scrambled header" : "plain header");
        m_dir.WriteFile(std::string(kSet) + "/tdat9.bin", test::RegisterBytes("B", "tajne", scrambled));
        EXPECT_EQ(Restore(SetPath()).kind, RestoreOutcome::Kind::WrongPassword);
        std::string asked;
        const RestoreOutcome wrong = Restore(SetPath(), [&](std::string_view stored) {
            asked = stored;
            return false;
        });
        EXPECT_EQ(wrong.kind, RestoreOutcome::Kind::WrongPassword);
        EXPECT_EQ(wrong.message, Str(StrId::WrongBackupPassword));
        EXPECT_EQ(asked, "tajne");
        EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
        EXPECT_FALSE(m_dir.Exists("data/unrestore"));
    }
    ASSERT_EQ(Restore(SetPath(), [](std::string_view stored) { return stored == "tajne"; }).kind,
              RestoreOutcome::Kind::Restored);
    EXPECT_EQ(m_dir.ReadFile("data/tdat9.bin"), test::RegisterBytes("B", "tajne", true));
}

TEST_F(RestoreTest, SetWithoutARegisterIsRefusedWithAMessage) {
    fs::remove(m_dir.Path() / kSet / "tdat9.bin");
    const RestoreOutcome outcome = Restore(SetPath());
    EXPECT_EQ(outcome.kind, RestoreOutcome::Kind::NoDatabase);
    EXPECT_NE(outcome.message.find(SetPath()), std::string::npos);
    m_dir.WriteFile(std::string(kSet) + "/tdat9.bin", std::string(100, 'x'));
    EXPECT_EQ(Restore(SetPath()).kind, RestoreOutcome::Kind::NoDatabase);
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
}

TEST_F(RestoreTest, CopyThatFailsLeavesTheDataAsItWas) {
    fs::remove(m_dir.Path() / kSet / "meetin9.dat");
    fs::create_directory(m_dir.Path() / kSet / "meetin9.dat");
    const RestoreOutcome outcome = Restore(SetPath());
    EXPECT_EQ(outcome.kind, RestoreOutcome::Kind::Failed);
    EXPECT_NE(outcome.message.find("meetin9.dat"), std::string::npos) << outcome.message;
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
    EXPECT_FALSE(m_dir.Exists("data/restore_new"));
    EXPECT_FALSE(m_dir.Exists("data/unrestore_tmp"));
    EXPECT_FALSE(m_dir.Exists("data/restore.jnl"));
}

TEST_F(RestoreTest, RecoveryRollsBackAStagedRestore) {
    test::WriteSet(m_dir, "data/restore_new", "B");
    test::WriteSet(m_dir, "data/unrestore_tmp", "A");
    m_dir.WriteFile("data/restore.jnl", "vardo-restore 1\nphase stage\nfiles\nroll no\nend\n");
    ScriptedPrompter prompter;
    EXPECT_EQ(RecoverInterruptedRestore(Data(), prompter), RecoveryResult::RolledBack);
    EXPECT_EQ(prompter.Shown(), std::vector<std::string>{std::string(Str(StrId::RestoreRolledBack))});
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
    EXPECT_FALSE(m_dir.Exists("data/restore_new"));
    EXPECT_FALSE(m_dir.Exists("data/unrestore_tmp"));
    EXPECT_FALSE(m_dir.Exists("data/restore.jnl"));
    EXPECT_EQ(RecoverInterruptedRestore(Data(), prompter), RecoveryResult::Nothing);
    EXPECT_EQ(prompter.Shown().size(), 1u);
}

TEST_F(RestoreTest, RecoveryCompletesAHalfDoneSwitch) {
    // Half the files already switched; the set has no spneed.dat; its Roll brings month 1 and lacks the rest.
    test::WriteSet(m_dir, "data/restore_new", "B");
    test::WriteSet(m_dir, "data/restore_new/Roll/Vd9_1", "B1");
    fs::remove(m_dir.Path() / "data/restore_new/spneed.dat");
    test::WriteSet(m_dir, "data/unrestore_tmp", "A");
    test::WriteSet(m_dir, "data/unrestore", "OLD");
    std::string files;
    for (const std::string_view name : BackupFileNames()) {
        if (name == "spneed.dat")
            continue;
        files += " " + std::string(name);
        if (name < std::string_view("m"))
            fs::rename(m_dir.Path() / "data/restore_new" / name, m_dir.Path() / "data" / name);
    }
    m_dir.WriteFile("data/restore.jnl",
                    "vardo-restore 1\nphase switch\nfiles" + files + "\nroll yes -2 1 -12 -11 -10 -9\nend\n");
    ScriptedPrompter prompter;
    EXPECT_EQ(RecoverInterruptedRestore(Data(), prompter), RecoveryResult::Completed);
    EXPECT_EQ(prompter.Shown(), std::vector<std::string>{std::string(Str(StrId::RestoreRolledForward))});
    fs::remove(m_dir.Path() / "data/restore_new/spneed.dat");
    for (const std::string_view name : BackupFileNames()) {
        if (name != "spneed.dat") {
            EXPECT_EQ(m_dir.ReadFile("data/" + std::string(name)), test::FileBytes("B", name)) << name;
        }
    }
    EXPECT_FALSE(m_dir.Exists("data/spneed.dat"));
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_1", "B1"), "");
    EXPECT_FALSE(m_dir.Exists("data/Roll/Vd9_2"));
    EXPECT_FALSE(m_dir.Exists("data/Roll/Vd9_12"));
    EXPECT_EQ(test::SetDifference(m_dir, "data/Roll/Vd9_5", "A5"), "");
    EXPECT_EQ(test::SetDifference(m_dir, "data/unrestore", "A"), "");
    EXPECT_FALSE(m_dir.Exists("data/restore_new"));
    EXPECT_FALSE(m_dir.Exists("data/restore.jnl"));
}

TEST_F(RestoreTest, DamagedJournalStopsTheOpening) {
    m_dir.WriteFile("data/restore.jnl", "vardo-restore 1\nphase swi");
    ScriptedPrompter prompter;
    EXPECT_EQ(RecoverInterruptedRestore(Data(), prompter), RecoveryResult::Failed);
    ASSERT_EQ(prompter.Shown().size(), 1u);
    EXPECT_NE(prompter.Shown()[0].find("restore.jnl"), std::string::npos);
    EXPECT_TRUE(m_dir.Exists("data/restore.jnl"));
    EXPECT_EQ(Restore(SetPath()).kind, RestoreOutcome::Kind::Failed) << "no restore over an unsettled one";
    EXPECT_EQ(test::SetDifference(m_dir, "data", "A"), "");
}

} // namespace
} // namespace vardo
