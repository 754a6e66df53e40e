// Filled rectangles on the painter canvas: colour, extent, clipping and the moved origin.

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "render/QPainterCanvas.h"

namespace vardo {
namespace {

TEST(QPainterCanvasFill, FillsExactlyTheRectangleInItsColour) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, Resolution{96, 96});
        canvas.FillRect(10, 20, 30, 40, 0x336699);
        canvas.FillRect(100, 10, 0, 50, 0x000000); // empty: nothing drawn
        canvas.FillRect(100, 10, 20, -5, 0x000000);
    }
    EXPECT_EQ(image.pixel(10, 20), qRgb(0x33, 0x66, 0x99));
    EXPECT_EQ(image.pixel(39, 59), qRgb(0x33, 0x66, 0x99));
    EXPECT_EQ(image.pixel(40, 59), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(39, 60), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(9, 20), qRgb(255, 255, 255));
    for (int x = 95; x < 125; ++x)
        for (int y = 0; y < 70; ++y)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}

TEST(QPainterCanvasFill, KeepsToTheClipAndFollowsTheOrigin) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, Resolution{96, 96});
        canvas.SetOrigin(0, -1000); // sheet band 1000..1100 on the image
        canvas.SetClip(Rect{0, 1000, 200, 1050});
        canvas.FillRect(50, 1040, 20, 30, 0xFF0000);
        canvas.FillRect(50, 500, 20, 30, 0x00FF00); // outside the band
    }
    EXPECT_EQ(image.pixel(55, 45), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(55, 55), qRgb(255, 255, 255)); // clipped below 1050
    for (int y = 0; y < 40; ++y)
        ASSERT_EQ(image.pixel(55, y), qRgb(255, 255, 255)) << y;
}

} // namespace
} // namespace vardo
