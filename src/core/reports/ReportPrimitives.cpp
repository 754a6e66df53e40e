#include "core/reports/ReportPrimitives.h"

#include "core/platform/Strings.h"
#include "core/reports/ReportFonts.h"

namespace vardo {

std::string DateStampText(const Date& today, std::string_view languageTag) {
    std::string text = "Drukuję";
    if (languageTag == "greek")
        text += FormatPrintf(" %d/%d/%d", today.day, today.month, today.year);
    else
        text += FormatPrintf(" %d %s %d", today.day, std::string(MonthName(today.month - 1)).c_str(), today.year);
    return text;
}

LogicalFont DateStampFont(const Canvas& canvas, const ReportEnvironment& environment) {
    LogicalFont font;
    font.face = "Times New Roman";
    font.height = -10;
    font.weight = 400;
    font.pitchAndFamily = 18;
    font.charSet = CharSetForLanguage(environment.languageTag);
    return MakeReportFont(font, true, environment.screen, Resolution{canvas.DpiX(), canvas.DpiY()});
}

void DrawDateStamp(Canvas& canvas, const ReportEnvironment& environment, int x, int y, bool deviceDiffers,
                   VAlign vertical) {
    if (!environment.options.dateStamp || !deviceDiffers)
        return;
    canvas.SetFont(DateStampFont(canvas, environment));
    canvas.SetTextAlign({HAlign::Right, vertical});
    canvas.DrawText(x, y, DateStampText(environment.today, environment.languageTag));
}

void DrawGrid(Canvas& canvas, int top, int left, int rowHeight, int rowCount, std::span<const int> columns) {
    if (columns.empty() || rowCount <= 0)
        return;
    const int right = columns.back();
    const int bottom = top + rowCount * rowHeight;
    canvas.SetPen(Pen{2, 0x000000, PenStyle::Solid});
    canvas.DrawRectangle(Rect{left, top, right, bottom});
    for (int row = 1; row < rowCount; ++row)
        canvas.DrawLine(left, top + row * rowHeight, right, top + row * rowHeight);
    for (const int x : columns)
        canvas.DrawLine(x, top, x, bottom);
}

void DrawCheckBox(Canvas& canvas, int x, int y, bool ticked, int divisor) {
    if (divisor <= 0)
        return;
    const int dpiX = canvas.DpiX();
    const int dpiY = canvas.DpiY();
    const int width = dpiX / divisor;
    const int height = dpiY / divisor;
    canvas.SetPen(Pen{dpiX / 120, 0x000000, PenStyle::Solid});
    canvas.DrawRectangle(Rect{x - width, y - height, x, y});
    if (!ticked)
        return;
    canvas.SetPen(Pen{dpiX / 45, 0x000000, PenStyle::Solid});
    const int midX = x - width / 2;
    const int midY = y - dpiY / 50;
    canvas.DrawLine(x - width + dpiX / 35, y - height / 2, midX, midY);
    canvas.DrawLine(midX, midY, x - dpiX / 40, y + dpiY / 40 - height);
}

} // namespace vardo
