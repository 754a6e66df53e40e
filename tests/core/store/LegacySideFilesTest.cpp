#include "core/store/LegacySideFiles.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

// Working month March 2024 (index 2), today in April 2024.
legacy::ConversionMonth March2024(bool carried) {
    legacy::ConversionMonth when;
    when.yearIndex = 24;
    when.calendarYear = 2024;
    when.todayMonthNumber = 4;
    when.workingMonthIndex = 2;
    when.workingMonthCarried = carried;
    return when;
}

PublisherRecord Person(PublisherId id) {
    PublisherRecord record;
    record.SetId(id);
    return record;
}

class LegacySideFilesTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
};

TEST(LegacySideFiles, WorkingMonthIsCarriedWhenTheHeaderYearHasTheWorkingYearsParity) {
    HeaderRecord header = HeaderRecord::Empty();
    header.SetInitialisedYear(2, 0, 24);
    EXPECT_TRUE(legacy::WorkingMonthCarried(header, 24, 2));
    header.SetInitialisedYear(2, 0, 23);
    EXPECT_FALSE(legacy::WorkingMonthCarried(header, 24, 2));
}

TEST(LegacySideFiles, LateMarkersGoToThePersonsMonthAndCalendarYearSlot) {
    std::vector<PublisherRecord> persons{Person(120), Person(130)};
    const std::string file = Concat({ByteRecord(4).U16(0, 120).U8(2, 1).U8(3, 3).Bytes(),  // February
                                     ByteRecord(4).U16(0, 130).U8(2, 10).U8(3, 3).Bytes(), // November: other slot
                                     ByteRecord(4).U16(0, 999).U8(2, 1).U8(3, 3).Bytes(),  // unknown person
                                     ByteRecord(4).U16(0, 120).U8(2, 12).U8(3, 3).Bytes(), // no such month
                                     "xy"});
    legacy::ConvertLateMarkers(file, persons, March2024(true));
    EXPECT_EQ(persons[0].LateMarker(1, 0), 3);
    EXPECT_EQ(persons[1].LateMarker(10, 1), 3);
    EXPECT_EQ(persons[1].LateMarker(10, 0), 0);
}

TEST(LegacySideFiles, OnlyTheFirst99LateMarkersAreRead) {
    std::vector<PublisherRecord> persons{Person(120)};
    std::string file;
    for (int i = 0; i < 99; ++i)
        file += ByteRecord(4).U16(0, 1).Bytes();
    file += ByteRecord(4).U16(0, 120).U8(2, 0).U8(3, 5).Bytes();
    legacy::ConvertLateMarkers(file, persons, March2024(true));
    EXPECT_EQ(persons[0].LateMarker(0, 0), 0);
}

TEST(LegacySideFiles, CardTotalsOfBothYearsGoToTheirSlots) {
    ByteRecord current(864);
    ByteRecord previous(864);
    for (int m = 0; m < 12; ++m) {
        current.U16(2 * (36 * m + 9 * 1 + 4), static_cast<std::uint16_t>(100 + m)); // category 1, value 4
        previous.U16(2 * (36 * m + 9 * 0 + 0), static_cast<std::uint16_t>(200 + m));
    }
    const CardTotals totals = legacy::ConvertCardTotals(current.Bytes(), previous.Bytes(), March2024(false));

    ByteRecord expected(1728);
    auto at = [](int m, int c, int v, int s) { return static_cast<std::size_t>(2 * (72 * m + 18 * c + 2 * v + s)); };
    for (int m = 0; m < 12; ++m) {
        if (m == 2)
            continue; // the working month is not carried over
        // The previous year's copy comes second and replaces the whole month where the slots meet
        // (April to July, slot 1).
        if (!(m > 2 && m < 7))
            expected.U16(at(m, 1, 4, m > 2 ? 1 : 0), static_cast<std::uint16_t>(100 + m));
        expected.U16(at(m, 0, 0, m < 7 ? 1 : 0), static_cast<std::uint16_t>(200 + m));
    }
    EXPECT_EQ(totals.Bytes(), expected.Bytes());

    const CardTotals carried = legacy::ConvertCardTotals(current.Bytes(), {}, March2024(true));
    EXPECT_EQ(carried.Value(2, 1, 4, 0), 102);
    EXPECT_EQ(carried.Value(0, 0, 0, 1), 0);
}

TEST_F(LegacySideFilesTest, CardTotalsConversionWritesTcard) {
    ByteRecord current(864);
    current.U16(0, 42);
    ByteRecord previous(864);
    previous.U16(2 * 36 * 8, 43); // September of the previous year: slot (2024 + 0) mod 2
    m_dir.WriteFile("SPCARDS.DAT", current.Bytes());
    m_dir.WriteFile("Roll/Vd7_8/spcards.dat", previous.Bytes());
    ASSERT_TRUE(legacy::ConvertCardTotals(m_folder, March2024(true), m_prompter).ok());
    ByteRecord expected(1728);
    expected.U16(0, 42).U16(2 * 72 * 8, 43);
    EXPECT_EQ(m_dir.ReadFile("tcard.dat"), expected.Bytes());
}

