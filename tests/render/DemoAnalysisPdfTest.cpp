// The congregation analysis of the demo congregation printed to PDF holds, by pdftotext, every active
// publisher and the report to the branch office.

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/reports/Analysis.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

TEST_F(DemoDocumentTest, HoldsEveryActivePublisherAndTheBranchTable) {

    AnalysisSource source;
    source.database = &m_doc.Database();
    source.groups = &m_doc.Side().groups;
    source.remarks = &m_doc.Side().remarks;
    source.lateReports = &m_doc.GetMonthCycle().lateReports;
    source.attendance = &m_doc.Side().attendance;
    source.workingMonth = m_doc.GetWorkingMonth();
    ReportEnvironment environment;
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    const auto report = MakeAnalysisReport(source, {});
    const auto pdf = m_dir.Path() / "analiza.pdf";
    const Result<int> pages = RenderReportToPdf(*report, environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_GT(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";

    int listed = 0;
    for (const IndexEntry& entry : m_doc.Database().List(PublisherCategory::Publisher)) {
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
