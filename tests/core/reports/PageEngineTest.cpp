#include "core/reports/PageEngine.h"

#include <array>

#include <gtest/gtest.h>

#include "core/reports/PageMetrics.h"
#include "core/reports/RecordingCanvas.h"
#include "core/reports/ReportKind.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

// Writes "page N" at the page top of each of its pages, the way every report places its pages.
class PagedReport final : public Report {
public:
    explicit PagedReport(int pages) : m_pages(pages) {}
    int CountPages(Canvas&, const ReportEnvironment&) const override { return m_pages; }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        const PageMetrics m = BeginPageMetrics(canvas, environment);
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        for (int page = 0; page < m_pages; ++page)
            canvas.DrawText(m.left, PageTop(page, environment.pageHeightTenths, m.dpiY, m.topMargin),
                            "page " + std::to_string(page + 1));
    }

private:
    int m_pages;
};

TEST(PageMetrics, TopMarginAndPageTops) {
    EXPECT_EQ(TopMargin(50, 300), 150);
    EXPECT_EQ(TopMargin(99, 96), 95);
    EXPECT_EQ(TopMargin(100, 96), 96);   // exactly one inch stays
    EXPECT_EQ(TopMargin(150, 300), 150); // more than an inch becomes half an inch
    EXPECT_EQ(TopMargin(0, 600), 0);
    EXPECT_EQ(PageTop(0, 110, 300, 150), 150);
    EXPECT_EQ(PageTop(2, 110, 300, 150), 2 * 11 * 300 + 150);
    EXPECT_EQ(PageTop(1, 120, 600, 0), 12 * 600);
}

TEST(PageMetrics, LineHeightHasSixLinesPerInchAtMost) {
    FontMetrics small;
    small.height = 30;
    small.externalLeading = 2;
    EXPECT_EQ(ReportLineHeight(small, 300, false), 50); // dpi / 6 wins
    FontMetrics large;
    large.height = 60;
    large.externalLeading = 3;
    EXPECT_EQ(ReportLineHeight(large, 300, false), 66);
    EXPECT_EQ(ReportLineHeight(large, 300, true), 69); // + 1/20 with grid lines
    EXPECT_EQ(ListLineHeight(small), 32);
    EXPECT_EQ(UsableHeight(300, false), 2700);
    EXPECT_EQ(UsableHeight(300, true), 2700 + 150 + 60);
    EXPECT_EQ(LinesPerPage(2700, 50), 54);
    EXPECT_EQ(LinesPerPage(10, 50), 1);
}

TEST(PageMetrics, ScreenLayoutIsNarrowerThanPrinted) {
    ReportEnvironment environment;
    RecordingCanvas screen(96, 96);
    const PageMetrics onScreen = BeginPageMetrics(screen, environment);
    EXPECT_FALSE(onScreen.deviceDiffers);
    EXPECT_EQ(onScreen.dpiX, 88);
    EXPECT_EQ(onScreen.left, 44);
    EXPECT_EQ(onScreen.topMargin, 48);

    RecordingCanvas printer(600, 600);
    const PageMetrics printed = BeginPageMetrics(printer, environment);
    EXPECT_TRUE(printed.deviceDiffers);
    EXPECT_EQ(printed.dpiX, 600);
    EXPECT_EQ(printed.left, 300);
    EXPECT_EQ(printed.topMargin, 300);
    EXPECT_EQ(ReportFontFor(printer, environment, ReportFontId::Text).height, -81);
    // On the screen the text shrinks with the positions: −13 × 11 / 12.
    EXPECT_EQ(ReportFontFor(screen, environment, ReportFontId::Text).height, -12);
}

TEST(PageEngine, PrintingPageClipsToItsBandAndMovesItUp) {
    const PagedReport report(3);
    for (const bool a4 : {false, true}) {
        const ReportEnvironment environment = ForPrinting(ReportEnvironment{}, a4);
        RecordingCanvas canvas(300, 300);
        const int band = (a4 ? 12 : 11) * 300;
        EXPECT_EQ(PageBandHeight(canvas, environment), band);
        DrawReportPage(report, canvas, environment, 2);
        ASSERT_EQ(canvas.Clips().size(), 1u);
        EXPECT_EQ(canvas.Clips()[0], (Rect{0, band, 8 * 300, 2 * band}));
        EXPECT_EQ(canvas.TextStrings(true), std::vector<std::string>{"page 2"});
        const auto* text = canvas.Find("page 2");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->originY, -band);
        EXPECT_EQ(text->y + text->originY, 150); // the top margin on paper
        EXPECT_EQ(canvas.OriginsY().back(), 0);  // left at the origin
    }
}

