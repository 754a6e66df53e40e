#include "core/store/GroupTable.h"

#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;

// The file form of a group text: each character XOR the key character at its position ("Ruby Grove",
// repeating), except a character equal to its key character.
std::string Scrambled(std::string_view utf8) {
    const std::string key = "Ruby Grove";
    std::string bytes = test::Cp1250(utf8);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != key[i % key.size()])
            bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
    return bytes;
}

ByteRecord GoldenFile() {
    ByteRecord file(2141);
    file.U8(0, 2)
        .Raw(1, Scrambled("Jan Kowalski"))
        .Raw(481, Scrambled("Piotr Nowak"))
        .Raw(961, Scrambled("Sala Królestwa"))
        .Raw(1441, Scrambled("Północ"))
        .Raw(1921, Scrambled("10:00"))
        .U8(2101, 6)
        .U8(2121, 1)
        .Raw(1 + 24, Scrambled("Rubinowa Ewa"))
        .Raw(1921 + 9, Scrambled("18:30"))
        .U8(2101 + 1, 2)
        .Raw(1 + 48, "nieużywana"); // group 3 is beyond the count: stored as it stands
    return file;
}

class GroupTableTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
};

TEST(GroupTable, KeyCharactersEqualToTheTextStayUnchanged) {
    // "Rub" equals the start of the key, so it is stored as it stands.
    EXPECT_EQ(Scrambled("Rubin").substr(0, 3), "Rub");
    const auto parsed = GroupTable::FromFileBytes(GoldenFile().Bytes());
    EXPECT_EQ(parsed.table.Overseer(1), "Rubinowa Ewa");
}

TEST(GroupTable, ReadsGoldenFileAndWritesItBack) {
    const auto golden = GoldenFile();
    const auto parsed = GroupTable::FromFileBytes(golden.Bytes());
    EXPECT_FALSE(parsed.converted);
    const GroupTable& table = parsed.table;
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Overseer(0), "Jan Kowalski");
    EXPECT_EQ(table.Assistant(0), "Piotr Nowak");
    EXPECT_EQ(table.Place(0), "Sala Królestwa");
    EXPECT_EQ(table.Name(0), "Północ");
    EXPECT_EQ(table.Time(0), "10:00");
    EXPECT_EQ(table.MeetingDay(0), 6);
    EXPECT_TRUE(table.UsesName(0));
    EXPECT_EQ(table.Time(1), "18:30");
    EXPECT_EQ(table.MeetingDay(1), 2);
    EXPECT_EQ(table.FileBytes(), golden.Bytes());

    GroupTable built;
    built.SetCount(2);
    ASSERT_TRUE(built.SetOverseer(0, "Jan Kowalski").ok());
    ASSERT_TRUE(built.SetAssistant(0, "Piotr Nowak").ok());
    ASSERT_TRUE(built.SetPlace(0, "Sala Królestwa").ok());
    ASSERT_TRUE(built.SetName(0, "Północ").ok());
    ASSERT_TRUE(built.SetTime(0, "10:00").ok());
    built.SetMeetingDay(0, 6);
    built.SetUsesName(0, true);
    ASSERT_TRUE(built.SetOverseer(1, "Rubinowa Ewa").ok());
    ASSERT_TRUE(built.SetTime(1, "18:30").ok());
    built.SetMeetingDay(1, 2);
    auto expected = golden;
    expected.Fill(1 + 48, 24, 0);
    EXPECT_EQ(built.FileBytes(), expected.Bytes());
}

TEST(GroupTable, DisplayNameUsesOwnNameOnlyWhenFlaggedAndLongerThanOneCharacter) {
    GroupTable table = GroupTable::FromFileBytes(GoldenFile().Bytes()).table;
    EXPECT_EQ(table.DisplayName(0), "Północ");
    EXPECT_EQ(table.DisplayName(1), "Grupa # 2");
    ASSERT_TRUE(table.SetName(1, "B").ok());
    table.SetUsesName(1, true);
    EXPECT_EQ(table.DisplayName(1), "Grupa # 2");
    table.SetUsesName(0, false);
    EXPECT_EQ(table.DisplayName(0), "Grupa # 1");
}

TEST(GroupTable, EditingLimitsAreEnforced) {
    GroupTable table;
    EXPECT_TRUE(table.SetOverseer(0, std::string(23, 'a')).ok());
    EXPECT_FALSE(table.SetOverseer(0, std::string(24, 'b')).ok());
    EXPECT_EQ(table.Overseer(0), std::string(23, 'a'));
    EXPECT_FALSE(table.SetPlace(0, std::string(23, 'a')).ok());
    EXPECT_FALSE(table.SetName(0, std::string(21, 'a')).ok());
    EXPECT_FALSE(table.SetTime(0, "123456789").ok());
    table.SetCount(25);
    EXPECT_EQ(table.Count(), 20);
}

