#include "core/reports/ActivitySummary.h"

#include <algorithm>
#include <cmath>

#include "core/platform/Strings.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reporting/ReportRules.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

constexpr int kRows = 15;
constexpr std::uint32_t kBarColor = 0x5B82B8;
constexpr std::uint32_t kWorkingMonthBarColor = 0x2E4F7E;
constexpr std::uint32_t kOutsidePeriodBarColor = 0xB4C6DF;
constexpr std::uint32_t kGridColor = 0xC8C8C8;

// The category's filter on a month's pioneer code.
bool InCategory(ActivityCategory category, PioneerCode code) {
    switch (category) {
    case ActivityCategory::Congregation:
        return true;
    case ActivityCategory::Publishers:
        return code == PioneerCode::None;
    case ActivityCategory::Auxiliary:
        return code == PioneerCode::Auxiliary;
    case ActivityCategory::Pioneers:
        return code == PioneerCode::Regular || code == PioneerCode::Special;
    }
    return false;
}

// The rows of the branch figures a category adds.
std::vector<int> BranchRows(ActivityCategory category) {
    switch (category) {
    case ActivityCategory::Congregation:
        return {0, 1, 2, 3};
    case ActivityCategory::Publishers:
        return {0};
    case ActivityCategory::Auxiliary:
        return {1};
    case ActivityCategory::Pioneers:
        return {2, 3};
    }
    return {};
}

void DrawAt(Canvas& canvas, HAlign horizontal, VAlign vertical, int x, int y, const std::string& text) {
    if (text.empty())
        return;
    canvas.SetTextAlign({horizontal, vertical});
    canvas.DrawText(x, y, text);
}

} // namespace

int ActivityRow::Figure(ActivityMeasure measure) const {
    switch (measure) {
    case ActivityMeasure::Participated:
        return participated;
    case ActivityMeasure::Studies:
        return studies;
    case ActivityMeasure::Hours:
        return hours;
    }
    return 0;
}

int ActivityPeriodMonths(const WorkingMonth& month, ActivityPeriod period) {
    switch (period) {
    case ActivityPeriod::SixMonths:
        return 6;
    case ActivityPeriod::ServiceYear:
        return month.monthIndex < 8 ? month.monthIndex + 5 : month.monthIndex - 7;
    case ActivityPeriod::TwelveMonths:
        return 12;
    }
    return 12;
}

ActivityRow ActivityFigures(const ActivityData& data, ActivitySource source, ActivityCategory category,
                            MonthIndex month, YearSlot slot) {
    ActivityRow row;
    row.month = month;
    row.slot = slot;
    if (source == ActivitySource::Register) {
        if (data.database == nullptr)
            return row;
        for (const IndexEntry& entry : data.database->List(PublisherCategory::Publisher)) {
            const PublisherRecord& person = *entry.record;
            if (person.IsFieldMissionary())
                continue;
            const PioneerCode code = person.Pioneer(month, slot);
            if (!InCategory(category, code))
                continue;
            const ReportCell cell = person.Cell(month, slot);
            if (HasReport(cell))
                ++row.participated;
            row.studies += cell.BibleStudies();
            if (code != PioneerCode::None)
                row.hours += cell.hours;
        }
    } else {
        if (data.cardTotals == nullptr)
            return row;
        const YearSlot cardSlot = static_cast<YearSlot>(slot & 1);
        for (const int r : BranchRows(category)) {
            row.participated += data.cardTotals->Value(month, r, 8, cardSlot);
            row.studies += data.cardTotals->Value(month, r, 4, cardSlot);
            if (r != 0)
                row.hours += data.cardTotals->Value(month, r, 2, cardSlot);
        }
    }
    if (category == ActivityCategory::Publishers)
        row.hours = 0;
    return row;
}

ActivityTable ComputeActivity(const ActivityData& data, const ActivityChoice& choice) {
    ActivityTable table;
    const WorkingMonth& wm = data.workingMonth;
    table.hoursShown = choice.category != ActivityCategory::Publishers;
    table.summaryShown = data.workingMonthInitialised;
    table.months = ActivityPeriodMonths(wm, choice.period);
    const int shownRows = choice.period == ActivityPeriod::TwelveMonths ? 12
                          : choice.period == ActivityPeriod::SixMonths  ? 6
                                                                        : table.months;
    for (int i = 0; i < 12; ++i) {
        const int back = 11 - i;
        const WalkMonth walk = MonthBack(wm, back);
        ActivityRow row = ActivityFigures(data, choice.source, choice.category, walk.month, walk.slot);
        row.year = walk.month > wm.monthIndex ? wm.Year() - 1 : wm.Year();
        row.charted = back != 0 || data.workingMonthInitialised;
        row.hasFigures = back < shownRows && row.charted;
        table.rows[static_cast<std::size_t>(i)] = row;
    }
    if (!table.summaryShown)
        return table;
    for (int back = 0; back < table.months; ++back) {
        const ActivityRow& row = table.rows[static_cast<std::size_t>(11 - back)];
        table.participatedSum += std::max(row.participated, 0);
        table.studiesSum += std::max(row.studies, 0);
        table.hoursSum += std::max(row.hours, 0);
    }
    const double n = table.months > 0 ? table.months : 1;
    table.participatedAverage = table.participatedSum / n;
    table.studiesAverage = table.studiesSum / n;
    table.hoursAverage = table.hoursSum / n;
    return table;
}

