#include "core/reporting/StatusLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ReportingFixture.h"

namespace vardo {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class StatusLineTest : public test::ReportingTest {
protected:
    StatusBasis Basis() const { return StatusBasis::Of(m_month, m_database.Header(), &m_remarks); }
    void Report(PublisherId id, int from, int to) {
        for (int i = from; i <= to; ++i) {
            const WalkMonth m = MonthBack(m_month, i);
            Person(id).SetRow(MonthRow::Hours, m.month, m.slot, 3);
        }
    }
};

TEST_F(StatusLineTest, ActivePublisherLineNamesTheMissedMonthsAndTheCandidacy) {
    m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Closed);
    const PublisherId regular = AddPerson("Jan", "Kowalski");
    Report(regular, 0, 5);
    EXPECT_THAT(PersonStatusLine(Person(regular), Basis()), StartsWith("regularny: komplet sprawozdań"));

    const WalkMonth sep = MonthBack(m_month, 5);
    Person(regular).SetRow(MonthRow::Hours, sep.month, sep.slot, 0);
    EXPECT_EQ(PersonStatusLine(Person(regular), Basis()), "nieregularny: brak sprawozdań: wrz");

    const PublisherId silent = AddPerson("Ewa", "Lis");
    const std::string line = PersonStatusLine(Person(silent), Basis());
    EXPECT_THAT(line, StartsWith("nieregularny: brak sprawozdań: "));
    EXPECT_THAT(line, HasSubstr("; do przeniesienia do nieczynnych: brak sprawozdań we wszystkich zapisanych"));
}

TEST_F(StatusLineTest, NewPublisherLineSaysSinceWhen) {
    m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Closed);
    const PublisherId id = AddPerson("Anna", "Nowak");
    Person(id).SetStatusMonth(12 * 16 + 1); // new in December 2024
    Person(id).SetStatusYear(ToYearByte(2024));
    Person(id).SetStatusChangeMonth(ToMonthCount(2024, 11));
    Report(id, 0, 2);
    EXPECT_THAT(PersonStatusLine(Person(id), Basis()), HasSubstr("; nowy głosiciel od 2024-12"));
    EXPECT_THAT(PersonStatusLine(Person(id), Basis()), StartsWith("regularny: "));
}

TEST_F(StatusLineTest, OtherListsSayTheirListAndDate) {
    const PublisherId inactive = AddPerson("Piotr", "Zając", PublisherCategory::Inactive);
    Person(inactive).SetStatusMonth(11 * 16);
    Person(inactive).SetStatusYear(ToYearByte(2024));
    EXPECT_EQ(PersonStatusLine(Person(inactive), Basis()), "nieczynny od 2024-11");
    Person(inactive).SetStatusMonth(0);
    EXPECT_EQ(PersonStatusLine(Person(inactive), Basis()), "nieczynny, brak daty");

    const PublisherId moved = AddPerson("Marek", "Wilk", PublisherCategory::Moved);
    Person(moved).SetStatusMonth(3 * 16);
    EXPECT_EQ(PersonStatusLine(Person(moved), Basis()), "przeprowadzony (mar)");

    const PublisherId interested = AddPerson("Olga", "Sowa", PublisherCategory::NonPublisher);
    EXPECT_EQ(PersonStatusLine(Person(interested), Basis()), "");
}

} // namespace
} // namespace vardo
