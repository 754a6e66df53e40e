#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/reporting/MonthCycle.h"

namespace vardo {
namespace {

// Offsets of the record layout, written out here so that the test does not lean on the accessors it checks.
constexpr std::size_t kPioneer = 202, kPlacements = 240, kVideos = 312, kHours = 384, kVisits = 456, kStudy = 528,
                      kRemark = 600, kCredit = 672;
constexpr std::size_t Cell(int month, int slot) {
    return static_cast<std::size_t>(3 * month + slot);
}
constexpr std::size_t Word(std::size_t base, int month, int slot) {
    return base + 2 * Cell(month, slot);
}

class InitialiseMonthTest : public test::TempDataFolderTest {
protected:
    InitialiseMonthTest() {
        m_db.SetCount(1);
        m_db.RebuildIndex();
    }

    RecordNumber Add(PublisherCategory category, PublisherId id) {
        PublisherRecord record;
        record.SetLastName("Osoba" + std::to_string(id));
        record.SetFirstName("Jan");
        record.SetCategory(category);
        record.SetId(id);
        auto number = m_db.AppendRecord(record);
        EXPECT_TRUE(number.ok());
        return number.value();
    }
    PublisherRecord& P(PublisherId id) { return *m_db.FindById(id); }

    // Fills every report word of (month, slot) with a value.
    static void FillReports(PublisherRecord& p, int month, int slot, std::uint16_t value) {
        for (std::size_t base : {kPlacements, kVideos, kHours, kVisits, kStudy, kCredit})
            p.SetU16(Word(base, month, slot), value);
        p.SetU8(kPioneer + Cell(month, slot), 0xFE);
    }
    static bool ReportsClear(const PublisherRecord& p, int month, int slot) {
        for (std::size_t base : {kPlacements, kVideos, kHours, kVisits, kStudy, kCredit})
            if (p.U16(Word(base, month, slot)) != 0)
                return false;
        return true;
    }

    std::uint16_t AddRemark(PublisherId id, std::string_view text) {
        RemarkEntry entry;
        EXPECT_TRUE(entry.SetText(text).ok());
        entry.SetId(id);
        entry.SetMonthByte(1);
        auto number = m_remarks.Append(entry);
        EXPECT_TRUE(number.ok());
        return number.value();
    }

    InitialiseOutcome Run() {
        m_db.RebuildIndex();
        MonthData data{m_db, m_remarks, m_attendance, m_cardTotals, m_cycle, m_month};
        return InitialiseMonth(data, m_folder, m_month.monthIndex, m_month.SlotOf(m_month.monthIndex));
    }

