#include "core/store/RemarkTable.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

ByteRecord Remark(std::string_view text, std::uint8_t month, std::uint8_t slot, PublisherId id) {
    ByteRecord record(48);
    record.Text(0, 44, text).U8(44, month).U8(45, slot).U16(46, id);
    return record;
}

const std::string kZero(48, '\0');

std::vector<PublisherRecord> Persons(std::initializer_list<PublisherId> ids) {
    std::vector<PublisherRecord> persons;
    for (PublisherId id : ids) {
        PublisherRecord record;
        record.SetId(id);
        persons.push_back(record);
    }
    return persons;
}

class RemarkTableTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    RemarkTable m_table;
};

TEST(RemarkEntry, FieldsAtTheirOffsetsBothWays) {
    const auto golden = Remark("Chory, zgłosi się później", 3, 1, 120);
    const auto entry = RemarkEntry::FromBytes(golden.Bytes());
    EXPECT_EQ(entry.Text(), "Chory, zgłosi się później");
    EXPECT_EQ(entry.MonthByte(), 3);
    EXPECT_EQ(entry.SlotByte(), 1);
    EXPECT_EQ(entry.Id(), 120);
    EXPECT_TRUE(entry.IsValid());

    RemarkEntry built;
    ASSERT_TRUE(built.SetText("Chory, zgłosi się później").ok());
    built.SetMonthByte(3);
    built.SetSlotByte(1);
    built.SetId(120);
    EXPECT_EQ(built.Bytes(), golden.Bytes());
    EXPECT_FALSE(built.SetText(std::string(44, 'x')).ok());
    EXPECT_TRUE(built.SetText(std::string(43, 'x')).ok());
}

TEST(RemarkEntry, ValidityNeedsMonthIdAboveTenAndText) {
    EXPECT_FALSE(RemarkEntry::FromBytes(Remark("a", 0, 0, 120).Bytes()).IsValid());
    EXPECT_FALSE(RemarkEntry::FromBytes(Remark("a", 1, 0, 10).Bytes()).IsValid());
    EXPECT_TRUE(RemarkEntry::FromBytes(Remark("a", 1, 0, 11).Bytes()).IsValid());
    EXPECT_FALSE(RemarkEntry::FromBytes(Remark("   ", 1, 0, 120).Bytes()).IsValid());
}

TEST(RemarkEntry, FileBytesForceByte43ToNul) {
    auto full = Remark("", 1, 0, 120);
    full.Fill(0, 44, 'x');
    EXPECT_EQ(static_cast<unsigned char>(RemarkEntry::FromBytes(full.Bytes()).FileBytes()[43]), 0);
}

TEST(RemarkCompaction, DropsInvalidEntriesAndEarlierRemarksOfTheSameMonth) {
    const auto a = Remark("pierwsza", 3, 0, 120);
    const auto b = Remark("inna osoba", 3, 0, 121);
    const auto aLater = Remark("poprawiona", 3, 0, 120);
    const auto elevenA = Remark("x", 4, 0, 11);
    const auto elevenB = Remark("y", 4, 0, 11);
    auto entryZero = Remark("śmieci", 1, 0, 500);
    const std::string file = Concat({entryZero.Bytes(), a.Bytes(), Remark("", 5, 0, 120).Bytes(), b.Bytes(),
                                     aLater.Bytes(), elevenA.Bytes(), elevenB.Bytes(), Remark("z", 0, 0, 130).Bytes()});
    // Id 11 is valid but below the repetition threshold: both stay.
    EXPECT_EQ(RemarkTable::CompactBytes(file),
              Concat({kZero, b.Bytes(), aLater.Bytes(), elevenA.Bytes(), elevenB.Bytes()}));
}