std::string ActivityCategoryName(ActivityCategory category) {
    switch (category) {
    case ActivityCategory::Congregation:
        return std::string(Str(StrId::Congregation));
    case ActivityCategory::Publishers:
        return std::string(Str(StrId::TotalsPublishers));
    case ActivityCategory::Auxiliary:
        return std::string(Str(StrId::AuxiliaryPioneers));
    case ActivityCategory::Pioneers:
        return std::string(Str(StrId::TotalsPioneers));
    }
    return {};
}

std::string ActivityPeriodName(ActivityPeriod period) {
    switch (period) {
    case ActivityPeriod::SixMonths:
        return std::string(Str(StrId::PeriodSixMonths));
    case ActivityPeriod::ServiceYear:
        return std::string(Str(StrId::PeriodServiceYear));
    case ActivityPeriod::TwelveMonths:
        return std::string(Str(StrId::PeriodTwelveMonths));
    }
    return {};
}

std::string ActivityPeriodText(ActivityPeriod period) {
    return FormatArgs(Str(StrId::ActivityPeriodPattern), {ActivityPeriodName(period)});
}

std::string ActivityMeasureName(ActivityMeasure measure) {
    switch (measure) {
    case ActivityMeasure::Participated:
        return std::string(Str(StrId::ActivityMeasureParticipated));
    case ActivityMeasure::Studies:
        return std::string(Str(StrId::BibleStudiesColumn));
    case ActivityMeasure::Hours:
        return std::string(Str(StrId::ActivityMeasureHours));
    }
    return {};
}

std::string ActivityCell(int value) {
    return value > 0 ? FormatPrintf("%d", value) : std::string();
}

void DrawActivityTable(Canvas& canvas, const Rect& area, const ActivityTable& table, const ActivityTableStyle& style) {
    const int w = area.Width();
    const int rowHeight = area.Height() / kRows;
    if (w <= 0 || rowHeight <= 0)
        return;
    const int pen = std::max(style.penWidth, 1);
    const int left = area.left;
    const int top = area.top;
    const int bottom = top + kRows * rowHeight;
    const int bounds[] = {left, left + w / 5, left + 2 * (w / 4), left + 3 * (w / 4), left + w};

    canvas.SetPen(Pen{style.penWidth, 0x000000, PenStyle::Solid});
    if (style.printer) {
        for (int r = 0; r <= kRows; ++r)
            canvas.DrawLine(left, top + r * rowHeight, left + w, top + r * rowHeight);
    } else {
        canvas.DrawRectangle(Rect{left, top, left + w, top + rowHeight});
        canvas.DrawRectangle(Rect{left, top, bounds[1], bottom});
        for (int r = 2; r < kRows; ++r)
            canvas.DrawLine(bounds[1], top + r * rowHeight, left + w, top + r * rowHeight);
        canvas.DrawLine(bounds[1], bottom, left + w, bottom);
    }
    for (const int x : bounds)
        canvas.DrawLine(x, top, x, bottom);

    canvas.SetFont(style.font);
    const int textHeight = canvas.Metrics().height;
    const auto rowTextY = [&](int r) { return top + r * rowHeight + std::max((rowHeight - textHeight) / 2, 0); };
    const std::string headings[] = {std::string(Str(StrId::CardParticipated)),
                                    std::string(Str(StrId::BibleStudiesColumn)), std::string(Str(StrId::HoursLabel))};
    for (int c = 0; c < 3; ++c) {
        // A heading wider than its column is drawn in a font made small enough to fit.
        const int room = bounds[c + 2] - bounds[c + 1] - 12 * pen;
        const int width = canvas.TextExtent(headings[c]).width;
        if (width > room && room > 0 && style.font.height != 0) {
            LogicalFont smaller = style.font;
            smaller.height = static_cast<int>(static_cast<long long>(style.font.height) * room / width);
            if (smaller.height == 0)
                smaller.height = style.font.height > 0 ? 1 : -1;
            canvas.SetFont(smaller);
        }
        DrawAt(canvas, HAlign::Right, VAlign::Top, bounds[c + 2] - 8 * pen, rowTextY(0), headings[c]);
        canvas.SetFont(style.font);
    }

    const int figureInset = (style.printer ? 30 : 10) * pen;
    const auto figures = [&](int r, int participated, int studies, int hours, bool showParticipated) {
        const int y = rowTextY(r);
        if (showParticipated)
            DrawAt(canvas, HAlign::Right, VAlign::Top, bounds[2] - figureInset, y, ActivityCell(participated));
        DrawAt(canvas, HAlign::Right, VAlign::Top, bounds[3] - figureInset, y, ActivityCell(studies));
        if (table.hoursShown)
            DrawAt(canvas, HAlign::Right, VAlign::Top, bounds[4] - figureInset, y, ActivityCell(hours));
    };
    for (int i = 0; i < 12; ++i) {
        const ActivityRow& row = table.rows[static_cast<std::size_t>(i)];
        DrawAt(canvas, HAlign::Left, VAlign::Top, left + w / 20, rowTextY(i + 1), std::string(MonthName(row.month)));
        if (row.hasFigures)
            figures(i + 1, row.participated, row.studies, row.hours, true);
    }
    DrawAt(canvas, HAlign::Left, VAlign::Top, left + w / 16, rowTextY(13), std::string(Str(StrId::SumsLabel)));
    DrawAt(canvas, HAlign::Left, VAlign::Top, left + w / 16, rowTextY(14),
           std::string(Str(StrId::ActivityAveragesLabel)));
    if (!table.summaryShown)
        return;
    figures(13, 0, table.studiesSum, table.hoursSum, false);
    const int y = rowTextY(14);
    DrawAt(canvas, HAlign::Right, VAlign::Top, bounds[3] - figureInset, y, FormatPrintf("%4.1f", table.studiesAverage));
    if (table.hoursShown)
        DrawAt(canvas, HAlign::Right, VAlign::Top, bounds[4] - figureInset, y,
               FormatPrintf("%4.1f", table.hoursAverage));
}

