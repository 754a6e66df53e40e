#include "core/store/CardTotals.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"
#include "core/store/NamesOption.h"

namespace vardo {
namespace {

using test::ByteRecord;

class CardTotalsTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
};

TEST_F(CardTotalsTest, ValuesAtTheirOffsetsBothWays) {
    ByteRecord golden(1728);
    golden
        .U16(0, 1)                                   // January, category 0, value 0, slot 0
        .U16(2 * (72 * 0 + 18 * 0 + 2 * 0 + 1), 2)   // slot 1
        .U16(2 * (72 * 3 + 18 * 2 + 2 * 5 + 0), 345) // April, category 2, value 5
        .U16(1726, 999);                             // December, category 3, value 8, slot 1: the last bytes
    m_dir.WriteFile("tcard.dat", golden.Bytes());

    CardTotals totals;
    totals.Load(m_folder, m_prompter);
    EXPECT_EQ(totals.Value(0, 0, 0, 0), 1);
    EXPECT_EQ(totals.Value(0, 0, 0, 1), 2);
    EXPECT_EQ(totals.Value(3, 2, 5, 0), 345);
    EXPECT_EQ(totals.Value(11, 3, 8, 1), 999);
    EXPECT_EQ(totals.Value(3, 2, 5, 1), 0);

    CardTotals built;
    built.SetValue(0, 0, 0, 0, 1);
    built.SetValue(0, 0, 0, 1, 2);
    built.SetValue(3, 2, 5, 0, 345);
    built.SetValue(11, 3, 8, 1, 999);
    EXPECT_EQ(built.Bytes(), golden.Bytes());

    ASSERT_TRUE(totals.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tcard.dat"), golden.Bytes());
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(CardTotalsTest, MissingFileGivesZerosAndTheSaveCreatesIt) {
    CardTotals totals;
    totals.Load(m_folder, m_prompter);
    EXPECT_EQ(totals.Value(5, 1, 1, 1), 0);
    ASSERT_TRUE(totals.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tcard.dat"), std::string(1728, '\0'));
}

TEST_F(CardTotalsTest, WrongSizeIsPreservedAndReadAsFarAsItGoes) {
    ByteRecord shortFile(100);
    shortFile.U16(0, 7);
    m_dir.WriteFile("tcard.dat", shortFile.Bytes());
    CardTotals totals;
    totals.Load(m_folder, m_prompter);
    EXPECT_EQ(totals.Value(0, 0, 0, 0), 7);
    EXPECT_EQ(m_dir.ReadFile("tcard.dat.uszkodzony"), shortFile.Bytes());
    EXPECT_TRUE(m_prompter.AnyShownContains("rozmiar 100 B zamiast 1728 B"));

    m_dir.WriteFile("tcard.dat", std::string(2000, '\1'));
    totals.Load(m_folder, m_prompter);
    EXPECT_EQ(totals.Value(0, 0, 0, 0), 0x0101);
    EXPECT_EQ(m_dir.ReadFile("tcard.dat.uszkodzony2"), std::string(2000, '\1'));
}

TEST_F(CardTotalsTest, FileThatCannotBeCreatedShowsMessage1231) {
    CardTotals totals;
    totals.Load(m_folder, m_prompter);
    std::filesystem::create_directory(m_dir.Path() / "tcard.dat");
    EXPECT_FALSE(totals.Save(m_folder, m_prompter).ok());
    EXPECT_TRUE(
        m_prompter.AnyShownContains("Nie mogę utworzyć nowego pliku: " + (m_dir.Path() / "tcard.dat").string()));
}

TEST_F(CardTotalsTest, UnreadableFileIsNotWrittenOver) {
    std::filesystem::create_directory(m_dir.Path() / "tcard.dat");
    std::filesystem::create_directory(m_dir.Path() / "tcard.dat" / "inside");
    CardTotals totals;
    totals.Load(m_folder, m_prompter);
    EXPECT_FALSE(totals.Save(m_folder, m_prompter).ok());
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "tcard.dat" / "inside"));
}

TEST_F(CardTotalsTest, NamesOptionKeepsBytesOneToSix) {
    ByteRecord golden(7);
    golden.U8(0, 2).U8(1, 0xAB).U8(6, 0xCD);
    m_dir.WriteFile("vdxcfg.cfg", golden.Bytes());
    NamesOption option;
    option.Load(m_folder, m_prompter);
    EXPECT_TRUE(option.LastNameFirst());

    option.SetLastNameFirst(true);
    ASSERT_TRUE(option.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("vdxcfg.cfg"), golden.Bytes());

    option.SetLastNameFirst(false);
    ASSERT_TRUE(option.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("vdxcfg.cfg"), ByteRecord(7).U8(1, 0xAB).U8(6, 0xCD).Bytes());
    option.SetLastNameFirst(true);
    EXPECT_EQ(option.Bytes()[0], '\1');
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(CardTotalsTest, NamesOptionOfAnotherSizeIsPreserved) {
    m_dir.WriteFile("vdxcfg.cfg", "\1abcdefgh");
    NamesOption option;
    option.Load(m_folder, m_prompter);
    EXPECT_TRUE(option.LastNameFirst());
    EXPECT_EQ(m_dir.ReadFile("vdxcfg.cfg.uszkodzony"), "\1abcdefgh");
    ASSERT_TRUE(option.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("vdxcfg.cfg"), "\1abcdef");
}

} // namespace
} // namespace vardo
