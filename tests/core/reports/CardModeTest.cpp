// The record card's rolling mode (the last 12 or 24 months) as drawn on the recording canvas, and the card
// dialog's totals view and card mode as its presenter holds them.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CardRows.h"
#include "Persons.h"
#include "core/platform/Prompter.h"
#include "core/reports/RecordCard.h"
#include "core/reports/RecordCardPresenter.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kFebruary = 1;
constexpr MonthIndex kMarch = 2;
constexpr MonthIndex kOctober = 9;
constexpr int kDpi = 600;

class CardModeTest : public ::testing::Test {
protected:
    CardModeTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_source.database = &m_database;
        m_source.workingMonth = WorkingMonthFor(2025, 3, 10); // working month February 2025
        m_source.options.onePerPage = true;
    }
    PublisherId Add(const char* first, const char* last) { return AddPersonTo(m_database, first, last, m_prompter); }
    void Report(PublisherId id, int year, MonthIndex month, PioneerCode code, int hours, int studies) {
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.SetBibleStudies(studies);
        cell.SetFlag(true);
        m_database.FindById(id)->SetCell(month, SlotOfMonthCount(ToMonthCount(year, month)), cell);
    }
    static int Count(const RecordingCanvas& canvas, const std::string& text) {
        return static_cast<int>(std::count_if(canvas.Texts().begin(), canvas.Texts().end(),
                                              [&](const auto& item) { return item.text == text; }));
    }
    RecordingCanvas Draw(const ::vardo::Report& report) {
        RecordingCanvas canvas(kDpi, kDpi);
        EXPECT_EQ(report.CountPages(canvas, m_environment), 1);
        DrawReportPage(report, canvas, m_environment, 1);
        return canvas;
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    CardSource m_source;
    ReportEnvironment m_environment = ForPrinting(ReportEnvironment{}, true);
};

TEST_F(CardModeTest, TwelveMonthCardRunsFromTheMonthAfterTheWorkingMonthAYearBefore) {
    const PublisherId ewa = Add("Ewa", "Lis");
    Report(ewa, 2024, kMarch, PioneerCode::Regular, 70, 2);    // outside the service year 2025
    Report(ewa, 2024, kOctober, PioneerCode::Regular, 60, 1);  // inside it
    Report(ewa, 2025, kFebruary, PioneerCode::None, 0, 3);     // the working month, no pioneer
    Report(ewa, 2024, kFebruary, PioneerCode::Regular, 90, 4); // thirteen months back: not on the card
    m_database.RebuildIndex();
    const RecordNumber record = m_database.RecordNumberOfId(ewa);

    m_source.cardMode = 2;
    const RecordingCanvas rolling = Draw(*MakeCardsReport(m_source, {record}));
    EXPECT_EQ(CardTitleText(m_source), "12 ost. mies.");
    EXPECT_NE(rolling.Find("12 ost. mies."), nullptr);
    EXPECT_EQ(rolling.Find("ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA"), nullptr);
    // The first row names its year; so does January.
    EXPECT_EQ(CardRow(rolling, "2024    marzec"), (std::vector<std::string>{"2", "70"}));
    EXPECT_EQ(CardRow(rolling, "październik"), (std::vector<std::string>{"1", "60"}));
    EXPECT_NE(FindCardLabel(rolling, "2025    styczeń"), nullptr);
    EXPECT_EQ(CardRow(rolling, "luty"), (std::vector<std::string>{"3"}));
    EXPECT_EQ(Count(rolling, "luty"), 1);
    // One table, no service year above it; its total is the pioneer hours of the twelve months.
    EXPECT_EQ(rolling.Find("Rok służbowy"), nullptr);
    EXPECT_EQ(CardRow(rolling, "Ogółem"), (std::vector<std::string>{"130"}));

    // The service-year card of the same person starts in September and leaves March 2024 out.
    m_source.cardMode = 1;
    const RecordingCanvas serviceYear = Draw(*MakeCardsReport(m_source, {record}));
    EXPECT_NE(serviceYear.Find("ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA"), nullptr);
    EXPECT_EQ(FindCardLabel(serviceYear, "2024    marzec"), nullptr);
    EXPECT_NE(FindCardLabel(serviceYear, "2024    wrzesień"), nullptr);
    EXPECT_EQ(CardRow(serviceYear, "Ogółem"), (std::vector<std::string>{"60"}));
}

