#include "core/reports/PioneerProgress.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

constexpr MonthIndex kAugust = 7;
constexpr MonthIndex kSeptember = 8;
constexpr std::uint32_t kRegularColor = 0x2F5597;
constexpr std::uint32_t kCreditColor = 0x8FAADC;
constexpr std::uint32_t kOtherColor = 0x9E9E9E;
constexpr std::uint32_t kGoalColor = 0xC00000;

int ServiceYearMonths(MonthIndex working) {
    return (working - kSeptember + kMonthsPerYear) % kMonthsPerYear + 1;
}

// Fills a rectangle with horizontal strokes (the canvas draws outlines only); nothing for an empty one.
void FillRect(Canvas& canvas, const Rect& rect, std::uint32_t color) {
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    const int stroke = std::max(std::min({canvas.DpiY() / 96, rect.Height(), rect.Width()}), 1);
    canvas.SetPen(Pen{stroke, color, PenStyle::Solid});
    const int half = stroke / 2;
    const int x1 = rect.left + half;
    const int x2 = std::max(rect.right - stroke + half, x1);
    for (int y = rect.top + half; y < rect.bottom; y += stroke)
        canvas.DrawLine(x1, std::min(y, rect.bottom - stroke + half), x2, std::min(y, rect.bottom - stroke + half));
}

class ProgressDrawer {
public:
    ProgressDrawer(Canvas& canvas, const ReportEnvironment& environment, const PioneerProgressView& view, bool draw)
        : m_canvas(canvas), m_env(environment), m_view(view), m_draw(draw) {
        m_metrics = BeginPageMetrics(canvas, environment);
        m_title = ReportFontFor(canvas, environment, ReportFontId::Title);
        m_subtitle = ReportFontFor(canvas, environment, ReportFontId::Subtitle);
        m_text = ReportFontFor(canvas, environment, ReportFontId::Text);
        m_small = ReportFontFor(canvas, environment, ReportFontId::Small);
        canvas.SetFont(m_text);
        m_metrics.lineHeight = ReportLineHeight(canvas.Metrics(), m_metrics.dpiY, false);
    }

    int Run() {
        const int lh = m_metrics.lineHeight;
        int y = PageTopOf(0);
        if (m_draw) {
            m_canvas.SetFont(m_title);
            Text(HAlign::Left, m_metrics.left, y - m_metrics.dpiY / 5, m_view.caption);
            DrawDateStamp(m_canvas, m_env, X(15, 2), y - m_metrics.dpiY / 5, m_metrics.deviceDiffers, VAlign::Top);
        }
        y += lh / 2;
        if (m_view.chosen) {
            y = MonthChart(y);
            m_canvas.SetFont(m_text);
            for (const std::string& line : m_view.lines) {
                if (m_draw)
                    Text(HAlign::Left, m_metrics.left, y, line);
                y += lh;
            }
            y += lh;
        }
        PioneerBars(y);
        m_end = m_lastY;
        return m_page + 1;
    }

    int End() const { return m_end; }

private:
    int X(int num, int den = 1) const { return m_metrics.dpiX * num / den; }
    int Y(int num, int den = 1) const { return m_metrics.dpiY * num / den; }
    int PageTopOf(int page) const { return PageTop(page, m_env.pageHeightTenths, m_metrics.dpiY, m_metrics.topMargin); }
    void Text(HAlign align, int x, int y, const std::string& text) {
        if (!m_draw || text.empty())
            return;
        m_canvas.SetTextAlign({align, VAlign::Top});
        m_canvas.DrawText(x, y, text);
    }

