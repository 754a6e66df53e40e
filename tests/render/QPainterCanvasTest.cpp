#include "render/QPainterCanvas.h"

#include <cmath>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace vardo {
namespace {

LogicalFont Font(const char* face, int height, int weight = 400, int pitchAndFamily = 34) {
    return LogicalFont{face, height, 0, weight, false, false, pitchAndFamily, 238};
}

// A white image at `dpi` with a canvas on it.
struct Sheet {
    explicit Sheet(int dpi, int width = 1200, int height = 600) : image(width, height, QImage::Format_RGB32) {
        image.fill(Qt::white);
        const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
    }
    // Bounding box of the non-white pixels; empty when none.
    QRect Ink() const {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    QImage image;
};

TEST(QPainterCanvas, WindowsFacesResolveToMetricCompatibleFonts) {
    InstallFontSubstitutions();
    EXPECT_EQ(QFontInfo(ToQFont(Font("Arial", -13), nullptr)).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(ToQFont(Font("Times New Roman", -10, 400, 18), nullptr)).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(ToQFont(Font("Calibri", -13), nullptr)).family(), "Carlito");
    EXPECT_EQ(QFontInfo(ToQFont(Font("Roman 10cpi", -13, 400, 49), nullptr)).family(), "Liberation Mono");
}

TEST(QPainterCanvas, NegativeHeightIsEmAndPositiveIsCellHeight) {
    Sheet sheet(300);
    QPainter painter(&sheet.image);
    QPainterCanvas canvas(painter);
    EXPECT_EQ(canvas.DpiX(), 300);
    EXPECT_EQ(canvas.DpiY(), 300);

    canvas.SetFont(Font("Arial", -100));
    const FontMetrics em = canvas.Metrics();
    // Liberation Sans, like Arial: ascent 0.905 em, descent 0.212 em.
    EXPECT_NEAR(em.ascent, 91, 1);
    EXPECT_NEAR(em.descent, 21, 1);
    EXPECT_EQ(em.height, em.ascent + em.descent);
    EXPECT_NEAR(em.internalLeading, 12, 1);
    EXPECT_NEAR(em.averageWidth, 44, 1); // Arial declares 904/2048 em

    canvas.SetFont(Font("Arial", 100));
    EXPECT_NEAR(canvas.Metrics().height, 100, 1);

    canvas.SetFont(Font("Arial", -100, 700));
    const int bold = canvas.TextExtent("Kowalski").width;
    canvas.SetFont(Font("Arial", -100, 400));
    const int regular = canvas.TextExtent("Kowalski").width;
    EXPECT_GT(bold, regular);
    EXPECT_NEAR(regular, 395, 2); // Arial advance widths of "Kowalski" at 100 px
}

TEST(QPainterCanvas, TextIsAnchoredAsAligned) {
    const struct {
        TextAlign align;
    } cases[] = {{{HAlign::Left, VAlign::Top}},
                 {{HAlign::Right, VAlign::Bottom}},
                 {{HAlign::Center, VAlign::Baseline}},
                 {{HAlign::Right, VAlign::Top}}};
    for (const auto& c : cases) {
        Sheet sheet(300);
        FontMetrics m;
        int width = 0;
        {
            QPainter painter(&sheet.image);
            QPainterCanvas canvas(painter);
            canvas.SetFont(Font("Arial", -80));
            m = canvas.Metrics();
            width = canvas.TextExtent("HHH").width;
            canvas.SetTextAlign(c.align);
            canvas.DrawText(600, 300, "HHH");
        }
        const QRect ink = sheet.Ink();
        ASSERT_FALSE(ink.isEmpty());
        // "H" stands on the baseline and reaches the cap height (0.716 em).
        int baseline = 300;
        if (c.align.vertical == VAlign::Top)
            baseline = 300 + m.ascent;
        else if (c.align.vertical == VAlign::Bottom)
            baseline = 300 - m.descent;
        EXPECT_NEAR(ink.bottom() + 1, baseline, 2);
        EXPECT_NEAR(ink.top(), baseline - 57, 3);
        int left = 600;
        if (c.align.horizontal == HAlign::Right)
            left = 600 - width;
        else if (c.align.horizontal == HAlign::Center)
            left = 600 - width / 2;
        // The side bearings of "H" are under a tenth of the em.
        EXPECT_GE(ink.left(), left);
        EXPECT_LE(ink.left(), left + 10);
        EXPECT_LE(ink.right(), left + width);
        EXPECT_GE(ink.right(), left + width - 10);
    }
}

TEST(QPainterCanvas, PensAreDevicePixelsAndRectanglesAreOutlines) {
    Sheet sheet(300);
    {
        QPainter painter(&sheet.image);
        QPainterCanvas canvas(painter);
        canvas.SetPen(Pen{6, 0x000000, PenStyle::Solid});
        canvas.DrawRectangle(Rect{100, 100, 300, 200});
        canvas.DrawLine(500, 100, 500, 400);
    }
    EXPECT_LT(qGray(sheet.image.pixel(100, 150)), 128); // left edge
    EXPECT_EQ(qGray(sheet.image.pixel(200, 150)), 255); // not filled
    EXPECT_LT(qGray(sheet.image.pixel(502, 250)), 128); // 6 px wide line
    EXPECT_EQ(qGray(sheet.image.pixel(505, 250)), 255);
}

TEST(QPainterCanvas, ClipAndOriginShowOneBandAtTheTop) {
    Sheet sheet(100, 400, 200);
    {
        QPainter painter(&sheet.image);
        QPainterCanvas canvas(painter);
        canvas.SetOrigin(0, -1000);
        canvas.SetClip(Rect{0, 1000, 400, 1200});
        EXPECT_FALSE(canvas.MayShow(Rect{0, 900, 400, 990}));
        EXPECT_TRUE(canvas.MayShow(Rect{0, 1190, 400, 1300}));
        canvas.SetPen(Pen{4, 0, PenStyle::Solid});
        canvas.DrawLine(10, 1050, 390, 1050); // inside the band: lands at y = 50
        canvas.DrawLine(10, 990, 390, 990);   // above it: clipped away
        canvas.DrawLine(10, 1210, 390, 1210); // below it: clipped away
        canvas.ResetClip();
        canvas.SetOrigin(0, 0);
    }
    const QRect ink = sheet.Ink();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.top(), 48, 1);
    EXPECT_NEAR(ink.bottom(), 51, 1);
}

} // namespace
} // namespace vardo
