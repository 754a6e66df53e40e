#include "core/reporting/ActivityStatus.h"

#include <gtest/gtest.h>

#include "ReportingFixture.h"
#include "core/reporting/StatusViews.h"

namespace vardo {
namespace {

class ActivityStatusTest : public test::ReportingTest {
protected:
    AppointmentTable m_appointments;
    Settings m_settings;

    StatusBasis Basis() const { return StatusBasis::Of(m_month, m_database.Header(), &m_remarks); }

    // Hours in every month from `from` (steps back from the working month) down to `to`, included.
    void Report(PublisherId id, int from, int to) {
        for (int i = from; i <= to; ++i) {
            const WalkMonth m = MonthBack(m_month, i);
            Person(id).SetRow(MonthRow::Hours, m.month, m.slot, 3);
        }
    }
    void SetWorkingMonth(int year, int month) { // today's month: the working month is the one before
        m_month = WorkingMonthFor(year, month, 10);
        m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Open);
    }
};

TEST_F(ActivityStatusTest, WalkCrossesIntoTheOtherSlotAtDecember) {
    SetWorkingMonth(2025, 2); // January 2025
    const WalkMonth jan = MonthBack(m_month, 0);
    const WalkMonth aug = MonthBack(m_month, 5);
    EXPECT_EQ(jan.month, 0);
    EXPECT_EQ(aug.month, 7);
    EXPECT_NE(aug.slot, jan.slot);
    EXPECT_EQ(aug.count, ToMonthCount(2024, 7));

    // A report missing in August of the year before is found in the other slot, not in August 2025's.
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Report(id, 0, 5);
    Person(id).SetRow(MonthRow::Hours, aug.month, aug.slot, 0);
    Person(id).SetRow(MonthRow::Hours, aug.month, jan.slot, 7);
    EXPECT_EQ(MissedMonths(Person(id), Basis()), 1u << 7);
}

TEST_F(ActivityStatusTest, OpenWorkingMonthIsNotHeldAgainstAnyone) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Report(id, 1, 5); // every month but the working month
    EXPECT_FALSE(IsIrregular(Person(id), Basis()));
    EXPECT_EQ(IrregularReason(Person(id), Basis()), "komplet sprawozdań: wrz–sty; bez lut (miesiąc otwarty)");

    m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Closed);
    EXPECT_TRUE(IsIrregular(Person(id), Basis()));
    EXPECT_EQ(IrregularReason(Person(id), Basis()), "brak sprawozdań: lut");
}

TEST_F(ActivityStatusTest, SpecialPioneerWithoutReportsIsNeverIrregular) {
    m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Closed);
    const PublisherId id = AddPerson("Ewa", "Lis");
    for (int i = 0; i < 6; ++i) {
        const WalkMonth m = MonthBack(m_month, i);
        Person(id).SetRow(MonthRow::Pioneer, m.month, m.slot, static_cast<int>(PioneerCode::Special));
    }
    EXPECT_EQ(MissedMonths(Person(id), Basis()), 0u);
    // Without the special service in one month that month counts as missed.
    const WalkMonth oct = MonthBack(m_month, 4);
    Person(id).SetRow(MonthRow::Pioneer, oct.month, oct.slot, 0);
    EXPECT_EQ(MissedMonths(Person(id), Basis()), 1u << oct.month);
}

TEST_F(ActivityStatusTest, NewPublisherIsJudgedOnTheMonthsSinceTheStatusMonth) {
    m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Closed);
    const PublisherId id = AddPerson("Anna", "Nowak");
    // New in December 2024 (two months back from February 2025); no hours before it.
    Person(id).SetStatusMonth(12 * 16 + 1);
    Person(id).SetStatusYear(12 * 16 + 1);
    Person(id).SetStatusChangeMonth(ToMonthCount(2024, 11));
    Report(id, 0, 1); // February and January
    EXPECT_EQ(MonthsInService(Person(id), Basis()), 3);
    EXPECT_TRUE(IsIrregular(Person(id), Basis())); // December is missing
    EXPECT_EQ(IrregularReason(Person(id), Basis()), "brak sprawozdań: gru; okno 3 mies. (nowy głosiciel od 2024-12)");

    // Hours in the month before the status month lengthen the window by one month at a time.
    const WalkMonth nov = MonthBack(m_month, 3);
    Person(id).SetRow(MonthRow::Hours, nov.month, nov.slot, 1);
    EXPECT_EQ(MonthsInService(Person(id), Basis()), 4);
    // Without status bits the window is six months.
    Person(id).SetStatusMonth(12 * 16);
    EXPECT_EQ(MonthsInService(Person(id), Basis()), 6);
}

