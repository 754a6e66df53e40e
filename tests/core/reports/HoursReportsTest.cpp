// The averages, 12-month hours, service-year and pioneer-hours reports as drawn, and the pioneer figures.

#include "core/reports/HoursReports.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Persons.h"
#include "core/platform/Prompter.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo::test {
namespace {

class HoursReportsTest : public ::testing::Test {
protected:
    HoursReportsTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_groups.SetCount(3);
        m_source.database = &m_database;
        m_source.groups = &m_groups;
        SetWorkingMonth(2025, 3); // February 2025: every column of the 12 months in the newer format
    }
    void SetWorkingMonth(int year, int todayMonth) { m_source.workingMonth = WorkingMonthFor(year, todayMonth, 10); }

    PublisherRecord& Add(const char* first, const char* last, int group = 1) {
        const PublisherId id = AddPersonTo(m_database, first, last, m_prompter);
        PublisherRecord& person = *m_database.FindById(id);
        person.SetGroup(group);
        m_database.RebuildIndex();
        return *m_database.FindById(id);
    }
    // A report `steps` months before the working month.
    void Put(PublisherRecord& person, int steps, int hours, int quarters = 0, PioneerCode code = PioneerCode::None,
             int studies = 0, bool participated = true, int credit = 0) {
        const WalkMonth m = MonthBack(m_source.workingMonth, steps);
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.SetQuarterHours(quarters);
        cell.SetBibleStudies(studies);
        cell.SetFlag(participated);
        person.SetCell(m.month, m.slot, cell);
        person.SetRow(MonthRow::CreditHours, m.month, m.slot, static_cast<std::uint16_t>(credit));
    }
    std::vector<std::string> Draw(ReportKind kind, int group = 0) {
        m_database.RebuildIndex();
        const auto type = HoursReportKindOf(kind, group);
        EXPECT_TRUE(type.has_value());
        m_canvas.Clear();
        auto report = MakeHoursReport(kind, m_source, group);
        report->Draw(m_canvas, m_environment);
        m_pages = report->CountPages(m_canvas, m_environment);
        return m_canvas.TextStrings();
    }
    // The texts drawn on the same line as `name`, right of it, in drawing order.
    std::vector<std::string> RowOf(const std::string& name) const {
        const RecordingCanvas::TextItem* item = m_canvas.Find(name);
        std::vector<std::string> row;
        if (item == nullptr)
            return row;
        for (const auto& text : m_canvas.Texts())
            if (text.y == item->y && text.x > item->x)
                row.push_back(text.text);
        return row;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    GroupTable m_groups;
    HoursSource m_source;
    ReportEnvironment m_environment;
    RecordingCanvas m_canvas{600, 600};
    int m_pages = 0;
};

// --- Averages ----------------------------------------------------------------------------------------------

TEST_F(HoursReportsTest, AveragesCountParticipationAuxiliaryMonthsAndQuarterHours) {
    PublisherRecord& anna = Add("Anna", "Alfa");
    Put(anna, 0, 30, 2, PioneerCode::Auxiliary, 3);      // 30,5 h
    Put(anna, 1, 15, 1, PioneerCode::Auxiliary, 1);      // 15,25 h
    Put(anna, 2, 0, 0, PioneerCode::None, 2, true);      // participated only
    Put(anna, 4, 0, 3, PioneerCode::Auxiliary, 0, true); // 0,75 h
    const auto texts = Draw(ReportKind::AveragesCongregation);
    const auto row = RowOf("Anna Alfa");
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[0], "3 / 4");
    EXPECT_EQ(row[1], "   2.0/ 1.0"); // 6 studies over 3 months, over 6 months
    EXPECT_EQ(row[2], "2 / 3");
    // Hours of the months with a pioneer code: (30.5 + 15.25) / 2 and (30.5 + 15.25 + 0.75) / 3.
    EXPECT_EQ(row[3], "  22.9/15.5");
    EXPECT_TRUE(Has(texts, "Średnia dla trzech/sześciu m-cy kończących się m-cem :  luty"));
    EXPECT_TRUE(Has(texts, "Zbór"));
}

TEST_F(HoursReportsTest, AveragesLeaveAuxiliaryAndHoursEmptyForAPublisher) {
    PublisherRecord& bartek = Add("Bartek", "Beta");
    Put(bartek, 0, 0, 0, PioneerCode::None, 1, true);
    Draw(ReportKind::AveragesCongregation);
    const auto row = RowOf("Bartek Beta");
    ASSERT_EQ(row.size(), 2u); // empty cells are not drawn
    EXPECT_EQ(row[0], "1 / 1");
    EXPECT_EQ(row[1], "   0.3/ 0.2");
}

