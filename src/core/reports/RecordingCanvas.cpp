#include "core/reports/RecordingCanvas.h"

#include <algorithm>

namespace vardo {

FontMetrics RecordingCanvas::MetricsFor(const LogicalFont& font) {
    const int h = font.height;
    const int em = h < 0 ? -h : (h > 0 ? h * 8 / 9 : 16);
    FontMetrics m;
    m.height = h > 0 ? h : em + em / 8;
    m.ascent = m.height * 4 / 5;
    m.descent = m.height - m.ascent;
    m.internalLeading = m.height - em;
    m.externalLeading = em / 10;
    m.averageWidth = std::max(em / 2, 1);
    return m;
}

int RecordingCanvas::CharacterCount(std::string_view utf8) {
    return static_cast<int>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

Extent RecordingCanvas::TextExtent(std::string_view text) const {
    const FontMetrics m = Metrics();
    return Extent{CharacterCount(text) * m.averageWidth, m.height};
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text) {
    const FontMetrics m = Metrics();
    const Extent extent = TextExtent(text);
    TextItem item;
    item.x = x;
    item.y = y;
    item.text = std::string(text);
    item.font = m_font;
    item.align = m_align;
    int left = x;
    if (m_align.horizontal == HAlign::Right)
        left = x - extent.width;
    else if (m_align.horizontal == HAlign::Center)
        left = x - extent.width / 2;
    int top = y;
    if (m_align.vertical == VAlign::Baseline)
        top = y - m.ascent;
    else if (m_align.vertical == VAlign::Bottom)
        top = y - m.height;
    item.bounds = Rect{left, top, left + extent.width, top + m.height};
    item.originY = m_originY;
    item.visible = Visible(item.bounds);
    m_texts.push_back(std::move(item));
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    const Rect box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    m_lines.push_back(LineItem{x1, y1, x2, y2, m_pen, Visible(box)});
}

void RecordingCanvas::DrawRectangle(const Rect& rect) {
    m_rectangles.push_back(RectangleItem{rect, m_pen, Visible(rect)});
}

void RecordingCanvas::FillRect(int x, int y, int w, int h, std::uint32_t color) {
    const Rect rect{x, y, x + w, y + h};
    m_fills.push_back(FillItem{rect, color, Visible(rect)});
}

void RecordingCanvas::SetClip(const Rect& rect) {
    m_clipped = true;
    m_clip = rect;
    m_clips.push_back(rect);
}

void RecordingCanvas::SetOrigin(int /*dx*/, int dy) {
    m_originY = dy;
    m_originsY.push_back(dy);
}

bool RecordingCanvas::MayShow(const Rect& rect) const {
    return Visible(rect);
}

std::vector<std::string> RecordingCanvas::TextStrings(bool visibleOnly) const {
    std::vector<std::string> out;
    out.reserve(m_texts.size());
    for (const auto& item : m_texts)
        if (!visibleOnly || item.visible)
            out.push_back(item.text);
    return out;
}

const RecordingCanvas::TextItem* RecordingCanvas::Find(std::string_view text) const {
    for (const auto& item : m_texts)
        if (item.text == text)
            return &item;
    return nullptr;
}

void RecordingCanvas::Clear() {
    m_texts.clear();
    m_lines.clear();
    m_rectangles.clear();
    m_fills.clear();
    m_clips.clear();
    m_originsY.clear();
}

} // namespace vardo
