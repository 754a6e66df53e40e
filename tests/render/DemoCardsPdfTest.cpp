// All record cards of the demo congregation's active list in one PDF: one card per publisher, by pdftotext.

#include <gtest/gtest.h>

#include "DemoDocument.h"
#include "PdfText.h"
#include "core/reports/RecordCard.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

using test::DemoDocumentTest;

TEST_F(DemoDocumentTest, OneCardPerActivePublisher) {

    CardSource source;
    source.database = &m_doc.Database();
    source.groups = &m_doc.Side().groups;
    source.remarks = &m_doc.Side().remarks;
    source.workingMonth = m_doc.GetWorkingMonth();
    const std::vector<RecordNumber> records = CardBatchOrder(m_doc.Database(), m_doc.GetWorkingMonth(), false);
    ASSERT_EQ(records.size(), m_doc.Database().List(PublisherCategory::Publisher).size());
    const auto report = MakeCardsReport(source, records);
    const auto pdf = m_dir.Path() / "karty.pdf";
    const Result<int> pages = RenderReportToPdf(*report, ReportEnvironment{}, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), static_cast<int>(records.size()));
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    std::size_t cards = 0;
    for (std::size_t at = text->find("ZBOROWE ZESTAWIENIE"); at != std::string::npos;
         at = text->find("ZBOROWE ZESTAWIENIE", at + 1))
        ++cards;
    EXPECT_EQ(cards, records.size());
    // Each page holds the card of the person in batch order.
    std::size_t pageStart = 0;
    for (RecordNumber record : records) {
        const std::size_t pageEnd = text->find('\f', pageStart);
        const std::string page = text->substr(pageStart, pageEnd - pageStart);
        const PublisherRecord& person = m_doc.Database().Record(record);
        EXPECT_NE(page.find(person.LastName()), std::string::npos) << person.LastName();
        pageStart = pageEnd + 1;
    }
}

} // namespace
} // namespace vardo