TEST_F(HoursReportsTest, NewPublisherAveragesStudiesOverHisMonthsOnly) {
    PublisherRecord& nowy = Add("Cezary", "Nowy");
    // New publisher since the month two months back: three months of activity.
    const WalkMonth since = MonthBack(m_source.workingMonth, 2);
    nowy.SetStatusMonth(static_cast<std::uint8_t>(((since.month + 1) << 4) | 1));
    nowy.SetStatusYear(ToYearByte(2000 + YearIndexOf(since.count)));
    for (int step = 0; step < 3; ++step)
        Put(nowy, step, 0, 0, PioneerCode::None, 2, true);
    StatusBasis basis;
    basis.month = m_source.workingMonth;
    ASSERT_EQ(MonthsInService(nowy, basis), 3);
    Draw(ReportKind::AveragesCongregation);
    const auto row = RowOf("Cezary Nowy");
    ASSERT_GE(row.size(), 2u);
    EXPECT_EQ(row[0], "3 / 3");
    EXPECT_EQ(row[1], "   2.0/ 2.0"); // 6 studies over 3 months both times, not over 6
}

TEST_F(HoursReportsTest, AveragesFiltersAndSubtitles) {
    PublisherRecord& elder = Add("Edward", "Starszy", 1);
    elder.SetAppointment(Appointment::Elder);
    PublisherRecord& servant = Add("Stefan", "Sługa", 2);
    servant.SetAppointment(Appointment::MinisterialServant);
    PublisherRecord& pioneer = Add("Paula", "Pionier", 2);
    Put(pioneer, 0, 50, 0, PioneerCode::Regular);
    PublisherRecord& marked = Add("Maria", "Oznaczona", 1);
    marked.SetInUserCategory(true);
    m_source.userCategoryLabel = "Kierowcy";
    m_environment.options.congregationName = "Zbór Północ";

    auto texts = Draw(ReportKind::AveragesElders);
    EXPECT_TRUE(Has(texts, "Edward Starszy"));
    EXPECT_FALSE(Has(texts, "Stefan Sługa"));
    EXPECT_TRUE(Has(texts, "Starszy - Zbór Północ"));

    texts = Draw(ReportKind::AveragesServants);
    EXPECT_FALSE(Has(texts, "Edward Starszy"));
    EXPECT_TRUE(Has(texts, "Stefan Sługa"));

    texts = Draw(ReportKind::AveragesRegularPioneers);
    EXPECT_TRUE(Has(texts, "Paula Pionier"));
    EXPECT_FALSE(Has(texts, "Edward Starszy"));
    EXPECT_FALSE(Has(texts, "Maria Oznaczona"));

    texts = Draw(ReportKind::AveragesUserCategory);
    EXPECT_TRUE(Has(texts, "Maria Oznaczona"));
    EXPECT_FALSE(Has(texts, "Edward Starszy"));
    EXPECT_TRUE(Has(texts, "Kierowcy - Zbór Północ"));

    ASSERT_TRUE(m_groups.SetName(1, "Wschód").ok());
    m_groups.SetUsesName(1, true);
    texts = Draw(ReportKind::AveragesGroup, 2);
    EXPECT_TRUE(Has(texts, "Stefan Sługa"));
    EXPECT_TRUE(Has(texts, "Paula Pionier"));
    EXPECT_FALSE(Has(texts, "Edward Starszy"));
    EXPECT_TRUE(Has(texts, "Wschód")); // a group's report has no congregation name
}

// --- 12-month hours -------------------------------------------------------------------------------------------

