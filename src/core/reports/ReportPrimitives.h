#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/reports/Canvas.h"
#include "core/reports/ReportEnvironment.h"

namespace vardo {

/// The text of the date stamp: "Drukuję" and the date (" 5 marzec 2024"; day/month/year for "greek").
std::string DateStampText(const Date& today, std::string_view languageTag);

/// The date stamp's font: Times New Roman −10 in the language's character set, scaled to the canvas.
LogicalFont DateStampFont(const Canvas& canvas, const ReportEnvironment& environment);

/// Draws the date stamp right-aligned at (x, y) with the given vertical anchor, in Times New Roman −10
/// scaled to the device; only when the date-stamp option is on and the device is not the screen.
void DrawDateStamp(Canvas& canvas, const ReportEnvironment& environment, int x, int y, bool deviceDiffers,
                   VAlign vertical = VAlign::Bottom);

/// A table grid: a 2-pixel black outline from (left, top) to (last column, top + rows × rowHeight), a
/// line at each inner row boundary and a vertical line at each column x.
void DrawGrid(Canvas& canvas, int top, int left, int rowHeight, int rowCount, std::span<const int> columns);

/// A check box whose lower-right corner is (x, y), dpiX / divisor wide and dpiY / divisor high, ticked
/// when asked. Reports use divisor 9.
void DrawCheckBox(Canvas& canvas, int x, int y, bool ticked, int divisor);

} // namespace vardo
