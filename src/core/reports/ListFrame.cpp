#include "core/reports/ListFrame.h"

#include <algorithm>

#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

constexpr std::string_view kConfidential = "     ( POUFNE - NIE KOPIUJ )";

} // namespace

int ListFrame::PageTopOf(int page) const {
    return PageTop(page, pageHeightTenths, metrics.dpiY, metrics.topMargin);
}

int ListFrame::RowY(int page, int line) const {
    return PageTopOf(page) + (firstRowLine + line) * metrics.lineHeight;
}

Rect ListFrame::RowBand(int page, int line, int lines) const {
    const int top = RowY(page, line);
    return Rect{0, top, X(17, 2), top + lines * metrics.lineHeight};
}

ListFrame BeginListFrame(Canvas& canvas, const ReportEnvironment& environment, std::string title,
                         std::string subtitle) {
    ListFrame f;
    f.metrics = BeginPageMetrics(canvas, environment);
    f.metrics.title = std::move(title);
    f.metrics.subtitle = std::move(subtitle);
    f.pageHeightTenths = environment.pageHeightTenths;
    f.titleFont = ReportFontFor(canvas, environment, ReportFontId::Title);
    f.subtitleFont = ReportFontFor(canvas, environment, ReportFontId::Subtitle);
    f.textFont = ReportFontFor(canvas, environment, ReportFontId::Text);
    f.headerFont = ReportFontFor(canvas, environment, ReportFontId::Header);
    f.smallFont = ReportFontFor(canvas, environment, ReportFontId::Small);

    canvas.SetFont(f.textFont);
    const FontMetrics text = canvas.Metrics();
    canvas.SetFont(f.smallFont);
    const FontMetrics small = canvas.Metrics();
    f.rowFont = small.height < text.height ? f.smallFont : f.textFont;
    const FontMetrics& row = small.height < text.height ? small : text;
    f.metrics.lineHeight = ListLineHeight(row);
    f.metrics.linesPerPage = LinesPerPage(UsableHeight(f.metrics.dpiY, false), f.metrics.lineHeight);
    return f;
}

void DrawListPageHeader(Canvas& canvas, const ReportEnvironment& environment, const ListFrame& frame, int page,
                        int dateStampX, bool confidential) {
    const PageMetrics& m = frame.metrics;
    const int top = frame.PageTopOf(page);
    if (!canvas.MayShow(Rect{0, top - m.dpiY, frame.X(17, 2), top + 2 * m.lineHeight}))
        return;
    canvas.SetFont(frame.titleFont);
    canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
    canvas.DrawText(m.left, top, m.title);
    int headerRight = m.left + canvas.TextExtent(m.title).width;
    if (confidential) {
        canvas.SetFont(frame.textFont);
        canvas.DrawText(headerRight, top, kConfidential);
        headerRight += canvas.TextExtent(kConfidential).width;
    }
    // A long title (a long congregation name) runs into the stamp's place: the stamp then moves down to
    // the subtitle's line, right-aligned as before.
    canvas.SetFont(DateStampFont(canvas, environment));
    const int stampLeft =
        dateStampX - canvas.TextExtent(DateStampText(environment.today, environment.languageTag)).width;
    if (headerRight + frame.X(1, 8) <= stampLeft)
        DrawDateStamp(canvas, environment, dateStampX, top, m.deviceDiffers, VAlign::Bottom);
    else
        DrawDateStamp(canvas, environment, dateStampX, top + m.lineHeight / 2, m.deviceDiffers, VAlign::Top);
    if (!m.subtitle.empty()) {
        canvas.SetFont(frame.subtitleFont);
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        canvas.DrawText(m.left, top + m.lineHeight / 2, m.subtitle);
    }
}

LinePager::Placement LinePager::Place(int lines) {
    lines = std::max(lines, 1);
    if (m_line > 0 && m_line + lines > m_linesPerPage) {
        ++m_page;
        m_line = 0;
    }
    const Placement placement{m_page, m_line};
    m_line += lines;
    while (m_line > m_linesPerPage) {
        // A block longer than a page runs on over the following pages.
        ++m_page;
        m_line -= m_linesPerPage;
    }
    return placement;
}

std::vector<std::string> JoinNames(const std::vector<std::string>& names, std::size_t perLine) {
    std::vector<std::string> lines;
    if (perLine == 0)
        perLine = 1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i % perLine == 0)
            lines.emplace_back();
        else
            lines.back() += ", ";
        lines.back() += names[i];
    }
    return lines;
}

std::vector<std::string> WrapText(const Canvas& canvas, std::string_view text, int width) {
    std::vector<std::string> lines;
    if (canvas.TextExtent(text).width <= width) {
        lines.emplace_back(text);
        return lines;
    }
    std::string line;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        if (pos >= text.size())
            break;
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view word = text.substr(pos, end - pos);
        std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && canvas.TextExtent(candidate).width > width) {
            lines.push_back(std::move(line));
            line = std::string(word);
        } else {
            line = std::move(candidate);
        }
        pos = end;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace vardo