TEST_F(HoursReportsTest, HoursShowQuarterHoursForPioneersAndBoxesForPublishers) {
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    Put(pioneer, 0, 52, 2, PioneerCode::Regular);
    Put(pioneer, 1, 48, 3, PioneerCode::Regular);
    PublisherRecord& publisher = Add("Bartek", "Beta");
    Put(publisher, 0, 0, 0, PioneerCode::None, 1, true);
    Put(publisher, 3, 0, 0, PioneerCode::None, 0, true);
    const auto texts = Draw(ReportKind::HoursCongregation);
    const auto pioneerRow = RowOf("Paula Pionier");
    EXPECT_TRUE(Has(pioneerRow, "52,30"));
    EXPECT_TRUE(Has(pioneerRow, "48,45"));
    // 100 whole hours + 5 quarters: 101 hours, remainder 1 → 101 / 12.
    EXPECT_TRUE(Has(pioneerRow, "8.4"));
    const auto publisherRow = RowOf("Bartek Beta");
    EXPECT_FALSE(std::any_of(publisherRow.begin(), publisherRow.end(),
                             [](const std::string& t) { return !t.empty() && t != "0.0"; }));
    // Two ticked boxes (rectangles) for the publisher's two months, none for the pioneer.
    const int publisherY = m_canvas.Find("Bartek Beta")->y;
    int boxes = 0;
    for (const auto& rect : m_canvas.Rectangles())
        boxes += rect.rect.top >= publisherY && rect.rect.bottom <= publisherY + 200 ? 1 : 0;
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(Has(texts, "Śred."));
    EXPECT_TRUE(Has(texts, "Mar")); // the first column is March of the year before
}

TEST_F(HoursReportsTest, HoursInTheFormatChangeWindowShowEveryonesHoursAndNoAverage) {
    SetWorkingMonth(2024, 3); // February 2024: five months after the change, seven older-format columns
    PublisherRecord& publisher = Add("Bartek", "Beta");
    Put(publisher, 10, 7, 1); // older format: hours stand
    Put(publisher, 0, 0, 0, PioneerCode::None, 0, true);
    Draw(ReportKind::HoursCongregation);
    const auto row = RowOf("Bartek Beta");
    EXPECT_TRUE(Has(row, "7,15"));
    EXPECT_EQ(row.size(), 1u); // no average while older-format months are in the window
    EXPECT_EQ(m_canvas.Rectangles().size(), 1u);
}

TEST_F(HoursReportsTest, AuxiliaryPioneerHoursShowOnlyTheirPioneerMonths) {
    PublisherRecord& aux = Add("Alina", "Pomocnicza");
    Put(aux, 9, 30, 0, PioneerCode::Auxiliary);
    Put(aux, 2, 15, 0, PioneerCode::Auxiliary);
    Put(aux, 0, 0, 0, PioneerCode::None, 0, true);
    PublisherRecord& other = Add("Bartek", "Beta");
    Put(other, 0, 0, 0, PioneerCode::None, 0, true);
    PublisherRecord& old = Add("Olga", "Dawna");
    Put(old, 12, 30, 0, PioneerCode::Auxiliary); // thirteen months back: outside the window
    const auto texts = Draw(ReportKind::HoursAuxiliaryPioneers);
    EXPECT_FALSE(Has(texts, "Bartek Beta"));
    EXPECT_FALSE(Has(texts, "Olga Dawna"));
    const auto row = RowOf("Alina Pomocnicza");
    EXPECT_EQ(row, (std::vector<std::string>{"30", "15", "22.5"}));
    EXPECT_TRUE(m_canvas.Rectangles().empty());
    EXPECT_TRUE(Has(texts, "Pionierzy Pomocniczy"));
}

TEST_F(HoursReportsTest, HoursElderAndServantTogether) {
    Add("Edward", "Starszy").SetAppointment(Appointment::Elder);
    Add("Stefan", "Sługa").SetAppointment(Appointment::MinisterialServant);
    Add("Bogdan", "Brat").SetAppointment(Appointment::BaptizedBrother);
    auto texts = Draw(ReportKind::HoursEldersServants);
    EXPECT_TRUE(Has(texts, "Edward Starszy"));
    EXPECT_TRUE(Has(texts, "Stefan Sługa"));
    EXPECT_FALSE(Has(texts, "Bogdan Brat"));
    EXPECT_TRUE(Has(texts, "Starsi i słudzy pomocniczy"));
    texts = Draw(ReportKind::HoursBaptizedBrothers);
    EXPECT_TRUE(Has(texts, "Bogdan Brat"));
    EXPECT_FALSE(Has(texts, "Edward Starszy"));
}

// --- Service year ---------------------------------------------------------------------------------------------

