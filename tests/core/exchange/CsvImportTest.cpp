#include "core/exchange/CsvImport.h"

#include <gtest/gtest.h>

#include "../reporting/ReportingFixture.h"
#include "ByteFixture.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

using test::ByteRecord;

TEST(CsvSeparator, FiveOfAKindDecides) {
    EXPECT_EQ(DetectCsvSeparator("a;b;c;d;e;f"), ';');
    EXPECT_EQ(DetectCsvSeparator("a;b;c;d;e\tf\tg\th\ti\tj"), '\t') << "four semicolons, five tabs";
    EXPECT_EQ(DetectCsvSeparator("a;b;c;d;e,f"), ',');
    EXPECT_EQ(DetectCsvSeparator(""), ',');
}

TEST(CsvParse, QuotesSeparatorsAndLineEnds) {
    const auto table = ParseCsv("Imię,Nazwisko,Godz.,Uwagi\r\n"
                                "\"Jan\",\"Kowalski, senior\",10,\"powiedział \"\"tak\"\"\"\r\n"
                                "Ewa,Nowak,5,\"dwie\nlinie\",\n"
                                "\n");
    ASSERT_TRUE(table.ok()) << table.error();
    EXPECT_EQ(table.value().separator, ',');
    ASSERT_EQ(table.value().rows.size(), 2u);
    EXPECT_EQ(table.value().rows[0][1], "Kowalski, senior");
    EXPECT_EQ(table.value().rows[0][3], "powiedział \"tak\"");
    EXPECT_EQ(table.value().rows[1][3], "dwie\nlinie");
    EXPECT_EQ(table.value().rows[1].size(), 5u) << "one trailing separator is accepted";
}

TEST(CsvParse, HeaderCheckRefusesWithItsMessage) {
    for (const char* text : {
             "",
             "a,b,c\n1,2,3\n",               // header of three fields
             "a,b,c,d\n",                    // no data line
             "a,b,c,d\n1,2,3,4,5,6\n",       // two fields more than the header
             "a,b,c,d\n1,2,3\n",             // one field less
             "a,b,c,d\n1,2,3,4\n1,2,3,4,,\n" // a later line too long
         }) {
        const auto table = ParseCsv(text);
        ASSERT_FALSE(table.ok()) << text;
        EXPECT_EQ(table.error(), Str(StrId::CsvMalformed));
        EXPECT_EQ(table.code(), Failure::Invalid);
    }
}

TEST(CsvParse, Windows1250AndByteOrderMarkBecomeUtf8) {
    const auto cp = ParseCsv(test::Cp1250("Imię;Nazwisko;a;b;c;d\nŁucja;Żak;1;2;3;4\n"));
    ASSERT_TRUE(cp.ok());
    EXPECT_EQ(cp.value().rows[0][0], "Łucja");
    const auto bom = ParseCsv("\xEF\xBB\xBFImię\tNazwisko\ta\tb\tc\td\nŁucja\tŻak\t1\t2\t3\t4\n");
    ASSERT_TRUE(bom.ok());
    EXPECT_EQ(bom.value().separator, '\t');
    EXPECT_EQ(bom.value().header[0], "Imię");
}

