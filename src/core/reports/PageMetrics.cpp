#include "core/reports/PageMetrics.h"

#include <algorithm>

namespace vardo {

bool DeviceDiffers(const Canvas& canvas, const ReportEnvironment& environment) {
    return canvas.DpiX() != environment.screen.x || canvas.DpiY() != environment.screen.y;
}

LogicalFont ReportFontFor(const Canvas& canvas, const ReportEnvironment& environment, ReportFontId id) {
    const bool differs = DeviceDiffers(canvas, environment);
    LogicalFont font = MakeReportFont(environment.fonts.Get(id), differs, environment.screen,
                                      Resolution{canvas.DpiX(), canvas.DpiY()});
    if (!differs) {
        // The screen lays positions out at 11/12 of its resolution; the text shrinks alike, so a long name
        // keeps the room it has on paper before the next column.
        font.height = MulDiv(font.height, 11, 12);
        font.width = MulDiv(font.width, 11, 12);
    }
    return font;
}

int LayoutDpiX(const Canvas& canvas, const ReportEnvironment& environment) {
    return DeviceDiffers(canvas, environment) ? canvas.DpiX() : canvas.DpiX() * 11 / 12;
}

int ReportLineHeight(const FontMetrics& textFont, int dpiY, bool gridLines) {
    int height = std::max(dpiY / 6, textFont.height + 2 * textFont.externalLeading);
    if (gridLines)
        height += height / 20;
    return std::max(height, 1);
}

int ListLineHeight(const FontMetrics& font) {
    return std::max(font.height + font.externalLeading, 1);
}

int UsableHeight(int dpiY, bool analysisOnA4) {
    return analysisOnA4 ? dpiY * 9 + dpiY / 2 + dpiY / 5 : dpiY * 9;
}

int LinesPerPage(int usableHeight, int lineHeight) {
    return lineHeight > 0 ? std::max(usableHeight / lineHeight, 1) : 1;
}

int TopMargin(int topMarginOption, int dpiY) {
    const int margin = topMarginOption * dpiY / 100;
    return margin > dpiY ? dpiY / 2 : margin;
}

int PageTop(int page, int pageHeightTenths, int dpiY, int topMargin) {
    return pageHeightTenths / 10 * dpiY * page + topMargin;
}

PageMetrics BeginPageMetrics(const Canvas& canvas, const ReportEnvironment& environment) {
    PageMetrics m;
    m.deviceDiffers = DeviceDiffers(canvas, environment);
    m.dpiX = LayoutDpiX(canvas, environment);
    m.dpiY = canvas.DpiY();
    m.left = m.dpiX / 2;
    m.topMargin = TopMargin(environment.options.topMargin, m.dpiY);
    m.pageTop = m.topMargin;
    return m;
}

} // namespace vardo