    // The chosen pioneer's twelve months as bars against the monthly requirement; returns the y below it.
    int MonthChart(int y) {
        const int lh = m_metrics.lineHeight;
        m_canvas.SetFont(m_subtitle);
        Text(HAlign::Left, m_metrics.left, y,
             FormatArgs(Str(StrId::PioneerMonthChartHeading), {m_view.name, std::to_string(m_view.goal)}));
        const int plotTop = y + 2 * lh;
        const int plotHeight = Y(2);
        const int plotBottom = plotTop + plotHeight;
        const int plotLeft = m_metrics.left + X(1, 2);
        const int plotRight = m_metrics.left + X(7);
        const int slot = (plotRight - plotLeft) / 12;
        int scale = m_view.goal * 5 / 4;
        for (const PioneerMonthBar& bar : m_view.months)
            scale = std::max(scale, bar.Total());
        scale = std::max(scale, 1);
        if (m_draw && m_canvas.MayShow(Rect{0, plotTop - lh, X(17, 2), plotBottom + 2 * lh})) {
            m_canvas.SetFont(m_small);
            for (std::size_t i = 0; i < m_view.months.size(); ++i) {
                const PioneerMonthBar& bar = m_view.months[i];
                const int x = plotLeft + static_cast<int>(i) * slot + slot / 5;
                const int width = slot * 3 / 5;
                const int hoursTop = plotBottom - bar.hours * plotHeight / scale;
                const int totalTop = plotBottom - bar.Total() * plotHeight / scale;
                if (!bar.future) {
                    FillRect(m_canvas, Rect{x, hoursTop, x + width, plotBottom},
                             bar.regular ? kRegularColor : kOtherColor);
                    FillRect(m_canvas, Rect{x, totalTop, x + width, hoursTop}, kCreditColor);
                    if (bar.Total() > 0) {
                        m_canvas.SetTextAlign({HAlign::Center, VAlign::Bottom});
                        m_canvas.DrawText(x + width / 2, totalTop - Y(1, 40), std::to_string(bar.Total()));
                    }
                }
                Text(HAlign::Center, x + width / 2, plotBottom + Y(1, 20), std::string(MonthAbbreviation(bar.month)));
            }
            m_canvas.SetPen(Pen{std::max(Y(1, 100), 1), 0x000000, PenStyle::Solid});
            m_canvas.DrawLine(plotLeft, plotBottom, plotRight, plotBottom);
            m_canvas.DrawLine(plotLeft, plotTop, plotLeft, plotBottom);
            const int goalY = plotBottom - m_view.goal * plotHeight / scale;
            m_canvas.SetPen(Pen{std::max(Y(1, 100), 1), kGoalColor, PenStyle::Dash});
            m_canvas.DrawLine(plotLeft, goalY, plotRight, goalY);
            m_canvas.SetTextAlign({HAlign::Right, VAlign::Baseline});
            m_canvas.DrawText(plotLeft - X(1, 20), goalY, std::to_string(m_view.goal));
        }
        return plotBottom + 2 * lh;
    }

    // One bar per pioneer: hours done (with credit) against the year's requirement.
    void PioneerBars(int y) {
        const int lh = m_metrics.lineHeight;
        const int rowHeight = lh + lh / 4;
        m_canvas.SetFont(m_subtitle);
        Text(HAlign::Left, m_metrics.left, y, std::string(Str(StrId::PioneerChartHeading)));
        y += lh + lh / 2;
        if (m_view.pioneers.empty()) {
            m_canvas.SetFont(m_text);
            Text(HAlign::Left, m_metrics.left, y, std::string(Str(StrId::NoRegularPioneers)));
            m_lastY = y + lh;
            return;
        }
        const int frameLeft = m_metrics.left + X(23, 10);
        const int frameRight = m_metrics.left + X(29, 5);
        for (const PioneerProgress& p : m_view.pioneers) {
            if (y + rowHeight > PageTopOf(m_page) + Y(19, 2)) {
                ++m_page;
                y = PageTopOf(m_page) + lh;
            }
            if (m_draw && m_canvas.MayShow(Rect{0, y - lh, X(17, 2), y + 2 * lh})) {
                m_canvas.SetFont(m_text);
                Text(HAlign::Left, m_metrics.left, y, p.name);
                const int barTop = y + lh / 5;
                const int barBottom = y + lh - lh / 5;
                const int required = std::max(p.Required(), 1);
                const int width = frameRight - frameLeft;
                const int hoursRight = frameLeft + static_cast<int>(static_cast<long long>(width) *
                                                                    std::min(p.hours, required) / required);
                const int doneRight = frameLeft + static_cast<int>(static_cast<long long>(width) *
                                                                   std::min(p.Done(), required) / required);
                FillRect(m_canvas, Rect{frameLeft, barTop, hoursRight, barBottom}, kRegularColor);
                FillRect(m_canvas, Rect{hoursRight, barTop, doneRight, barBottom}, kCreditColor);
                // The share of the requirement due by now, as a mark on the frame.
                const int dueX =
                    frameLeft + width * std::min(p.elapsed, p.pioneerMonths) / std::max(p.pioneerMonths, 1);
                m_canvas.SetPen(Pen{std::max(Y(1, 150), 1), 0x000000, PenStyle::Solid});
                m_canvas.DrawRectangle(Rect{frameLeft, barTop, frameRight, barBottom});
                m_canvas.SetPen(Pen{std::max(Y(1, 100), 1), kGoalColor, PenStyle::Solid});
                m_canvas.DrawLine(dueX, barTop - lh / 8, dueX, barBottom + lh / 8);
                m_canvas.SetFont(m_small);
                Text(HAlign::Right, m_metrics.left + X(15, 2), y,
                     FormatArgs(Str(StrId::PioneerChartBar), {std::to_string(p.Done()), std::to_string(p.Required())}));
            }
            y += rowHeight;
        }
        m_lastY = y;
    }