TEST_F(RemarkTableTest, StartupCompactsCopiesToUndoAndLoadsIntoRemarkRows) {
    const auto a = Remark("urlop", 3, 1, 120);
    const auto stranger = Remark("nieznany", 4, 0, 999);
    const auto b = Remark("chory", 12, 0, 130);
    const auto aOld = Remark("stara", 3, 1, 120);
    m_dir.WriteFile("remark9.dat", Concat({kZero, aOld.Bytes(), a.Bytes(), stranger.Bytes(), b.Bytes()}));
    auto persons = Persons({120, 130});
    persons[0].SetRow(MonthRow::Remark, 5, 0, 77); // stale number from the database file

    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    const std::string compacted = Concat({kZero, a.Bytes(), stranger.Bytes(), b.Bytes()});
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), compacted);
    EXPECT_EQ(m_dir.ReadFile("rmkundo.dat"), compacted);

    ASSERT_EQ(m_table.Count(), 3u);
    EXPECT_EQ(m_table.Entry(1).Text(), "urlop");
    EXPECT_EQ(persons[0].RemarkNumber(2, 1), 1);
    EXPECT_EQ(persons[0].RemarkNumber(5, 0), 0);
    EXPECT_EQ(persons[1].RemarkNumber(11, 0), 2);
    EXPECT_TRUE(m_table.HasRemark(persons[1], 11, 0, m_prompter));
    EXPECT_FALSE(m_table.HasRemark(persons[1], 10, 0, m_prompter));
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(RemarkTableTest, SmallFileIsNotCompactedAndMonthsOutOfRangeAreNotLoaded) {
    const std::string file = Concat({kZero, Remark("a", 13, 0, 120).Bytes(), Remark("b", 2, 0, 120).Bytes()});
    ASSERT_EQ(file.size(), 144u);
    const std::string small = file.substr(0, 96);
    m_dir.WriteFile("remark9.dat", small);
    auto persons = Persons({120});
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), small);
    EXPECT_EQ(m_table.Count(), 1u);
}

TEST_F(RemarkTableTest, WriteRuleRewritesSameMonthThenReusesEmptyThenAppends) {
    const auto a = Remark("a", 1, 0, 120);
    const auto emptied = Remark("", 2, 0, 121);
    const auto b = Remark("b", 3, 0, 122);
    std::string image = Concat({kZero, a.Bytes(), emptied.Bytes(), b.Bytes()});

    EXPECT_EQ(RemarkTable::ApplyWriteRule(image, RemarkEntry::FromBytes(Remark("a2", 1, 0, 120).Bytes())), 1u);
    EXPECT_EQ(RemarkTable::ApplyWriteRule(image, RemarkEntry::FromBytes(Remark("c", 4, 1, 123).Bytes())), 2u);
    EXPECT_EQ(RemarkTable::ApplyWriteRule(image, RemarkEntry::FromBytes(Remark("d", 5, 1, 124).Bytes())), 4u);
    EXPECT_EQ(image, Concat({kZero, Remark("a2", 1, 0, 120).Bytes(), Remark("c", 4, 1, 123).Bytes(), b.Bytes(),
                             Remark("d", 5, 1, 124).Bytes()}));

    std::string empty;
    EXPECT_EQ(RemarkTable::ApplyWriteRule(empty, RemarkEntry::FromBytes(b.Bytes())), 1u);
    EXPECT_EQ(empty, Concat({kZero, b.Bytes()}));

    std::string partial = Concat({kZero, a.Bytes(), "tail"});
    EXPECT_EQ(RemarkTable::ApplyWriteRule(partial, RemarkEntry::FromBytes(b.Bytes())), 2u);
    EXPECT_EQ(partial, Concat({kZero, a.Bytes(), b.Bytes()}));
}

TEST_F(RemarkTableTest, UntouchedLoadAndSaveAddsOnlyTheZeroEntryOnceAndIsThenStable) {
    const std::string file = Concat({kZero, Remark("a", 1, 0, 120).Bytes(), Remark("b", 2, 1, 130).Bytes()});
    m_dir.WriteFile("remark9.dat", file);
    auto persons = Persons({120, 130});
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    ASSERT_TRUE(m_table.WriteAll(m_folder).ok());
    // The table's entry 0 is written by the rule too: with no empty entry in the file it is appended.
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), Concat({file, kZero}));
    ASSERT_TRUE(m_table.WriteAll(m_folder).ok());
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), Concat({file, kZero}));
}

TEST_F(RemarkTableTest, EditedRemarkIsWrittenInPlaceAndDiscardedByTheUndoCopy) {
    const std::string file = Concat({kZero, Remark("a", 1, 0, 120).Bytes(), Remark("b", 2, 1, 130).Bytes()});
    m_dir.WriteFile("remark9.dat", file);
    auto persons = Persons({120, 130});
    m_table.LoadAtStartup(m_folder, persons, m_prompter);

    ASSERT_TRUE(m_table.Entry(2).SetText("zmieniona").ok());
    ASSERT_TRUE(m_table.WriteRemark(m_folder, 2).ok());
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"),
              Concat({kZero, Remark("a", 1, 0, 120).Bytes(), Remark("zmieniona", 2, 1, 130).Bytes()}));

    ASSERT_TRUE(RemarkTable::RestoreFromUndo(m_folder).ok());
    ASSERT_TRUE(RemarkTable::RemoveUndo(m_folder).ok());
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), file);
    EXPECT_FALSE(m_dir.Exists("rmkundo.dat"));

    RemarkTable next;
    next.LoadAtStartup(m_folder, persons, m_prompter);
    EXPECT_EQ(next.Entry(2).Text(), "b");
}

