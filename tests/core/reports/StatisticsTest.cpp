// The congregation statistics: the counts of one pass, the baptism and age classes and the page as drawn.

#include "core/reports/Statistics.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Persons.h"
#include "core/reporting/Attendance.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kMarch = 2;

class StatisticsTest : public ::testing::Test {
protected:
    StatisticsTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_source.database = &m_database;
        m_source.attendance = &m_attendance;
        m_source.workingMonth = WorkingMonthFor(2025, 4, 10); // working month March 2025
        m_environment.today = Date{2025, 4, 10};
    }
    PublisherRecord& Add(const char* last, PioneerCode code, int hours,
                         PublisherCategory category = PublisherCategory::Publisher) {
        const PublisherId id = AddPersonTo(m_database, "Anna", last, m_prompter, category);
        PublisherRecord& person = *m_database.FindById(id);
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.SetFlag(true);
        cell.SetBibleStudies(1);
        // Reports in every month of the last half year keep the person regular.
        for (int back = 0; back < 6; ++back) {
            const MonthIndex m = static_cast<MonthIndex>((kMarch + 12 - back) % 12);
            person.SetCell(m, m_source.workingMonth.SlotOf(m), cell);
        }
        return person;
    }
    CongregationCounts Count() {
        m_database.RebuildIndex();
        return ComputeCongregationCounts(m_source, m_environment.today);
    }
    std::vector<std::string> Draw() {
        m_database.RebuildIndex();
        RecordingCanvas canvas(600, 600);
        DrawStatistics(m_source, canvas, m_environment);
        return canvas.TextStrings();
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    MeetingAttendance m_attendance;
    StatisticsSource m_source;
    ReportEnvironment m_environment;
};

TEST(StatisticsYears, WholeYearsCountTheMonthOfTheDate) {
    // A baptism in the current month of last year is one year ago; in the next month, less than a year.
    EXPECT_EQ(WholeYearsSince("04102024", 2025, 4), 1);
    EXPECT_EQ(WholeYearsSince("05102024", 2025, 4), 0);
    EXPECT_EQ(WholeYearsSince(" 3012000", 2025, 4), 25);
    EXPECT_EQ(WholeYearsSince("1201 999", 2025, 4), std::nullopt);
    EXPECT_EQ(WholeYearsSince("0101", 2025, 4), std::nullopt);
    EXPECT_EQ(WholeYearsSince("0101x999", 2025, 4), std::nullopt);
}

TEST(StatisticsYears, BaptismAndAgeClassesHaveTheirBounds) {
    PublisherRecord person;
    EXPECT_EQ(BaptismClassOf(person, 2025, 4), 0); // no date: unbaptised
    EXPECT_EQ(AgeClassOf(person, 2025, 4), -1);    // no birth date: no age row
    const struct {
        const char* date;
        int baptism;
        int age;
    } cases[] = {{"05012024", 1, 0}, {"04012024", 2, 0}, {"04012021", 2, 0}, {"04012020", 3, 0},  {"05012006", 4, 0},
                 {"04012006", 4, 0}, {"04012005", 5, 1}, {"05011996", 5, 1}, {"04011995", 6, 2},  {"04011956", 6, 5},
                 {"05011955", 6, 5}, {"04011955", 6, 6}, {"04011920", 6, 6}, {"01012030", -1, -1}};
    for (const auto& c : cases) {
        person.SetBaptismDate(c.date);
        person.SetBirthDate(c.date);
        EXPECT_EQ(BaptismClassOf(person, 2025, 4), c.baptism) << c.date;
        EXPECT_EQ(AgeClassOf(person, 2025, 4), c.age) << c.date;
    }
    EXPECT_EQ(BaptismClassLabel(1), "Mniej niż rok");
    EXPECT_EQ(BaptismClassLabel(6), "Ponad 30 lat");
    EXPECT_EQ(AgeClassLabel(0), "Poniżej 20");
    EXPECT_EQ(AgeClassLabel(6), "Ponad 70");
}

TEST_F(StatisticsTest, CountsPrivilegesPioneersAndAverages) {
    PublisherRecord& elder = Add("Adamska", PioneerCode::Regular, 50);
    elder.SetAppointment(Appointment::Elder);
    elder.SetBaptismDate("06011990");
    Add("Bielska", PioneerCode::Regular, 0); // pioneer without hours: counted, not in the average
    Add("Cicha", PioneerCode::Regular, 40);
    PublisherRecord& aux = Add("Dudek", PioneerCode::Auxiliary, 15);
    aux.SetAppointment(Appointment::MinisterialServant);
    aux.SetBaptismDate("06012010");
    Add("Ewa", PioneerCode::None, 3);
    Add("Fik", PioneerCode::Special, 70);
    PublisherRecord& irregular = Add("Gil", PioneerCode::None, 0);
    irregular.SetCell(kMarch, m_source.workingMonth.SlotOf(kMarch), ReportCell{});
    Add("Hala", PioneerCode::None, 0, PublisherCategory::Inactive);

    const CongregationCounts counts = Count();
    EXPECT_EQ(counts.active, 7);
    EXPECT_EQ(counts.regularPioneers, 3);
    EXPECT_EQ(counts.auxiliaryPioneers, 1);
    EXPECT_EQ(counts.specialPioneers, 1);
    EXPECT_EQ(counts.elders, 1);
    EXPECT_EQ(counts.servants, 1);
    EXPECT_EQ(counts.baptised, 2);
    EXPECT_EQ(counts.regular, 6); // Gil missed the working month
    EXPECT_DOUBLE_EQ(counts.RegularPioneerAverage(), 45.0);
    EXPECT_DOUBLE_EQ(counts.AuxiliaryAverage(), 15.0);
    EXPECT_DOUBLE_EQ(counts.PublisherAverage(), 3.0);
    EXPECT_EQ(counts.baptismClasses[0], 5);
    EXPECT_EQ(counts.baptismClasses[5], 0);
    EXPECT_EQ(counts.baptismClasses[6], 1); // 1990: 35 years
    EXPECT_EQ(counts.baptismClasses[4], 1); // 2010: 15 years
    EXPECT_NEAR(counts.PercentOfActive(counts.baptised), 28.571, 0.001);
}