TEST(CsvColumnMapFile, BytesAtTheirOffsetsAndRestoreByHeaderText) {
    const std::vector<std::string> header{"Nazwisko", "Imię", "Godziny", "Kursy", "Uwagi"};
    CsvColumnMap map;
    map.Map(CsvTarget::LastName, 0, header);
    map.Map(CsvTarget::FirstName, 1, header);
    map.Map(CsvTarget::Hours, 2, header);
    map.participatedWhenHours = true;

    ByteRecord expected(840);
    for (int t = 0; t < 8; ++t)
        expected.I32(4 * static_cast<std::size_t>(t), -1);
    expected.I32(0, 1).I32(4, 0).I32(16, 2).I32(36, 1);
    expected.Text(40, 80, "Imię").Text(120, 80, "Nazwisko").Text(40 + 4 * 80, 80, "Godziny");
    expected.Text(760, 80, "Version 10");
    EXPECT_EQ(map.FileBytes(), expected.Bytes());

    const auto read = CsvColumnMap::FromFileBytes(expected.Bytes());
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value().Column(CsvTarget::Hours), 2);
    const CsvColumnMap moved = read.value().RestoredFor({"Imię", "Nazwisko", "Godziny"});
    EXPECT_EQ(moved.Column(CsvTarget::FirstName), -1) << "the column now holds another text";
    EXPECT_EQ(moved.Column(CsvTarget::Hours), 2);
    EXPECT_TRUE(moved.participatedWhenHours);

    ByteRecord old = expected;
    old.Fill(760, 80, 0);
    const CsvColumnMap older = CsvColumnMap::FromFileBytes(old.Bytes()).value().RestoredFor(header);
    EXPECT_EQ(older.Column(CsvTarget::LastName), 0);
    EXPECT_EQ(older.Column(CsvTarget::Hours), -1) << "an older file keeps only the names";

    EXPECT_FALSE(CsvColumnMap::FromFileBytes(std::string(839, '\0')).ok());
    ByteRecord hostile = expected;
    hostile.I32(0, 0x7FFFFFFF);
    EXPECT_EQ(CsvColumnMap::FromFileBytes(hostile.Bytes()).value().Column(CsvTarget::FirstName), -1);
}

TEST(CsvNameMapFile, RecordsAtTheirOffsets) {
    CsvNameMap map;
    map.Set({"Jan Kowalski", "J. Kowalski", 123});
    map.Set({"Ewa Nowak", "Ewka", 200});
    map.Set({"Ewa Nowak", "J. Kowalski", 200}); // replaces the first pair
    ByteRecord first(128), second(128);
    first.Text(0, 60, "Ewa Nowak").Text(60, 60, "Ewka").U32(120, 200);
    second.Text(0, 60, "Ewa Nowak").Text(60, 60, "J. Kowalski").U32(120, 200);
    EXPECT_EQ(map.FileBytes(), test::Concat({first.Bytes(), second.Bytes()}));
    const CsvNameMap read = CsvNameMap::FromFileBytes(map.FileBytes() + "partial");
    EXPECT_EQ(read.pairs, map.pairs);
    EXPECT_EQ(read.Find("Ewka"), 200);
    EXPECT_EQ(read.Find("nobody"), 0);

    ByteRecord unterminated(128); // a name filling its 60 bytes reads as the 59 that can be written back
    unterminated.Fill(60, 60, 'x').U32(120, 7);
    const CsvNameMap cut = CsvNameMap::FromFileBytes(unterminated.Bytes());
    ASSERT_EQ(cut.pairs.size(), 1u);
    EXPECT_EQ(cut.pairs[0].csvName, std::string(59, 'x'));
    EXPECT_EQ(CsvNameMap::FromFileBytes(cut.FileBytes()).pairs, cut.pairs);
}

TEST(CsvPioneerCredit, RemarkRules) {
    struct Case {
        int hours;
        const char* remark;
        int limit;
        int expected;
    };
    const Case cases[] = {
        {60, "15!szkoła", 70, 15},                                           // "!" lifts the cap
        {60, "15 szkoła", 70, 10},                                           // held to 70
        {40, "15 szkoła", 70, 15}, {60, "x15", 70, 0}, {60, "1234", 70, 10}, // three digits: 123, held to 70
        {60, "15*", 70, 15},                                                 // protected from the cap: f = 15
        {20, "50*", 70, 50},                                                 // protected 40, the rest up to 70
        {30, "50*", 70, 40},                                                 // protected up to 40
        {80, "15", 70, 0},                                                   // no room left: never negative
        {45, "15", 55, 10},                                                  // the newer format's limit
        {60, "15!", 55, 15},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvPioneerCredit(c.hours, c.remark, c.limit), c.expected) << c.hours << " " << c.remark;
    EXPECT_EQ(CsvCreditLimit(kNewReportFormatStart), 70);
    EXPECT_EQ(CsvCreditLimit(kNewReportFormatStart + 1), 55);
}

