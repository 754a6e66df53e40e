#pragma once

// The page frame shared by the contact lists: fonts, line metrics, page header and the placement of rows
// on pages.

#include <string>
#include <string_view>
#include <vector>

#include "core/reports/Canvas.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportEnvironment.h"

namespace vardo {

/// The fonts and geometry of one drawing of a list. Fonts are made for the canvas.
struct ListFrame {
    PageMetrics metrics;
    LogicalFont titleFont;
    LogicalFont subtitleFont;
    LogicalFont textFont;
    LogicalFont headerFont;
    LogicalFont smallFont;
    /// The rows' font: the smaller (by character height) of the text and small fonts.
    LogicalFont rowFont;
    int pageHeightTenths = 110;
    /// Line (relative to the page top, in line heights) of the first row.
    int firstRowLine = 4;

    /// `num / den` inches along x in device pixels (of the layout resolution).
    int X(int num, int den = 1) const { return metrics.dpiX * num / den; }
    int PageTopOf(int page) const;
    /// Top of row `line` of `page`.
    int RowY(int page, int line) const;
    /// The band of `lines` rows from (page, line), full width.
    Rect RowBand(int page, int line, int lines) const;
};

/// Starts a list drawing: page metrics, fonts, line height = the row font's character height plus its
/// external leading, lines per page = 9 inches / line height.
ListFrame BeginListFrame(Canvas& canvas, const ReportEnvironment& environment, std::string title, std::string subtitle);

/// The header of one page: the title in the title font bottom-aligned on the page top at the left edge,
/// followed (when `confidential`) by five blanks and "( POUFNE - NIE KOPIUJ )" in the text font; the date
/// stamp right-aligned at `dateStampX`; the subtitle in the subtitle font half a line below the page top.
void DrawListPageHeader(Canvas& canvas, const ReportEnvironment& environment, const ListFrame& frame, int page,
                        int dateStampX, bool confidential);

/// Places blocks of lines on pages: a block that does not fit in what is left of a page starts the next
/// page (unless the page is still empty).
class LinePager {
public:
    struct Placement {
        int page = 0;
        int line = 0;
    };

    explicit LinePager(int linesPerPage) : m_linesPerPage(linesPerPage > 0 ? linesPerPage : 1) {}
    Placement Place(int lines);
    /// Pages used so far; at least 1.
    int Pages() const { return m_page + 1; }

private:
    int m_linesPerPage;
    int m_page = 0;
    int m_line = 0;
};

/// Names joined with ", ", `perLine` to a line.
std::vector<std::string> JoinNames(const std::vector<std::string>& names, std::size_t perLine);

/// Lines of `text` no wider than `width` in the canvas's current font, broken at blanks (a single word
/// wider than `width` stands on its own line).
std::vector<std::string> WrapText(const Canvas& canvas, std::string_view text, int width);

} // namespace vardo
