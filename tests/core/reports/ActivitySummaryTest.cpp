// The activity summary: the months shown, the figures of both sources and every category, the period's sums
// and averages, the table and the chart as drawn, and the dialog's behaviour.

#include "core/reports/ActivitySummary.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Persons.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kMarch = 2;

class ActivityTest : public ::testing::Test {
protected:
    ActivityTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_data.database = &m_database;
        m_data.cardTotals = &m_totals;
        m_data.workingMonth = WorkingMonthFor(2025, 4, 10); // working month March 2025
    }
    // A person with the same report in every one of the twelve months.
    PublisherRecord& Add(const char* last, PioneerCode code, int hours, int studies, bool participated = true) {
        const PublisherId id = AddPersonTo(m_database, "Jan", last, m_prompter);
        PublisherRecord& person = *m_database.FindById(id);
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.SetBibleStudies(studies);
        cell.SetFlag(participated);
        for (MonthIndex m = 0; m < 12; ++m)
            person.SetCell(m, m_data.workingMonth.SlotOf(m), cell);
        m_database.RebuildIndex();
        return person;
    }
    ActivityTable Compute(ActivityChoice choice) {
        m_database.RebuildIndex();
        return ComputeActivity(m_data, choice);
    }
    static ActivityChoice Choice(ActivitySource source, ActivityCategory category,
                                 ActivityPeriod period = ActivityPeriod::TwelveMonths) {
        ActivityChoice choice;
        choice.source = source;
        choice.category = category;
        choice.period = period;
        return choice;
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    CardTotals m_totals;
    ActivityData m_data;
};

TEST_F(ActivityTest, TwelveRowsEndWithTheWorkingMonth) {
    ActivityTable table = Compute({});
    EXPECT_EQ(table.rows.front().month, 3); // April 2024
    EXPECT_EQ(table.rows.front().year, 2024);
    EXPECT_EQ(table.rows.back().month, kMarch);
    EXPECT_EQ(table.rows.back().year, 2025);
    EXPECT_EQ(table.rows[9].month, 0); // January 2025: the year flips
    EXPECT_EQ(table.rows[9].year, 2025);
    EXPECT_NE(table.rows[0].slot, table.rows[11].slot);

    m_data.workingMonth = WorkingMonthFor(2026, 1, 10); // December 2025
    table = Compute({});
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(table.rows[static_cast<std::size_t>(i)].month, i);
        EXPECT_EQ(table.rows[static_cast<std::size_t>(i)].year, 2025);
    }
}

TEST_F(ActivityTest, RegisterFiguresFollowTheCategory) {
    Add("Adam", PioneerCode::None, 0, 1);
    Add("Bed", PioneerCode::None, 0, 0, false); // no report
    Add("Cel", PioneerCode::Auxiliary, 30, 2);
    Add("Dur", PioneerCode::Regular, 50, 3);
    Add("Fal", PioneerCode::Special, 100, 4);
    PublisherRecord& missionary = Add("Mis", PioneerCode::Special, 130, 5);
    missionary.SetFieldMissionary(true);
    PublisherRecord& special = Add("Spe", PioneerCode::Special, 90, 1);
    special.SetSpecialFullTime(true); // persons in special full-time service are counted
    const PublisherId inactive = AddPersonTo(m_database, "Jan", "Zet", m_prompter, PublisherCategory::Inactive);
    ReportCell reported;
    reported.hours = 12;
    m_database.FindById(inactive)->SetCell(kMarch, m_data.workingMonth.SlotOf(kMarch), reported);

    const ActivityRow all = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation)).rows.back();
    EXPECT_EQ(all.participated, 5);
    EXPECT_EQ(all.studies, 11);
    EXPECT_EQ(all.hours, 270);
    const ActivityRow publishers = Compute(Choice(ActivitySource::Register, ActivityCategory::Publishers)).rows.back();
    EXPECT_EQ(publishers.participated, 1);
    EXPECT_EQ(publishers.studies, 1);
    EXPECT_EQ(publishers.hours, 0);
    const ActivityRow auxiliary = Compute(Choice(ActivitySource::Register, ActivityCategory::Auxiliary)).rows.back();
    EXPECT_EQ(auxiliary.participated, 1);
    EXPECT_EQ(auxiliary.hours, 30);
    const ActivityRow pioneers = Compute(Choice(ActivitySource::Register, ActivityCategory::Pioneers)).rows.back();
    EXPECT_EQ(pioneers.participated, 3);
    EXPECT_EQ(pioneers.studies, 8);
    EXPECT_EQ(pioneers.hours, 240);
}

