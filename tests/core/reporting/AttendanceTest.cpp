// Meeting attendance: the figures of a month, where a month is kept, the record and the CSV export.

#include "core/reporting/Attendance.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo::test {
namespace {

TEST(MeetingFigures, AverageIsRoundedHalfUpOverTheWeeksWithMeetings) {
    struct Case {
        WeekAttendance weeks;
        MeetingFigures expected;
    };
    for (const Case& c : {Case{{120, 0, 130, 0, 0}, {2, 250, 125}}, Case{{120, 131, 0, 0, 0}, {2, 251, 126}},
                          Case{{10, 11, 11, 0, 0}, {3, 32, 11}}, Case{{10, 10, 11, 0, 0}, {3, 31, 10}},
                          Case{{0, 0, 0, 0, 0}, {0, 0, 0}}, Case{{0, 0, 0, 0, 7}, {1, 7, 7}}}) {
        EXPECT_EQ(ComputeMeetingFigures(c.weeks), c.expected) << c.weeks[0] << " " << c.weeks[1] << " " << c.weeks[2];
    }
}

TEST(MeetingAttendanceStore, StoresWeeksAndFiguresOfOneMeetingAndSlot) {
    MeetingAttendance attendance;
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, 4, 1, {120, 131, 0, 0, 0});
    EXPECT_EQ(WeeksOf(attendance, MeetingKind::Weekend, 4, 1), (WeekAttendance{120, 131, 0, 0, 0}));
    EXPECT_EQ(StoredFigures(attendance, MeetingKind::Weekend, 4, 1), (MeetingFigures{2, 251, 126}));
    EXPECT_DOUBLE_EQ(MeetingAverage(attendance, MeetingKind::Weekend, 4, 1), 125.5);
    EXPECT_EQ(StoredFigures(attendance, MeetingKind::Midweek, 4, 1), MeetingFigures{});
    EXPECT_EQ(StoredFigures(attendance, MeetingKind::Weekend, 4, 0), MeetingFigures{});
    EXPECT_DOUBLE_EQ(MeetingAverage(attendance, MeetingKind::Midweek, 4, 1), 0.0);
}

TEST(MeetingAttendanceStore, ChangePathRollsBackAndCommits) {
    MeetingAttendance attendance;
    ChangeHub changes;
    changes.SetCapture(DataArea::Attendance, [&attendance] {
        MeetingAttendance before = attendance;
        return ChangeHub::Restore([&attendance, before] { attendance = before; });
    });
    StoreAttendanceMonth(changes, attendance, MeetingKind::Midweek, 0, 0, {50, 0, 0, 0, 0});
    EXPECT_TRUE(changes.IsModified());
    EXPECT_EQ(StoredFigures(attendance, MeetingKind::Midweek, 0, 0).total, 50);
}

TEST(AttendanceSlot, TwentyFourMonthsAndTheCurrentCalendarMonth) {
    const WorkingMonth month = WorkingMonthFor(2025, 3, 3); // working month February 2025
    EXPECT_EQ(AttendanceSlotOf(month, 2025, 1), 1);
    EXPECT_EQ(AttendanceSlotOf(month, 2024, 11), 0);
    EXPECT_EQ(AttendanceSlotOf(month, 2023, 2), 1) << "March 2023 is the oldest month kept";
    EXPECT_EQ(AttendanceSlotOf(month, 2023, 1), std::nullopt);
    EXPECT_EQ(AttendanceSlotOf(month, 2025, 2), 2) << "March, today's month, is edited in slot 2";
    EXPECT_EQ(AttendanceSlotOf(month, 2025, 3), std::nullopt);
    const WorkingMonth early = WorkingMonthFor(2025, 4, 3, 0, 0); // working month March, today April
    EXPECT_EQ(AttendanceSlotOf(early, 2025, 3), 2);
}

