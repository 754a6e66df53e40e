// The pioneer progress window's rules and its drawing.

#include "core/reports/PioneerProgress.h"

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

class PioneerProgressTest : public ::testing::Test {
protected:
    PioneerProgressTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_month = WorkingMonthFor(2025, 3, 10); // February 2025
    }
    PublisherRecord& Add(const char* first, const char* last) {
        const PublisherId id = AddPersonTo(m_database, first, last, m_prompter);
        m_database.RebuildIndex();
        return *m_database.FindById(id);
    }
    void Put(PublisherRecord& person, int steps, int hours, PioneerCode code, int credit = 0) {
        const WalkMonth m = MonthBack(m_month, steps);
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        person.SetCell(m.month, m.slot, cell);
        person.SetRow(MonthRow::CreditHours, m.month, m.slot, static_cast<std::uint16_t>(credit));
    }
    // A pioneer since November (months 0..3 back), a publisher in October; one from September.
    void AddTwo() {
        PublisherRecord& late = Add("Paula", "Pionier");
        for (int step = 0; step < 4; ++step)
            Put(late, step, 60, PioneerCode::Regular, step == 1 ? 4 : 0);
        Put(late, 4, 5, PioneerCode::None);
        PublisherRecord& early = Add("Dorota", "Gotowa");
        for (int step = 0; step < 17; ++step)
            Put(early, step, 50, PioneerCode::Regular);
        Add("Bartek", "Beta"); // not a pioneer
        m_database.RebuildIndex();
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    WorkingMonth m_month;
};

TEST_F(PioneerProgressTest, ListsTheRegularPioneersAndNamesTheChosenOne) {
    AddTwo();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    EXPECT_EQ(presenter.PioneerNames(), (std::vector<std::string>{"Dorota Gotowa", "Paula Pionier"}));
    EXPECT_EQ(presenter.View().caption, "Godziny pionierów od początku roku");
    EXPECT_FALSE(presenter.View().chosen);
    presenter.Choose(1);
    EXPECT_EQ(presenter.View().caption, "Godziny pionierów od początku roku - Paula Pionier");
    presenter.Choose(7);
    EXPECT_FALSE(presenter.View().chosen);
}

TEST_F(PioneerProgressTest, LinesOfALaterStart) {
    AddTwo();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    presenter.Choose(1);
    const auto& lines = presenter.View().lines;
    EXPECT_EQ(lines[0], "Pionier od listopad");
    // 10 months × 50 h = 500; 240 h + 4 credit done.
    EXPECT_EQ(lines[1], "Razem zostało godzin ( Mar - Sie ) = 256");
    EXPECT_EQ(lines[2], "Średnia pozostałych godzin w każdym m-cu ( Mar - Sie ) = 42.7");
    presenter.Choose(0);
    EXPECT_EQ(presenter.View().lines[0], ""); // from September: no start line
    EXPECT_EQ(presenter.View().lines[1], "Razem zostało godzin ( Mar - Sie ) = 300");
}

TEST_F(PioneerProgressTest, MonthBarsRunFromSeptemberWithFutureMonthsEmpty) {
    AddTwo();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    presenter.Choose(1);
    const auto& months = presenter.View().months;
    EXPECT_EQ(months[0].month, 8);   // September
    EXPECT_EQ(months[11].month, 7);  // August
    EXPECT_FALSE(months[1].regular); // October as a publisher
    EXPECT_EQ(months[1].hours, 5);
    EXPECT_TRUE(months[2].regular);
    EXPECT_EQ(months[4].Total(), 64); // January with its credit hours
    EXPECT_FALSE(months[5].future);   // February, the working month
    EXPECT_TRUE(months[6].future);
    EXPECT_EQ(months[6].Total(), 0);
}

