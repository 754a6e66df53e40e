// The counting rules of the month totals: categories, late reports, special service, quarter hours.

#include "core/reporting/MonthTotals.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"
#include "core/reporting/ActivityStatus.h"

namespace vardo::test {
namespace {

// Working month February 2025 (slot 1); December 2024 and September 2024 lie in slot 0.
constexpr MonthIndex kFebruary = 1;
constexpr MonthIndex kDecember = 11;
constexpr MonthIndex kJanuary = 0;

class MonthTotalsTest : public ReportingTest {
protected:
    void Report(PublisherId id, MonthIndex month, PioneerCode code, int hours, int studies, int quarters = 0,
                bool participated = false) {
        PublisherRecord& person = Person(id);
        const YearSlot slot = m_month.SlotOf(month);
        ReportCell cell = person.Cell(month, slot);
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.placements = 3;
        cell.videos = 2;
        cell.returnVisits = 4;
        cell.SetBibleStudies(studies);
        cell.SetQuarterHours(quarters);
        cell.SetFlag(participated);
        person.SetCell(month, slot, cell);
    }
    MonthTotals Compute() const { return ComputeMonthTotals(m_database, m_late, m_month); }

    LateReportList m_late;
};

TEST_F(MonthTotalsTest, CountsEachCategoryInItsRowAndPublishersOnlyWithStudies) {
    const PublisherId publisher = AddPerson("Adam", "Alfa");
    const PublisherId auxiliary = AddPerson("Beata", "Beta");
    const PublisherId regular = AddPerson("Cezary", "Gamma");
    const PublisherId special = AddPerson("Dorota", "Delta");
    AddPerson("Edward", "Epsilon"); // no report
    Report(publisher, kFebruary, PioneerCode::None, 0, 2, 0, true);
    Report(auxiliary, kFebruary, PioneerCode::Auxiliary, 30, 1);
    Report(regular, kFebruary, PioneerCode::Regular, 50, 3);
    Report(special, kFebruary, PioneerCode::Special, 100, 4);

    const MonthTotals totals = Compute();
    EXPECT_EQ(totals.Value(0, MonthTotals::kReportCountColumn), 1);
    EXPECT_EQ(totals.Value(0, MonthTotals::kStudiesColumn), 2);
    EXPECT_EQ(totals.Value(0, MonthTotals::kPlacementsColumn), 0) << "a publisher adds only Bible studies";
    EXPECT_EQ(totals.Value(0, MonthTotals::kHoursColumn), 0);
    EXPECT_EQ(totals.Value(1, MonthTotals::kHoursColumn), 30);
    EXPECT_EQ(totals.Value(1, MonthTotals::kPlacementsColumn), 3);
    EXPECT_EQ(totals.Value(2, MonthTotals::kHoursColumn), 50);
    EXPECT_EQ(totals.Value(2, MonthTotals::kReturnVisitsColumn), 4);
    EXPECT_EQ(totals.Value(3, MonthTotals::kReportCountColumn), 1) << "special pioneers have their own row";
    EXPECT_EQ(totals.Value(3, MonthTotals::kHoursColumn), 100);
    EXPECT_EQ(totals.ActivePublishers(), 5);
    EXPECT_EQ(TotalOfColumn(totals, MonthTotals::kHoursColumn), 80) << "row 3 stays out of the sums";
    EXPECT_EQ(TotalOfColumn(totals, MonthTotals::kStudiesColumn), 6);
}

TEST_F(MonthTotalsTest, SpecialServiceAndFieldMissionariesAddNothing) {
    const PublisherId special = AddPerson("Adam", "Alfa");
    const PublisherId missionary = AddPerson("Beata", "Beta");
    Person(special).SetSpecialFullTime(true);
    Person(missionary).SetFieldMissionary(true);
    Report(special, kFebruary, PioneerCode::Regular, 100, 5);
    Report(missionary, kFebruary, PioneerCode::None, 90, 5);

    const MonthTotals totals = Compute();
    for (int row = 0; row < MonthTotals::kRows; ++row)
        EXPECT_EQ(totals.Value(row, MonthTotals::kReportCountColumn), 0) << "row " << row;
    EXPECT_EQ(totals.ActivePublishers(), 2) << "they are still on the active list";
}

TEST_F(MonthTotalsTest, LateDecemberCountsInJanuaryWithDecembersCategory) {
    m_month = WorkingMonthFor(2025, 2, 10); // working month January 2025
    const PublisherId id = AddPerson("Adam", "Alfa");
    Report(id, kDecember, PioneerCode::Auxiliary, 30, 1);
    Report(id, kJanuary, PioneerCode::None, 0, 1, 0, true);
    m_late.Add(id, kDecember, kJanuary);

    const MonthTotals totals = Compute();
    EXPECT_EQ(totals.Value(1, MonthTotals::kReportCountColumn), 1) << "December counted as auxiliary";
    EXPECT_EQ(totals.Value(1, MonthTotals::kHoursColumn), 30);
    EXPECT_EQ(totals.Value(0, MonthTotals::kReportCountColumn), 1) << "January as publisher";
}

TEST_F(MonthTotalsTest, LateSpecialPioneerMonthIsNotCounted) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    Report(id, kJanuary, PioneerCode::Special, 100, 1);
    m_late.Add(id, kJanuary, kFebruary);
    EXPECT_EQ(Compute().Value(3, MonthTotals::kReportCountColumn), 0);
}

TEST_F(MonthTotalsTest, LateReportWithoutParticipationIsNotCounted) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    m_late.Add(id, kJanuary, kFebruary);
    EXPECT_EQ(Compute().Value(0, MonthTotals::kReportCountColumn), 0);
}

