// The telephone list of the demo congregation, loaded through the document and printed to PDF, holds by
// pdftotext every listed person in register order with his numbers.

#include <sstream>

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/reports/Lists.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

TEST_F(DemoDocumentTest, TelephoneListHoldsTheRightNamesInOrderWithNumbers) {
    ListSource source;
    source.database = &m_doc.Database();
    source.groups = &m_doc.Side().groups;
    source.workingMonth = m_doc.GetWorkingMonth();
    ReportEnvironment environment;
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    const auto report = MakeListReport(ReportKind::PhoneCongregation, source, 0);
    const auto pdf = m_dir.Path() / "telefony.pdf";
    const Result<int> pages = RenderReportToPdf(*report, environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";

    const auto entries = SelectListEntries(source, {}, true, false);
    ASSERT_GT(entries.size(), 20u);
    std::istringstream lines(*text);
    std::string line;
    std::size_t checked = 0;
    for (const ListEntry& entry : entries) {
        const std::string name = m_doc.Database().DisplayNameOfRecord(entry.record, false);
        // The next line that starts with the name (family lines are indented, headers differ).
        bool found = false;
        while (!found && std::getline(lines, line)) {
            const std::size_t start = line.find_first_not_of(" \f");
            found = start != std::string::npos && line.compare(start, name.size(), name) == 0 &&
                    (line.size() == start + name.size() || line[start + name.size()] == ' ');
        }
        ASSERT_TRUE(found) << name << " missing or out of order";
        const PublisherRecord& person = m_doc.Database().Record(entry.record);
        std::size_t column = line.find(name) + name.size();
        for (const std::string& number : {person.Phone1(), person.Phone2(), person.Phone3()}) {
            if (number.empty())
                continue;
            const std::size_t at = line.find(number, column);
            ASSERT_NE(at, std::string::npos) << number << " not on the line of " << name << ": " << line;
            column = at + number.size();
        }
        ++checked;
    }
    EXPECT_EQ(checked, entries.size());
    EXPECT_NE(text->find("Wykaz telefonów"), std::string::npos);
}

} // namespace
} // namespace vardo
