// The statistics and the activity summary of the demo congregation printed to PDF, read back by pdftotext:
// the counts agree with the register and the activity page carries its table and its chart.

#include <string>

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/doc/StatisticsSources.h"
#include "core/platform/Strings.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

// Runs of spaces squeezed to one, none at the end.
std::string Squeezed(const std::string& line) {
    std::string squeezed;
    for (const char c : line)
        if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' '))
            squeezed += c;
    while (!squeezed.empty() && squeezed.back() == ' ')
        squeezed.pop_back();
    return squeezed;
}

// The line of the text from `label` on, squeezed.
std::string LineOf(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    return at == std::string::npos ? std::string() : Squeezed(text.substr(at, text.find('\n', at) - at));
}

TEST_F(DemoDocumentTest, StatisticsPageCountsTheRegister) {
    ReportEnvironment environment;
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    environment.options.datesInStatistics = true;
    environment.today = Date{2025, 4, 10};
    const StatisticsSource source = StatisticsSourceOf(m_doc);
    const CongregationCounts counts = ComputeCongregationCounts(source, environment.today);
    const auto pdf = m_dir.Path() / "statystyka.pdf";
    const Result<int> pages = RenderReportToPdf(*MakeStatisticsReport(source), environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";

    const int active = static_cast<int>(m_doc.Database().List(PublisherCategory::Publisher).size());
    EXPECT_EQ(counts.active, active);
    EXPECT_EQ(LineOf(*text, "Głosiciele czynni"), "Głosiciele czynni " + std::to_string(active));
    EXPECT_EQ(LineOf(*text, "Głosiciele ochrzczeni"),
              Squeezed("Głosiciele ochrzczeni " + std::to_string(counts.baptised) + " " +
                       FormatPrintf("(%3.0f%%)", counts.PercentOfActive(counts.baptised))));
    int classes = 0;
    for (const int n : counts.baptismClasses)
        classes += n;
    EXPECT_LE(classes, active);
    EXPECT_NE(text->find("Grupa wiekowa"), std::string::npos);
    EXPECT_NE(text->find("Średnie za sześć miesięcy kończące się"), std::string::npos);
}

TEST_F(DemoDocumentTest, ActivityPageHoldsTableNoteAndChart) {
    ReportEnvironment environment;
    ActivityChoice choice;
    choice.measure = ActivityMeasure::Participated;
    const ActivityData data = ActivityDataOf(m_doc);
    const ActivityTable table = ComputeActivity(data, choice);
    const auto pdf = m_dir.Path() / "aktywnosc.pdf";
    const Result<int> pages = RenderReportToPdf(*MakeActivityReport(data, choice), environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text->find("Podsumowanie aktywności"), std::string::npos);
    EXPECT_NE(text->find("* Sum/śred. dla 12 ost. mies."), std::string::npos);
    EXPECT_NE(text->find("Uczestniczyli w służbie"), std::string::npos); // the chart's heading
    if (table.summaryShown) {
        EXPECT_EQ(LineOf(*text, "Sumy"),
                  "Sumy " + std::to_string(table.studiesSum) + " " + std::to_string(table.hoursSum));
    }
    const ActivityRow& last = table.rows.back();
    const std::string month(MonthName(last.month));
    if (last.hasFigures) {
        EXPECT_EQ(LineOf(*text, month + " "), month + " " + std::to_string(last.participated) + " " +
                                                  std::to_string(last.studies) + " " + std::to_string(last.hours));
    }
}

} // namespace
} // namespace vardo