TEST_F(PioneerProgressTest, PreviousYearShowsThatYearAndClearsTheFirstLines) {
    AddTwo();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    presenter.Choose(0);
    presenter.SetPreviousYear(true);
    const auto& view = presenter.View();
    EXPECT_EQ(view.serviceYear, 2024);
    EXPECT_EQ(view.goal, 50);
    EXPECT_EQ(view.lines[0], "");
    EXPECT_EQ(view.lines[1], "");
    EXPECT_EQ(view.lines[2], "Bieżący rok sł. : 2024");
    // Dorota reported back to October 2023 (16 months back).
    EXPECT_FALSE(view.months[11].future);
    EXPECT_EQ(view.months[11].hours, 50); // August 2024
    EXPECT_EQ(view.months[1].hours, 50);  // October 2023
    EXPECT_EQ(view.months[0].hours, 0);   // September 2023: no report
}

TEST_F(PioneerProgressTest, AugustHasNoLines) {
    m_month = WorkingMonthFor(2024, 9, 10);
    PublisherRecord& pioneer = Add("Paula", "Pionier");
    for (int step = 0; step < 12; ++step)
        Put(pioneer, step, 40, PioneerCode::Regular);
    m_database.RebuildIndex();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    presenter.Choose(0);
    for (const auto& line : presenter.View().lines)
        EXPECT_EQ(line, "");
    EXPECT_FALSE(presenter.View().months[11].future);
}

TEST_F(PioneerProgressTest, DrawingShowsEveryPioneersBarAndTheChosenMonths) {
    AddTwo();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    presenter.Choose(1);
    RecordingCanvas canvas(600, 600);
    ReportEnvironment environment;
    const auto report = MakePioneerProgressReport(presenter.View());
    report->Draw(canvas, environment);
    EXPECT_EQ(report->CountPages(canvas, environment), 1);
    const auto texts = canvas.TextStrings();
    auto has = [&](const std::string& text) { return std::find(texts.begin(), texts.end(), text) != texts.end(); };
    EXPECT_TRUE(has("Godziny pionierów od początku roku - Paula Pionier"));
    EXPECT_TRUE(has("244 z 500 godz."));
    EXPECT_TRUE(has("300 z 600 godz."));
    EXPECT_TRUE(has("Pionier od listopad"));
    EXPECT_TRUE(has("64")); // January's bar with its credit
    EXPECT_TRUE(has("Sie"));
    // Two frames, one per pioneer; the bar of 300 of 600 fills half its frame.
    ASSERT_EQ(canvas.Rectangles().size(), 2u);
    const Rect frame = canvas.Rectangles()[0].rect;
    int filledRight = 0;
    for (const auto& line : canvas.Lines())
        if (line.y1 == line.y2 && line.y1 > frame.top && line.y1 < frame.bottom && line.pen.color == 0x2F5597)
            filledRight = std::max(filledRight, line.x2);
    EXPECT_NEAR(filledRight - frame.left, frame.Width() / 2, frame.Width() / 50);
}

TEST_F(PioneerProgressTest, ManyPioneersRunOntoMorePages) {
    for (int i = 0; i < 60; ++i) {
        const std::string last = "Pionier" + std::to_string(100 + i);
        Put(Add("Jan", last.c_str()), 0, 50, PioneerCode::Regular);
    }
    m_database.RebuildIndex();
    PioneerProgressPresenter presenter(m_database, m_month, false);
    RecordingCanvas canvas(600, 600);
    ReportEnvironment environment;
    const int pages = DrawPioneerProgress(canvas, environment, presenter.View(), true);
    EXPECT_GE(pages, 2);
    const int names = static_cast<int>(std::count_if(canvas.Texts().begin(), canvas.Texts().end(), [](const auto& t) {
        return t.text.rfind("Jan Pionier", 0) == 0;
    }));
    EXPECT_EQ(names, 60);
    for (const auto& t : canvas.Texts()) // nothing in the gap between page bands
        EXPECT_LT((t.y % (11 * 600)), 10 * 600) << t.text;
}

TEST_F(PioneerProgressTest, NoPioneersSaysSo) {
    Add("Bartek", "Beta");
    PioneerProgressPresenter presenter(m_database, m_month, false);
    EXPECT_FALSE(presenter.HasPioneers());
    RecordingCanvas canvas(600, 600);
    DrawPioneerProgress(canvas, ReportEnvironment{}, presenter.View(), true);
    EXPECT_NE(canvas.Find("W miesiącu roboczym nie ma pionierów stałych."), nullptr);
}

} // namespace
} // namespace vardo::test
