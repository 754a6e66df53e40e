#include "core/reports/AttendanceRecordReport.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

LogicalFont RecordFont(const Canvas& canvas, int tenthsOfPoint, int weight) {
    LogicalFont font;
    font.face = "Calibri";
    font.height = -(tenthsOfPoint * canvas.DpiY() / 720);
    font.weight = weight;
    font.pitchAndFamily = 34;
    font.charSet = 238;
    return font;
}

void Text(Canvas& canvas, TextAlign align, int x, int y, const std::string& text) {
    if (text.empty())
        return;
    canvas.SetTextAlign(align);
    canvas.DrawText(x, y, text);
}

// The words of a heading in at most two lines that fit `width`.
std::vector<std::string> TwoLines(const Canvas& canvas, const std::string& text, int width) {
    if (canvas.TextExtent(text).width <= width)
        return {text};
    // Break at the blank that leaves the longer line shortest.
    std::size_t best = std::string::npos;
    int bestWidth = 0;
    for (std::size_t at = text.find(' '); at != std::string::npos; at = text.find(' ', at + 1)) {
        const int longer =
            std::max(canvas.TextExtent(text.substr(0, at)).width, canvas.TextExtent(text.substr(at + 1)).width);
        if (best == std::string::npos || longer < bestWidth) {
            best = at;
            bestWidth = longer;
        }
    }
    if (best == std::string::npos)
        return {text};
    return {text.substr(0, best), text.substr(best + 1)};
}

class AttendanceRecordPrint : public Report {
public:
    explicit AttendanceRecordPrint(const AttendanceRecordSource& source) : m_source(source) {}

    int CountPages(Canvas&, const ReportEnvironment&) const override { return 1; }

    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        const int dpiX = canvas.DpiX();
        const int dpiY = canvas.DpiY();
        const int left = dpiX / 2;
        const int width = environment.a4 ? dpiX * 29 / 4 : dpiX * 15 / 2;
        const int top = TopMargin(environment.options.topMargin, dpiY);
        if (!canvas.MayShow(Rect{0, 0, dpiX * 9, PageBandHeight(canvas, environment)}))
            return;
        canvas.SetFont(RecordFont(canvas, 150, 700));
        Text(canvas, {HAlign::Center, VAlign::Top}, left + width / 2, top,
             std::string(Str(StrId::AttendanceRecordTitle)));
        const int titleHeight = canvas.Metrics().height;
        // Above the title's line, as on the other reports.
        DrawDateStamp(canvas, environment, left + width, top, DeviceDiffers(canvas, environment));
        int y = top + titleHeight + dpiY / 4;
        for (MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend})
            y = DrawMeeting(canvas, kind, left, y, width) + dpiY / 3;
    }

