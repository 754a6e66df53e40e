#include "render/QPainterCanvas.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QString>

namespace vardo {
namespace {

// Em size of a font whose cell height (ascent + descent) is `cellHeight` pixels.
double EmForCellHeight(QFont font, int cellHeight) {
    constexpr int kProbe = 1000;
    font.setPixelSize(kProbe);
    const QFontMetricsF probe(font);
    const double cell = probe.ascent() + probe.descent();
    return cell > 0 ? cellHeight * kProbe / cell : cellHeight;
}

QFont::StyleHint StyleHintFor(int pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10:
        return QFont::Serif;
    case 0x20:
        return QFont::SansSerif;
    case 0x30:
        return QFont::TypeWriter;
    case 0x40:
        return QFont::Cursive;
    case 0x50:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

// Average character width the way fonts have long declared it: lowercase letters and the blank weighted by
// their frequency in English text (the OS/2 table's original definition); independent of how many other
// glyphs a font carries.
double WeightedAverageWidth(const QFontMetricsF& metrics) {
    static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                         56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    double sum = 0;
    for (int i = 0; i < 26; ++i)
        sum += kWeights[i] * metrics.horizontalAdvance(QChar(u'a' + i));
    sum += kWeights[26] * metrics.horizontalAdvance(QChar(u' '));
    return sum / 1000.0;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void InstallFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Helvetica"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        QFont::insertSubstitution(QStringLiteral("Roman 10cpi"), QStringLiteral("Liberation Mono"));
        QFont::insertSubstitution(QStringLiteral("Roman 12cpi"), QStringLiteral("Liberation Mono"));
        QFont::insertSubstitution(QStringLiteral("Calibri"), QStringLiteral("Carlito"));
    });
}

QFont ToQFont(const LogicalFont& logical, const QPaintDevice* device) {
    QFont font(ToQString(logical.face));
    font.setStyleHint(StyleHintFor(logical.pitchAndFamily), QFont::PreferMatch);
    if ((logical.pitchAndFamily & 0x03) == 1)
        font.setFixedPitch(true);
    const int weight = logical.weight <= 0 ? 400 : std::clamp(logical.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logical.italic);
    font.setUnderline(logical.underline);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    int pixels = 0;
    if (logical.height < 0)
        pixels = -logical.height;
    else if (logical.height > 0)
        pixels = static_cast<int>(std::lround(EmForCellHeight(font, logical.height)));
    else
        pixels = device != nullptr ? device->logicalDpiY() / 6 : 16;
    font.setPixelSize(std::max(pixels, 1));
    if (logical.width > 0) {
        // A requested average width stretches the font relative to its natural average width.
        const QFontMetricsF natural(font);
        const double average = WeightedAverageWidth(natural);
        if (average > 0)
            font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * logical.width / average)), 1, 4000));
    }
    return font;
}

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : QPainterCanvas(painter, Resolution{painter.device()->logicalDpiX(), painter.device()->logicalDpiY()}) {}

QPainterCanvas::QPainterCanvas(QPainter& painter, Resolution dpi) : m_painter(painter), m_dpi(dpi) {
    InstallFontSubstitutions();
    m_pen = QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter.setPen(m_pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    SetFont(LogicalFont{"Arial", -13, 0, 400, false, false, 34, 0});
}

void QPainterCanvas::SetFont(const LogicalFont& font) {
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].logical == font) {
            m_current = i;
            return;
        }
    }
    const QFont qfont = ToQFont(font, m_painter.device());
    const QFontMetricsF metrics(qfont, m_painter.device());
    FontMetrics m;
    m.ascent = static_cast<int>(std::lround(metrics.ascent()));
    m.descent = static_cast<int>(std::lround(metrics.descent()));
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(m.height - qfont.pixelSize(), 0);
    m.externalLeading = std::max(static_cast<int>(std::lround(metrics.leading())), 0);
    m.averageWidth = static_cast<int>(std::lround(WeightedAverageWidth(metrics)));
    m_fonts.push_back(CachedFont{font, qfont, metrics, m});
    m_current = m_fonts.size() - 1;
}