TEST_F(ActivityStatusTest, MissedMonthsWithARemarkAreMarked) {
    m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Closed);
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Report(id, 0, 5);
    const WalkMonth sep = MonthBack(m_month, 5);
    const WalkMonth nov = MonthBack(m_month, 3);
    Person(id).SetRow(MonthRow::Hours, sep.month, sep.slot, 0);
    Person(id).SetRow(MonthRow::Hours, nov.month, nov.slot, 0);
    RemarkEntry remark;
    remark.SetId(id);
    ASSERT_TRUE(remark.SetText("chory"));
    const auto number = m_remarks.Append(remark);
    ASSERT_TRUE(number.ok());
    Person(id).SetRow(MonthRow::Remark, nov.month, nov.slot, number.value());
    EXPECT_EQ(IrregularReason(Person(id), Basis()), "brak sprawozdań: wrz, lis!");

    StatusData data{m_database, m_appointments, m_settings, Basis(), 2025, 3};
    StatusQuery query;
    query.kind = StatusViewKind::Irregular;
    const auto lines = BuildStatusView(data, query);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].detail, "Wrz Lis!");
    EXPECT_EQ(lines[0].name, "Kowalski, Jan");
}

TEST_F(ActivityStatusTest, InactiveCandidateSaysSinceWhen) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    EXPECT_TRUE(IsInactiveCandidate(Person(id), Basis()));
    EXPECT_EQ(InactiveCandidateReason(Person(id), Basis()), "brak sprawozdań we wszystkich zapisanych miesiącach");
    const WalkMonth aug = MonthBack(m_month, 6); // August 2024: just outside the six months
    Person(id).SetRow(MonthRow::Hours, aug.month, aug.slot, 2);
    EXPECT_TRUE(IsInactiveCandidate(Person(id), Basis()));
    EXPECT_EQ(InactiveCandidateReason(Person(id), Basis()), "brak sprawozdań od września 2024");
    // Only the study flag of the working month counts as a report too.
    Person(id).SetRow(MonthRow::StudyWord, m_month.monthIndex, WorkingSlot(), kStudyFlagBit);
    EXPECT_FALSE(IsInactiveCandidate(Person(id), Basis()));
    // Other lists are never candidates.
    const PublisherId other = AddPerson("Ewa", "Lis", PublisherCategory::Inactive);
    EXPECT_FALSE(IsInactiveCandidate(Person(other), Basis()));
}

TEST_F(ActivityStatusTest, InactivePeriodsAroundTwelveMonths) {
    // Working month February 2025: inactive since February 2024, the same calendar month of last year.
    const PublisherId lastYear = AddPerson("Adam", "Nowak", PublisherCategory::Inactive);
    Person(lastYear).SetStatusMonth(2 * 16);
    Person(lastYear).SetStatusYear(ToYearByte(2024));
    // January 2024: the month before that.
    const PublisherId older = AddPerson("Beata", "Nowak", PublisherCategory::Inactive);
    Person(older).SetStatusMonth(1 * 16);
    Person(older).SetStatusYear(ToYearByte(2024));
    // December 2024: within six months (slot of 2024).
    const PublisherId recent = AddPerson("Celina", "Nowak", PublisherCategory::Inactive);
    Person(recent).SetStatusMonth(12 * 16);
    Person(recent).SetStatusYear(ToYearByte(2024));
    const StatusBasis basis = Basis();

    EXPECT_TRUE(InactiveIn(Person(lastYear), StatusPeriod::TwelveMonths, basis));
    EXPECT_FALSE(InactiveIn(Person(lastYear), StatusPeriod::OverTwelveMonths, basis));
    EXPECT_FALSE(InactiveIn(Person(older), StatusPeriod::TwelveMonths, basis));
    EXPECT_TRUE(InactiveIn(Person(older), StatusPeriod::OverTwelveMonths, basis));
    EXPECT_TRUE(InactiveIn(Person(recent), StatusPeriod::SixMonths, basis));
    EXPECT_TRUE(InactiveIn(Person(recent), StatusPeriod::ServiceYear, basis));
    EXPECT_FALSE(InactiveIn(Person(lastYear), StatusPeriod::SixMonths, basis));
    for (PublisherId id : {lastYear, older, recent})
        EXPECT_TRUE(InactiveIn(Person(id), StatusPeriod::All, basis));
    // December of 2023 has the wrong year parity for the December of the six-month walk.
    Person(recent).SetStatusYear(ToYearByte(2023));
    EXPECT_FALSE(InactiveIn(Person(recent), StatusPeriod::SixMonths, basis));
    EXPECT_EQ(InactiveReason(Person(older), StatusPeriod::OverTwelveMonths),
              "nieczynny od 2024-01, okno ponad 12 mies.");
}

TEST_F(ActivityStatusTest, ServiceYearInSeptemberHoldsOnlySeptember) {
    SetWorkingMonth(2025, 10); // September 2025
    EXPECT_EQ(MonthsOfPeriod(m_month, StatusPeriod::ServiceYear), 1);
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Person(id).SetStatusMonth(8 * 16 + 1); // new in August
    Person(id).SetStatusYear(8 * 16 + 1);
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::New, StatusPeriod::ServiceYear, Basis()), 0);
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::New, StatusPeriod::SixMonths, Basis()), 8);
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::Reactivated, StatusPeriod::SixMonths, Basis()), 0);
    Person(id).SetStatusYear(9 * 16 + 1);
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::New, StatusPeriod::ServiceYear, Basis()), 9);
}

