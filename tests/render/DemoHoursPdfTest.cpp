// The pioneer-hours and hours reports of the demo congregation, printed to PDF, hold by pdftotext each
// pioneer's figures on his line and every active publisher in register order.

#include <sstream>

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/reports/HoursReports.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

class DemoHoursPdfTest : public DemoDocumentTest {
protected:
    std::optional<std::string> Print(ReportKind kind) {
        HoursSource source;
        source.database = &m_doc.Database();
        source.groups = &m_doc.Side().groups;
        source.workingMonth = m_doc.GetWorkingMonth();
        ReportEnvironment environment;
        environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
        const auto report = MakeHoursReport(kind, source, 0);
        const auto pdf = m_dir.Path() / "hours.pdf";
        const Result<int> pages = RenderReportToPdf(*report, environment, pdf);
        EXPECT_TRUE(pages.ok()) << pages.error();
        return test::PdfToText(pdf);
    }
};

TEST_F(DemoHoursPdfTest, PioneerLinesCarryTheirFigures) {
    const auto text = Print(ReportKind::PioneerHours);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    const auto pioneers = RegularPioneersOf(m_doc.Database(), m_doc.GetWorkingMonth());
    ASSERT_FALSE(pioneers.empty());
    for (const RecordNumber record : pioneers) {
        const PioneerProgress p = ComputePioneerProgress(m_doc.Database(), record, m_doc.GetWorkingMonth(), false);
        std::istringstream lines(*text);
        std::string line;
        bool found = false;
        while (!found && std::getline(lines, line))
            found = line.find(p.name) != std::string::npos;
        ASSERT_TRUE(found) << p.name;
        std::istringstream fields(line.substr(line.find(p.name) + p.name.size()));
        std::string star;
        if (p.start != 8)
            fields >> star;
        EXPECT_EQ(star, p.start != 8 ? "*" : "") << line;
        int hours = -1, credit = -1, sum = -1, remaining = -1;
        double average = -1;
        fields >> hours >> credit >> sum >> average >> remaining;
        EXPECT_EQ(hours, p.hours) << line;
        EXPECT_EQ(credit, p.credit) << line;
        EXPECT_EQ(sum, p.Done()) << line;
        EXPECT_NEAR(average, p.AveragePerMonth(), 0.051) << line;
        EXPECT_EQ(remaining, p.Remaining()) << line;
    }
    EXPECT_NE(text->find("Pionierzy stali - Godz."), std::string::npos);
}

TEST_F(DemoHoursPdfTest, HoursReportListsEveryActivePublisherInOrder) {
    const auto text = Print(ReportKind::HoursCongregation);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    std::istringstream lines(*text);
    std::string line;
    int listed = 0;
    for (const IndexEntry& entry : m_doc.Database().List(PublisherCategory::Publisher)) {
        const std::string name = m_doc.Database().DisplayNameOfRecord(entry.recordNumber, false);
        bool found = false;
        while (!found && std::getline(lines, line)) {
            const std::size_t start = line.find_first_not_of(" \f");
            found = start != std::string::npos && line.compare(start, name.size(), name) == 0;
        }
        ASSERT_TRUE(found) << name << " missing or out of order";
        ++listed;
    }
    EXPECT_GT(listed, 50);
    EXPECT_NE(text->find("Godziny dla 12 m-cy"), std::string::npos);
}

} // namespace
} // namespace vardo