    PublisherDatabase m_db;
    RemarkTable m_remarks;
    MeetingAttendance m_attendance;
    CardTotals m_cardTotals;
    MonthCycle m_cycle;
    // 10 February 2024: January 2024 (slot 0) is initialised; its month before is December of slot 1.
    WorkingMonth m_month = WorkingMonthFor(2024, 2, 10);
};

TEST_F(InitialiseMonthTest, PublisherStatusesAgeAndTheMonthIsEmptied) {
    Add(PublisherCategory::Publisher, 101);
    Add(PublisherCategory::Publisher, 102);
    Add(PublisherCategory::Publisher, 103);
    Add(PublisherCategory::Publisher, 104);
    PublisherRecord& a = P(101);
    a.SetU8(201, 0x71); // new publisher since July: six months are over in January
    a.SetU8(238, 0x71);
    PublisherRecord& b = P(102);
    b.SetU8(201, 0x21); // status month February; the year byte's high nibble names January
    b.SetU8(238, 0x13);
    P(103).SetU16(192, static_cast<std::uint16_t>(m_month.monthCount - 25));
    P(103).SetU8(238, 0x55);
    P(104).SetU16(192, static_cast<std::uint16_t>(m_month.monthCount - 24));
    P(104).SetU8(238, 0x55);

    // Pioneer carry from December of the other slot.
    a.SetU8(kPioneer + Cell(11, 1), 2);
    b.SetU8(kPioneer + Cell(11, 1), 3);
    b.SetU8(239, 0x08); // continuous auxiliary pioneer wins over the carried code
    P(103).SetU8(kPioneer + Cell(11, 1), 1);
    P(104).SetU8(kPioneer + Cell(11, 1), 3);

    for (PublisherId id : {101, 102, 103, 104}) {
        FillReports(P(id), 0, 0, 7);
        FillReports(P(id), 0, 1, 9); // January of the year before: another slot, untouched
        FillReports(P(id), 1, 0, 5); // February: untouched
    }
    const std::uint16_t remark = AddRemark(101, "Chory");
    a.SetU16(Word(kRemark, 0, 0), remark);

    Run();

    EXPECT_EQ(P(101).U8(201), 0);
    EXPECT_EQ(P(101).U8(238), 0x71) << "a status year byte whose nibble is not January stays";
    EXPECT_EQ(P(102).U8(201), 0x21);
    EXPECT_EQ(P(102).U8(238), 0x03);
    EXPECT_EQ(P(103).U16(192), 0);
    EXPECT_EQ(P(103).U8(238), 0);
    EXPECT_EQ(P(104).U16(192), m_month.monthCount - 24);
    EXPECT_EQ(P(104).U8(238), 0x55);

    EXPECT_EQ(P(101).U8(kPioneer + Cell(0, 0)), 2);
    EXPECT_EQ(P(102).U8(kPioneer + Cell(0, 0)), 1);
    EXPECT_EQ(P(103).U8(kPioneer + Cell(0, 0)), 0);
    EXPECT_EQ(P(104).U8(kPioneer + Cell(0, 0)), 3);

    for (PublisherId id : {101, 102, 103, 104}) {
        EXPECT_TRUE(ReportsClear(P(id), 0, 0)) << id;
        EXPECT_EQ(P(id).U16(Word(kHours, 0, 1)), 9) << id;
        EXPECT_EQ(P(id).U16(Word(kHours, 1, 0)), 5) << id;
        EXPECT_EQ(P(id).U8(kPioneer + Cell(1, 0)), 0xFE) << id;
    }
    EXPECT_EQ(P(101).U16(Word(kRemark, 0, 0)), 0);
    EXPECT_EQ(m_remarks.Entry(remark).Text(), "");
}

TEST_F(InitialiseMonthTest, NonPublisherKeepsTheConductorTextAndRemarkText) {
    Add(PublisherCategory::NonPublisher, 201);
    PublisherRecord& np = P(201);
    ASSERT_TRUE(np.SetConductorText("Jan Kowalski"));
    for (std::size_t base : {kVideos, kHours, kVisits, kStudy, kCredit})
        np.SetU16(Word(base, 0, 0), 4);
    const std::uint16_t remark = AddRemark(201, "Studium");
    np.SetU16(Word(kRemark, 0, 0), remark);

    Run();

    EXPECT_EQ(P(201).ConductorText(), "Jan Kowalski");
    for (std::size_t base : {kVideos, kHours, kVisits, kStudy, kCredit, kRemark})
        EXPECT_EQ(P(201).U16(Word(base, 0, 0)), 0) << base;
    EXPECT_EQ(m_remarks.Entry(remark).Text(), "Studium");
}

TEST_F(InitialiseMonthTest, InactiveMovedAndDeletedPersons) {
    Add(PublisherCategory::Inactive, 301); // inactive since January 2024 (even year: slot 0)
    P(301).SetU8(201, 0x10);
    P(301).SetU8(238, ToYearByte(2024));
    Add(PublisherCategory::Inactive, 302); // inactive since January 2023: other parity
    P(302).SetU8(201, 0x10);
    P(302).SetU8(238, ToYearByte(2023));
    Add(PublisherCategory::Moved, 401); // moved in January: a year on the list is over
    P(401).SetU8(201, 0x10);
    Add(PublisherCategory::Moved, 402);
    P(402).SetU8(201, 0x20);
    Add(PublisherCategory::Deleted, 501);
    P(501).SetU8(201, 0x10);
    Add(PublisherCategory::Deleted, 502);
    for (PublisherId id : {301, 302, 401, 402, 501, 502}) {
        FillReports(P(id), 0, 0, 3);
        P(id).SetU16(Word(kRemark, 0, 0), 1);
    }
    const std::uint16_t movedRemark = AddRemark(401, "Przeprowadzka");

    const InitialiseOutcome outcome = Run();

    EXPECT_EQ(outcome.movedRemoved, 1);
    EXPECT_EQ(m_db.FindById(401), nullptr);
    EXPECT_EQ(m_remarks.Entry(movedRemark).Text(), "") << "a removed person's remarks are emptied";
    EXPECT_EQ(m_db.List(PublisherCategory::Moved).size(), 1u) << "the index is rebuilt";

    EXPECT_TRUE(ReportsClear(P(301), 0, 0));
    EXPECT_EQ(P(301).U8(kPioneer + Cell(0, 0)), 0);
    EXPECT_EQ(P(302).U16(Word(kHours, 0, 0)), 3) << "reports of another year's parity stay";
    EXPECT_EQ(P(302).U8(kPioneer + Cell(0, 0)), 0xFE);
    EXPECT_EQ(P(302).U16(Word(kCredit, 0, 0)), 0);
    EXPECT_TRUE(ReportsClear(P(402), 0, 0));

    EXPECT_EQ(P(501).U8(201), 0);
    EXPECT_EQ(P(501).U8(238), ToYearByte(2023)) << "February is not before January: one year back";
    EXPECT_TRUE(ReportsClear(P(501), 0, 0));
    EXPECT_TRUE(ReportsClear(P(502), 0, 0));
    for (PublisherId id : {301, 302, 402, 501, 502})
        EXPECT_EQ(P(id).U16(Word(kRemark, 0, 0)), 0) << id;
}

TEST_F(InitialiseMonthTest, OverlongInactiveListLosesItsOldestDownTo250) {
    // 270 persons inactive since 2010..2023 in turn, 15 of this year (never removed).
    for (int i = 0; i < 285; ++i) {
        const PublisherId id = static_cast<PublisherId>(1000 + i);
        Add(PublisherCategory::Inactive, id);
        const int year = i < 270 ? 2010 + i % 14 : 2024;
        P(id).SetU8(238, ToYearByte(year));
        P(id).SetU8(201, static_cast<std::uint8_t>((1 + i % 12) << 4));
    }
    const InitialiseOutcome outcome = Run();
    EXPECT_EQ(outcome.inactiveRemoved, 35);
    EXPECT_EQ(m_db.List(PublisherCategory::Inactive).size(), 250u);
    int from2010 = 0;
    for (const IndexEntry& e : m_db.List(PublisherCategory::Inactive))
        from2010 += e.record->U8(238) == ToYearByte(2010) ? 1 : 0;
    // 2010 held 20 persons, 2011 20 more: 35 removed takes all of 2010 and 15 of 2011.
    EXPECT_EQ(from2010, 0);
}

TEST_F(InitialiseMonthTest, TrimmingStopsWhenNobodyIsOlderThanThisYear) {
    for (int i = 0; i < 290; ++i) {
        const PublisherId id = static_cast<PublisherId>(1000 + i);
        Add(PublisherCategory::Deleted, id);
        // Removed in 2024: month in the low byte, year − 1950 in the high byte.
        P(id).SetU16(192, static_cast<std::uint16_t>(((2024 - 1950) << 8) | 1));
    }
    Add(PublisherCategory::Deleted, 2000);
    P(2000).SetU16(192, static_cast<std::uint16_t>(((1999 - 1950) << 8) | 6));
    const InitialiseOutcome outcome = Run();
    EXPECT_EQ(outcome.deletedRemoved, 1);
    EXPECT_EQ(m_db.FindById(2000), nullptr);
    EXPECT_EQ(m_db.List(PublisherCategory::Deleted).size(), 290u);
}

TEST_F(InitialiseMonthTest, DocumentStateOfTheMonth) {
    Add(PublisherCategory::Publisher, 101);
    m_db.Header().SetMonthState(0, MonthState::Closed);
    m_db.Header().SetMonthState(5, MonthState::Open);
    m_cycle.totals.SetValue(2, MonthTotals::kReportCountColumn, 1);
    m_cycle.totals.SetValue(0, 0, 44);
    m_cycle.lateReports.Add(101, 11, 0);
    m_cycle.lastEnteredId = 101;
    MeetingRecord& midweek = m_attendance.Record(MeetingKind::Midweek);
    midweek.SetValue(MeetingRow::Week2, 0, 2, 61);
    midweek.SetValue(MeetingRow::Average, 0, 2, 58);
    midweek.SetValue(MeetingRow::Week1, 4, 2, 70);
    m_attendance.Record(MeetingKind::Weekend).SetValue(MeetingRow::Total, 0, 2, 300);
    m_cardTotals.SetValue(11, 0, MonthTotals::kQuarterHourColumn, 1, 7);
    m_db.Header().SetU16(Word(kStudy, 0, 0), 0x3005);

    Run();

    const HeaderRecord& header = m_db.Header();
    EXPECT_EQ(header.U16(600 + 2 * Cell(0, 0)), 24);
    EXPECT_EQ(m_cycle.totals, MonthTotals{});
    EXPECT_TRUE(m_cycle.lateReports.Empty());
    EXPECT_EQ(m_cycle.lastEnteredId, 0);
    EXPECT_EQ(midweek.Value(MeetingRow::Week2, 0, 0), 61);
    EXPECT_EQ(midweek.Value(MeetingRow::Average, 0, 0), 58);
    EXPECT_EQ(midweek.Value(MeetingRow::Week1, 4, 2), 0);
    EXPECT_EQ(m_attendance.Record(MeetingKind::Weekend).Value(MeetingRow::Total, 0, 0), 300);
    EXPECT_EQ(m_cardTotals.Value(11, 0, MonthTotals::kQuarterHourColumn, 1), 4);
    EXPECT_EQ(header.U16(Word(kStudy, 0, 0)), 0x0005);
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(header.U8(137 + static_cast<std::size_t>(m)), m == 0 ? 1 : 0) << m;
    EXPECT_TRUE(m_dir.Exists("remark9.dat"));
}

TEST_F(InitialiseMonthTest, TotalsWithoutCountedReportsStay) {
    m_cycle.totals.SetValue(3, MonthTotals::kReportCountColumn, 2);
    m_cycle.totals.SetValue(0, 2, 10);
    m_cardTotals.SetValue(11, 0, MonthTotals::kQuarterHourColumn, 1, 8);
    Run();
    EXPECT_EQ(m_cycle.totals.Value(0, 2), 10);
    EXPECT_EQ(m_cardTotals.Value(11, 0, MonthTotals::kQuarterHourColumn, 1), 8);
}

TEST(InitialiseMonthYearTag, DecemberInitialisedInJanuaryTagsThePreviousYear) {
    PublisherDatabase db;
    db.SetCount(1);
    RemarkTable remarks;
    MeetingAttendance attendance;
    CardTotals cardTotals;
    MonthCycle cycle;
    test::TempDir dir;
    const WorkingMonth month = WorkingMonthFor(2025, 1, 10); // working month December 2024, slot 0
    MonthData data{db, remarks, attendance, cardTotals, cycle, month};
    InitialiseMonth(data, DataFolder(dir.Path()), 11, month.SlotOf(11));
    EXPECT_EQ(db.Header().InitialisedYear(11, 0), 24);
}

TEST(CloseMonth, OnlyAnOpenMonthCloses) {
    HeaderRecord header = HeaderRecord::Empty();
    const WorkingMonth month = WorkingMonthFor(2024, 3, 10);
    EXPECT_FALSE(CloseMonth(header, month));
    header.SetMonthState(1, MonthState::Open);
    EXPECT_TRUE(CloseMonth(header, month));
    EXPECT_EQ(header.U8(138), 2);
}

TEST(EraseLateReports, AsksWithTheCountAndEmptiesOnOk) {
    MonthCycle cycle;
    cycle.lateReports.Add(100, 0, 1);
    cycle.lateReports.Add(101, 0, 1);
    cycle.eraseLateAllowed = true;
    ScriptedPrompter prompter({Answer::Cancel, Answer::Ok});
    EXPECT_FALSE(EraseLateReports(cycle, prompter));
    EXPECT_EQ(cycle.lateReports.Size(), 2u);
    EXPECT_TRUE(EraseLateReports(cycle, prompter));
    EXPECT_TRUE(cycle.lateReports.Empty());
    EXPECT_FALSE(cycle.eraseLateAllowed);
    EXPECT_EQ(prompter.Shown().at(0), "Klicknij OK by wymazać 2 raport(y)   ");
}

} // namespace
} // namespace vardo
