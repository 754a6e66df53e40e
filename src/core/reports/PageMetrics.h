#pragma once

#include <string>
#include <vector>

#include "core/reports/Canvas.h"
#include "core/reports/ReportEnvironment.h"

namespace vardo {

/// The geometry a drawing routine builds when it starts and hands to its parts. Device pixels.
struct PageMetrics {
    int left = 0;               ///< left edge of the text
    int lineHeight = 0;         ///< one text line
    int pageTop = 0;            ///< page top of the current page
    int dpiX = 0;               ///< pixels per inch used for horizontal positions
    int dpiY = 0;               ///< device pixels per inch vertically
    bool deviceDiffers = false; ///< the device is not the screen (printer, preview, PDF, image)
    int topMargin = 0;          ///< page top of the first page
    int linesPerPage = 0;       ///< text lines a page holds
    std::vector<int> columns;   ///< the report's column x positions
    std::string title;
    std::string subtitle;
    bool nameColumnSuppressed = false;
    bool assistantLine = false;
};

/// True when the canvas is not the screen: its resolution differs from the screen's.
bool DeviceDiffers(const Canvas& canvas, const ReportEnvironment& environment);

/// A report font made for the canvas: scaled from screen pixels when the device differs; on the screen
/// made 11/12 as large, as the positions are (see LayoutDpiX).
LogicalFont ReportFontFor(const Canvas& canvas, const ReportEnvironment& environment, ReportFontId id);

/// Horizontal pixels per inch for positions: on the screen 11/12 of the device's (a narrower layout),
/// elsewhere the device's own.
int LayoutDpiX(const Canvas& canvas, const ReportEnvironment& environment);

/// Line height of the analysis and list reports of whole lines: the larger of dpiY / 6 and the text
/// font's character height plus twice its external leading; with grid lines 1/20 more.
int ReportLineHeight(const FontMetrics& textFont, int dpiY, bool gridLines);

/// Line height of the contact lists: character height plus external leading (at least 1).
int ListLineHeight(const FontMetrics& font);

/// Usable height of a page: 9 inches; 9.7 inches for the analysis on A4 paper.
int UsableHeight(int dpiY, bool analysisOnA4);

/// Lines a page holds: usable height / line height (at least 1).
int LinesPerPage(int usableHeight, int lineHeight);

/// Top margin in device pixels from the option (hundredths of an inch); more than one inch becomes half
/// an inch.
int TopMargin(int topMarginOption, int dpiY);

/// Page top of page `page` (0-based) on the tall sheet.
int PageTop(int page, int pageHeightTenths, int dpiY, int topMargin);

/// The common start of every drawing: resolution, left edge (half an inch), top margin and the device
/// flag; line height and lines per page are left to the routine.
PageMetrics BeginPageMetrics(const Canvas& canvas, const ReportEnvironment& environment);

} // namespace vardo