TEST(LegacySideFiles, RemarksKeepTextMonthAndIdWithTheirSlot) {
    const std::string file = Concat({ByteRecord(40).Text(0, 37, "pierwsza").U8(37, 1).U16(38, 120).Bytes(),
                                     ByteRecord(40).Text(0, 37, "").U8(37, 2).U16(38, 120).Bytes(),
                                     ByteRecord(40).Text(0, 37, "w marcu").U8(37, 3).U16(38, 120).Bytes(),
                                     ByteRecord(40).Text(0, 37, "maj").U8(37, 5).U16(38, 130).Bytes(),
                                     ByteRecord(40).Text(0, 36, "starszy układ").U8(36, 6).U16(38, 130).Bytes()});
    const auto skipMarch = legacy::ConvertRemarks(file, March2024(false));
    ASSERT_EQ(skipMarch.size(), 3u);
    EXPECT_EQ(skipMarch[0].Bytes(), ByteRecord(48).Text(0, 44, "pierwsza").U8(44, 1).U8(45, 0).U16(46, 120).Bytes());
    // May is after today's month (April): the other slot.
    EXPECT_EQ(skipMarch[1].Bytes(), ByteRecord(48).Text(0, 44, "maj").U8(44, 5).U8(45, 1).U16(46, 130).Bytes());
    EXPECT_EQ(skipMarch[2].Text(), "starszy układ");
    EXPECT_EQ(skipMarch[2].MonthByte(), 6);

    const auto withMarch = legacy::ConvertRemarks(file, March2024(true));
    ASSERT_EQ(withMarch.size(), 4u);
    EXPECT_EQ(withMarch[1].Text(), "w marcu");
}

TEST_F(LegacySideFilesTest, RemarksAreWrittenWithTheWriteRule) {
    m_dir.WriteFile("remark7.dat", Concat({ByteRecord(40).Text(0, 37, "a").U8(37, 1).U16(38, 120).Bytes(),
                                           ByteRecord(40).Text(0, 37, "b").U8(37, 1).U16(38, 120).Bytes()}));
    ASSERT_TRUE(legacy::ConvertRemarks(m_folder, March2024(true)).ok());
    // The second remark of the same month replaces the first in place.
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"),
              Concat({std::string(48, '\0'), ByteRecord(48).Text(0, 44, "b").U8(44, 1).U16(46, 120).Bytes()}));
}

TEST_F(LegacySideFilesTest, MeetingsAreConvertedIntoTheWorkingYearsSlotsAndWrittenAtOnce) {
    ByteRecord midweek(224);
    midweek.Text(0, 32, "Szkoła").U16(32 + 2 * 1, 50).U16(32 + 24 * 6 + 2 * 1, 50).U16(32 + 24 * 7 + 2 * 5, 7);
    ByteRecord weekend(224);
    weekend.U16(32 + 24 * 4 + 2 * 11, 90);
    m_dir.WriteFile("meeting.dat", Concat({midweek.Bytes(), weekend.Bytes(), ByteRecord(224).U16(32, 1).Bytes()}));
    ASSERT_TRUE(legacy::ConvertMeetings(m_folder, March2024(true), m_prompter).ok());

    auto cell = [](int table, int m, int s) { return static_cast<std::size_t>(96 + 72 * table + 2 * (3 * m + s)); };
    ByteRecord expectedMidweek(672);
    expectedMidweek.Text(0, 96, "Zebranie w tygodniu")
        .U16(cell(0, 1, 0), 50)
        .U16(cell(6, 1, 0), 50)
        .U16(cell(7, 5, 1), 7);
    ByteRecord expectedWeekend(672);
    expectedWeekend.Text(0, 96, "Zebranie w weekend").U16(cell(4, 11, 1), 90);
    EXPECT_EQ(m_dir.ReadFile("meetin9.dat"), Concat({expectedMidweek.Bytes(), expectedWeekend.Bytes()}));
}

TEST_F(LegacySideFilesTest, MissingOlderFilesChangeNothing) {
    std::vector<PublisherRecord> persons{Person(120)};
    const auto before = persons[0];
    legacy::ConvertLateMarkers(m_folder, persons, March2024(true));
    EXPECT_EQ(persons[0], before);
    ASSERT_TRUE(legacy::ConvertRemarks(m_folder, March2024(true)).ok());
    ASSERT_TRUE(legacy::ConvertMeetings(m_folder, March2024(true), m_prompter).ok());
    EXPECT_FALSE(m_dir.Exists("remark9.dat"));
    EXPECT_FALSE(m_dir.Exists("meetin9.dat"));
}

} // namespace
} // namespace vardo