private:
    // One meeting's table from `top`; returns its bottom.
    int DrawMeeting(Canvas& canvas, MeetingKind kind, int left, int top, int width) const {
        const int dpiX = canvas.DpiX();
        const int dpiY = canvas.DpiY();
        const auto years =
            AttendanceRecord(*m_source.attendance, kind, m_source.workingMonth, m_source.workingMonthInitialised);
        const LogicalFont bold = RecordFont(canvas, 100, 700);
        const LogicalFont regular = RecordFont(canvas, 100, 400);
        canvas.SetFont(RecordFont(canvas, 120, 700));
        Text(canvas, {HAlign::Left, VAlign::Top}, left, top,
             std::string(Str(kind == MeetingKind::Midweek ? StrId::MidweekMeeting : StrId::WeekendMeeting)));
        canvas.SetFont(bold);
        const int textLine = canvas.Metrics().height;
        const int row = std::max(dpiY * 9 / 40, textLine + textLine / 3);
        const int tableTop = top + canvas.Metrics().height * 3 / 2 + dpiY / 10;

        // Columns: month, then meetings / total / average of each service year.
        // The month column is wide enough for the closing line's label.
        const int pad = dpiX / 12;
        const std::string meanLabel(Str(StrId::MeanOfMonthlyAverages));
        std::array<int, 8> x{};
        x[0] = left;
        x[1] = left + std::max(dpiX * 3 / 2, canvas.TextExtent(meanLabel).width + 2 * pad);
        const int cell = (width - (x[1] - left)) / 6;
        for (std::size_t c = 2; c < x.size(); ++c)
            x[c] = x[1] + static_cast<int>(c - 1) * cell;
        x[7] = left + width;

        const int headingHeight = row + 2 * textLine + row / 3;
        const int bodyTop = tableTop + headingHeight;
        const int bottom = bodyTop + 13 * row;
        canvas.SetPen(Pen{std::max(dpiX / 100, 1), 0x000000, PenStyle::Solid});
        canvas.DrawRectangle(Rect{left, tableTop, x[7], bottom});
        canvas.SetPen(Pen{std::max(dpiX / 300, 1), 0x000000, PenStyle::Solid});
        canvas.DrawLine(x[1], tableTop + row, x[7], tableTop + row);
        for (std::size_t c = 1; c < 7; ++c)
            canvas.DrawLine(x[c], c == 1 || c == 4 ? tableTop : tableTop + row, x[c], bottom);
        for (int r = 0; r < 13; ++r) {
            if (r == 12)
                canvas.SetPen(Pen{std::max(dpiX / 100, 1), 0x000000, PenStyle::Solid});
            canvas.DrawLine(left, bodyTop + r * row, x[7], bodyTop + r * row);
        }

        const std::array<StrId, 3> headings = {StrId::MeetingsCount, StrId::AttendanceTotal, StrId::AverageEachWeek};
        for (std::size_t y = 0; y < 2; ++y) {
            const int from = x[1 + 3 * y];
            const int to = x[4 + 3 * y];
            Text(canvas, {HAlign::Center, VAlign::Top}, (from + to) / 2, tableTop + (row - textLine) / 2,
                 FormatArgs(std::string(Str(StrId::AttendanceYearHeading)),
                            {std::string(Str(StrId::ServiceYearHeading)),
                             FormatPrintf("%d/%d", years[y].serviceYear - 1, years[y].serviceYear)}));
            for (std::size_t h = 0; h < 3; ++h) {
                const int a = x[1 + 3 * y + h];
                const int b = x[2 + 3 * y + h];
                const auto lines = TwoLines(canvas, std::string(Str(headings[h])), b - a - dpiX / 20);
                int lineY = tableTop + row + (headingHeight - row - static_cast<int>(lines.size()) * textLine) / 2;
                for (const std::string& line : lines) {
                    Text(canvas, {HAlign::Center, VAlign::Top}, (a + b) / 2, lineY, line);
                    lineY += textLine;
                }
            }
        }

        for (int r = 0; r < 12; ++r) {
            const int textY = bodyTop + r * row + (row - textLine) / 2;
            canvas.SetFont(regular);
            Text(canvas, {HAlign::Left, VAlign::Top}, left + pad, textY,
                 std::string(MonthName(years[0].rows[static_cast<std::size_t>(r)].month)));
            for (std::size_t y = 0; y < 2; ++y) {
                const AttendanceRow& line = years[y].rows[static_cast<std::size_t>(r)];
                if (!line.shown)
                    continue;
                const std::size_t c = 1 + 3 * y;
                Text(canvas, {HAlign::Right, VAlign::Top}, x[c + 1] - pad, textY, FormatPrintf("%d", line.meetings));
                Text(canvas, {HAlign::Right, VAlign::Top}, x[c + 2] - pad, textY, FormatPrintf("%d", line.total));
                Text(canvas, {HAlign::Right, VAlign::Top}, x[c + 3] - pad, textY, AttendanceAverageText(line.average));
            }
        }
        const int meanY = bodyTop + 12 * row + (row - textLine) / 2;
        canvas.SetFont(bold);
        Text(canvas, {HAlign::Left, VAlign::Top}, left + pad, meanY, meanLabel);
        for (std::size_t y = 0; y < 2; ++y)
            Text(canvas, {HAlign::Right, VAlign::Top}, x[4 + 3 * y] - pad, meanY,
                 AttendanceAverageText(years[y].meanOfAverages));
        return bottom;
    }

    AttendanceRecordSource m_source;
};

} // namespace

std::string AttendanceAverageText(double average) {
    std::string text = FormatPrintf("%4.2f", average);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::unique_ptr<Report> MakeAttendanceRecordReport(const AttendanceRecordSource& source) {
    return std::make_unique<AttendanceRecordPrint>(source);
}

} // namespace vardo