TEST_F(StatisticsTest, MovementsCountMonthSixMonthsAndServiceYear) {
    PublisherRecord& newNow = Add("Nowak", PioneerCode::None, 0);
    newNow.SetStatusMonth(static_cast<std::uint8_t>(((kMarch + 1) << 4) | 1));
    newNow.SetStatusYear(static_cast<std::uint8_t>(((kMarch + 1) << 4) | 1));
    PublisherRecord& newInOctober = Add("Nowicka", PioneerCode::None, 0);
    newInOctober.SetStatusMonth(static_cast<std::uint8_t>((10 << 4) | 1));
    newInOctober.SetStatusYear(static_cast<std::uint8_t>((10 << 4) | 1));
    PublisherRecord& aux = Add("Pomocna", PioneerCode::None, 0);
    ReportCell pioneerCell;
    pioneerCell.SetPioneer(PioneerCode::Auxiliary);
    pioneerCell.hours = 30;
    aux.SetCell(9, m_source.workingMonth.SlotOf(9), pioneerCell); // October 2024
    PublisherRecord& moved = Add("Wyjazd", PioneerCode::None, 0, PublisherCategory::Moved);
    moved.SetStatusMonth(static_cast<std::uint8_t>((kMarch + 1) << 4));

    const CongregationCounts counts = Count();
    EXPECT_EQ(counts.newPublishers, (MovementCounts{1, 2, 2}));
    EXPECT_EQ(counts.auxiliary, (MovementCounts{0, 1, 1}));
    EXPECT_EQ(counts.moved, (MovementCounts{1, 1, 1}));
    EXPECT_EQ(counts.inactive, (MovementCounts{}));
}

TEST_F(StatisticsTest, NoActivePublishersGiveZeroPercentages) {
    m_environment.options.datesInStatistics = true;
    const CongregationCounts counts = Count();
    EXPECT_EQ(counts.active, 0);
    EXPECT_DOUBLE_EQ(counts.PercentOfActive(0), 0.0);
    const auto texts = Draw();
    EXPECT_TRUE(Has(texts, "(  0%)"));
    EXPECT_FALSE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return t.find("nan") != t.npos; }));
}

TEST_F(StatisticsTest, PageShowsItsSectionsAndTheSpecialPioneerLineOnlyWhenNeeded) {
    m_environment.options.congregationName = "Północ";
    Add("Adamska", PioneerCode::Regular, 50);
    auto texts = Draw();
    EXPECT_TRUE(Has(texts, "Zbór Statystyka przy końcu marzec - Północ"));
    EXPECT_FALSE(Has(texts, "Pionierzy specjalni"));
    EXPECT_TRUE(Has(texts, "Głosiciele czynni"));
    EXPECT_TRUE(Has(texts, "Nowi głosiciele"));
    EXPECT_TRUE(Has(texts, "Śr.godz. ( P. St. )"));
    EXPECT_TRUE(Has(texts, "50.0"));
    EXPECT_TRUE(Has(texts, "Zebranie w weekend"));
    EXPECT_TRUE(Has(texts, "Średnie za sześć miesięcy kończące się marzec"));
    // March 2025 is in the newer report format: no publishers' hours, no placements or videos.
    EXPECT_FALSE(Has(texts, "Śr.godz. ( Gł. )"));
    EXPECT_FALSE(Has(texts, "Filmy"));
    EXPECT_FALSE(Has(texts, "Grupa wiekowa")); // the dates option is off

    Add("Fik", PioneerCode::Special, 70);
    m_environment.options.datesInStatistics = true;
    texts = Draw();
    EXPECT_TRUE(Has(texts, "Pionierzy specjalni"));
    EXPECT_TRUE(Has(texts, "Grupa wiekowa"));
    EXPECT_TRUE(Has(texts, "Ochrzczeni w roku"));
    EXPECT_TRUE(Has(texts, "Ponad 70"));
}

TEST_F(StatisticsTest, OlderFormatShowsPublishersHoursAndEveryField) {
    m_source.workingMonth = WorkingMonthFor(2023, 4, 10); // March 2023
    m_environment.today = Date{2023, 4, 10};
    Add("Adamska", PioneerCode::None, 7);
    const auto texts = Draw();
    EXPECT_TRUE(Has(texts, "Śr.godz. ( Gł. )"));
    EXPECT_TRUE(Has(texts, "Pub."));
    EXPECT_TRUE(Has(texts, "Filmy"));
    EXPECT_TRUE(Has(texts, "7.0"));
}

TEST_F(StatisticsTest, AttendanceAveragesLeaveOutMonthsWithoutMeetings) {
    StoreAttendanceMonth(m_attendance, MeetingKind::Weekend, kMarch, m_source.workingMonth.SlotOf(kMarch),
                         {100, 110, 0, 0, 0});
    StoreAttendanceMonth(m_attendance, MeetingKind::Weekend, 1, m_source.workingMonth.SlotOf(1), {90, 0, 0, 0, 0});
    const auto texts = Draw();
    EXPECT_TRUE(Has(texts, "105")); // the month
    EXPECT_TRUE(Has(texts, " 98")); // (105 + 90) / 2 over three and six months
}

} // namespace
} // namespace vardo::test