TEST_F(CardModeTest, InactivePublishersCurrentCardStaysEmptyFromTheMonthOfBecomingInactive) {
    const PublisherId ewa = Add("Ewa", "Lis");
    for (const auto& [year, month] : {std::pair{2023, kOctober},
                                      {2024, kOctober},
                                      {2024, MonthIndex{11}},
                                      {2025, MonthIndex{0}},
                                      {2025, kFebruary}})
        Report(ewa, year, month, PioneerCode::None, 0, 2);
    m_database.RebuildIndex();
    PublisherRecord& person = *m_database.FindById(ewa);
    person.SetCategory(PublisherCategory::Inactive);
    person.SetStatusMonth(12 * 16); // inactive since December 2024
    person.SetStatusYear(ToYearByte(2024));
    const RecordNumber record = m_database.RecordNumberOfId(ewa);

    m_source.options.onePerPage = false; // both service years on the page
    const RecordingCanvas card = Draw(*MakeCardsReport(m_source, {record}));
    // The current service year: October drawn, December on empty; the year before keeps its October.
    ASSERT_NE(card.Find("październik"), nullptr);
    EXPECT_EQ(Count(card, "październik"), 2);
    EXPECT_EQ(CardRow(card, "grudzień"), std::vector<std::string>{});
    EXPECT_EQ(CardRow(card, "2025    styczeń"), std::vector<std::string>{});
    EXPECT_EQ(Count(card, "2"), 2) << "October of both years, nothing from December on";

    // Still a publisher: every reported month is drawn.
    person.SetCategory(PublisherCategory::Publisher);
    const RecordingCanvas active = Draw(*MakeCardsReport(m_source, {record}));
    EXPECT_EQ(Count(active, "2"), 5);
}

TEST_F(CardModeTest, TwentyFourMonthsDrawTheTwelveBeforeInASecondTableWithItsOwnHiding) {
    const PublisherId ewa = Add("Ewa", "Lis");
    Report(ewa, 2023, kMarch, PioneerCode::Regular, 55, 0); // first row of the earlier table
    Report(ewa, 2024, kOctober, PioneerCode::Regular, 60, 1);
    m_database.RebuildIndex();
    const RecordNumber record = m_database.RecordNumberOfId(ewa);
    m_source.cardMode = 2;
    m_source.previousYear = true;
    EXPECT_EQ(CardTitleText(m_source), "24 ost. mies.");
    const RecordingCanvas canvas = Draw(*MakeCardsReport(m_source, {record}));
    EXPECT_NE(canvas.Find("24 ost. mies."), nullptr);
    const auto* later = FindCardLabel(canvas, "2024    marzec");
    const auto* earlier = FindCardLabel(canvas, "2023    marzec");
    ASSERT_NE(later, nullptr);
    ASSERT_NE(earlier, nullptr);
    EXPECT_LT(later->y, earlier->y); // the last twelve months come first
    EXPECT_EQ(Count(canvas, "luty"), 2);
    // March 2023 is a pioneer month of the earlier table.
    EXPECT_EQ(CardRow(canvas, "2023    marzec").front(), "55");
    EXPECT_EQ(Count(canvas, "Ogółem"), 2);
    EXPECT_EQ(Count(canvas, "60"), 2); // October's hours and the later table's total

    // Hiding the current year's total (bit 2) leaves the earlier table's totals.
    m_source.options.hiddenAverages = 1 << 2;
    const RecordingCanvas hidden = Draw(*MakeCardsReport(m_source, {record}));
    EXPECT_EQ(Count(hidden, "60"), 1);
    EXPECT_EQ(Count(hidden, "55"), 2); // March 2023 and the earlier table's hours total
}

