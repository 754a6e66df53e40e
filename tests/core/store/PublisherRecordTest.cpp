#include "core/store/PublisherRecord.h"

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "core/store/MonthMath.h"

namespace vardo {
namespace {

using test::ByteRecord;

// Byte offset of cell (m, s) in a u16 row starting at `row`.
std::size_t Cell16(std::size_t row, int m, int s) {
    return row + 2 * static_cast<std::size_t>(3 * m + s);
}
std::size_t Cell8(std::size_t row, int m, int s) {
    return row + static_cast<std::size_t>(3 * m + s);
}

TEST(MonthMath, SlotsFollowYearParityAroundTheWorkingMonth) {
    // Working month February 2024 (year index 24, month index 1).
    EXPECT_EQ(SlotOfMonth(24, 0, 1), 0);
    EXPECT_EQ(SlotOfMonth(24, 1, 1), 0);
    EXPECT_EQ(SlotOfMonth(24, 2, 1), 1); // March belongs to 2023
    EXPECT_EQ(SlotOfMonth(24, 11, 1), 1);
    EXPECT_EQ(SlotOfMonth(25, 11, 11), 1);
    EXPECT_EQ(SlotOfMonth(-1, 0, 0), 1);
    EXPECT_EQ(CellPosition(11, 2), 35);
    EXPECT_EQ(ToMonthCount(2023, 8), kNewReportFormatStart);
    EXPECT_EQ(MonthIndexOf(289), 1);
    EXPECT_EQ(YearIndexOf(299), 24);
}

TEST(MonthMath, YearBytesCoverTwoCenturies) {
    EXPECT_EQ(ToYearByte(2024), 24);
    EXPECT_EQ(ToYearByte(2200), 200);
    EXPECT_EQ(ToYearByte(1999), 255);
    EXPECT_EQ(ToYearByte(1945), 201);
    EXPECT_EQ(YearOfYearByte(24), 2024);
    EXPECT_EQ(YearOfYearByte(200), 2200);
    EXPECT_EQ(YearOfYearByte(201), 1945);
    EXPECT_EQ(YearOfYearByte(255), 1999);
}

TEST(PublisherRecord, AccessorsReadEveryFieldAtItsOffset) {
    ByteRecord bytes(816);
    bytes.Text(2, 21, "Łucja")
        .Text(23, 21, "Żółkiewska")
        .Text(44, 63, "ul. Świętokrzyska 12/4, Kraków")
        .Text(107, 15, "12 345 67 89")
        .Text(122, 15, "600 100 200")
        .Text(137, 15, "22 111 22 33")
        .Text(152, 9, " 5052019")
        .Text(161, 9, "12311980")
        .Text(170, 9, " 1022020")
        .U8(179, 1)
        .U8(180, 'O')
        .U8(181, 7)
        .U16(182, 1234)
        .U16(184, 3)
        .U16(186, 11)
        .U16(188, 1200)
        .U16(190, 12)
        .U16(192, 289)
        .U16(194, 0x0180)
        .U16(196, 0x8005)
        .U16(198, 1)
        .U8(200, 1)
        .U8(201, 0x31)
        .U8(238, 24)
        .U8(239, 0x4A);
    const PublisherRecord record = PublisherRecord::FromBytes(bytes.Bytes());

    EXPECT_EQ(record.FirstName(), "Łucja");
    EXPECT_EQ(record.LastName(), "Żółkiewska");
    EXPECT_EQ(record.Address(), "ul. Świętokrzyska 12/4, Kraków");
    EXPECT_EQ(record.Phone1(), "12 345 67 89");
    EXPECT_EQ(record.Phone2(), "600 100 200");
    EXPECT_EQ(record.Phone3(), "22 111 22 33");
    EXPECT_EQ(record.BaptismDate(), " 5052019");
    EXPECT_EQ(record.BirthDate(), "12311980");
    EXPECT_EQ(record.ThirdDate(), " 1022020");
    EXPECT_TRUE(record.HasThirdDate());
    EXPECT_EQ(record.Hope(), 'O');
    EXPECT_EQ(record.Group(), 7);
    EXPECT_EQ(record.Id(), 1234);
    EXPECT_EQ(record.ExtensionKey(), 3);
    EXPECT_EQ(record.EmergencyKey(), 11);
    EXPECT_EQ(record.FamilyHead(), 1200);
    EXPECT_EQ(record.SpecialNeedsKey(), 12);
    EXPECT_EQ(record.StatusChangeMonth(), 289);
    EXPECT_TRUE(record.IsSpecialFullTime());
    EXPECT_TRUE(record.IsFieldMissionary());
    EXPECT_TRUE(record.IsDeaf());
    EXPECT_FALSE(record.IsBlind());
    EXPECT_TRUE(record.IsConfined());
    EXPECT_EQ(record.ImportMarker(), 1);
    EXPECT_EQ(record.Category(), PublisherCategory::Inactive);
    EXPECT_EQ(record.StatusMonth(), 0x31);
    EXPECT_EQ(record.StatusYear(), 24);
    EXPECT_EQ(record.GetAppointment(), Appointment::Elder);
    EXPECT_FALSE(record.IsHeadOfFamily());
    EXPECT_TRUE(record.IsContinuousAuxiliary());
    EXPECT_FALSE(record.InUserCategory());
    EXPECT_FALSE(record.IsMale());
    EXPECT_TRUE(record.IsFemale());
    EXPECT_FALSE(record.HidesGroup());
}

TEST(PublisherRecord, SettersWriteTheSameBytesAsTheLayout) {
    PublisherRecord record;
    EXPECT_TRUE(record.SetFirstName("Jędrzej"));
    EXPECT_TRUE(record.SetLastName("Ślązak"));
    EXPECT_TRUE(record.SetAddress("Łąkowa 5"));
    EXPECT_TRUE(record.SetPhone2("501 502 503"));
    EXPECT_TRUE(record.SetBirthDate(" 7041975"));
    record.SetHope('A');
    record.SetGroup(20);
    record.SetId(30003);
    record.SetFamilyHead(101);
    record.SetFieldMissionary(true);
    record.SetBlind(true);
    record.SetCategory(PublisherCategory::CircuitOverseer);
    record.SetAppointment(Appointment::BaptizedBrother);
    record.SetMale(true);
    record.SetHidesGroup(true);

    ByteRecord expected(816);
    expected.Text(2, 21, "Jędrzej")
        .Text(23, 21, "Ślązak")
        .Text(44, 63, "Łąkowa 5")
        .Text(122, 15, "501 502 503")
        .Text(161, 9, " 7041975")
        .U8(180, 'A')
        .U8(181, 20)
        .U16(182, 30003)
        .U16(188, 101)
        .U16(194, 0x0100)
        .U16(196, 0x0002)
        .U8(200, 5)
        .U8(239, 0x80 | 0x20 | 3);
    EXPECT_EQ(record.Bytes(), expected.Bytes());
}

TEST(PublisherRecord, TextSettersClipToTheFieldAndReportLoss) {
    PublisherRecord record;
    record.Assign(std::string(816, '\x7F'));
    EXPECT_FALSE(record.SetFirstName("Abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(record.FirstName(), "Abcdefghijklmnopqrst");
    EXPECT_EQ(record.U8(22), 0);
    EXPECT_EQ(record.U8(23), 0x7F); // the next field is untouched

    EXPECT_TRUE(record.SetLastName("Nowak"));
    for (std::size_t i = 23 + 5; i < 44; ++i)
        EXPECT_EQ(record.U8(i), 0) << i;

    EXPECT_FALSE(record.SetAddress("Ulica 日本"));
    EXPECT_EQ(record.Address(), "Ulica ??");
}

TEST(PublisherRecord, ReportCellsMapEveryRowAtMonthAndSlot) {
    ByteRecord bytes(816);
    const int m = 9;
    const int s = 1;
    bytes
        .U8(Cell8(202, m, s), 0xFE)                       // pioneer code 2 with a stray high bit
        .U16(Cell16(240, m, s), 300)                      // placements
        .U16(Cell16(312, m, s), 12)                       // videos
        .U16(Cell16(384, m, s), 52)                       // hours
        .U16(Cell16(456, m, s), 9)                        // return visits
        .U16(Cell16(528, m, s), 0x2000 | 0x0800 | 0x0005) // ",30", flag, 5 studies
        .U16(Cell16(600, m, s), 17)
        .U16(Cell16(672, m, s), 6)
        .U8(Cell8(744, m, s), 23)
        .U8(Cell8(780, m, s), 11);
    PublisherRecord record = PublisherRecord::FromBytes(bytes.Bytes());

    const ReportCell cell = record.Cell(m, s);
    EXPECT_EQ(cell.Pioneer(), PioneerCode::Regular);
    EXPECT_EQ(cell.placements, 300);
    EXPECT_EQ(cell.videos, 12);
    EXPECT_EQ(cell.hours, 52);
    EXPECT_EQ(cell.returnVisits, 9);
    EXPECT_EQ(cell.BibleStudies(), 5);
    EXPECT_TRUE(cell.Flag());
    EXPECT_EQ(cell.QuarterHours(), 2);
    EXPECT_DOUBLE_EQ(cell.TotalHours(), 52.5);
    EXPECT_EQ(cell.remark, 17);
    EXPECT_EQ(cell.creditHours, 6);
    EXPECT_EQ(cell.yearTag, 23);
    EXPECT_EQ(cell.lateMarker, 11);
    EXPECT_EQ(record.Cell(m, 0), ReportCell{});

    // Writing the cell back changes no bit; writing it elsewhere lands on that cell only.
    record.SetCell(m, s, cell);
    EXPECT_EQ(record.Bytes(), bytes.Bytes());
    record.ClearCell(m, s);
    record.SetCell(0, 2, cell);
    ByteRecord moved(816);
    moved.U8(Cell8(202, 0, 2), 0xFE)
        .U16(Cell16(240, 0, 2), 300)
        .U16(Cell16(312, 0, 2), 12)
        .U16(Cell16(384, 0, 2), 52)
        .U16(Cell16(456, 0, 2), 9)
        .U16(Cell16(528, 0, 2), 0x2805)
        .U16(Cell16(600, 0, 2), 17)
        .U16(Cell16(672, 0, 2), 6)
        .U8(Cell8(744, 0, 2), 23)
        .U8(Cell8(780, 0, 2), 11);
    EXPECT_EQ(record.Bytes(), moved.Bytes());
}

TEST(PublisherRecord, CellSettersKeepTheOtherBitsOfTheStudyWord) {
    ReportCell cell;
    cell.studyWord = 0xC400; // bits 10, 14, 15 belong to nobody here
    cell.SetBibleStudies(63);
    cell.SetQuarterHours(3);
    cell.SetFlag(true);
    EXPECT_EQ(cell.studyWord, 0xC400 | 0x3000 | 0x0800 | 63);
    cell.SetFlag(false);
    cell.SetQuarterHours(1);
    cell.SetBibleStudies(0);
    EXPECT_EQ(cell.studyWord, 0xC400 | 0x1000);
    cell.pioneerByte = 0xF0;
    cell.SetPioneer(PioneerCode::Special);
    EXPECT_EQ(cell.pioneerByte, 0xF3);
}

TEST(HeaderRecord, FieldsAndTheEmptyHeader) {
    const HeaderRecord empty = HeaderRecord::Empty();
    EXPECT_EQ(empty.Bytes(), ByteRecord(816).U8(2, ' ').U8(23, 'A').Bytes());
    EXPECT_FALSE(empty.HasPassword());

    HeaderRecord header = empty;
    EXPECT_TRUE(header.SetPassword("hasło"));
    header.SetMonthState(0, MonthState::Closed);
    header.SetMonthState(11, MonthState::Open);
    header.SetDocumentWord(0xBEEF);
    header.SetU16(194, 0xA5F0);
    header.SetSavedMonthNibble(3);
    header.SetInitialisedYear(4, 1, 24);
    ByteRecord expected(816);
    expected.Text(2, 21, "hasło")
        .U8(23, 'A')
        .U8(137, 2)
        .U8(148, 1)
        .U16(192, 0xBEEF)
        .U16(194, 0xA5F3)
        .U16(Cell16(600, 4, 1), 24);
    EXPECT_EQ(header.Bytes(), expected.Bytes());
    EXPECT_TRUE(header.HasPassword());
    EXPECT_EQ(header.Password(), "hasło");
    EXPECT_EQ(header.GetMonthState(0), MonthState::Closed);
    EXPECT_EQ(header.SavedMonthNibble(), 3);
    EXPECT_EQ(header.InitialisedYear(4, 1), 24);
}

TEST(PersonRef, BuildsRecordAndListReferencesWithinNineBits) {
    EXPECT_EQ(PersonRefOfRecord(511), PersonRef{511});
    EXPECT_EQ(PersonRefOfRecord(512), std::nullopt);
    EXPECT_EQ(PersonRefOfListPosition(PublisherCategory::Moved, 3), PersonRef{0x2003});
    EXPECT_EQ(PersonRefOfListPosition(PublisherCategory::Inactive, 299), PersonRef{0x4000 | 299});
    EXPECT_EQ(PersonRefOfListPosition(PublisherCategory::NonPublisher, 0), PersonRef{0x8000});
    EXPECT_EQ(PersonRefOfListPosition(PublisherCategory::Deleted, 0), std::nullopt);
    EXPECT_EQ(PersonRefOfListPosition(PublisherCategory::Inactive, 512), std::nullopt);
}

TEST(RecordDate, TextAndExchangeForms) {
    EXPECT_EQ(RecordDateText(2019, 5, 5), " 5052019");
    EXPECT_EQ(RecordDateText(1980, 12, 31), "12311980");
    EXPECT_EQ(RecordDateText(1980, 13, 1), "");
    EXPECT_EQ(RecordDateToIso(" 5052019"), "2019-05-05");
    EXPECT_EQ(RecordDateToIso("12311980"), "1980-12-31");
    EXPECT_EQ(RecordDateToIso("        "), "");
    EXPECT_EQ(RecordDateToIso(""), "");
    EXPECT_EQ(IsoToRecordDate("2019-05-05"), "05052019");
    EXPECT_EQ(IsoToRecordDate("2019-5-5"), "");
}

} // namespace
} // namespace vardo