FontMetrics QPainterCanvas::Metrics() const {
    return Current().windowsMetrics;
}

Extent QPainterCanvas::TextExtent(std::string_view text) const {
    const auto& current = Current();
    return Extent{static_cast<int>(std::lround(current.metrics.horizontalAdvance(ToQString(text)))),
                  current.windowsMetrics.height};
}

void QPainterCanvas::DrawText(int x, int y, std::string_view text) {
    if (text.empty())
        return;
    const auto& current = Current();
    const FontMetrics& m = current.windowsMetrics;
    double baseline = y;
    if (m_align.vertical == VAlign::Top)
        baseline = y + current.metrics.ascent();
    else if (m_align.vertical == VAlign::Bottom)
        baseline = y - current.metrics.descent();
    const int top = static_cast<int>(std::floor(baseline - current.metrics.ascent()));
    if (m_clipped && (top + m.height < m_clip.top || top > m_clip.bottom))
        return;
    const QString string = ToQString(text);
    double left = x;
    if (m_align.horizontal != HAlign::Left) {
        const double width = current.metrics.horizontalAdvance(string);
        left = m_align.horizontal == HAlign::Right ? x - width : x - width / 2;
    }
    m_painter.setFont(current.font);
    m_painter.setPen(QPen(Qt::black));
    m_painter.drawText(QPointF(left, baseline), string);
    m_painter.setPen(m_pen);
}

void QPainterCanvas::SetPen(const Pen& pen) {
    Qt::PenStyle style = Qt::SolidLine;
    switch (pen.style) {
    case PenStyle::Solid:
        style = Qt::SolidLine;
        break;
    case PenStyle::Dash:
        style = Qt::DashLine;
        break;
    case PenStyle::Dot:
        style = Qt::DotLine;
        break;
    case PenStyle::None:
        style = Qt::NoPen;
        break;
    }
    const QColor color(static_cast<int>((pen.color >> 16) & 0xFF), static_cast<int>((pen.color >> 8) & 0xFF),
                       static_cast<int>(pen.color & 0xFF));
    m_pen = QPen(color, std::max(pen.width, 0), style, Qt::RoundCap, Qt::RoundJoin);
    m_painter.setPen(m_pen);
}

void QPainterCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    if (m_clipped && !MayShow(Rect{std::min(x1, x2) - m_pen.width(), std::min(y1, y2) - m_pen.width(),
                                   std::max(x1, x2) + m_pen.width() + 1, std::max(y1, y2) + m_pen.width() + 1}))
        return;
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QPainterCanvas::DrawRectangle(const Rect& rect) {
    if (m_clipped && !MayShow(Rect{rect.left - m_pen.width(), rect.top - m_pen.width(), rect.right + m_pen.width(),
                                   rect.bottom + m_pen.width()}))
        return;
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(rect.left, rect.top, rect.Width(), rect.Height()));
}

void QPainterCanvas::FillRect(int x, int y, int w, int h, std::uint32_t color) {
    if (w <= 0 || h <= 0 || (m_clipped && !MayShow(Rect{x, y, x + w, y + h})))
        return;
    m_painter.fillRect(QRect(x, y, w, h), QColor::fromRgb(static_cast<QRgb>(color & 0xFFFFFF)));
}

void QPainterCanvas::SetClip(const Rect& rect) {
    m_clipped = true;
    m_clip = rect;
    m_painter.setClipRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void QPainterCanvas::ResetClip() {
    m_clipped = false;
    m_painter.setClipping(false);
}

void QPainterCanvas::SetOrigin(int dx, int dy) {
    m_painter.translate(dx - m_originX, dy - m_originY);
    m_originX = dx;
    m_originY = dy;
}

bool QPainterCanvas::MayShow(const Rect& rect) const {
    return !m_clipped || rect.Intersects(m_clip);
}

} // namespace vardo
