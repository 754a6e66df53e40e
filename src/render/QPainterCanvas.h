#pragma once

#include <string_view>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPen>

#include "core/reports/Canvas.h"
#include "core/reports/ReportFonts.h"

class QPainter;
class QPaintDevice;

namespace vardo {

/// Makes the Windows font faces the reports ask for resolve to metric-compatible free fonts: Arial →
/// Liberation Sans, Times New Roman → Liberation Serif, Courier New and the printers' Roman faces →
/// Liberation Mono, Calibri → Carlito. Safe to call more than once.
void InstallFontSubstitutions();

/// The Qt font for a logical font on a device: a negative height is the em height in device pixels, a
/// positive one the cell height (ascent + descent), as in the Windows logical-font model.
QFont ToQFont(const LogicalFont& font, const QPaintDevice* device);

/// The report canvas on a QPainter: the screen view, print preview, the printer, PDF and images all draw
/// through it. The painter must be active on its device; the canvas does not own it. Text is black on a
/// transparent background; rectangles are outlines.
class QPainterCanvas final : public Canvas {
public:
    /// A canvas at the device's own resolution.
    explicit QPainterCanvas(QPainter& painter);
    /// A canvas with an explicit resolution (e.g. a screen canvas reporting the screen's dpi).
    QPainterCanvas(QPainter& painter, Resolution dpi);

    int DpiX() const override { return m_dpi.x; }
    int DpiY() const override { return m_dpi.y; }
    void SetFont(const LogicalFont& font) override;
    FontMetrics Metrics() const override;
    Extent TextExtent(std::string_view text) const override;
    void SetTextAlign(TextAlign align) override { m_align = align; }
    void DrawText(int x, int y, std::string_view text) override;
    void SetPen(const Pen& pen) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawRectangle(const Rect& rect) override;
    void FillRect(int x, int y, int w, int h, std::uint32_t color) override;
    void SetClip(const Rect& rect) override;
    void ResetClip() override;
    void SetOrigin(int dx, int dy) override;
    bool MayShow(const Rect& rect) const override;

private:
    struct CachedFont {
        LogicalFont logical;
        QFont font;
        QFontMetricsF metrics;
        FontMetrics windowsMetrics;
    };

    const CachedFont& Current() const { return m_fonts[m_current]; }

    QPainter& m_painter;
    Resolution m_dpi;
    std::vector<CachedFont> m_fonts;
    std::size_t m_current = 0;
    TextAlign m_align;
    QPen m_pen;
    bool m_clipped = false;
    Rect m_clip;
    int m_originX = 0;
    int m_originY = 0;
};

} // namespace vardo
