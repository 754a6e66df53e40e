#include "core/store/SpecialNeedsFile.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

ByteRecord Need(std::uint16_t key, std::string_view text) {
    ByteRecord record(96);
    record.U16(0, key).Text(2, 94, text);
    return record;
}

KeyReferenced Referenced(std::set<std::uint16_t> keys) {
    return [keys](std::uint16_t key) { return keys.count(key) > 0; };
}

class SpecialNeedsFileTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    SpecialNeedsFile m_file;
};

TEST(SpecialNeedsRecord, KeyAndTextBothWays) {
    const auto golden = Need(10, "Porusza się na wózku; parter");
    const auto loaded = SpecialNeedsRecord::FromBytes(golden.Bytes());
    EXPECT_EQ(loaded.Key(), 10);
    EXPECT_EQ(loaded.Text(), "Porusza się na wózku; parter");

    SpecialNeedsRecord built;
    built.SetKey(10);
    ASSERT_TRUE(built.SetText("Porusza się na wózku; parter").ok());
    EXPECT_EQ(built.Bytes(), golden.Bytes());
    EXPECT_TRUE(built.SetText(std::string(93, 'x')).ok());
    EXPECT_FALSE(built.SetText(std::string(94, 'x')).ok());
}

TEST_F(SpecialNeedsFileTest, KeyTableZeroesRepeatedAndUnreferencedKeysAndKeepsPositions) {
    const std::string bytes =
        Concat({Need(10, "a").Bytes(), Need(11, "stary").Bytes(), Need(10, "b").Bytes(), Need(12, "c").Bytes()});
    m_dir.WriteFile("spneed.dat", bytes);
    m_file.LoadKeyTable(m_folder, Referenced({10, 12}), m_prompter);
    EXPECT_EQ(m_file.Keys(), (std::vector<std::uint16_t>{10, 0, 0, 12}));
    EXPECT_EQ(m_file.Read(m_folder, 12)->Text(), "c");
    EXPECT_EQ(m_file.Read(m_folder, 10)->Text(), "a");
    EXPECT_FALSE(m_file.Read(m_folder, 11).has_value());
    EXPECT_EQ(m_dir.ReadFile("spneed.dat"), bytes);
}

TEST_F(SpecialNeedsFileTest, NewRecordTakesTheFirstFreePositionInPlace) {
    m_dir.WriteFile("spneed.dat", Concat({Need(10, "a").Bytes(), Need(11, "stary").Bytes(), Need(12, "c").Bytes()}));
    m_file.LoadKeyTable(m_folder, Referenced({10, 12}), m_prompter);
    SpecialNeedsRecord record;
    ASSERT_TRUE(record.SetText("nowy").ok());
    ASSERT_EQ(m_file.Add(m_folder, record, Referenced({10, 12})).value_or(0), 11);
    EXPECT_EQ(m_dir.ReadFile("spneed.dat"),
              Concat({Need(10, "a").Bytes(), Need(11, "nowy").Bytes(), Need(12, "c").Bytes()}));
}

TEST_F(SpecialNeedsFileTest, FirstRecordOfAMissingFileGetsKeyTen) {
    m_file.LoadKeyTable(m_folder, Referenced({}), m_prompter);
    SpecialNeedsRecord record;
    ASSERT_TRUE(record.SetText("pierwszy").ok());
    ASSERT_EQ(m_file.Add(m_folder, record, Referenced({})).value_or(0), 10);
    EXPECT_EQ(m_dir.ReadFile("spneed.dat"), Need(10, "pierwszy").Bytes());

    record.SetKey(77);
    ASSERT_TRUE(record.SetText("zmieniony").ok());
    ASSERT_TRUE(m_file.Write(m_folder, 10, record).ok());
    EXPECT_EQ(m_dir.ReadFile("spneed.dat"), Need(10, "zmieniony").Bytes());
}

TEST_F(SpecialNeedsFileTest, UnreadableFileIsNeverWrittenOver) {
    std::filesystem::create_directory(m_dir.Path() / "spneed.dat");
    m_file.LoadKeyTable(m_folder, Referenced({}), m_prompter);
    EXPECT_TRUE(m_file.WriteBlocked());
    EXPECT_FALSE(m_file.Add(m_folder, SpecialNeedsRecord(), Referenced({})).ok());
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "spneed.dat"));
    EXPECT_FALSE(m_prompter.Shown().empty());
}

TEST_F(SpecialNeedsFileTest, PartialRecordIsPreservedAndNewRecordsStayAligned) {
    const std::string original = Concat({Need(10, "a").Bytes(), std::string(40, 'q')});
    m_dir.WriteFile("spneed.dat", original);
    m_file.LoadKeyTable(m_folder, Referenced({10}), m_prompter);
    EXPECT_EQ(m_dir.ReadFile("spneed.dat.uszkodzony"), original);
    ASSERT_EQ(m_file.Add(m_folder, SpecialNeedsRecord(), Referenced({10})).value_or(0), 11);
    EXPECT_EQ(m_dir.ReadFile("spneed.dat"), Concat({Need(10, "a").Bytes(), Need(11, "").Bytes()}));
}

} // namespace
} // namespace vardo