TEST_F(ActivityTest, PublishersHoursNeverCountNotEvenInAnOlderMonth) {
    Add("Adam", PioneerCode::None, 9, 0); // an older-format report with hours
    const ActivityTable table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation));
    EXPECT_EQ(table.rows.back().hours, 0);
    EXPECT_EQ(table.rows.back().participated, 1);
    EXPECT_FALSE(Compute(Choice(ActivitySource::Register, ActivityCategory::Publishers)).hoursShown);
}

TEST_F(ActivityTest, BranchFiguresAddTheCategoryRowsAndLeaveTheHistoryAlone) {
    const YearSlot slot = m_data.workingMonth.SlotOf(kMarch);
    const int reports[] = {40, 5, 6, 2};
    const int studies[] = {10, 3, 9, 4};
    const int hours[] = {77, 150, 420, 200};
    for (int row = 0; row < 4; ++row) {
        m_totals.SetValue(kMarch, row, 8, slot, static_cast<std::uint16_t>(reports[row]));
        m_totals.SetValue(kMarch, row, 4, slot, static_cast<std::uint16_t>(studies[row]));
        m_totals.SetValue(kMarch, row, 2, slot, static_cast<std::uint16_t>(hours[row]));
    }
    const std::string before(m_totals.Bytes());

    const ActivityRow all = Compute(Choice(ActivitySource::Branch, ActivityCategory::Congregation)).rows.back();
    EXPECT_EQ(all.participated, 53);
    EXPECT_EQ(all.studies, 26);
    EXPECT_EQ(all.hours, 770); // the publishers' 77 hours are left out
    const ActivityRow publishers = Compute(Choice(ActivitySource::Branch, ActivityCategory::Publishers)).rows.back();
    EXPECT_EQ(publishers.participated, 40);
    EXPECT_EQ(publishers.hours, 0);
    const ActivityRow auxiliary = Compute(Choice(ActivitySource::Branch, ActivityCategory::Auxiliary)).rows.back();
    EXPECT_EQ(auxiliary.studies, 3);
    EXPECT_EQ(auxiliary.hours, 150);
    const ActivityRow pioneers = Compute(Choice(ActivitySource::Branch, ActivityCategory::Pioneers)).rows.back();
    EXPECT_EQ(pioneers.participated, 8);
    EXPECT_EQ(pioneers.studies, 13);
    EXPECT_EQ(pioneers.hours, 620);
    EXPECT_EQ(std::string(m_totals.Bytes()), before);
    // Another month of the history stays out of March's row.
    EXPECT_EQ(Compute(Choice(ActivitySource::Branch, ActivityCategory::Congregation)).rows[10].participated, 0);
}

TEST_F(ActivityTest, PeriodsChooseTheRowsAndTheDivisor) {
    Add("Dur", PioneerCode::Regular, 50, 3);
    ActivityTable table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation));
    EXPECT_EQ(table.months, 12);
    EXPECT_EQ(table.hoursSum, 600);
    EXPECT_DOUBLE_EQ(table.hoursAverage, 50.0);
    EXPECT_EQ(std::count_if(table.rows.begin(), table.rows.end(), [](const ActivityRow& r) { return r.hasFigures; }),
              12);

    table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation, ActivityPeriod::SixMonths));
    EXPECT_EQ(table.months, 6);
    EXPECT_FALSE(table.rows[5].hasFigures);
    EXPECT_TRUE(table.rows[6].hasFigures);
    EXPECT_EQ(table.studiesSum, 18);
    EXPECT_DOUBLE_EQ(table.studiesAverage, 3.0);

    // March: September through March is seven months.
    table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation, ActivityPeriod::ServiceYear));
    EXPECT_EQ(table.months, 7);
    EXPECT_FALSE(table.rows[4].hasFigures); // August
    EXPECT_TRUE(table.rows[5].hasFigures);  // September
    EXPECT_EQ(table.hoursSum, 350);

    // September: one month, the average equals the sum.
    m_data.workingMonth = WorkingMonthFor(2025, 10, 10);
    Add("Ewa", PioneerCode::Regular, 20, 0); // reports of the year to September 2025
    table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation, ActivityPeriod::ServiceYear));
    EXPECT_EQ(table.months, 1);
    EXPECT_EQ(table.hoursSum, 20);
    EXPECT_DOUBLE_EQ(table.hoursAverage, 20.0);
}

TEST_F(ActivityTest, UninitialisedWorkingMonthLeavesItsRowAndTheSumsEmpty) {
    Add("Dur", PioneerCode::Regular, 50, 3);
    m_data.workingMonthInitialised = false;
    const ActivityTable table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation));
    EXPECT_FALSE(table.rows.back().hasFigures);
    EXPECT_TRUE(table.rows[10].hasFigures);
    EXPECT_FALSE(table.summaryShown);
    EXPECT_EQ(table.hoursSum, 0);

    RecordingCanvas canvas;
    DrawActivityTable(canvas, Rect{0, 0, 600, 300}, table, {});
    const auto texts = canvas.TextStrings();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "50"), 11);
    EXPECT_NE(canvas.Find("Sumy"), nullptr);
    EXPECT_EQ(canvas.Find("550"), nullptr);
}

