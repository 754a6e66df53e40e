#include "render/ReportOutput.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <QImage>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/reports/PageMetrics.h"
#include "PdfText.h"

namespace vardo {
namespace {

// "Seite N" on each page at the page top, and a rule across the page under it.
class PagedReport final : public Report {
public:
    explicit PagedReport(int pages) : m_pages(pages) {}
    int CountPages(Canvas&, const ReportEnvironment&) const override { return m_pages; }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        const PageMetrics m = BeginPageMetrics(canvas, environment);
        canvas.SetFont(ReportFontFor(canvas, environment, ReportFontId::Title));
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        for (int page = 0; page < m_pages; ++page) {
            const int top = PageTop(page, environment.pageHeightTenths, m.dpiY, m.topMargin);
            canvas.DrawText(m.left, top, "Strona " + std::to_string(page + 1) + " zażółć");
            canvas.SetPen(Pen{m.dpiY / 50, 0, PenStyle::Solid});
            canvas.DrawLine(m.left, top + m.dpiY, m.left + 7 * m.dpiX, top + m.dpiY);
        }
    }

private:
    int m_pages;
};

TEST(ReportOutput, PdfHoldsEveryPageInOrder) {
    test::TempDir dir;
    const auto path = dir.Path() / "out.pdf";
    const PagedReport report(3);
    std::vector<int> progress;
    OutputOptions options;
    options.progress = [&](int page, int pages) { progress.push_back(page * 10 + pages); };
    const Result<int> pages = RenderReportToPdf(report, ReportEnvironment{}, path, options);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), 3);
    EXPECT_EQ(progress, (std::vector<int>{13, 23, 33}));
    EXPECT_EQ(dir.ReadFile("out.pdf").substr(0, 5), "%PDF-");

    const auto text = test::PdfToText(path);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    // One form feed after each page; each page shows only its own band.
    std::vector<std::string> pageTexts;
    std::stringstream stream(*text);
    for (std::string page; std::getline(stream, page, '\f');)
        pageTexts.push_back(page);
    ASSERT_GE(pageTexts.size(), 3u);
    for (int page = 1; page <= 3; ++page) {
        const std::string& t = pageTexts[static_cast<std::size_t>(page - 1)];
        EXPECT_NE(t.find("Strona " + std::to_string(page) + " zażółć"), std::string::npos) << t;
        EXPECT_EQ(t.find("Strona " + std::to_string(page % 3 + 1)), std::string::npos) << t;
    }
}

TEST(ReportOutput, PngPagesAreWholeSheetsWithTheirBand) {
    test::TempDir dir;
    const PagedReport report(2);
    OutputOptions options;
    options.dpi = 60;
    options.a4 = false;
    const auto files = RenderReportToPng(report, ReportEnvironment{}, dir.Path() / "png", "lista", options);
    ASSERT_TRUE(files.ok()) << files.error();
    ASSERT_EQ(files.value().size(), 2u);
    EXPECT_EQ(files.value()[1].filename(), "lista-002.png");
    const QImage second(QString::fromStdString(files.value()[1].string()));
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second.size(), QSize(510, 660)); // US letter at 60 dpi
    // The rule one inch below the page top (top margin half an inch) on the second page too.
    int darkest = 255;
    for (int y = 85; y <= 95; ++y)
        darkest = std::min(darkest, qGray(second.pixel(200, y)));
    EXPECT_LT(darkest, 128);
    EXPECT_EQ(qGray(second.pixel(200, 300)), 255);
}

TEST(ReportOutput, UnwritablePdfIsReported) {
    test::TempDir dir;
    const PagedReport report(1);
    const auto result = RenderReportToPdf(report, ReportEnvironment{}, dir.Path() / "missing" / "x.pdf");
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("x.pdf"), std::string::npos);
}

} // namespace
} // namespace vardo