TEST_F(ActivityStatusTest, TwentyFourMonthsKeepsWhatTwelveMonthsShows) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    // Reactivated in May 2024, nine months before February 2025: the month byte has aged out.
    Person(id).SetStatusMonth(0);
    Person(id).SetStatusYear(5 * 16 + 2);
    Person(id).SetStatusChangeMonth(ToMonthCount(2024, 4));
    const StatusBasis basis = Basis();
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::Reactivated, StatusPeriod::TwelveMonths, basis), 5);
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::Reactivated, StatusPeriod::TwentyFourMonths, basis), 5);
    EXPECT_EQ(StatusYearOf(Person(id), 5, basis), 2024);
    EXPECT_EQ(StatusReason(Person(id), StatusBit::Reactivated, StatusPeriod::TwentyFourMonths, basis),
              "uaktywniony od 2024-05, okno 24 mies.");
    // More than 23 months back: gone from the 24-month window.
    Person(id).SetStatusChangeMonth(ToMonthCount(2023, 1));
    EXPECT_EQ(StatusMonthIn(Person(id), StatusBit::Reactivated, StatusPeriod::TwentyFourMonths, basis), 0);
    // Without an ordinal the year shown is the working year, or the one before for a later month.
    Person(id).SetStatusChangeMonth(0);
    EXPECT_EQ(StatusYearOf(Person(id), 5, basis), 2024);
    EXPECT_EQ(StatusYearOf(Person(id), 1, basis), 2025);
}

TEST_F(ActivityStatusTest, MovedAuxiliaryAndConductorWindows) {
    const PublisherId moved = AddPerson("Jan", "Kowalski", PublisherCategory::Moved);
    Person(moved).SetStatusMonth(10 * 16); // October
    EXPECT_TRUE(MovedIn(Person(moved), StatusPeriod::SixMonths, Basis()));
    EXPECT_TRUE(MovedIn(Person(moved), StatusPeriod::ServiceYear, Basis()));
    Person(moved).SetStatusMonth(8 * 16); // August: outside six months and the service year
    EXPECT_FALSE(MovedIn(Person(moved), StatusPeriod::SixMonths, Basis()));
    EXPECT_FALSE(MovedIn(Person(moved), StatusPeriod::ServiceYear, Basis()));
    EXPECT_TRUE(MovedIn(Person(moved), StatusPeriod::TwelveMonths, Basis()));
    EXPECT_EQ(MovedReason(Person(moved), StatusPeriod::TwelveMonths), "przeprowadzka: sie, okno 12 mies.");

    const PublisherId aux = AddPerson("Ewa", "Lis");
    const WalkMonth mar = MonthBack(m_month, 11); // March 2024
    Person(aux).SetRow(MonthRow::Pioneer, mar.month, mar.slot, 1);
    Person(aux).SetRow(MonthRow::StudyWord, mar.month, mar.slot, 2);
    EXPECT_FALSE(AuxiliaryPioneerIn(Person(aux), StatusPeriod::SixMonths, Basis()));
    EXPECT_TRUE(AuxiliaryPioneerIn(Person(aux), StatusPeriod::TwelveMonths, Basis()));
    EXPECT_EQ(AuxiliaryPioneerReason(Person(aux), StatusPeriod::TwelveMonths, Basis()), "pionier pomocniczy: mar");
    EXPECT_TRUE(ConductorIn(Person(aux), StatusPeriod::TwelveMonths, Basis()));
    EXPECT_EQ(ConductorReason(Person(aux), StatusPeriod::TwelveMonths, Basis()), "studia biblijne: mar (2)");
    // The slot of March 2025 (not yet in the window) does not count.
    Person(aux).SetRow(MonthRow::Pioneer, mar.month, mar.slot, 0);
    Person(aux).SetRow(MonthRow::Pioneer, mar.month, 1 - mar.slot, 1);
    EXPECT_FALSE(AuxiliaryPioneerIn(Person(aux), StatusPeriod::TwelveMonths, Basis()));
}

TEST_F(ActivityStatusTest, YearsSinceBaptismCountsFullYears) {
    const PublisherId id = AddPerson("Jan", "Kowalski");
    Person(id).SetBaptismDate(" 5042010"); // 4 May 2010
    EXPECT_EQ(YearsSinceBaptism(Person(id), 2025, 5), 15);
    EXPECT_EQ(YearsSinceBaptism(Person(id), 2025, 4), 14);
    EXPECT_TRUE(CountsAsBaptised(Person(id)));
    EXPECT_FALSE(HasNoBaptismDate(Person(id)));
    EXPECT_TRUE(InBaptismClass(14, 3));
    EXPECT_FALSE(InBaptismClass(14, 2));
    Person(id).SetBaptismDate("        ");
    EXPECT_EQ(YearsSinceBaptism(Person(id), 2025, 5), std::nullopt);
    EXPECT_TRUE(HasNoBaptismDate(Person(id)));
    EXPECT_FALSE(CountsAsBaptised(Person(id)));
    Person(id).SetBaptismDate(" 5040000");
    EXPECT_FALSE(CountsAsBaptised(Person(id)));
}

} // namespace
} // namespace vardo
