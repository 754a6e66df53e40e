#include "core/exchange/GroupReportFile.h"

#include <gtest/gtest.h>

#include "../reporting/ReportingFixture.h"
#include "ByteFixture.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

using test::ByteRecord;

// Working month February 2025 (slot 1); January 2025 is slot 1 too, December 2024 slot 0.
class GroupReportFileTest : public test::ReportingTest {
protected:
    GroupReportFileTest() {
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
        m_other = AddPerson("Piotr", "Zieliński");
        m_inactive = AddPerson("Adam", "Bąk", PublisherCategory::Inactive);
        Person(m_jan).SetGroup(2);
        Person(m_ewa).SetGroup(2);
        Person(m_other).SetGroup(3);
        Person(m_inactive).SetGroup(2);
        Person(m_jan).SetBaptismDate(" 5052019");
        Person(m_jan).SetExtensionKey(7);
    }

    GroupFileSource Source() {
        return {m_database, m_remarks,
                [this](const PublisherRecord& p) { return p.Id() == m_jan ? m_janEmail : std::string(); },
                [this](const PublisherRecord& p, MonthIndex m) { return p.Id() == m_jan && m == 0 && m_janLate; },
                [this](MonthIndex m) { return m_month.SlotOf(m); }};
    }

    void AddRemark(PublisherId id, MonthIndex month, YearSlot slot, std::string_view text) {
        PublisherRecord& person = Person(id);
        ASSERT_TRUE(StoreRemark(m_remarks, person, month, slot, 0, text, m_prompter).ok());
    }

    PublisherId m_jan = 0, m_ewa = 0, m_other = 0, m_inactive = 0;
    std::string m_janEmail = "jan@example.pl";
    bool m_janLate = true;
};

/// The expected record of a person in a .t09: the register's bytes with the file's changes, scrambled by
/// hand (character i of a text field + i + 52).
ByteRecord ExpectedRecord(const PublisherRecord& source, std::string_view first, std::string_view last,
                          std::string_view address) {
    ByteRecord record(kRecordSize);
    record.Raw(0, source.Bytes());
    record.Fill(2, 21, 0).ShiftedText(2, 21, first, 52, 0xCC, 21);
    record.Fill(23, 21, 0).ShiftedText(23, 21, last, 52, 0xCC, 21);
    record.Fill(44, 63, 0).ShiftedText(44, 63, address, 52, 0xCC, 30);
    record.Fill(152, 18, 0); // dates become late markers
    record.U16(184, 0);
    for (std::size_t cell = 600; cell < 672; ++cell)
        record.U8(cell, 0);
    return record;
}

TEST_F(GroupReportFileTest, WritesHeaderRecordsAndRemarksAtTheirOffsets) {
    PublisherRecord& jan = Person(m_jan);
    jan.SetRow(MonthRow::Hours, 0, 1, 12); // January 2025 holds data: the late marker is written
    jan.SetRow(MonthRow::Hours, 1, 1, 30);
    AddRemark(m_jan, 1, 1, "Feb uwaga");
    AddRemark(m_jan, 11, 0, "Gru uwaga");
    AddRemark(m_ewa, 1, 1, "Ewa");

    const Result<std::string> written =
        WriteGroupReportFile(Source(), {.group = 2, .month = 1, .slot = 1, .secretaryEmail = "sekretarz@zbor.pl"});
    ASSERT_TRUE(written.ok()) << written.error();

    ByteRecord header(816);
    header.Text(44, 64, "sekretarz@zbor.pl").U8(180, 2).U8(181, 2).U16(184, 3).U8(238, 1);

    // Jan: e-mail in the address, late marker of January (1 + 0 + 52), remarks renumbered 1 and 2.
    ByteRecord jan816 = ExpectedRecord(jan, "Jan", "Kowalski", "jan@example.pl");
    jan816.U8(152, 1 + 52);
    jan816.U16(600 + 2 * (3 * 1 + 1), 1).U16(600 + 2 * (3 * 11 + 0), 2);
    ByteRecord ewa816 = ExpectedRecord(Person(m_ewa), "Ewa", "Nowak", "");
    ewa816.U16(600 + 2 * (3 * 1 + 1), 3);

    ByteRecord remark1(48), remark2(48), remark3(48);
    remark1.Text(0, 44, "Feb uwaga");
    remark2.Text(0, 44, "Gru uwaga");
    remark3.Text(0, 44, "Ewa");

    const std::string expected = test::Concat(
        {header.Bytes(), jan816.Bytes(), ewa816.Bytes(), remark1.Bytes(), remark2.Bytes(), remark3.Bytes()});
    ASSERT_EQ(written.value().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(written.value()[i]), static_cast<unsigned char>(expected[i]))
            << "offset " << i;
}

TEST_F(GroupReportFileTest, AddressesThatCannotBeUsedAreLeftOut) {
    m_janEmail = "jan.example.pl"; // no at sign
    const auto written =
        WriteGroupReportFile(Source(), {.group = 2, .month = 1, .slot = 1, .secretaryEmail = "a@b.pl"});
    ASSERT_TRUE(written.ok());
    const std::string& bytes = written.value();
    EXPECT_EQ(bytes[44], '\0') << "an at sign at index 1 is not written into the header";
    EXPECT_EQ(bytes[816 + 44], '\0');

    EXPECT_TRUE(IsUsablePublisherEmail("a@b.c"));
    EXPECT_FALSE(IsUsablePublisherEmail("@b.c"));
    EXPECT_FALSE(IsUsablePublisherEmail("a.b@c"));
    EXPECT_FALSE(IsUsablePublisherEmail(""));
}