TEST(AttendanceRecordTest, TwoServiceYearsWithEmptyFutureMonthsAndTheMeanOfMonthsWithMeetings) {
    const WorkingMonth month = WorkingMonthFor(2025, 3, 3); // February 2025: service years 2024 and 2025
    MeetingAttendance attendance;
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 8, 0, {100, 0, 0, 0, 0}); // September 2024
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 9, 0, {0, 0, 0, 0, 0});   // October 2024: none
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 0, 1, {90, 91, 0, 0, 0}); // January 2025
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 1, 1, {80, 0, 0, 0, 0});  // February 2025
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 2, 1, {999, 0, 0, 0, 0}); // March 2023 (stale)
    StoreAttendanceMonth(attendance, MeetingKind::Midweek, 8, 1, {70, 0, 0, 0, 0});  // September 2023

    auto years = AttendanceRecord(attendance, MeetingKind::Midweek, month, false);
    EXPECT_EQ(years[0].serviceYear, 2024);
    EXPECT_EQ(years[1].serviceYear, 2025);
    EXPECT_EQ(years[0].rows[0].month, 8);
    EXPECT_EQ(years[0].rows[0].total, 70);
    const AttendanceYear& current = years[1];
    EXPECT_EQ(current.rows[0].total, 100);
    EXPECT_TRUE(current.rows[1].shown);
    EXPECT_DOUBLE_EQ(current.rows[1].average, 0.0);
    EXPECT_DOUBLE_EQ(current.rows[4].average, 90.5);
    EXPECT_FALSE(current.rows[5].shown) << "the working month stays empty until it is initialised";
    EXPECT_FALSE(current.rows[6].shown) << "March 2025 is not reported yet";
    EXPECT_EQ(current.rows[6].total, 0);
    EXPECT_DOUBLE_EQ(current.meanOfAverages, (100 + 90.5) / 2) << "October had no meetings";

    years = AttendanceRecord(attendance, MeetingKind::Midweek, month, true);
    EXPECT_EQ(years[1].rows[5].total, 80);
    EXPECT_DOUBLE_EQ(years[1].meanOfAverages, (100 + 90.5 + 80) / 3);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(AttendanceCsvTest, HeaderAndFortyEightLinesEvenWithoutData) {
    const WorkingMonth month = WorkingMonthFor(2025, 3, 3);
    const std::vector<std::string> lines = Lines(AttendanceCsv(MeetingAttendance{}, CardTotals{}, month));
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[0], "Zebranie,Miesiąc,IL.,Sum,Śr.,Głosiciele czynni");
    EXPECT_EQ(lines[1], "\"Czas.\",\"2023-03\",\"0\",\"0\",\"0.00\",\"\"");
    EXPECT_EQ(lines[24], "\"Czas.\",\"2025-02\",\"0\",\"0\",\"0.00\",\"\"");
    EXPECT_EQ(lines[25], "\"Odw.\",\"2023-03\",\"0\",\"0\",\"0.00\",\"\"");
}

TEST(AttendanceCsvTest, LinesCarryTheFiguresAndTheActivePublishersOfTheMonth) {
    const WorkingMonth month = WorkingMonthFor(2025, 3, 3);
    MeetingAttendance attendance;
    StoreAttendanceMonth(attendance, MeetingKind::Weekend, 1, 1, {120, 131, 0, 0, 0});
    CardTotals history;
    history.SetValue(1, 0, 5, 1, 87);
    const std::vector<std::string> lines = Lines(AttendanceCsv(attendance, history, month));
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[48], "\"Odw.\",\"2025-02\",\"2\",\"251\",\"125.50\",\"87\"");
    EXPECT_EQ(lines[24], "\"Czas.\",\"2025-02\",\"0\",\"0\",\"0.00\",\"87\"");
}

class AttendanceExportTest : public TempDataFolderTest {};

TEST_F(AttendanceExportTest, WritesWindows1250IntoTheExportsFolder) {
    const WorkingMonth month = WorkingMonthFor(2025, 3, 3);
    const Result<std::string> path = ExportAttendanceCsv(m_folder, MeetingAttendance{}, CardTotals{}, month);
    ASSERT_TRUE(path.ok()) << path.error();
    const std::string bytes = m_dir.ReadFile("Exports/Frekwencja.csv");
    EXPECT_EQ(bytes.substr(0, 14), "Zebranie,Miesi");
    EXPECT_EQ(bytes[14], '\xB9') << "ą in Windows-1250";
}

TEST_F(AttendanceExportTest, AFolderThatCannotBeCreatedIsReported) {
    m_dir.WriteFile("Exports", "a file in the way");
    const WorkingMonth month = WorkingMonthFor(2025, 3, 3);
    const Result<std::string> path = ExportAttendanceCsv(m_folder, MeetingAttendance{}, CardTotals{}, month);
    ASSERT_FALSE(path.ok());
    EXPECT_NE(path.error().find("Nie mogę utworzyć nowego pliku"), std::string::npos);
}

} // namespace
} // namespace vardo::test