TEST_F(HoursReportsTest, ServiceYearInSeptemberTakesSeptemberOnly) {
    SetWorkingMonth(2024, 10); // September 2024
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    Put(pioneer, 0, 50, 3, PioneerCode::Regular, 2);
    Put(pioneer, 1, 60, 0, PioneerCode::Regular, 5); // August: the year before
    PublisherRecord& publisher = Add("Bartek", "Beta");
    Put(publisher, 0, 0, 0, PioneerCode::Auxiliary, 1, true);
    const auto texts = Draw(ReportKind::ServiceYearCongregation);
    EXPECT_EQ(RowOf("Paula Pionier"), (std::vector<std::string>{"1", "2", "50"}));
    EXPECT_EQ(RowOf("Bartek Beta"), (std::vector<std::string>{"1", "1", "1"}));
    // Sums of studies, auxiliary months and hours four lines below the last row.
    EXPECT_EQ(RowOf("Sumy"), (std::vector<std::string>{"3", "1", "50"}));
    // Bartek Beta sorts first, Paula Pionier is the last row.
    EXPECT_EQ(m_canvas.Find("Sumy")->y - m_canvas.Find("Paula Pionier")->y,
              4 * (m_canvas.Find("Paula Pionier")->y - m_canvas.Find("Bartek Beta")->y));
    EXPECT_TRUE(Has(texts, "Podsumowanie roku służbowego Wrzesień -  wrzesień"));
}

TEST_F(HoursReportsTest, ServiceYearInAugustTakesTwelveMonthsAndCarriesQuarters) {
    SetWorkingMonth(2024, 9); // August 2024
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    for (int step = 0; step < 13; ++step)
        Put(pioneer, step, 10, 1, PioneerCode::Regular);
    Draw(ReportKind::ServiceYearRegularPioneers);
    // 12 months × 10 h and 12 quarters = 123 hours; the thirteenth month back is the year before.
    EXPECT_EQ(RowOf("Paula Pionier"), (std::vector<std::string>{"12", "123"}));
}

// --- Pioneer figures and report ---------------------------------------------------------------------------------

TEST_F(HoursReportsTest, MonthlyGoalFollowsTheServiceYear) {
    EXPECT_EQ(PioneerMonthlyGoal(WorkingMonthFor(2022, 9, 1)), 70);  // August 2022: 2021/22
    EXPECT_EQ(PioneerMonthlyGoal(WorkingMonthFor(2022, 10, 1)), 50); // September 2022: 2022/23
    EXPECT_EQ(PioneerMonthlyGoal(WorkingMonthFor(2023, 3, 1)), 50);
    EXPECT_EQ(PioneerMonthlyGoal(WorkingMonthFor(2021, 12, 1)), 70);
}

TEST_F(HoursReportsTest, MonthArithmeticOfThePioneerYear) {
    EXPECT_EQ(PioneerMonthsInYear(8), 12); // September
    EXPECT_EQ(PioneerMonthsInYear(11), 9); // December
    EXPECT_EQ(PioneerMonthsInYear(0), 8);  // January
    EXPECT_EQ(PioneerMonthsInYear(7), 1);  // August
    EXPECT_EQ(MonthsLeftToAugust(0), 7);
    EXPECT_EQ(MonthsLeftToAugust(8), 11);
    EXPECT_EQ(MonthsLeftToAugust(7), 0);
    EXPECT_EQ(MonthsSinceStart(8, 1), 6); // September .. February
}

TEST_F(HoursReportsTest, PioneerFromSeptemberHasTwelveMonthsAndNoMark) {
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    for (int step = 0; step < 6; ++step) // September .. February
        Put(pioneer, step, 40, 0, PioneerCode::Regular, 0, true, step == 0 ? 5 : 0);
    Put(pioneer, 6, 40, 0, PioneerCode::Regular); // August before: another year
    m_database.RebuildIndex();
    const auto pioneers = RegularPioneersOf(m_database, m_source.workingMonth);
    ASSERT_EQ(pioneers.size(), 1u);
    const PioneerProgress p = ComputePioneerProgress(m_database, pioneers[0], m_source.workingMonth, false);
    EXPECT_EQ(p.start, 8);
    EXPECT_EQ(p.pioneerMonths, 12);
    EXPECT_EQ(p.elapsed, 6);
    EXPECT_EQ(p.hours, 240);
    EXPECT_EQ(p.credit, 5);
    EXPECT_EQ(p.Remaining(), 600 - 245);
    const auto texts = Draw(ReportKind::PioneerHours);
    EXPECT_EQ(RowOf("Paula Pionier"), (std::vector<std::string>{"240", "5", "245", "40.8", "355", "59.2"}));
    EXPECT_FALSE(Has(texts, "Paula Pionier *"));
    EXPECT_FALSE(Has(texts, " * Został(a) pionierem w paźdz. lub później."));
    EXPECT_TRUE(Has(texts, "Pionierzy stali - Godz."));
}