int ChartScaleTop(int largest) {
    if (largest <= 5)
        return largest <= 0 ? 10 : 5;
    // Tops that divide into five whole steps.
    static constexpr int kFactors[] = {10, 15, 20, 25, 30, 40, 50, 60, 80};
    for (long long power = 1; power <= 100000000; power *= 10)
        for (const int factor : kFactors)
            if (factor * power >= largest)
                return static_cast<int>(factor * power);
    return largest;
}

void DrawActivityChart(Canvas& canvas, const Rect& area, const ActivityTable& table, ActivityMeasure measure,
                       const LogicalFont& font) {
    canvas.SetFont(font);
    const FontMetrics metrics = canvas.Metrics();
    const int line = std::max(metrics.height + metrics.externalLeading, 1);
    canvas.SetPen(Pen{0, 0x000000, PenStyle::Solid});
    DrawAt(canvas, HAlign::Left, VAlign::Top, area.left, area.top, ActivityMeasureName(measure));
    if (measure == ActivityMeasure::Hours && !table.hoursShown) {
        DrawAt(canvas, HAlign::Center, VAlign::Top, area.left + area.Width() / 2, area.top + area.Height() / 2,
               std::string(Str(StrId::ActivityNoPublisherHours)));
        return;
    }
    int largest = 0;
    for (const ActivityRow& row : table.rows)
        if (row.charted)
            largest = std::max(largest, row.Figure(measure));
    const int scaleTop = ChartScaleTop(largest);
    const int labelWidth = canvas.TextExtent(FormatPrintf("%d", scaleTop)).width + metrics.averageWidth;
    const Rect plot{area.left + labelWidth, area.top + 2 * line, area.right, area.bottom - line - line / 2};
    if (plot.Width() <= 12 || plot.Height() <= 0)
        return;

    constexpr int kSteps = 5;
    for (int s = 0; s <= kSteps; ++s) {
        const int y = plot.bottom - static_cast<int>(static_cast<long long>(plot.Height()) * s / kSteps);
        canvas.SetPen(Pen{0, s == 0 ? 0x000000u : kGridColor, PenStyle::Solid});
        canvas.DrawLine(plot.left, y, plot.right, y);
        DrawAt(canvas, HAlign::Right, VAlign::Baseline, plot.left - metrics.averageWidth / 2, y + metrics.ascent / 2,
               FormatPrintf("%d", static_cast<int>(static_cast<long long>(scaleTop) * s / kSteps)));
    }
    canvas.SetPen(Pen{0, 0x000000, PenStyle::Solid});
    canvas.DrawLine(plot.left, plot.top, plot.left, plot.bottom);

    const int slot = plot.Width() / 12;
    const int barWidth = std::max(slot * 3 / 5, 1);
    for (int i = 0; i < 12; ++i) {
        const ActivityRow& row = table.rows[static_cast<std::size_t>(i)];
        const int centre = plot.left + slot * i + slot / 2;
        DrawAt(canvas, HAlign::Center, VAlign::Top, centre, plot.bottom + line / 4,
               std::string(MonthAbbreviation(row.month)));
        const int value = row.Figure(measure);
        if (!row.charted || value <= 0)
            continue;
        const int height = static_cast<int>(static_cast<long long>(plot.Height()) * value / scaleTop);
        const std::uint32_t color = i == 11          ? kWorkingMonthBarColor
                                    : row.hasFigures ? kBarColor
                                                     : kOutsidePeriodBarColor;
        canvas.FillRect(centre - barWidth / 2, plot.bottom - height, barWidth, height, color);
        DrawAt(canvas, HAlign::Center, VAlign::Bottom, centre, plot.bottom - height, FormatPrintf("%d", value));
    }
}

