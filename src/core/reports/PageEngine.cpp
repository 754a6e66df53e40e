#include "core/reports/PageEngine.h"

#include <algorithm>

namespace vardo {

int PageBandHeight(const Canvas& canvas, const ReportEnvironment& environment) {
    return environment.pageHeightTenths / 10 * canvas.DpiY();
}

void DrawReportPage(const Report& report, Canvas& canvas, const ReportEnvironment& environment, int page) {
    const int band = PageBandHeight(canvas, environment);
    const int top = band * (page - 1);
    canvas.SetOrigin(0, -top);
    canvas.SetClip(Rect{0, top, environment.pageWidthTenths / 10 * canvas.DpiX(), top + band});
    report.Draw(canvas, environment);
    canvas.ResetClip();
    canvas.SetOrigin(0, 0);
}

ScrollSizes ReportScrollSizes(int pageCount, const ReportEnvironment& environment) {
    ScrollSizes s;
    const Resolution screen = environment.screen;
    s.totalHeight = environment.pageHeightTenths / 10 * std::max(pageCount, 1) * screen.y;
    s.totalWidth = environment.pageWidthTenths / 10 * screen.x;
    s.pageStepY = 4 * screen.y;
    s.lineStepY = screen.y / 6;
    s.pageStepX = s.totalWidth / 4;
    s.lineStepX = screen.x / 10;
    return s;
}

} // namespace vardo