TEST_F(ActivityTest, TableShowsCellsSumsAndAveragesInTheirColumns) {
    Add("Dur", PioneerCode::Regular, 50, 3);
    Add("Ewa", PioneerCode::None, 0, 1);
    const ActivityTable table = Compute(Choice(ActivitySource::Register, ActivityCategory::Congregation));
    RecordingCanvas canvas;
    const Rect area{100, 200, 700, 500}; // 600 wide, rows 20 high
    DrawActivityTable(canvas, area, table, {});
    const RecordingCanvas::TextItem* heading = canvas.Find("Uczestniczył(a) w służbie");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->x, 100 + 300 - 8);
    const RecordingCanvas::TextItem* april = canvas.Find("kwiecień");
    ASSERT_NE(april, nullptr);
    EXPECT_EQ(april->x, 100 + 30);
    EXPECT_GE(april->y, 220);
    EXPECT_LT(april->y, 240);
    const RecordingCanvas::TextItem* sum = canvas.Find("600");
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->x, 700 - 10);
    EXPECT_GE(sum->y, 200 + 13 * 20);
    const RecordingCanvas::TextItem* average = canvas.Find("50.0");
    ASSERT_NE(average, nullptr);
    EXPECT_GE(average->y, 200 + 14 * 20);
    EXPECT_NE(canvas.Find(" 4.0"), nullptr); // studies: 48 / 12

    // Publishers: no hours anywhere.
    RecordingCanvas publishers;
    DrawActivityTable(publishers, area, Compute(Choice(ActivitySource::Register, ActivityCategory::Publishers)), {});
    for (const auto& item : publishers.Texts())
        if (item.text != "Godz.") {
            EXPECT_LT(item.x, 100 + 3 * 150) << item.text;
        }
}

TEST_F(ActivityTest, HeadingsNarrowerThanTheirColumnsKeepTheFont) {
    const ActivityTable table = Compute({});
    ActivityTableStyle style;
    style.font.height = -16; // 8 pixels a character in the recording canvas
    RecordingCanvas wide;
    DrawActivityTable(wide, Rect{0, 0, 1200, 300}, table, style);
    EXPECT_EQ(wide.Find("Uczestniczył(a) w służbie")->font.height, -16);
    // 25 characters (200 pixels) in a column of 108 - 12 pixels: the heading shrinks to fit, the rest stays.
    RecordingCanvas narrow;
    DrawActivityTable(narrow, Rect{0, 0, 360, 300}, table, style);
    const RecordingCanvas::TextItem* heading = narrow.Find("Uczestniczył(a) w służbie");
    ASSERT_NE(heading, nullptr);
    EXPECT_LE(heading->bounds.Width(), 108 - 12);
    EXPECT_EQ(heading->bounds.right, 180 - 8);
    EXPECT_EQ(narrow.Find("kwiecień")->font.height, -16);
    EXPECT_EQ(narrow.Find("Godz.")->font.height, -16);
}

TEST(ActivityChart, ScaleTopIsRound) {
    EXPECT_EQ(ChartScaleTop(0), 10);
    EXPECT_EQ(ChartScaleTop(3), 5);
    EXPECT_EQ(ChartScaleTop(6), 10);
    EXPECT_EQ(ChartScaleTop(11), 15);
    EXPECT_EQ(ChartScaleTop(21), 25);
    EXPECT_EQ(ChartScaleTop(50), 50);
    EXPECT_EQ(ChartScaleTop(81), 100);
    EXPECT_EQ(ChartScaleTop(1140), 1500);
    EXPECT_EQ(ChartScaleTop(6100), 8000);
    for (int value : {7, 13, 27, 33, 45, 77, 140, 555, 9999})
        EXPECT_EQ(ChartScaleTop(value) % 5, 0) << value;
}