TEST_F(MonthTotalsTest, HistoryCopyRoundTripsThroughCardTotals) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    Report(id, kFebruary, PioneerCode::Regular, 50, 3);
    const MonthTotals totals = Compute();
    StoreMonthHistory(m_totals, totals, kFebruary, 1);
    EXPECT_EQ(MonthHistory(m_totals, kFebruary, 1), totals);
    EXPECT_EQ(m_totals.Value(kFebruary, 2, MonthTotals::kHoursColumn, 1), 50);
    EXPECT_EQ(m_totals.Value(kFebruary, 2, MonthTotals::kHoursColumn, 0), 0) << "the other slot is untouched";
}

TEST(MonthTotals, TotalOfHoursAddsQuarterHoursOfEachRow) {
    MonthTotals totals;
    totals.SetValue(1, MonthTotals::kHoursColumn, 10);
    totals.SetValue(1, MonthTotals::kQuarterHourColumn, 7); // 1 whole hour, 3 quarters dropped
    totals.SetValue(2, MonthTotals::kHoursColumn, 20);
    totals.SetValue(2, MonthTotals::kQuarterHourColumn, 4);
    totals.SetValue(3, MonthTotals::kHoursColumn, 99);
    EXPECT_EQ(TotalOfColumn(totals, MonthTotals::kHoursColumn), 32);
    EXPECT_EQ(TotalOfColumn(totals, MonthTotals::kQuarterHourColumn), 11) << "no quarter hours added to themselves";
}

// --- Counting rules ----------------------------------------------------------------------------------------

TEST_F(MonthTotalsTest, TimeAndParticipation) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    const PublisherRecord& person = Person(id);
    EXPECT_FALSE(HasTime(person, kFebruary, 1));
    EXPECT_FALSE(Participated(person, kFebruary, 1));
    Report(id, kFebruary, PioneerCode::None, 0, 0, 0, true);
    EXPECT_FALSE(HasTime(person, kFebruary, 1));
    EXPECT_TRUE(Participated(person, kFebruary, 1)) << "the participated flag alone";
    Report(id, kFebruary, PioneerCode::None, 0, 0, 1, false);
    EXPECT_TRUE(HasTime(person, kFebruary, 1)) << "a quarter hour is time";
    EXPECT_FALSE(HasTime(person, kFebruary, 0)) << "the other slot";
}

TEST_F(MonthTotalsTest, BaptismAndSection) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    PublisherRecord& person = Person(id);
    struct Case {
        const char* baptism;
        bool baptised;
        int section;
    };
    for (const Case& c : {Case{"", false, 3}, Case{"  5 05 ", false, 2}, Case{" 5052019", true, 2},
                          Case{"12   ", false, 3}, Case{"1205 ", false, 3}}) {
        person.SetBaptismDate(c.baptism);
        EXPECT_EQ(IsBaptised(person), c.baptised) << '"' << c.baptism << '"';
        EXPECT_EQ(SectionOf(person, kFebruary, 1), c.section) << '"' << c.baptism << '"';
    }
    person.SetBaptismDate(" 5052019");
    Report(id, kFebruary, PioneerCode::Special, 0, 0);
    EXPECT_EQ(SectionOf(person, kFebruary, 1), 1);
    Report(id, kFebruary, PioneerCode::Auxiliary, 0, 0);
    EXPECT_EQ(SectionOf(person, kFebruary, 1), 2) << "auxiliary pioneers stay in their baptism section";
}

