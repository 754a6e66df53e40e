#include "core/reporting/ReportRules.h"

#include <string>

#include <gtest/gtest.h>

#include "ReportingFixture.h"

namespace vardo {
namespace {

struct CreditCase {
    int hours;
    int credit;
    std::string remark;
    int expected;
};

TEST(ComputeCredit, HoursPlusCreditHeldTo55WithStarAndExclamation) {
    const CreditCase cases[] = {
        {50, 0, "10 w szpitalu", 5}, // digits give 10, held to 55 − 50
        {50, 0, "10* kongres", 10},  // "*" protects up to 40 when hours + e exceed 54
        {50, 0, "10! budowa", 10},   // "!" lifts the limit
        {60, 0, "", 0},              // over 54 hours: no credit
        {60, 7, "", 0},
        {60, 0, "30* budowa", 30},
        {0, 0, "300!", 255}, // at most 255
        {0, 0, "300", 55},   // 255 held to 55 − 0
        {40, 30, "", 15},    // stored credit held to 55 − 40
        {10, 0, "5", 5},
        {54, 0, "45*", 40}, // "*" protects at most 40
        {20, 0, "1234", 35},
        {30, 0, "x!5", 0}, // "!" keeps the credit as it is
    };
    for (const CreditCase& c : cases)
        EXPECT_EQ(ComputeCredit(c.hours, c.credit, c.remark).credit, c.expected)
            << c.hours << " h, credit " << c.credit << ", remark '" << c.remark << "'";
}

TEST(ComputeCredit, CreditWithoutRemarkWritesOne) {
    const CreditResult result = ComputeCredit(40, 10, "");
    EXPECT_EQ(result.credit, 10);
    EXPECT_EQ(result.remark, "10 +Godz.");
    EXPECT_EQ(ComputeCredit(40, 0, "").remark, "");
    EXPECT_EQ(CreditLabel(10), "( + 10 Godz. )");
    EXPECT_EQ(CreditLabel(0), "");
}

TEST(ParseHours, QuarterFractionsAndRefusals) {
    EXPECT_EQ(ParseHours("12").value(), (HoursValue{12, 0}));
    EXPECT_EQ(ParseHours("12.25").value(), (HoursValue{12, 1}));
    EXPECT_EQ(ParseHours("12.5").value(), (HoursValue{12, 2}));
    EXPECT_EQ(ParseHours("12,50").value(), (HoursValue{12, 2}));
    EXPECT_EQ(ParseHours("0.75").value(), (HoursValue{0, 3}));
    EXPECT_EQ(ParseHours("").value(), (HoursValue{0, 0}));
    EXPECT_EQ(ParseHours(" 7 ").value(), (HoursValue{7, 0}));
    EXPECT_FALSE(ParseHours("12.3").ok());
    EXPECT_FALSE(ParseHours("12.1").ok());
    EXPECT_FALSE(ParseHours("abc").ok());
    EXPECT_FALSE(ParseHours("70000").ok());
    EXPECT_FALSE(ParseHours("-3").ok());
    EXPECT_EQ(FormatHours(12, 0), "12");
    EXPECT_EQ(FormatHours(12, 1), "12.25");
    EXPECT_EQ(FormatHours(3, 2), "3.5");
    EXPECT_EQ(FormatHours(0, 3), "0.75");
}

TEST(ParseWholeNumber, IgnoresFractionAndChecksRange) {
    EXPECT_EQ(ParseWholeNumber("12.9", 0, 63).value(), 12);
    EXPECT_EQ(ParseWholeNumber("", 0, 63).value(), 0);
    EXPECT_EQ(ParseWholeNumber("64", 0, 63).error(), "Please enter an integer between 0 and 63.");
    EXPECT_FALSE(ParseWholeNumber("1a", 0, 63).ok());
}

TEST(HasReport, HoursQuartersOrFlag) {
    ReportCell cell;
    EXPECT_FALSE(HasReport(cell));
    cell.SetBibleStudies(3);
    EXPECT_FALSE(HasReport(cell));
    cell.SetQuarterHours(1);
    EXPECT_TRUE(HasReport(cell));
    cell.SetQuarterHours(0);
    cell.SetFlag(true);
    EXPECT_TRUE(HasReport(cell));
    EXPECT_FALSE(IsNewReportFormat(kNewReportFormatStart));
    EXPECT_TRUE(IsNewReportFormat(kNewReportFormatStart + 1));
}

class RemarkStore : public test::ReportingTest {};

TEST_F(RemarkStore, NewRemarkGetsTheNextNumberAndExistingOneIsRewritten) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    const PublisherId b = AddPerson("Jan", "Kowalski");
    RemarkSlot slotA = RemarkText(m_remarks, Person(a), 1, 1);
    EXPECT_EQ(slotA.number, 1);
    ASSERT_TRUE(StoreRemark(m_remarks, Person(a), 1, 1, slotA.number, "chory", m_prompter).value());
    EXPECT_EQ(Person(a).RemarkNumber(1, 1), 1);
    const RemarkSlot slotB = RemarkText(m_remarks, Person(b), 1, 1);
    EXPECT_EQ(slotB.number, 2);
    ASSERT_TRUE(StoreRemark(m_remarks, Person(b), 1, 1, slotB.number, "urlop", m_prompter).value());
    EXPECT_EQ(Person(b).RemarkNumber(1, 1), 2);
    EXPECT_EQ(m_remarks.Entry(2).MonthByte(), 2);
    EXPECT_EQ(m_remarks.Entry(2).SlotByte(), 1);
    EXPECT_EQ(m_remarks.Entry(2).Id(), Person(b).Id());