TEST_F(CardModeTest, TwelveMonthTotalsViewDividesTheHoursByTwelve) {
    const PublisherId ewa = Add("Ewa", "Lis");
    Report(ewa, 2024, kMarch + 1, PioneerCode::Regular, 120, 1); // April 2024
    Report(ewa, 2024, kOctober, PioneerCode::Regular, 60, 2);
    Report(ewa, 2025, kFebruary, PioneerCode::Regular, 150, 3);
    m_database.RebuildIndex();
    m_source.cardMode = 2;
    m_source.totals = CardTotalsChoice{CardTotalsCategory::Pioneers, CardTotalsSource::Register, nullptr};
    const RecordingCanvas canvas = Draw(*MakeCardTotalsReport(m_source));
    EXPECT_EQ(CardRow(canvas, "kwiecień"), (std::vector<std::string>{"1", "1", "120"}));
    EXPECT_EQ(CardRow(canvas, "2024    marzec"), (std::vector<std::string>{"0", "0", "0"}));
    EXPECT_EQ(CardRow(canvas, "Ogółem"), (std::vector<std::string>{"27.5"})); // 330 hours over 12 months
}

// --- the dialog's presenter ----------------------------------------------------------------------------

TEST_F(CardModeTest, TotalsToggleListsTheCategoriesAndDrawsTheChosenOnesSums) {
    const PublisherId ewa = Add("Ewa", "Lis");
    Add("Jan", "Nowak");
    Report(ewa, 2025, kFebruary, PioneerCode::Auxiliary, 30, 2);
    m_database.RebuildIndex();
    CardTotals history;
    RecordCardPresenter presenter(m_source);
    presenter.SetHistory(&history);
    presenter.Select(1);
    ASSERT_TRUE(presenter.SelectedRecord());

    presenter.SetTotals(true);
    ASSERT_EQ(presenter.Entries().size(), 3u);
    EXPECT_EQ(presenter.Entries()[0].text, "Głosiciele Zborowi");
    EXPECT_EQ(presenter.Entries()[1].text, "Pionierzy Pomocniczy");
    EXPECT_EQ(presenter.Entries()[2].text, "Pionierzy (Peł i Spe)");
    EXPECT_EQ(presenter.Selected(), 0);
    EXPECT_FALSE(presenter.SelectedRecord());
    EXPECT_FALSE(presenter.PersonSelected());
    EXPECT_TRUE(presenter.PartRecords(true).empty());
    presenter.Select(1);
    ASSERT_TRUE(presenter.Source().totals);
    EXPECT_EQ(presenter.Source().totals->category, CardTotalsCategory::Auxiliary);
    EXPECT_EQ(presenter.Source().totals->source, CardTotalsSource::Register);
    // Persons' cards printed meanwhile never carry the totals.
    EXPECT_FALSE(presenter.CardsSource().totals);
    EXPECT_EQ(presenter.BatchRecords(false).size(), 2u);

    RecordingCanvas fromFile = Draw(*presenter.SelectedReport());
    EXPECT_NE(fromFile.Find("Imię i nazwisko:  Pionierzy Pomocniczy"), nullptr);
    EXPECT_EQ(CardRow(fromFile, "luty"), (std::vector<std::string>{"1", "2", "30"}));
    // What was reported: the history holds nothing for February.
    presenter.SetTotalsSource(CardTotalsSource::Reported);
    EXPECT_EQ(presenter.Source().totals->history, &history);
    RecordingCanvas reported = Draw(*presenter.SelectedReport());
    EXPECT_EQ(CardRow(reported, "luty"), (std::vector<std::string>{"0", "0", "0"}));

    presenter.SetTotals(false);
    EXPECT_EQ(presenter.Entries().size(), 2u);
    EXPECT_TRUE(presenter.PersonSelected());
    EXPECT_FALSE(presenter.Source().totals);
    const RecordingCanvas card = Draw(*presenter.SelectedReport());
    EXPECT_NE(card.Find("ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA"), nullptr);
}

TEST_F(CardModeTest, PresenterCarriesTheCardModeIntoWhatItDraws) {
    Add("Ewa", "Lis");
    RecordCardPresenter presenter(m_source);
    EXPECT_EQ(presenter.CardMode(), 1);
    presenter.SetCardMode(2);
    EXPECT_EQ(presenter.Source().cardMode, 2);
    EXPECT_EQ(presenter.CardsSource().cardMode, 2);
    presenter.SetPreviousYear(true);
    EXPECT_EQ(CardTitleText(presenter.Source()), "24 ost. mies.");
    presenter.SetCardMode(7); // anything else is the service-year card
    EXPECT_EQ(presenter.CardMode(), 1);
    EXPECT_EQ(CardTitleText(presenter.Source()), "ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA");
}

} // namespace
} // namespace vardo::test
