#include "core/exchange/BackupHistory.h"

#include <gtest/gtest.h>

#include "BackupFixture.h"

namespace vardo {
namespace {

using BackupHistoryTest = test::TempDataFolderTest;

std::string Record(std::string_view text, std::string_view path) {
    std::string record(512, '\0');
    record.replace(0, text.size(), text);
    record.replace(52, path.size(), path);
    return record;
}

TEST_F(BackupHistoryTest, FileLayoutIsTenRecordsOfTextAndPath) {
    BackupHistory history;
    ASSERT_TRUE(history.PushFront({"starszy", "/kopie/Vd9_0900_2024Jan02"}));
    ASSERT_TRUE(history.PushFront({"październik 5 2024 (Roll)", "/dane/Roll/Vd9_10"}));
    std::string expected = Record("pa\x9F"
                                  "dziernik 5 2024 (Roll)",
                                  "/dane/Roll/Vd9_10") +
                           Record("starszy", "/kopie/Vd9_0900_2024Jan02") + std::string(8 * 512, '\0');
    EXPECT_EQ(history.Serialize(), expected);
    EXPECT_EQ(BackupHistory::Parse(expected).Entry(0).text, "październik 5 2024 (Roll)");
    EXPECT_EQ(BackupHistory::Parse(expected).Entry(1).path, "/kopie/Vd9_0900_2024Jan02");
}

TEST_F(BackupHistoryTest, TextIsCutToItsFieldAndOverlongPathsAreNotRecorded) {
    BackupHistory history;
    ASSERT_TRUE(history.PushFront({std::string(80, 'x'), "/p"}));
    const std::string bytes = history.Serialize();
    EXPECT_EQ(bytes.substr(0, 52), std::string(51, 'x') + '\0');
    EXPECT_EQ(bytes.substr(52, 3), std::string("/p\0", 3));

    const Status tooLong = history.PushFront({"t", "/" + std::string(459, 'd')});
    EXPECT_FALSE(tooLong);
    EXPECT_EQ(history.Entry(0).path, "/p");
    EXPECT_TRUE(history.PushFront({"t", "/" + std::string(458, 'd')}));
}

TEST_F(BackupHistoryTest, MissingOrShortFileReadsAsEmptySlots) {
    EXPECT_TRUE(BackupHistory::Load(m_folder).Entry(0).Empty());
    m_dir.WriteFile("buhist.dat", Record("jeden", "/a") + std::string(100, 'z'));
    const BackupHistory history = BackupHistory::Load(m_folder);
    EXPECT_EQ(history.Entry(0).text, "jeden");
    EXPECT_TRUE(history.Entry(1).Empty());
    EXPECT_TRUE(history.Entry(9).Empty());
}

TEST_F(BackupHistoryTest, EleventhPushDropsTheOldest) {
    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(BackupHistory::Push(m_folder, {"kopia " + std::to_string(i), "/k/" + std::to_string(i)}));
    const std::string bytes = m_dir.ReadFile("buhist.dat");
    ASSERT_EQ(bytes.size(), 5120u);
    const BackupHistory history = BackupHistory::Parse(bytes);
    EXPECT_EQ(history.Entry(0).text, "kopia 10");
    EXPECT_EQ(history.Entry(9).text, "kopia 1");
}

TEST_F(BackupHistoryTest, OnlyEntriesWithARegisterOverFiveHundredBytesAreValid) {
    m_dir.WriteFile("k/ok/tdat9.bin", std::string(501, 'x'));
    m_dir.WriteFile("k/small/tdat9.bin", std::string(500, 'x'));
    m_dir.WriteFile("k/none/xten7.dat", "x");
    BackupHistory history;
    for (const char* name : {"ok", "small", "none", "gone"})
        ASSERT_TRUE(history.PushFront({name, (m_dir.Path() / "k" / name).string()}));
    ASSERT_TRUE(history.PushFront({"", ""}));
    EXPECT_EQ(history.ValidIndexes(), std::vector<int>{4});
}

TEST(BackupHistoryTexts, BackupAndSnapshotTexts) {
    EXPECT_EQ(BackupHistoryText({{2024, 3, 5}, 0, 7, 0}), "Tuesday, March 05, 2024 12:07 AM");
    EXPECT_EQ(BackupHistoryText({{2025, 12, 31}, 12, 0, 0}), "Wednesday, December 31, 2025 12:00 PM");
    EXPECT_EQ(BackupHistoryText({{2025, 1, 1}, 23, 59, 0}), "Wednesday, January 01, 2025 11:59 PM");
    EXPECT_EQ(SnapshotHistoryText({2024, 10, 5}), "październik 5 2024 (Roll)");
}

} // namespace
} // namespace vardo