TEST_F(MonthTotalsTest, IrregularSkipsTheOpenWorkingMonthAndSpecialPioneerMonths) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    MonthIndex m = kFebruary;
    YearSlot s = 1;
    for (int step = 0; step < 6; ++step) {
        if (step > 0) // every month but the working one
            Report(id, m, PioneerCode::None, 0, 0, 0, true);
        s = m == 0 ? 1 - s : s;
        m = m == 0 ? 11 : m - 1;
    }
    EXPECT_FALSE(IsIrregular(Person(id), StatusBasis{m_month, true, nullptr}));
    EXPECT_EQ(MissedMonths(Person(id), StatusBasis{m_month, false, nullptr}), 1u << kFebruary)
        << "missed once the month is closed";

    Report(id, kDecember, PioneerCode::Special, 0, 0); // no report, but a special pioneer then
    PublisherRecord& person = Person(id);
    ReportCell december = person.Cell(kDecember, 0);
    december.SetFlag(false);
    person.SetCell(kDecember, 0, december);
    EXPECT_FALSE(IsIrregular(person, StatusBasis{m_month, true, nullptr}));
    december.SetPioneer(PioneerCode::None);
    person.SetCell(kDecember, 0, december);
    EXPECT_EQ(MissedMonths(person, StatusBasis{m_month, true, nullptr}), 1u << kDecember);
}

TEST_F(MonthTotalsTest, NewPublisherIsJudgedFromTheStatusMonthOn) {
    const PublisherId id = AddPerson("Adam", "Alfa");
    Person(id).SetStatusMonth(static_cast<std::uint8_t>((kJanuary + 1) << 4 | 1)); // new in January
    Report(id, kJanuary, PioneerCode::None, 5, 0);
    EXPECT_FALSE(IsIrregular(Person(id), StatusBasis{m_month, true, nullptr}))
        << "the months before January do not count";
}

TEST_F(MonthTotalsTest, CategoryAverageRoundsThreeQuarterHoursUp) {
    const PublisherId a = AddPerson("Adam", "Alfa");
    const PublisherId b = AddPerson("Beata", "Beta");
    Report(a, kFebruary, PioneerCode::Regular, 10, 0, 3);
    Report(b, kFebruary, PioneerCode::Regular, 10, 0, 0);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, 2, 1, ReportField::Hours, 0, 0), 10.5);
    Report(b, kFebruary, PioneerCode::Regular, 10, 0, 2); // 5 quarters: one hour, the rest dropped
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, 2, 1, ReportField::Hours, 0, 0), 10.5);
    Report(b, kFebruary, PioneerCode::Regular, 10, 0, 1); // 4 quarters
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, 2, 1, ReportField::Hours, 0, 0), 10.5);
    Report(a, kFebruary, PioneerCode::Regular, 10, 0, 1); // 2 quarters dropped
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, 2, 1, ReportField::Hours, 0, 0), 10.0);
}

TEST_F(MonthTotalsTest, CategoryAverageFiltersByMonthsGroupAndAppointment) {
    const PublisherId a = AddPerson("Adam", "Alfa");
    const PublisherId b = AddPerson("Beata", "Beta");
    Person(a).SetGroup(1);
    Person(a).SetAppointment(Appointment::Elder);
    Report(a, kFebruary, PioneerCode::None, 0, 4, 0, true);
    Report(a, kJanuary, PioneerCode::None, 0, 2, 0, true);
    Report(b, kFebruary, PioneerCode::None, 0, 1, 0, true);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, kAnyCategory, 1, ReportField::Studies, 0, 0), 2.5);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, kAnyCategory, 2, ReportField::Studies, 0, 0), 7.0 / 3.0);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, kAnyCategory, 2, ReportField::Studies, 1, 0), 3.0);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, kAnyCategory, 1, ReportField::Studies, 0, 2), 4.0);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, 1, 6, ReportField::Studies, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(CategoryAverage(m_database, m_month, kAnyCategory, 0, ReportField::Studies, 0, 0), 0.0);
}

} // namespace
} // namespace vardo::test