TEST_F(ActivityTest, ChartDrawsABarPerMonthWithFiguresScaledToTheTallest) {
    PublisherRecord& person = Add("Dur", PioneerCode::Regular, 40, 2);
    ReportCell busy = person.Cell(kMarch, m_data.workingMonth.SlotOf(kMarch));
    busy.hours = 80;
    person.SetCell(kMarch, m_data.workingMonth.SlotOf(kMarch), busy);
    ActivityChoice choice = Choice(ActivitySource::Register, ActivityCategory::Congregation, ActivityPeriod::SixMonths);
    RecordingCanvas canvas;
    const Rect area{0, 0, 1200, 600};
    DrawActivityChart(canvas, area, Compute(choice), ActivityMeasure::Hours, LogicalFont{});
    // Every month has a bar; those outside the six months of the period are paler.
    ASSERT_EQ(canvas.Fills().size(), 12u);
    EXPECT_NE(canvas.Fills()[5].color, canvas.Fills()[6].color);
    EXPECT_EQ(canvas.Fills()[6].color, canvas.Fills()[10].color);
    const Rect last = canvas.Fills().back().rect;
    const Rect first = canvas.Fills().front().rect;
    EXPECT_EQ(last.bottom, first.bottom);
    EXPECT_NEAR(first.Height() * 2, last.Height(), 2); // 40 against 80 on a scale to 80
    EXPECT_EQ(last.top, 38);                           // the tallest bar reaches the top of the plot
    EXPECT_NE(canvas.Fills().back().color, canvas.Fills().front().color);
    EXPECT_NE(canvas.Find("Godziny"), nullptr);
    EXPECT_NE(canvas.Find("80"), nullptr);
    EXPECT_NE(canvas.Find("64"), nullptr); // scale steps of 16

    // An uninitialised working month has no bar and does not set the scale.
    m_data.workingMonthInitialised = false;
    RecordingCanvas open;
    DrawActivityChart(open, area, Compute(choice), ActivityMeasure::Hours, LogicalFont{});
    EXPECT_EQ(open.Fills().size(), 11u);
    EXPECT_NE(open.Find("40"), nullptr);
    EXPECT_EQ(open.Find("80"), nullptr);

    RecordingCanvas publishers;
    m_data.workingMonthInitialised = true;
    choice.category = ActivityCategory::Publishers;
    DrawActivityChart(publishers, area, Compute(choice), ActivityMeasure::Hours, LogicalFont{});
    EXPECT_TRUE(publishers.Fills().empty());
    EXPECT_NE(publishers.Find("Głosiciele nie podają godzin"), nullptr);
}

TEST_F(ActivityTest, PrintedPageHoldsCaptionTableNoteAndChart) {
    Add("Dur", PioneerCode::Regular, 50, 3);
    ActivityChoice choice = Choice(ActivitySource::Branch, ActivityCategory::Pioneers, ActivityPeriod::SixMonths);
    choice.measure = ActivityMeasure::Studies;
    const auto report = MakeActivityReport(m_data, choice);
    RecordingCanvas canvas(300, 300);
    ReportEnvironment environment;
    EXPECT_EQ(report->CountPages(canvas, environment), 1);
    report->Draw(canvas, environment);
    const RecordingCanvas::TextItem* caption = canvas.Find("Podsumowanie aktywności");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->x, 330);
    EXPECT_EQ(caption->y, 300);
    const RecordingCanvas::TextItem* category = canvas.Find("Pionierzy (Peł i Spe)");
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->x, 1500);
    EXPECT_NE(canvas.Find("Zgłoszono do oddziału"), nullptr);
    const RecordingCanvas::TextItem* note = canvas.Find("* Sum/śred. dla 6 ost. mies.");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->x, 1200);
    EXPECT_GT(note->y, 450 + 900);
    EXPECT_NE(canvas.Find("Kursy biblijne"), nullptr);
    // The branch history is empty: no bars.
    EXPECT_TRUE(canvas.Fills().empty());
}

TEST_F(ActivityTest, PresenterCyclesThePeriodAndRecomputes) {
    Add("Dur", PioneerCode::Regular, 50, 3);
    m_database.RebuildIndex();
    ActivitySummaryPresenter presenter(m_data);
    EXPECT_EQ(presenter.Choice().period, ActivityPeriod::TwelveMonths);
    EXPECT_EQ(presenter.Choice().source, ActivitySource::Register);
    EXPECT_EQ(presenter.Choice().category, ActivityCategory::Congregation);
    EXPECT_EQ(presenter.PeriodButtonText(), "&Sum/śred. dla 12 ost. mies.");
    EXPECT_EQ(presenter.Table().hoursSum, 600);
    presenter.NextPeriod();
    EXPECT_EQ(presenter.PeriodButtonText(), "&Sum/śred. dla 6 ost. mies.");
    EXPECT_EQ(presenter.Table().hoursSum, 300);
    presenter.NextPeriod();
    EXPECT_EQ(presenter.PeriodButtonText(), "&Sum/śred. dla Bieżący rok sł.");
    presenter.NextPeriod();
    EXPECT_EQ(presenter.Choice().period, ActivityPeriod::TwelveMonths);
    presenter.SetCategory(1);
    EXPECT_FALSE(presenter.Table().hoursShown);
    presenter.SetCategory(7);
    EXPECT_EQ(presenter.Choice().category, ActivityCategory::Publishers);
    presenter.SetSource(ActivitySource::Branch);
    EXPECT_EQ(presenter.Table().rows.back().participated, 0);
    EXPECT_EQ(ActivitySummaryPresenter::CategoryNames().size(), 4u);
}

} // namespace
} // namespace vardo::test
