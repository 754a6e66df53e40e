// The congregation analysis of the demo congregation printed to PDF holds, by pdftotext, every active
// publisher and the report to the branch office.

#include <gtest/gtest.h>

#include "PdfText.h"
#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/reports/Analysis.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

TEST(DemoAnalysisPdf, HoldsEveryActivePublisherAndTheBranchTable) {
    test::TempDir dir;
    const DataFolder folder(dir.Path() / "zbor");
    const FixedClock clock(Date{2024, 3, 5});
    ScriptedPrompter prompter;
    ASSERT_TRUE(WriteDemoCongregation(folder, clock, DemoOptions{}, prompter).ok());
    CVardoDoc doc;
    StartupOptions startup;
    startup.showStartupNote = false;
    ASSERT_TRUE(doc.Load(folder, clock, prompter, startup).ok());

    AnalysisSource source;
    source.database = &doc.Database();
    source.groups = &doc.Side().groups;
    source.remarks = &doc.Side().remarks;
    source.lateReports = &doc.GetMonthCycle().lateReports;
    source.attendance = &doc.Side().attendance;
    source.workingMonth = doc.GetWorkingMonth();
    ReportEnvironment environment;
    environment.options = ReportOptionsFromSettings(doc.GetSettings());
    const auto report = MakeAnalysisReport(source, {});
    const auto pdf = dir.Path() / "analiza.pdf";
    const Result<int> pages = RenderReportToPdf(*report, environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_GT(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";

    int listed = 0;
    for (const IndexEntry& entry : doc.Database().List(PublisherCategory::Publisher)) {
        const std::string name = entry.record->FirstName() + " " + entry.record->LastName();
        EXPECT_NE(text->find(name), std::string::npos) << name;
        ++listed;
    }
    EXPECT_GT(listed, 50);
    EXPECT_NE(text->find("raport do Biura Oddzału - " + std::to_string(listed) + " Głosiciele czynni"),
              std::string::npos);
    EXPECT_NE(text->find("Sumy"), std::string::npos);
    EXPECT_NE(text->find("Raport z frekwencji"), std::string::npos);
}

} // namespace
} // namespace vardo