    Canvas& m_canvas;
    const ReportEnvironment& m_env;
    const PioneerProgressView& m_view;
    bool m_draw;
    PageMetrics m_metrics;
    LogicalFont m_title, m_subtitle, m_text, m_small;
    int m_page = 0;
    int m_lastY = 0;
    int m_end = 0;
};

class PioneerProgressReport : public Report {
public:
    explicit PioneerProgressReport(PioneerProgressView view) : m_view(std::move(view)) {}
    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        return DrawPioneerProgress(canvas, environment, m_view, false);
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        DrawPioneerProgress(canvas, environment, m_view, true);
    }

private:
    PioneerProgressView m_view;
};

} // namespace

PioneerProgressPresenter::PioneerProgressPresenter(const PublisherDatabase& database, const WorkingMonth& month,
                                                   bool lastNameFirst)
    : m_database(database), m_month(month) {
    for (const RecordNumber record : RegularPioneersOf(database, month))
        m_progress.push_back(ComputePioneerProgress(database, record, month, lastNameFirst));
    Rebuild();
}

std::vector<std::string> PioneerProgressPresenter::PioneerNames() const {
    std::vector<std::string> names;
    for (const PioneerProgress& p : m_progress)
        names.push_back(p.name);
    return names;
}

void PioneerProgressPresenter::Choose(int index) {
    m_chosen = index >= 0 && index < static_cast<int>(m_progress.size()) ? index : -1;
    Rebuild();
}

void PioneerProgressPresenter::SetPreviousYear(bool on) {
    m_previousYear = on;
    Rebuild();
}

void PioneerProgressPresenter::Rebuild() {
    PioneerProgressView view;
    view.caption = std::string(Str(StrId::PioneerProgressTitle));
    view.pioneers = m_progress;
    const MonthIndex working = m_month.monthIndex;
    const int monthsIntoYear = ServiceYearMonths(working);
    view.serviceYear = m_month.Year() + (working > kAugust ? 1 : 0) - (m_previousYear ? 1 : 0);
    view.goal = view.serviceYear - 2000 < 23 ? 70 : 50;
    if (m_chosen >= 0) {
        const PioneerProgress& p = m_progress[static_cast<std::size_t>(m_chosen)];
        const PublisherRecord& person = m_database.Record(p.record);
        view.chosen = true;
        view.name = p.name;
        view.caption += " - " + p.name;
        for (int k = 0; k < 12; ++k) {
            PioneerMonthBar& bar = view.months[static_cast<std::size_t>(k)];
            bar.month = (kSeptember + k) % kMonthsPerYear;
            const int step = monthsIntoYear - 1 - k + (m_previousYear ? 12 : 0);
            if (step < 0) {
                bar.future = true;
                continue;
            }
            const WalkMonth m = MonthBack(m_month, step);
            const ReportCell cell = person.Cell(m.month, m.slot);
            bar.hours = cell.hours + cell.QuarterHours() / 4;
            bar.credit = person.CreditHours(m.month, m.slot);
            bar.regular = cell.Pioneer() == PioneerCode::Regular;
        }
        if (m_previousYear) {
            view.lines[2] =
                FormatPrintf("%s : %d", std::string(Str(StrId::PeriodServiceYear)).c_str(), view.serviceYear);
        } else if (working != kAugust) {
            if (p.start != kSeptember)
                view.lines[0] = FormatArgs(Str(StrId::PioneerSince), {MonthName(p.start)});
            const std::string span = std::string(MonthAbbreviation((working + 1) % kMonthsPerYear)) + " - " +
                                     std::string(MonthAbbreviation(kAugust));
            view.lines[1] = FormatArgs(Str(StrId::PioneerRemainingTotal), {span}) + std::to_string(p.Remaining());
            if (p.monthsLeft > 0)
                view.lines[2] = FormatArgs(Str(StrId::PioneerRemainingAverage), {span}) +
                                FormatPrintf("%4.1f", p.RemainingPerMonth());
        }
    }
    m_view = std::move(view);
}

int DrawPioneerProgress(Canvas& canvas, const ReportEnvironment& environment, const PioneerProgressView& view,
                        bool draw) {
    ProgressDrawer drawer(canvas, environment, view, draw);
    return std::max(drawer.Run(), 1);
}

int PioneerProgressHeight(Canvas& canvas, const ReportEnvironment& environment, const PioneerProgressView& view) {
    ProgressDrawer drawer(canvas, environment, view, false);
    drawer.Run();
    return drawer.End() + canvas.DpiY() / 2;
}

std::unique_ptr<Report> MakePioneerProgressReport(const PioneerProgressView& view) {
    return std::make_unique<PioneerProgressReport>(view);
}

} // namespace vardo