    slotA = RemarkText(m_remarks, Person(a), 1, 1);
    EXPECT_EQ(slotA.text, "chory");
    ASSERT_TRUE(StoreRemark(m_remarks, Person(a), 1, 1, slotA.number, "zdrowy", m_prompter).value());
    EXPECT_EQ(m_remarks.Count(), 3u);
    EXPECT_EQ(m_remarks.Entry(1).Text(), "zdrowy");
    // An empty text for a month without remark stores nothing.
    EXPECT_FALSE(StoreRemark(m_remarks, Person(a), 2, 1, 3, "  ", m_prompter).value());
    EXPECT_EQ(m_remarks.Count(), 3u);
}

TEST_F(RemarkStore, TextIsCutTo43Characters) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    const std::string longText(60, 'x');
    ASSERT_TRUE(StoreRemark(m_remarks, Person(a), 0, 0, 1, longText, m_prompter).ok());
    EXPECT_EQ(m_remarks.Entry(1).Text(), std::string(43, 'x'));
}

TEST_F(RemarkStore, FullTableShowsMessage1032AndKeepsNoNumber) {
    const PublisherId a = AddPerson("Anna", "Nowak");
    RemarkEntry filler;
    ASSERT_TRUE(filler.SetText("x").ok());
    while (m_remarks.Count() <= kLastRemarkNumber)
        ASSERT_TRUE(m_remarks.Append(filler).ok());
    EXPECT_EQ(RemarkText(m_remarks, Person(a), 0, 0).number, 0);
    Person(a).SetRow(MonthRow::Remark, 0, 0, 0);
    EXPECT_FALSE(StoreRemark(m_remarks, Person(a), 0, 0, 0, "nowa", m_prompter).ok());
    EXPECT_EQ(Person(a).RemarkNumber(0, 0), 0);
    EXPECT_EQ(m_remarks.Count(), static_cast<std::size_t>(kLastRemarkNumber) + 1);
    EXPECT_TRUE(m_prompter.AnyShownContains("Zabrakło miejsca na UWAGI"));
    // An existing remark can still be rewritten.
    EXPECT_TRUE(StoreRemark(m_remarks, Person(a), 0, 0, 5, "inna", m_prompter).ok());
    EXPECT_EQ(m_remarks.Entry(5).Text(), "inna");
}

} // namespace
} // namespace vardo
