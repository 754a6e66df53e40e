#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/reports/Canvas.h"

namespace vardo {

/// A canvas that draws nothing and records every call, with deterministic font metrics, so that tests
/// can assert what a report draws where. Coordinates are recorded on the sheet (before the origin moves);
/// `visible` tells whether the item meets the clip at the time it was drawn.
///
/// Metrics of a font of height h: em = −h for h < 0, h × 8 / 9 for h > 0, 16 for 0; character height = h
/// for h > 0, else em + em / 8; ascent = 4/5 of the character height; external leading em / 10; average
/// width em / 2 (at least 1); a text is as wide as its characters times the average width.
class RecordingCanvas final : public Canvas {
public:
    struct TextItem {
        int x = 0;
        int y = 0;
        std::string text;
        LogicalFont font;
        TextAlign align;
        Rect bounds;     ///< the text's cell on the sheet
        int originY = 0; ///< the vertical origin shift in force
        bool visible = true;
    };
    struct LineItem {
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        Pen pen;
        bool visible = true;
    };
    struct RectangleItem {
        Rect rect;
        Pen pen;
        bool visible = true;
    };
    struct FillItem {
        Rect rect;
        std::uint32_t color = 0;
        bool visible = true;
    };

    explicit RecordingCanvas(int dpiX = 96, int dpiY = 96) : m_dpiX(dpiX), m_dpiY(dpiY) {}

    static FontMetrics MetricsFor(const LogicalFont& font);
    static int CharacterCount(std::string_view utf8);

    int DpiX() const override { return m_dpiX; }
    int DpiY() const override { return m_dpiY; }
    void SetFont(const LogicalFont& font) override { m_font = font; }
    FontMetrics Metrics() const override { return MetricsFor(m_font); }
    Extent TextExtent(std::string_view text) const override;
    void SetTextAlign(TextAlign align) override { m_align = align; }
    void DrawText(int x, int y, std::string_view text) override;
    void SetPen(const Pen& pen) override { m_pen = pen; }
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawRectangle(const Rect& rect) override;
    void FillRect(int x, int y, int w, int h, std::uint32_t color) override;
    void SetClip(const Rect& rect) override;
    void ResetClip() override { m_clipped = false; }
    void SetOrigin(int dx, int dy) override;
    bool MayShow(const Rect& rect) const override;

    const std::vector<TextItem>& Texts() const { return m_texts; }
    const std::vector<LineItem>& Lines() const { return m_lines; }
    const std::vector<RectangleItem>& Rectangles() const { return m_rectangles; }
    const std::vector<FillItem>& Fills() const { return m_fills; }
    /// The texts drawn, in drawing order; only visible ones when asked.
    std::vector<std::string> TextStrings(bool visibleOnly = false) const;
    /// The first text equal to `text`, or nullptr.
    const TextItem* Find(std::string_view text) const;
    /// Every clip rectangle and origin set, in order.
    const std::vector<Rect>& Clips() const { return m_clips; }
    const std::vector<int>& OriginsY() const { return m_originsY; }
    void Clear();

private:
    bool Visible(const Rect& rect) const { return !m_clipped || rect.Intersects(m_clip); }

    int m_dpiX;
    int m_dpiY;
    LogicalFont m_font;
    TextAlign m_align;
    Pen m_pen;
    bool m_clipped = false;
    Rect m_clip;
    int m_originY = 0;
    std::vector<TextItem> m_texts;
    std::vector<LineItem> m_lines;
    std::vector<RectangleItem> m_rectangles;
    std::vector<FillItem> m_fills;
    std::vector<Rect> m_clips;
    std::vector<int> m_originsY;
};

} // namespace vardo