namespace {

class ActivityReport : public Report {
public:
    ActivityReport(const ActivityData& data, const ActivityChoice& choice) : m_data(data), m_choice(choice) {}

    int CountPages(Canvas&, const ReportEnvironment&) const override { return 1; }

    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        const ActivityTable table = ComputeActivity(m_data, m_choice);
        const int dpiX = canvas.DpiX();
        const int dpiY = canvas.DpiY();
        const auto x = [dpiX](int num, int den) { return dpiX * num / den; };
        const auto y = [dpiY](int num, int den) { return dpiY * num / den; };
        const bool differs = DeviceDiffers(canvas, environment);

        canvas.SetFont(ReportFontFor(canvas, environment, ReportFontId::Subtitle));
        DrawAt(canvas, HAlign::Left, VAlign::Top, x(11, 10), y(1, 1), ActivitySummaryPresenter::Caption());
        DrawAt(canvas, HAlign::Left, VAlign::Top, x(5, 1), y(1, 1), ActivityCategoryName(m_choice.category));
        DrawDateStamp(canvas, environment, x(15, 2), y(1, 1), differs, VAlign::Bottom);

        const LogicalFont text = ReportFontFor(canvas, environment, ReportFontId::Text);
        canvas.SetFont(text);
        const std::string sourceName(
            Str(m_choice.source == ActivitySource::Register ? StrId::ActivityFromRegister : StrId::ActivityFromBranch));
        DrawAt(canvas, HAlign::Left, VAlign::Top, x(11, 10), y(5, 4), sourceName);

        ActivityTableStyle style;
        style.font = text;
        style.printer = differs;
        style.penWidth = differs ? std::max(dpiX / 300, 1) : 1;
        const Rect tableArea{x(1, 1), y(3, 2), x(1, 1) + x(6, 1), y(3, 2) + y(3, 1)};
        DrawActivityTable(canvas, tableArea, table, style);
        canvas.SetFont(text);
        DrawAt(canvas, HAlign::Left, VAlign::Top, x(4, 1), tableArea.top + y(3, 1) + y(1, 20),
               "* " + ActivityPeriodText(m_choice.period));

        const Rect chartArea{x(1, 1), y(51, 10), x(7, 1), y(9, 1)};
        DrawActivityChart(canvas, chartArea, table, m_choice.measure, text);
    }

private:
    ActivityData m_data;
    ActivityChoice m_choice;
};

} // namespace

std::unique_ptr<Report> MakeActivityReport(const ActivityData& data, const ActivityChoice& choice) {
    return std::make_unique<ActivityReport>(data, choice);
}

void ActivitySummaryPresenter::SetSource(ActivitySource source) {
    m_choice.source = source;
    Recompute();
}

void ActivitySummaryPresenter::SetCategory(int index) {
    if (index < 0 || index > 3)
        return;
    m_choice.category = static_cast<ActivityCategory>(index);
    Recompute();
}

void ActivitySummaryPresenter::NextPeriod() {
    m_choice.period = static_cast<ActivityPeriod>((static_cast<int>(m_choice.period) + 1) % 3);
    Recompute();
}

void ActivitySummaryPresenter::SetMeasure(ActivityMeasure measure) {
    m_choice.measure = measure;
}

std::string ActivitySummaryPresenter::PeriodButtonText() const {
    return "&" + ActivityPeriodText(m_choice.period);
}

std::vector<std::string> ActivitySummaryPresenter::CategoryNames() {
    std::vector<std::string> names;
    for (int i = 0; i < 4; ++i)
        names.push_back(ActivityCategoryName(static_cast<ActivityCategory>(i)));
    return names;
}

std::string ActivitySummaryPresenter::Caption() {
    return std::string(Str(StrId::ActivityCaption));
}

} // namespace vardo