TEST_F(HoursReportsTest, LaterStartIsMarkedAndExplained) {
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    for (int step = 0; step < 4; ++step) // November .. February
        Put(pioneer, step, 60, 0, PioneerCode::Regular);
    Put(pioneer, 4, 5, 0, PioneerCode::None); // October as a publisher
    PublisherRecord& done = Add("Dorota", "Gotowa");
    for (int step = 0; step < 6; ++step)
        Put(done, step, 100, 0, PioneerCode::Regular);
    const auto texts = Draw(ReportKind::PioneerHours);
    // November start: 10 months × 50 = 500 required, 240 done, 260 left over the 6 months to August.
    EXPECT_EQ(RowOf("Paula Pionier *"), (std::vector<std::string>{"240", "0", "240", "60.0", "260", "43.3"}));
    // More than the year's requirement: nothing remains.
    EXPECT_EQ(RowOf("Dorota Gotowa"), (std::vector<std::string>{"600", "0", "600", "100.0", "0", " 0.0"}));
    const auto* note = m_canvas.Find(" * Został(a) pionierem w paźdz. lub później.");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->y - m_canvas.Find("Paula Pionier *")->y,
              4 * (m_canvas.Find("Paula Pionier *")->y - m_canvas.Find("Dorota Gotowa")->y));
}

TEST_F(HoursReportsTest, InAugustNoPerMonthRemainder) {
    SetWorkingMonth(2024, 9); // August 2024, service year 2023/24: 50 hours
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    for (int step = 0; step < 12; ++step)
        Put(pioneer, step, 45, 0, PioneerCode::Regular);
    Draw(ReportKind::PioneerHours);
    EXPECT_EQ(RowOf("Paula Pionier"), (std::vector<std::string>{"540", "0", "540", "45.0", "60"}));
}

// --- Pages --------------------------------------------------------------------------------------------------------

TEST_F(HoursReportsTest, EmptyListDrawsOnlyTheHeader) {
    const auto texts = Draw(ReportKind::HoursCongregation);
    EXPECT_EQ(m_pages, 1);
    EXPECT_TRUE(Has(texts, "Imię i nazwisko"));
    EXPECT_TRUE(m_canvas.Rectangles().empty());
}

TEST_F(HoursReportsTest, EveryRowIsDrawnOnceOverThePagesCounted) {
    for (int i = 0; i < 130; ++i) {
        const std::string last = "Osoba" + std::to_string(1000 + i);
        PublisherRecord& person = Add("Jan", last.c_str());
        Put(person, 0, 0, 0, PioneerCode::None, 1, true);
    }
    for (const ReportKind kind :
         {ReportKind::AveragesCongregation, ReportKind::HoursCongregation, ReportKind::ServiceYearCongregation}) {
        const auto texts = Draw(kind);
        const int rows = static_cast<int>(std::count_if(
            texts.begin(), texts.end(), [](const std::string& t) { return t.rfind("Jan Osoba", 0) == 0; }));
        EXPECT_EQ(rows, 130);
        const int headers = static_cast<int>(std::count(texts.begin(), texts.end(), "Imię i nazwisko"));
        EXPECT_EQ(headers, m_pages);
        EXPECT_GE(m_pages, 2);
        // The last row lies within the last page's band.
        int lastY = 0;
        for (const auto& item : m_canvas.Texts())
            lastY = std::max(lastY, item.y);
        EXPECT_LT(lastY, m_pages * 11 * 600);
    }
}

TEST_F(HoursReportsTest, GridLinesCoverTheRowsOfEachPage) {
    m_environment.options.gridLines = true;
    Add("Anna", "Alfa");
    Add("Bartek", "Beta");
    Draw(ReportKind::AveragesCongregation);
    ASSERT_EQ(m_canvas.Rectangles().size(), 1u);
    const Rect outline = m_canvas.Rectangles()[0].rect;
    EXPECT_LE(outline.top, m_canvas.Find("Anna Alfa")->y);
    EXPECT_GE(outline.bottom, m_canvas.Find("Bartek Beta")->y);
}

} // namespace
} // namespace vardo::test
