// The status views of the demo congregation printed to PDF hold, by pdftotext, every person of the view with
// the reason on the person's line.

#include <sstream>

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/doc/StatusSource.h"
#include "core/reports/StatusReport.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

// The first words of a text (pdftotext keeps a wrapped reason's first line on the person's line).
std::string Head(const std::string& text, std::size_t words) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < words && at != std::string::npos; ++i)
        at = text.find(' ', at + 1);
    return at == std::string::npos ? text : text.substr(0, at);
}

// Runs of blanks as one blank (pdftotext spaces text by its position).
std::string Collapsed(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ')
            out += c;
    return out;
}

TEST_F(DemoDocumentTest, StatusViewsPrintEveryPersonWithTheReason) {
    ReportEnvironment environment;
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    int viewsWithPersons = 0;
    for (const StatusViewKind kind :
         {StatusViewKind::Irregular, StatusViewKind::NoReport, StatusViewKind::Inactive, StatusViewKind::Interested}) {
        StatusQuery query;
        query.kind = kind;
        query.period = kind == StatusViewKind::Inactive ? StatusPeriod::All : StatusPeriod::SixMonths;
        query.month = m_doc.GetWorkingMonth().monthIndex;
        const StatusReportContent content = MakeStatusReportContent(StatusDataOf(m_doc), query, &m_doc.Side().groups);
        const auto pdf = m_dir.Path() / ("status-" + std::string(StatusViewName(kind)) + ".pdf");
        const Result<int> pages = RenderReportToPdf(*MakeStatusReport(content), environment, pdf);
        ASSERT_TRUE(pages.ok()) << pages.error();
        const auto text = test::PdfToText(pdf);
        if (!text)
            GTEST_SKIP() << "pdftotext is not installed";
        EXPECT_NE(Collapsed(*text).find(Collapsed(content.title)), std::string::npos) << content.title;
        EXPECT_NE(text->find("Powód"), std::string::npos);
        if (!content.lines.empty())
            ++viewsWithPersons;
        std::istringstream lines(*text);
        std::string line;
        for (const StatusLine& person : content.lines) {
            bool found = false;
            while (!found && std::getline(lines, line))
                found = line.find(person.name) != std::string::npos;
            ASSERT_TRUE(found) << person.name << " missing or out of order in " << content.title;
            EXPECT_NE(line.find(Head(person.reason, 2)), std::string::npos)
                << "reason '" << person.reason << "' not on the line: " << line;
        }
    }
    EXPECT_GE(viewsWithPersons, 2); // the demo has irregular, missing and inactive persons
}

} // namespace
} // namespace vardo