TEST_F(GroupReportFileTest, NoLateMarkerForAMonthWithoutData) {
    const auto written = WriteGroupReportFile(Source(), {.group = 2, .month = 1, .slot = 1});
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.value()[816 + 152], '\0') << "January is late but holds no data";
    Person(m_jan).SetRow(MonthRow::StudyWord, 0, 1, kStudyFlagBit);
    const auto again = WriteGroupReportFile(Source(), {.group = 2, .month = 1, .slot = 1});
    EXPECT_EQ(again.value()[816 + 152], 1 + 52) << "the participation bit is data";
}

TEST_F(GroupReportFileTest, BlankListClearsTheReportedMonthOnly) {
    PublisherRecord& jan = Person(m_jan);
    jan.SetRow(MonthRow::Hours, 1, 1, 30);
    jan.SetRow(MonthRow::StudyWord, 1, 1, kStudyFlagBit | 3);
    jan.SetRow(MonthRow::CreditHours, 1, 1, 5);
    jan.SetRow(MonthRow::Pioneer, 1, 1, 0x06); // regular pioneer with bit 2 set
    jan.SetRow(MonthRow::Hours, 0, 1, 44);
    AddRemark(m_jan, 1, 1, "dropped");
    AddRemark(m_jan, 0, 1, "kept");

    const auto written = WriteGroupReportFile(Source(), {.group = 2, .month = 1, .slot = 1, .blank = true});
    ASSERT_TRUE(written.ok());
    const auto read = ReadGroupReportFile(written.value());
    ASSERT_TRUE(read.ok());
    const PublisherRecord& copy = read.value().persons.at(0);
    EXPECT_EQ(copy.Hours(1, 1), 0);
    EXPECT_EQ(copy.StudyWord(1, 1), 0);
    EXPECT_EQ(copy.CreditHours(1, 1), 0);
    EXPECT_EQ(copy.Row(MonthRow::Pioneer, 1, 1), 0x02);
    EXPECT_EQ(copy.RemarkNumber(1, 1), 0);
    EXPECT_EQ(copy.Hours(0, 1), 44);
    EXPECT_EQ(read.value().RemarkOf(copy, 0, 1), "kept");
    EXPECT_EQ(read.value().remarks.size(), 2u);
}

TEST_F(GroupReportFileTest, RoundTripKeepsNamesValuesMarkersAndRemarks) {
    PublisherRecord& ewa = Person(m_ewa);
    ewa.SetFirstName("Ewelina");
    ewa.SetLastName("Świątek-Żółć");
    ewa.SetRow(MonthRow::Hours, 1, 1, 17);
    AddRemark(m_ewa, 1, 1, "zażółć gęślą");
    Person(m_jan).SetRow(MonthRow::Placements, 0, 1, 2);

    const auto written = WriteGroupReportFile(Source(), {.group = 2, .month = 1, .slot = 1});
    const auto read = ReadGroupReportFile(written.value());
    ASSERT_TRUE(read.ok());
    const GroupReportData& data = read.value();
    EXPECT_EQ(data.group, 2);
    EXPECT_EQ(data.month, 1);
    ASSERT_EQ(data.persons.size(), 2u);
    EXPECT_EQ(data.persons[0].FirstName(), "Jan");
    EXPECT_EQ(data.persons[0].Address(), "jan@example.pl");
    EXPECT_TRUE(GroupReportData::IsMarkedLate(data.persons[0], 0));
    EXPECT_FALSE(GroupReportData::IsMarkedLate(data.persons[0], 1));
    EXPECT_EQ(data.persons[1].LastName(), "Świątek-Żółć");
    EXPECT_EQ(data.persons[1].Hours(1, 1), 17);
    EXPECT_EQ(data.RemarkOf(data.persons[1], 1, 1), "zażółć gęślą");
}

TEST_F(GroupReportFileTest, GroupBeyondTheSignedCountIsRefused) {
    for (int i = 0; i < 128; ++i) {
        const PublisherId id = AddPerson("Osoba", "Nr" + std::to_string(1000 + i));
        Person(id).SetGroup(5);
    }
    const auto written = WriteGroupReportFile(Source(), {.group = 5, .month = 1, .slot = 1});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.code(), Failure::Full);
    EXPECT_NE(written.error().find("128"), std::string::npos);
}

TEST(GroupReportFileRead, DamagedFilesAreRefusedOrCutShort) {
    EXPECT_EQ(ReadGroupReportFile("").code(), Failure::Invalid);
    EXPECT_EQ(ReadGroupReportFile(std::string(815, '\0')).code(), Failure::Invalid);
    ByteRecord badMonth(816);
    badMonth.U8(238, 12);
    EXPECT_EQ(ReadGroupReportFile(badMonth.Bytes()).error(), Str(StrId::GroupFileDamaged));

    ByteRecord negative(816);
    negative.U8(180, 200).U8(238, 3); // signed: -56 persons
    const auto none = ReadGroupReportFile(negative.Bytes() + std::string(816, 'x'));
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none.value().persons.empty());

    ByteRecord truncated(816);
    truncated.U8(180, 3).U16(184, 500);
    const auto cut = ReadGroupReportFile(truncated.Bytes() + std::string(816 + 100, '\0'));
    ASSERT_TRUE(cut.ok());
    EXPECT_EQ(cut.value().persons.size(), 1u) << "persons stop at the end of the file";
    EXPECT_EQ(cut.value().remarks.size(), 1u) << "no whole remark entry follows";
}

} // namespace
} // namespace vardo