TEST(PageEngine, ScrollSizesUseTheScreenAndElevenInchPages) {
    ReportEnvironment environment;
    const ScrollSizes s = ReportScrollSizes(3, environment);
    EXPECT_EQ(s.totalHeight, 11 * 3 * 96);
    EXPECT_EQ(s.totalWidth, 8 * 96);
    EXPECT_EQ(s.pageStepY, 4 * 96);
    EXPECT_EQ(s.lineStepY, 16);
    EXPECT_EQ(s.pageStepX, 8 * 96 / 4);
    EXPECT_EQ(s.lineStepX, 9);
    EXPECT_EQ(ReportScrollSizes(0, environment).totalHeight, 11 * 96);
}

TEST(ReportPrimitives, GridOutlineRowsAndColumns) {
    RecordingCanvas canvas;
    const int columns[] = {200, 300, 400};
    DrawGrid(canvas, 100, 50, 20, 3, columns);
    ASSERT_EQ(canvas.Rectangles().size(), 1u);
    EXPECT_EQ(canvas.Rectangles()[0].rect, (Rect{50, 100, 400, 160}));
    EXPECT_EQ(canvas.Rectangles()[0].pen, (Pen{2, 0, PenStyle::Solid}));
    ASSERT_EQ(canvas.Lines().size(), 2u + 3u);
    EXPECT_EQ(canvas.Lines()[0].y1, 120);
    EXPECT_EQ(canvas.Lines()[1].y1, 140);
    EXPECT_EQ(canvas.Lines()[2].x1, 200);
    EXPECT_EQ(canvas.Lines()[4].y2, 160);
}

TEST(ReportPrimitives, CheckBoxGeometry) {
    RecordingCanvas canvas(360, 360);
    DrawCheckBox(canvas, 1000, 500, false, 9);
    ASSERT_EQ(canvas.Rectangles().size(), 1u);
    EXPECT_EQ(canvas.Rectangles()[0].rect, (Rect{960, 460, 1000, 500}));
    EXPECT_EQ(canvas.Rectangles()[0].pen.width, 3);
    EXPECT_TRUE(canvas.Lines().empty());

    DrawCheckBox(canvas, 1000, 500, true, 9);
    ASSERT_EQ(canvas.Lines().size(), 2u);
    const auto& first = canvas.Lines()[0];
    const auto& second = canvas.Lines()[1];
    EXPECT_EQ(first.pen.width, 8);
    EXPECT_EQ((std::array{first.x1, first.y1, first.x2, first.y2}), (std::array{970, 480, 980, 493}));
    EXPECT_EQ((std::array{second.x1, second.y1, second.x2, second.y2}), (std::array{980, 493, 991, 469}));
}

TEST(ReportPrimitives, DateStampOnlyOnPaperAndWhenAsked) {
    ReportEnvironment environment;
    environment.today = Date{2024, 3, 5};
    RecordingCanvas printer(300, 300);
    DrawDateStamp(printer, environment, 2250, 100, true);
    EXPECT_TRUE(printer.Texts().empty()); // option off

    environment.options.dateStamp = true;
    DrawDateStamp(printer, environment, 2250, 100, false);
    EXPECT_TRUE(printer.Texts().empty()); // the screen never shows it

    DrawDateStamp(printer, environment, 2250, 100, true);
    ASSERT_EQ(printer.Texts().size(), 1u);
    const auto& stamp = printer.Texts()[0];
    EXPECT_EQ(stamp.text, "Drukuję 5 marzec 2024");
    EXPECT_EQ(stamp.align.horizontal, HAlign::Right);
    EXPECT_EQ(stamp.x, 2250);
    EXPECT_EQ(stamp.font.face, "Times New Roman");
    EXPECT_EQ(stamp.font.height, -31); // −10 × 300 / 96
    EXPECT_EQ(stamp.font.pitchAndFamily, 18);
    EXPECT_EQ(stamp.font.charSet, 238);
    EXPECT_EQ(DateStampText(Date{2024, 12, 31}, "greek"), "Drukuję 31/12/2024");
}

TEST(ReportKind, NamesAndNumbers) {
    EXPECT_EQ(ReportKindFromName("phone"), ReportKind::PhoneCongregation);
    EXPECT_EQ(ReportKindFromName("51"), ReportKind::PhoneGroup);
    EXPECT_EQ(ReportKindFromName("52x"), std::nullopt);
    EXPECT_EQ(ReportKindFromName("102"), std::nullopt); // no report has that number
    EXPECT_EQ(ReportKindFromNumber(104), ReportKind::PhoneEmailRegularPioneers);
    EXPECT_TRUE(ReportKindTakesGroup(ReportKind::AddressGroup));
    EXPECT_FALSE(ReportKindTakesGroup(ReportKind::AddressInactive));
    for (int number = 0; number < 130; ++number) {
        if (const auto kind = ReportKindFromNumber(number)) {
            EXPECT_EQ(ReportKindFromName(ReportKindName(*kind)), kind) << number;
        }
    }
}

} // namespace
} // namespace vardo
