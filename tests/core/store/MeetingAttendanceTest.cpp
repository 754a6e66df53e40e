#include "core/store/MeetingAttendance.h"

#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

// Offset of a table cell: the name (96 bytes), then eight tables of 72 bytes, cell 3m + s.
std::size_t Cell(int table, int month, int slot) {
    return 96 + 72 * static_cast<std::size_t>(table) + 2 * static_cast<std::size_t>(3 * month + slot);
}

ByteRecord Midweek() {
    ByteRecord record(672);
    record.Text(0, 96, "Zebranie w tygodniu")
        .U16(Cell(0, 1, 0), 120)
        .U16(Cell(2, 1, 0), 130)
        .U16(Cell(5, 1, 0), 2)
        .U16(Cell(6, 1, 0), 250)
        .U16(Cell(7, 1, 0), 125)
        .U16(Cell(4, 11, 2), 77);
    return record;
}

ByteRecord Weekend() {
    ByteRecord record(672);
    record.Text(0, 96, "Zebranie w weekend").U16(Cell(0, 0, 1), 140).U16(Cell(7, 11, 1), 9);
    return record;
}

class MeetingAttendanceTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    MeetingAttendance m_attendance;
};

TEST_F(MeetingAttendanceTest, ReadsGoldenRecordsAndWritesThemBackUnchanged) {
    const std::string bytes = Concat({Midweek().Bytes(), Weekend().Bytes()});
    m_dir.WriteFile("meetin9.dat", bytes);
    m_attendance.Load(m_folder, m_prompter);
    EXPECT_EQ(m_attendance.LoadedCount(), 2);
    const auto& midweek = m_attendance.Record(MeetingKind::Midweek);
    EXPECT_EQ(midweek.Name(), "Zebranie w tygodniu");
    EXPECT_EQ(midweek.Week(0, 1, 0), 120);
    EXPECT_EQ(midweek.Week(2, 1, 0), 130);
    EXPECT_EQ(midweek.Value(MeetingRow::Meetings, 1, 0), 2);
    EXPECT_EQ(midweek.Value(MeetingRow::Total, 1, 0), 250);
    EXPECT_EQ(midweek.Value(MeetingRow::Average, 1, 0), 125);
    EXPECT_EQ(midweek.Week(4, 11, 2), 77);
    EXPECT_EQ(m_attendance.Record(MeetingKind::Weekend).Week(0, 0, 1), 140);
    EXPECT_EQ(m_attendance.Record(MeetingKind::Weekend).Value(MeetingRow::Average, 11, 1), 9);

    ASSERT_TRUE(m_attendance.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("meetin9.dat"), bytes);
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(MeetingAttendanceTest, SettingValuesGivesTheGoldenRecord) {
    MeetingAttendance attendance = MeetingAttendance::FromBytes({});
    auto& midweek = attendance.Record(MeetingKind::Midweek);
    midweek.SetWeek(0, 1, 0, 120);
    midweek.SetWeek(2, 1, 0, 130);
    midweek.SetValue(MeetingRow::Meetings, 1, 0, 2);
    midweek.SetValue(MeetingRow::Total, 1, 0, 250);
    midweek.SetValue(MeetingRow::Average, 1, 0, 125);
    midweek.SetWeek(4, 11, 2, 77);
    auto& weekend = attendance.Record(MeetingKind::Weekend);
    weekend.SetWeek(0, 0, 1, 140);
    weekend.SetValue(MeetingRow::Average, 11, 1, 9);
    EXPECT_EQ(attendance.FileBytes(), Concat({Midweek().Bytes(), Weekend().Bytes()}));
}

TEST_F(MeetingAttendanceTest, NamesAreReplacedAfterReadingAndTheRestOfTheFieldIsKept) {
    auto midweek = Midweek();
    midweek.Fill(0, 96, 'x').Text(0, 96, "Stara nazwa zebrania w tygodniu, dłuższa");
    m_dir.WriteFile("meetin9.dat", Concat({midweek.Bytes(), Weekend().Bytes()}));
    m_attendance.Load(m_folder, m_prompter);
    EXPECT_EQ(m_attendance.Record(MeetingKind::Midweek).Name(), "Zebranie w tygodniu");
    const std::string_view stored = m_attendance.Record(MeetingKind::Midweek).Bytes();
    EXPECT_EQ(stored.substr(0, 20), std::string_view("Zebranie w tygodniu\0", 20));
    EXPECT_EQ(stored.substr(20, 96 - 20), midweek.Bytes().substr(20, 96 - 20));
}

TEST_F(MeetingAttendanceTest, MissingFileGivesTwoNamedRecordsAndTheSaveWritesBoth) {
    m_attendance.Load(m_folder, m_prompter);
    EXPECT_EQ(m_attendance.LoadedCount(), 2);
    EXPECT_EQ(m_attendance.Record(MeetingKind::Weekend).Name(), "Zebranie w weekend");
    ASSERT_TRUE(m_attendance.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("meetin9.dat"), Concat({ByteRecord(672).Text(0, 96, "Zebranie w tygodniu").Bytes(),
                                                     ByteRecord(672).Text(0, 96, "Zebranie w weekend").Bytes()}));
}

TEST_F(MeetingAttendanceTest, OneRecordFileStillSavesTheWeekendMeeting) {
    m_dir.WriteFile("meetin9.dat", Midweek().Bytes());
    m_attendance.Load(m_folder, m_prompter);
    EXPECT_EQ(m_attendance.LoadedCount(), 1);
    m_attendance.Record(MeetingKind::Weekend).SetWeek(0, 0, 1, 140);
    m_attendance.Record(MeetingKind::Weekend).SetValue(MeetingRow::Average, 11, 1, 9);
    ASSERT_TRUE(m_attendance.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("meetin9.dat"), Concat({Midweek().Bytes(), Weekend().Bytes()}));
}

TEST_F(MeetingAttendanceTest, PartialOrExtraRecordsArePreservedFirst) {
    const std::string partial = Concat({Midweek().Bytes(), "abc"});
    m_dir.WriteFile("meetin9.dat", partial);
    m_attendance.Load(m_folder, m_prompter);
    EXPECT_EQ(m_attendance.LoadedCount(), 1);
    EXPECT_EQ(m_dir.ReadFile("meetin9.dat.uszkodzony"), partial);

    const std::string three = Concat({Midweek().Bytes(), Weekend().Bytes(), Weekend().Bytes()});
    m_dir.WriteFile("meetin9.dat", three);
    m_attendance.Load(m_folder, m_prompter);
    EXPECT_EQ(m_dir.ReadFile("meetin9.dat.uszkodzony2"), three);
    EXPECT_EQ(m_attendance.Record(MeetingKind::Weekend).Week(0, 0, 1), 140);
    EXPECT_EQ(m_prompter.Shown().size(), 2u);
}

} // namespace
} // namespace vardo
