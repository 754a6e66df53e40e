#include "core/store/ParticipationFlags.h"

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

PublisherRecord Person(PublisherId id) {
    PublisherRecord record;
    record.SetId(id);
    return record;
}

void SetFlag(PublisherRecord& person, MonthIndex month, YearSlot slot, std::uint16_t word = 0) {
    person.SetRow(MonthRow::StudyWord, month, slot, static_cast<std::uint16_t>(word | kStudyFlagBit));
}

bool Flag(const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    return (person.StudyWord(month, slot) & kStudyFlagBit) != 0;
}

struct FormatCase {
    int yearIndex;
    MonthIndex workingMonth;
    MonthIndex month;
    YearSlot slot;
    bool older;
};

TEST(ParticipationFlags, OlderFormatCellsFollowTheSlotYearAndTheWorkingMonth) {
    const FormatCase cases[] = {
        {24, 2, 0, 0, true},  // slot 0 of an even year counts as 2023: January 2023
        {24, 2, 8, 0, true},  // September 2023 is the last month of the older format
        {24, 2, 0, 1, false}, // slot 1 counts as 2024
        {24, 2, 2, 1, false}, // the working month itself
        {24, 2, 3, 1, true},  // after the working month: always counted as older
        {25, 5, 5, 0, false}, // odd year: slot 0 counts as 2025
        {25, 5, 6, 1, true},  // after the working month
        {23, 8, 8, 0, true},  // odd year 2023, September
        {23, 8, 8, 1, false}, // slot 1 counts as 2024
        {23, 8, 9, 1, true},  // after the working month
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParticipationFlags::IsOlderFormatCell(c.yearIndex, c.workingMonth, c.month, c.slot), c.older)
            << c.yearIndex << " " << c.workingMonth << " " << c.month << " " << c.slot;
}

class ParticipationFlagsTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    ParticipationFlags m_flags;
};

TEST_F(ParticipationFlagsTest, SaveMovesOlderFormatFlagsIntoGoldenEntries) {
    std::vector<PublisherRecord> persons{Person(120), Person(130), Person(5), Person(120)};
    SetFlag(persons[0], 3, 1);         // older format (after the working month)
    SetFlag(persons[0], 1, 0, 0x0002); // older format (2023)
    SetFlag(persons[0], 0, 1);         // newer format: stays in the record
    SetFlag(persons[2], 1, 0);         // id 5 is never looked up: stays in the record
    SetFlag(persons[3], 1, 0);         // the second record with id 120 would not be found: stays

    ASSERT_TRUE(m_flags.Write(m_folder, persons, 24, 2).ok());
    ByteRecord golden(32);
    golden.U16(0, 120).U8(2 + 2 * 3 + 1, 1).U8(2 + 2 * 1 + 0, 1);
    EXPECT_EQ(m_dir.ReadFile("tlt15.dat"), golden.Bytes());

    EXPECT_FALSE(Flag(persons[0], 3, 1));
    EXPECT_FALSE(Flag(persons[0], 1, 0));
    EXPECT_EQ(persons[0].StudyWord(1, 0), 0x0002);
    EXPECT_TRUE(Flag(persons[0], 0, 1));
    EXPECT_TRUE(Flag(persons[2], 1, 0));
    EXPECT_TRUE(Flag(persons[3], 1, 0));

    m_flags.Apply(m_folder, persons, m_prompter);
    EXPECT_TRUE(Flag(persons[0], 3, 1));
    EXPECT_TRUE(Flag(persons[0], 1, 0));
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(ParticipationFlagsTest, NoFlagAnywhereDeletesTheFile) {
    m_dir.WriteFile("tlt15.dat", std::string(32, '\1'));
    std::vector<PublisherRecord> persons{Person(120)};
    ASSERT_TRUE(m_flags.Write(m_folder, persons, 24, 2).ok());
    EXPECT_FALSE(m_dir.Exists("tlt15.dat"));
}

TEST_F(ParticipationFlagsTest, ReapplyingSkipsCellsWithHoursOrQuarterHoursAndUnknownIds) {
    std::vector<PublisherRecord> persons{Person(120)};
    persons[0].SetRow(MonthRow::Hours, 2, 0, 3);
    persons[0].SetRow(MonthRow::StudyWord, 3, 0, 0x1000); // a quarter hour
    ByteRecord entry(32);
    entry.U16(0, 120).U8(2 + 2 * 2, 1).U8(2 + 2 * 3, 1).U8(2 + 2 * 4 + 1, 1);
    ByteRecord unknown(32);
    unknown.U16(0, 999).U8(2, 1);
    ParticipationFlags::Apply(Concat({entry.Bytes(), unknown.Bytes(), "short"}), persons);
    EXPECT_FALSE(Flag(persons[0], 2, 0));
    EXPECT_FALSE(Flag(persons[0], 3, 0));
    EXPECT_TRUE(Flag(persons[0], 4, 1));
}

TEST_F(ParticipationFlagsTest, FailedWriteLeavesTheFlagsInTheRecords) {
    std::filesystem::create_directory(m_dir.Path() / "tlt15.dat");
    std::vector<PublisherRecord> persons{Person(120)};
    SetFlag(persons[0], 5, 0);
    const auto before = persons[0];
    EXPECT_FALSE(m_flags.Write(m_folder, persons, 24, 2).ok());
    EXPECT_EQ(persons[0], before);
}

TEST_F(ParticipationFlagsTest, PartialEntryIsPreservedBeforeTheSaveReplacesTheFile) {
    ByteRecord entry(32);
    entry.U16(0, 120).U8(2, 1);
    const std::string original = Concat({entry.Bytes(), "xx"});
    m_dir.WriteFile("tlt15.dat", original);
    std::vector<PublisherRecord> persons{Person(120)};
    m_flags.Apply(m_folder, persons, m_prompter);
    EXPECT_TRUE(Flag(persons[0], 0, 0));
    EXPECT_EQ(m_dir.ReadFile("tlt15.dat.uszkodzony"), original);
    ASSERT_TRUE(m_flags.Write(m_folder, persons, 24, 2).ok());
    EXPECT_EQ(m_dir.ReadFile("tlt15.dat"), entry.Bytes());
}

} // namespace
} // namespace vardo
