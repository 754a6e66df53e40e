#include "core/exchange/MonthlySnapshot.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

class MonthlySnapshotTest : public test::TempDataFolderTest {
protected:
    void WriteDataFiles(char fill) {
        for (std::string_view file : kBackupFileSet)
            m_dir.WriteFile(file, std::string(600, fill));
    }
    // Sets a file's modification time to 1 July of `year`.
    void SetYear(std::string_view relative, int year) {
        const std::tm t{0, 0, 12, 1, 6, year - 1900, 0, 0, -1, 0, nullptr};
        std::tm copy = t;
        const auto seconds = std::chrono::system_clock::from_time_t(std::mktime(&copy));
        fs::last_write_time(m_dir.Path() / relative, std::chrono::file_clock::from_sys(seconds));
    }
    const Date m_today{2024, 3, 5};
};

TEST(SnapshotNumber, CountsBackFromTheWorkingMonth) {
    // With working month January the six months back are December .. July.
    EXPECT_EQ(SnapshotNumber(0, 1), 12);
    EXPECT_EQ(SnapshotNumber(0, 6), 7);
    EXPECT_EQ(SnapshotNumber(5, 1), 5);
    EXPECT_EQ(SnapshotNumber(5, 6), 12);
    EXPECT_EQ(SnapshotNumber(11, 0), 12);
    EXPECT_EQ(SnapshotFolderName(12), "Roll/Vd9_12");
}

TEST_F(MonthlySnapshotTest, JanuaryWritesTheDecemberSnapshotWithEveryFile) {
    WriteDataFiles('a');
    m_dir.WriteFile("rmkundo.dat", "undo");
    const SnapshotOutcome outcome = WriteMonthlySnapshot(m_folder, 0, 2024, m_today);
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.message();
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.number, 12);
    for (std::string_view file : kBackupFileSet)
        EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_12/" + std::string(file)), std::string(600, 'a')) << file;
    EXPECT_FALSE(m_dir.Exists("Roll/Vd9_12/rmkundo.dat"));
    EXPECT_EQ(outcome.entry.text, "marzec 5 2024 (Roll)");
    EXPECT_EQ(outcome.entry.path, m_dir.Path() / "Roll" / "Vd9_12");
}

TEST_F(MonthlySnapshotTest, ACurrentSnapshotIsKeptAndAnOldOneOverwritten) {
    WriteDataFiles('a');
    SetYear("tdat9.bin", 2024);
    ASSERT_TRUE(WriteMonthlySnapshot(m_folder, 2, 2024, m_today).written);
    WriteDataFiles('b');
    const SnapshotOutcome again = WriteMonthlySnapshot(m_folder, 2, 2024, m_today);
    EXPECT_TRUE(again.keptCurrent);
    EXPECT_FALSE(again.written);
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_2/xten7.dat"), std::string(600, 'a'));

    // A year later the same snapshot number is written again.
    SetYear("Roll/Vd9_2/tdat9.bin", 2024);
    const SnapshotOutcome nextYear = WriteMonthlySnapshot(m_folder, 2, 2025, m_today);
    EXPECT_TRUE(nextYear.written);
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_2/xten7.dat"), std::string(600, 'b'));
}

TEST_F(MonthlySnapshotTest, ASmallDatabaseFileIsNotCurrent) {
    m_dir.WriteFile("Roll/Vd9_4/tdat9.bin", std::string(500, 'x'));
    EXPECT_FALSE(IsSnapshotCurrent(m_folder, 4, 2024));
    m_dir.WriteFile("Roll/Vd9_4/tdat9.bin", std::string(501, 'x'));
    EXPECT_TRUE(IsSnapshotCurrent(m_folder, 4, 1990));
}

TEST_F(MonthlySnapshotTest, AFileMissingFromTheDataIsRemovedFromTheSnapshot) {
    WriteDataFiles('a');
    m_dir.WriteFile("Roll/Vd9_3/spneed.dat", "old year");
    m_dir.WriteFile("Roll/Vd9_3/tdat9.bin", "old");
    ASSERT_TRUE(fs::remove(m_dir.Path() / "spneed.dat"));
    const SnapshotOutcome outcome = WriteMonthlySnapshot(m_folder, 3, 2024, m_today);
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.message();
    EXPECT_FALSE(m_dir.Exists("Roll/Vd9_3/spneed.dat"));
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_3/tdat9.bin"), std::string(600, 'a'));
}

TEST_F(MonthlySnapshotTest, AFolderThatCannotBeMadeIsAFailure) {
    WriteDataFiles('a');
    m_dir.WriteFile("Roll", "a file where the folder should be");
    const SnapshotOutcome outcome = WriteMonthlySnapshot(m_folder, 5, 2024, m_today);
    EXPECT_FALSE(outcome.status.ok());
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.number, 5);
}

TEST_F(MonthlySnapshotTest, MaskMarksTheSnapshotsOfTheSixMonthsBack) {
    // Working month February: one back = January (1), three back = November (11), seven back = July (7).
    m_dir.WriteFile("Roll/Vd9_1/tdat9.bin", "x");
    m_dir.WriteFile("Roll/vd9_11/TDAT9.BIN", "x"); // folders copied from Windows
    m_dir.WriteFile("Roll/Vd9_7/tdat9.bin", "x");
    m_dir.WriteFile("Roll/Vd9_2/tdat9.bin", "x"); // the working month itself
    EXPECT_EQ(ComputeSnapshotMask(m_folder, 1), (1u << 1) | (1u << 3));
    EXPECT_EQ(ComputeSnapshotMask(DataFolder(m_dir.Path() / "none"), 1), 0u);
}

} // namespace
} // namespace vardo