TEST_F(RemarkTableTest, UndoWithoutRemarkFileAtStartupDiscardsTheNewFile) {
    auto persons = Persons({120});
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    RemarkEntry entry;
    ASSERT_TRUE(entry.SetText("nowa").ok());
    entry.SetMonthByte(1);
    entry.SetId(120);
    ASSERT_EQ(m_table.Append(entry).value_or(0), 1);
    ASSERT_TRUE(m_table.WriteRemark(m_folder, 1).ok());
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), Concat({kZero, Remark("nowa", 1, 0, 120).Bytes()}));

    ASSERT_TRUE(RemarkTable::RestoreFromUndo(m_folder).ok());
    RemarkTable next;
    next.LoadAtStartup(m_folder, persons, m_prompter);
    EXPECT_EQ(next.Count(), 1u);
}

TEST_F(RemarkTableTest, UnreadableFileDropsAStaleUndoCopySoNothingIsRestoredOverIt) {
    m_dir.WriteFile("rmkundo.dat", Concat({kZero, Remark("stara kopia", 1, 0, 120).Bytes()}));
    std::filesystem::create_directory(m_dir.Path() / "remark9.dat");
    auto persons = Persons({120});
    persons[0].SetRow(MonthRow::Remark, 0, 0, 5);
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    EXPECT_EQ(persons[0].RemarkNumber(0, 0), 0);
    EXPECT_FALSE(m_dir.Exists("rmkundo.dat"));
    EXPECT_FALSE(m_table.WriteAll(m_folder).ok());
    ASSERT_TRUE(RemarkTable::RestoreFromUndo(m_folder).ok());
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "remark9.dat"));
}

TEST_F(RemarkTableTest, ClearingAPersonsRemarksEmptiesTheirTextsInTheFile) {
    m_dir.WriteFile("remark9.dat", Concat({kZero, Remark("a", 1, 0, 120).Bytes(), Remark("b", 2, 1, 130).Bytes(),
                                           Remark("c", 3, 0, 120).Bytes()}));
    auto persons = Persons({120, 130});
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    ASSERT_TRUE(m_table.ClearPersonRemarks(m_folder, 120).ok());
    const std::string file = m_dir.ReadFile("remark9.dat");
    EXPECT_EQ(file.substr(48, 48), Remark("", 1, 0, 120).Bytes());
    EXPECT_EQ(file.substr(96, 48), Remark("b", 2, 1, 130).Bytes());
    EXPECT_EQ(file.substr(144, 48), Remark("", 3, 0, 120).Bytes());
}

TEST_F(RemarkTableTest, BadSlotInTheLookupIsReportedAndFindsNothing) {
    auto persons = Persons({120});
    EXPECT_FALSE(m_table.HasRemark(persons[0], 1, 3, m_prompter));
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown()[0], "bad year in RemCheck");
    EXPECT_FALSE(m_table.HasRemark(persons[0], 1, 2, m_prompter));
    EXPECT_EQ(m_prompter.Shown().size(), 1u);
}

TEST_F(RemarkTableTest, FullTableRefusesAndEntriesBeyondItStayInTheFile) {
    std::string file = kZero;
    for (int i = 0; i < 3905; ++i)
        file += Remark("r", static_cast<std::uint8_t>(1 + i % 12), static_cast<std::uint8_t>(i / 12 % 2),
                       static_cast<PublisherId>(100 + i / 24))
                    .Bytes();
    std::vector<PublisherRecord> persons;
    for (int i = 0; i < 3905 / 24 + 1; ++i) {
        PublisherRecord record;
        record.SetId(static_cast<PublisherId>(100 + i));
        persons.push_back(record);
    }
    m_dir.WriteFile("remark9.dat", file);
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    EXPECT_EQ(m_table.Count(), RemarkTable::kTableSize);
    EXPECT_TRUE(m_prompter.AnyShownContains("6 uwag"));
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), file);
    EXPECT_FALSE(m_table.Append(RemarkEntry()).ok());
}

TEST_F(RemarkTableTest, PartialLastEntryIsPreservedBeforeCompaction) {
    const std::string file = Concat({kZero, Remark("a", 1, 0, 120).Bytes(), Remark("b", 2, 0, 120).Bytes(), "12345"});
    m_dir.WriteFile("remark9.dat", file);
    auto persons = Persons({120});
    m_table.LoadAtStartup(m_folder, persons, m_prompter);
    EXPECT_EQ(m_dir.ReadFile("remark9.dat.uszkodzony"), file);
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), file.substr(0, 144));
    EXPECT_EQ(m_table.Count(), 3u);
}

} // namespace
} // namespace vardo