// Working month February 2025 (slot 1).
class CsvReportsTest : public test::ReportingTest {
protected:
    CsvReportsTest() {
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
        m_map.Map(CsvTarget::NameFirstLast, 0, m_header);
        m_map.Map(CsvTarget::Participated, 1, m_header);
        m_map.Map(CsvTarget::Studies, 2, m_header);
        m_map.Map(CsvTarget::Hours, 3, m_header);
        m_map.Map(CsvTarget::Remark, 4, m_header);
    }

    CsvReports Build(std::string body) {
        const auto table = ParseCsv("Name,Uczestniczył,Kursy,Godziny,Uwagi,x\n" + body);
        EXPECT_TRUE(table.ok()) << table.error();
        return BuildCsvReports(table.value(), m_map, m_names, m_context);
    }

    const std::vector<std::string> m_header{"Name", "Uczestniczył", "Kursy", "Godziny", "Uwagi", "x"};
    CsvColumnMap m_map;
    CsvNameMap m_names;
    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(CsvReportsTest, ParticipationValuesAndRanges) {
    const CsvReports reports = Build("Jan Kowalski,1,3,,ok,\n"
                                     "\"Nowak, Ewa\",0,2,,,\n"
                                     "Nieznany Ktoś,1,1,1,,\n");
    ASSERT_EQ(reports.persons.size(), 2u);
    EXPECT_EQ(reports.unmatched, std::vector<std::string>{"Nieznany Ktoś"});
    const ReportCell jan = reports.persons[0].values.Cell(1, 1);
    EXPECT_TRUE(jan.Flag());
    EXPECT_EQ(jan.BibleStudies(), 3);
    EXPECT_EQ(reports.persons[0].remarks[1], "ok");
    const ReportCell ewa = reports.persons[1].values.Cell(1, 1);
    EXPECT_FALSE(ewa.Flag()) << "\"0\" without the option is no participation";
    EXPECT_EQ(ewa.BibleStudies(), 0);

    const CsvReports ranges = Build("Jan Kowalski,1,500,740,x,\nNowak Ewa,,,,,\n");
    const ReportCell cut = ranges.persons[0].values.Cell(1, 1);
    EXPECT_EQ(cut.BibleStudies(), 0);
    EXPECT_EQ(cut.hours, 0);
    EXPECT_TRUE(cut.Flag());
    EXPECT_TRUE(ranges.persons[0].remarks[1].empty()) << "a remark of one character is not stored";
}

TEST_F(CsvReportsTest, OptionCountsHoursAsParticipation) {
    m_map.participatedWhenHours = true;
    const CsvReports reports = Build("Jan Kowalski,0,,12.5,,\nEwa Nowak,0,,,,\n");
    const ReportCell jan = reports.persons[0].values.Cell(1, 1);
    EXPECT_TRUE(jan.Flag());
    EXPECT_EQ(jan.hours, 12);
    EXPECT_EQ(jan.QuarterHours(), 2);
    EXPECT_FALSE(reports.persons[1].values.Cell(1, 1).Flag())
        << "a \"0\" without hours is no participation, option or not";
}

TEST_F(CsvReportsTest, RegularPioneerCreditAndNameMapThroughThePreview) {
    Person(m_ewa).SetRow(MonthRow::Pioneer, 1, 1, static_cast<std::uint16_t>(PioneerCode::Regular));
    m_names.Set({"Jan Kowalski", "J. K.", m_jan});
    const CsvReports reports = Build("\"J. K.\",1,1,,,\nEwa Nowak,1,2,45,15 szkoła,\n");
    ASSERT_EQ(reports.persons.size(), 2u);
    EXPECT_EQ(reports.persons[1].values.CreditHours(1, 1), 10) << "45 + 10 reaches the limit of 55";

    ReportImport import(m_context, ImportSource::Csv, reports.persons);
    ASSERT_EQ(import.Entries().size(), 2u);
    ASSERT_TRUE(import.Import().ok());
    EXPECT_EQ(Person(m_jan).Cell(1, 1).BibleStudies(), 1);
    EXPECT_EQ(Person(m_ewa).Hours(1, 1), 45);
    EXPECT_EQ(Person(m_ewa).CreditHours(1, 1), 10);
    EXPECT_EQ(RemarkText(m_remarks, Person(m_ewa), 1, 1).text, "15 szkoła");
}

} // namespace
} // namespace vardo