TEST(GroupTable, OlderLayoutIsConvertedWithoutItsTwelveByteField) {
    ByteRecord old(1881);
    old.U8(0, 2)
        .Raw(1, Scrambled("Jan Kowalski"))
        .Raw(481, Scrambled("Piotr Nowak"))
        .Raw(961, Scrambled("Sala Królestwa"))
        .Raw(1441, "dwanaście b")
        .Raw(1681, Scrambled("10:00"))
        .U8(1861, 6)
        .Raw(1 + 24, Scrambled("Anna Lis"))
        .Raw(1681 + 9, Scrambled("18:30"))
        .U8(1861 + 1, 2);
    const auto parsed = GroupTable::FromFileBytes(old.Bytes());
    ASSERT_TRUE(parsed.converted);

    ByteRecord expected(2141);
    expected.U8(0, 2)
        .Raw(1, Scrambled("Jan Kowalski"))
        .Raw(481, Scrambled("Piotr Nowak"))
        .Raw(961, Scrambled("Sala Królestwa"))
        .Raw(1921, Scrambled("10:00"))
        .U8(2101, 6)
        .Raw(1 + 24, Scrambled("Anna Lis"))
        .Raw(1921 + 9, Scrambled("18:30"))
        .U8(2101 + 1, 2);
    EXPECT_EQ(parsed.table.FileBytes(), expected.Bytes());
    EXPECT_EQ(parsed.table.Name(0), "");
}

TEST_F(GroupTableTest, LoadReportsConversionAndSaveWritesTheNewLayout) {
    ByteRecord old(1881);
    old.U8(0, 1).Raw(1, Scrambled("Jan"));
    m_dir.WriteFile("bkstudy.dat", old.Bytes());
    GroupTable table;
    EXPECT_TRUE(table.Load(m_folder, m_prompter));
    EXPECT_EQ(table.Overseer(0), "Jan");
    ASSERT_TRUE(table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("bkstudy.dat"), ByteRecord(2141).U8(0, 1).Raw(1, Scrambled("Jan")).Bytes());
    EXPECT_FALSE(table.Load(m_folder, m_prompter));
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(GroupTableTest, UntouchedFileIsSavedByteForByte) {
    m_dir.WriteFile("bkstudy.dat", GoldenFile().Bytes());
    GroupTable table;
    table.Load(m_folder, m_prompter);
    ASSERT_TRUE(table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("bkstudy.dat"), GoldenFile().Bytes());
}

TEST_F(GroupTableTest, WithoutGroupsTheFileIsDeletedAndNotRecreated) {
    m_dir.WriteFile("bkstudy.dat", GoldenFile().Bytes());
    GroupTable table;
    table.Load(m_folder, m_prompter);
    table.SetCount(0);
    ASSERT_TRUE(table.Save(m_folder, m_prompter).ok());
    EXPECT_FALSE(m_dir.Exists("bkstudy.dat"));
    ASSERT_TRUE(table.Save(m_folder, m_prompter).ok());
    EXPECT_FALSE(m_dir.Exists("bkstudy.dat"));
}

TEST_F(GroupTableTest, OtherSizesArePreservedAndReadAs2141Bytes) {
    std::string bytes = GoldenFile().Bytes().substr(0, 2000);
    m_dir.WriteFile("bkstudy.dat", bytes);
    GroupTable table;
    EXPECT_FALSE(table.Load(m_folder, m_prompter));
    EXPECT_EQ(table.Overseer(0), "Jan Kowalski");
    EXPECT_EQ(m_dir.ReadFile("bkstudy.dat.uszkodzony"), bytes);
    EXPECT_TRUE(m_prompter.AnyShownContains("bkstudy.dat"));
}

TEST(GroupTable, OutOfRangeCountsNeitherCrashNorChangeBytes) {
    ByteRecord file(2141);
    file.U8(0, 0xFD).Raw(1, "abc");
    auto negative = GroupTable::FromFileBytes(file.Bytes());
    EXPECT_EQ(negative.table.Count(), 0);
    EXPECT_EQ(negative.table.FileBytes(), file.Bytes());

    file.U8(0, 30);
    auto large = GroupTable::FromFileBytes(file.Bytes());
    EXPECT_EQ(large.table.Count(), 20);
    EXPECT_EQ(large.table.FileBytes(), file.Bytes());
}

} // namespace
} // namespace vardo
