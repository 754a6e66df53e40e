#include "core/reports/HoursReports.h"

#include <algorithm>
#include <array>

#include "core/platform/Strings.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reporting/MonthTotals.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

constexpr MonthIndex kAugust = 7;
constexpr MonthIndex kSeptember = 8;

std::string S(StrId id) {
    return std::string(Str(id));
}

// Months of the service year from September through the working month (September = 1, August = 12).
int ServiceYearMonths(MonthIndex working) {
    return (working - kSeptember + kMonthsPerYear) % kMonthsPerYear + 1;
}

bool IsRegularPioneerNow(const PublisherRecord& person, const WorkingMonth& month) {
    return person.Pioneer(month.monthIndex, month.SlotOf(month.monthIndex)) == PioneerCode::Regular;
}

bool WasAuxiliaryIn12Months(const PublisherRecord& person, const WorkingMonth& month) {
    for (int step = 0; step < 12; ++step) {
        const WalkMonth m = MonthBack(month, step);
        if (person.Pioneer(m.month, m.slot) == PioneerCode::Auxiliary)
            return true;
    }
    return false;
}

// True when the person passes the filter as the report type reads it.
bool Matches(HoursReportType type, const PublisherRecord& person, const WorkingMonth& month,
             const ReportFilter& filter) {
    if (filter.group != 0 && person.Group() != filter.group)
        return false;
    if (filter.userCategory && !person.InUserCategory())
        return false;
    if (filter.pioneer == 2 && !IsRegularPioneerNow(person, month))
        return false;
    if (filter.pioneer == 1 && !WasAuxiliaryIn12Months(person, month))
        return false;
    if (filter.appointment != 0) {
        const int appointment = static_cast<int>(person.GetAppointment());
        const bool pairs =
            filter.appointment == 1 && (type == HoursReportType::Hours || type == HoursReportType::ServiceYear);
        if (pairs ? (appointment != 1 && appointment != 2) : appointment != filter.appointment)
            return false;
    }
    return true;
}

// Whole hours with the quarter hours carried into them.
int CarriedHours(int hours, int quarters) {
    return hours + quarters / 4;
}

// The page frame the four reports share, and the walk over rows that both the drawing and the page count use.
class HoursDrawer {
public:
    HoursDrawer(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment, ReportKind kind,
                HoursReportType type, const ReportFilter& filter, bool draw)
        : m_source(source), m_db(*source.database), m_canvas(canvas), m_env(environment), m_kind(kind), m_type(type),
          m_filter(filter), m_draw(draw), m_month(source.workingMonth) {
        m_metrics = BeginPageMetrics(canvas, environment);
        m_titleFont = ReportFontFor(canvas, environment, ReportFontId::Title);
        m_subtitleFont = ReportFontFor(canvas, environment, ReportFontId::Subtitle);
        m_headerFont = ReportFontFor(canvas, environment, ReportFontId::Header);
        m_textFont = ReportFontFor(canvas, environment, ReportFontId::Text);
        m_smallFont = ReportFontFor(canvas, environment, ReportFontId::Small);
        canvas.SetFont(m_textFont);
        m_metrics.lineHeight = ReportLineHeight(canvas.Metrics(), m_metrics.dpiY, environment.options.gridLines);
        m_metrics.linesPerPage = LinesPerPage(UsableHeight(m_metrics.dpiY, false), m_metrics.lineHeight);
        m_rowsPerPage = std::max(m_metrics.linesPerPage - 1, 1);
        m_metrics.title = HoursReportTitle(type, m_month);
        m_metrics.subtitle = HoursReportSubtitle(kind, source, filter, environment.options.congregationName);
        m_rowFont = (type == HoursReportType::Averages || type == HoursReportType::Hours) ? m_smallFont : m_textFont;
        SetColumns();
    }

    // Draws (or only counts) every page; returns the pages used.
    int Run() {
        const std::vector<RecordNumber> rows = SelectReportRows(m_type, m_source, m_filter);
        int total = static_cast<int>(rows.size());
        m_closingRow = -1;
        bool closing = false;
        for (std::size_t i = 0; i < rows.size(); ++i)
            DrawRow(static_cast<int>(i), rows[i], closing);
        if (m_type == HoursReportType::ServiceYear && !rows.empty())
            closing = true;
        if (closing) {
            m_closingRow = total + 3;
            total = m_closingRow + 1;
        }
        const int pages = std::max((total + m_rowsPerPage - 1) / m_rowsPerPage, 1);
        if (m_draw) {
            for (int page = 0; page < pages; ++page) {
                DrawHeader(page);
                const int first = page * m_rowsPerPage;
                const int onPage = std::min(static_cast<int>(rows.size()) - first, m_rowsPerPage);
                if (m_env.options.gridLines && onPage > 0)
                    DrawGrid(m_canvas, RowY(first), m_metrics.left - X(1, 20), m_metrics.lineHeight, onPage,
                             m_gridColumns);
            }
            if (m_closingRow >= 0)
                DrawClosing(m_closingRow);
        }
        return pages;
    }

private:
    int X(int num, int den = 1) const { return m_metrics.dpiX * num / den; }
    int PageTopOf(int page) const { return PageTop(page, m_env.pageHeightTenths, m_metrics.dpiY, m_metrics.topMargin); }
    int RowY(int row) const {
        return PageTopOf(row / m_rowsPerPage) + (4 + row % m_rowsPerPage) * m_metrics.lineHeight;
    }
    bool Shows(int y) const {
        return m_draw && m_canvas.MayShow(Rect{0, y - m_metrics.lineHeight, X(17, 2), y + 2 * m_metrics.lineHeight});
    }
    void Text(HAlign align, int x, int y, const std::string& text) {
        if (text.empty())
            return;
        m_canvas.SetTextAlign({align, VAlign::Top});
        m_canvas.DrawText(x, y, text);
    }

    void SetColumns() {
        const int left = m_metrics.left;
        std::vector<int>& c = m_metrics.columns;
        c.clear();
        m_gridColumns.clear();
        switch (m_type) {
        case HoursReportType::Averages:
        case HoursReportType::ServiceYear: {
            const int step = X(1) + X(1, 16);
            for (int i = 0; i < 4; ++i)
                c.push_back(left + X(3) + i * step);
            m_gridColumns.push_back(c.front() - step + X(1, 10));
            for (const int x : c)
                m_gridColumns.push_back(x + X(1, 10));
            m_headings = {S(StrId::ParticipatedHeading), S(StrId::StudiesLabel), S(StrId::AuxiliaryHeading),
                          S(StrId::HoursLabel)};
            break;
        }
        case HoursReportType::Hours: {
            m_headings.clear();
            for (int i = 0; i < 12; ++i) {
                c.push_back(left + X(5, 2) + i * X(1, 3));
                m_headings.emplace_back(MonthAbbreviation(MonthBack(m_month, 11 - i).month));
            }
            c.push_back(c.back() + X(1, 2));
            m_headings.push_back(S(StrId::AverageShortHeading));
            m_gridColumns.push_back(left + X(5, 2) - X(1, 3) + X(1, 20));
            for (const int x : c)
                m_gridColumns.push_back(x + X(1, 20));
            break;
        }
        case HoursReportType::PioneerHours: {
            const int step = X(3, 4);
            for (int i = 0; i < 6; ++i)
                c.push_back(left + X(3) + i * step);
            m_gridColumns.push_back(c.front() - step + X(1, 10));
            for (const int x : c)
                m_gridColumns.push_back(x + X(1, 10));
            m_headings = {S(StrId::PioneerHoursHeading),     S(StrId::PioneerCreditHeading),
                          S(StrId::PioneerSumHeading),       S(StrId::PioneerPerMonthHeading),
                          S(StrId::PioneerRemainingHeading), S(StrId::PioneerRemainingPerMonthHeading)};
            break;
        }
        }
    }

    void DrawHeader(int page) {
        const int top = PageTopOf(page);
        if (!m_canvas.MayShow(Rect{0, top - m_metrics.dpiY, X(17, 2), top + 3 * m_metrics.lineHeight}))
            return;
        const int titleY = top - m_metrics.dpiY / 5;
        m_canvas.SetFont(m_titleFont);
        Text(HAlign::Left, m_metrics.left, titleY, m_metrics.title);
        DrawDateStamp(m_canvas, m_env, X(15, 2), titleY, m_metrics.deviceDiffers, VAlign::Top);
        m_canvas.SetFont(m_subtitleFont);
        Text(HAlign::Left, m_metrics.left, top + m_metrics.lineHeight / 2, m_metrics.subtitle);
        m_canvas.SetFont(m_headerFont);
        const int y = top + 2 * m_metrics.lineHeight;
        Text(HAlign::Left, m_metrics.left, y, S(StrId::NameHeading));
        for (std::size_t i = 0; i < m_headings.size() && i < m_metrics.columns.size(); ++i)
            Text(HAlign::Right, m_metrics.columns[i], y, m_headings[i]);
    }

    void DrawRow(int row, RecordNumber record, bool& closing) {
        const PublisherRecord& person = m_db.Record(record);
        std::vector<std::string> cells;
        std::string name = m_db.DisplayNameOfRecord(record, m_env.options.surnameFirst);
        std::vector<int> boxes; // month columns that show a ticked box instead of a number
        switch (m_type) {
        case HoursReportType::Averages:
            cells = AveragesCells(person);
            break;
        case HoursReportType::Hours:
            cells = HoursCells(person, boxes);
            break;
        case HoursReportType::ServiceYear:
            cells = ServiceYearCells(person);
            break;
        case HoursReportType::PioneerHours: {
            const PioneerProgress progress = ComputePioneerProgress(m_db, record, m_month, false);
            if (progress.start != kSeptember) {
                name += " *";
                closing = true;
            }
            cells = {std::to_string(progress.hours),
                     std::to_string(progress.credit),
                     std::to_string(progress.Done()),
                     FormatPrintf("%4.1f", progress.AveragePerMonth()),
                     std::to_string(progress.Remaining()),
                     m_month.monthIndex == kAugust ? std::string()
                                                   : FormatPrintf("%4.1f", progress.RemainingPerMonth())};
            break;
        }
        }
        const int y = RowY(row);
        if (!Shows(y))
            return;
        m_canvas.SetFont(m_rowFont);
        Text(HAlign::Left, m_metrics.left, y, name);
        for (std::size_t i = 0; i < cells.size() && i < m_metrics.columns.size(); ++i)
            Text(HAlign::Right, m_metrics.columns[i], y, cells[i]);
        for (const int column : boxes) {
            const int boxBottom = y + (m_metrics.lineHeight + m_metrics.dpiY / 10) / 2;
            DrawCheckBox(m_canvas, m_metrics.columns[static_cast<std::size_t>(column)] - X(1, 13), boxBottom, true, 10);
        }
    }

    std::vector<std::string> AveragesCells(const PublisherRecord& person) const {
        StatusBasis basis;
        basis.month = m_month;
        const int window = std::clamp(MonthsInService(person, basis), 1, 6);
        int participated3 = 0, participated6 = 0, auxiliary3 = 0, auxiliary6 = 0;
        int studies3 = 0, studies6 = 0, timeMonths3 = 0, timeMonths6 = 0;
        double hours3 = 0, hours6 = 0;
        const int n3 = std::min(window, 3);
        const int n6 = std::min(window, 6);
        for (int step = 0; step < 6; ++step) {
            const WalkMonth m = MonthBack(m_month, step);
            const bool participated = Participated(person, m.month, m.slot);
            const PioneerCode code = person.Pioneer(m.month, m.slot);
            const ReportCell cell = person.Cell(m.month, m.slot);
            participated6 += participated ? 1 : 0;
            participated3 += participated && step < 3 ? 1 : 0;
            auxiliary6 += code == PioneerCode::Auxiliary ? 1 : 0;
            auxiliary3 += code == PioneerCode::Auxiliary && step < 3 ? 1 : 0;
            const bool timed = code != PioneerCode::None && HasTime(person, m.month, m.slot);
            if (step < n6) {
                studies6 += cell.BibleStudies();
                if (timed) {
                    hours6 += cell.TotalHours();
                    ++timeMonths6;
                }
            }
            if (step < n3) {
                studies3 += cell.BibleStudies();
                if (timed) {
                    hours3 += cell.TotalHours();
                    ++timeMonths3;
                }
            }
        }
        const double hoursAverage3 = timeMonths3 > 0 ? hours3 / timeMonths3 : 0.0;
        const double hoursAverage6 = timeMonths6 > 0 ? hours6 / timeMonths6 : 0.0;
        return {FormatPrintf("%d / %d", participated3, participated6),
                FormatPrintf("%6.1f/%4.1f", static_cast<double>(studies3) / n3, static_cast<double>(studies6) / n6),
                auxiliary6 == 0 ? std::string() : FormatPrintf("%d / %d", auxiliary3, auxiliary6),
                hoursAverage6 < 0.01 ? std::string() : FormatPrintf("%6.1f/%4.1f", hoursAverage3, hoursAverage6)};
    }

    std::vector<std::string> HoursCells(const PublisherRecord& person, std::vector<int>& boxes) const {
        std::vector<std::string> cells(13);
        const bool pioneerFiltered = m_filter.pioneer != 0;
        const int sinceChange = static_cast<int>(m_month.monthCount) - static_cast<int>(m_source.lastOldFormatMonth);
        int wholeHours = 0, quarters = 0, auxiliaryHours = 0, auxiliaryMonths = 0;
        bool oldInWindow = false;
        for (int i = 0; i < 12; ++i) {
            const WalkMonth m = MonthBack(m_month, 11 - i);
            bool oldFormat = static_cast<int>(m.count) <= static_cast<int>(m_source.lastOldFormatMonth);
            if (pioneerFiltered && sinceChange < 12)
                oldFormat = true;
            oldInWindow = oldInWindow || oldFormat;
            const PioneerCode code = person.Pioneer(m.month, m.slot);
            const ReportCell cell = person.Cell(m.month, m.slot);
            const bool timed = HasTime(person, m.month, m.slot);
            wholeHours += cell.hours;
            quarters += cell.QuarterHours();
            if (code == PioneerCode::Auxiliary && timed) {
                auxiliaryHours += cell.hours;
                ++auxiliaryMonths;
            }
            if (pioneerFiltered && static_cast<int>(code) != m_filter.pioneer)
                continue;
            if (timed && (oldFormat || code != PioneerCode::None))
                cells[static_cast<std::size_t>(i)] = HoursText(cell.hours, cell.QuarterHours());
            else if (!oldFormat && Participated(person, m.month, m.slot))
                boxes.push_back(i);
        }
        if (m_kind == ReportKind::HoursAuxiliaryPioneers)
            cells[12] = FormatPrintf("%3.1f",
                                     auxiliaryMonths > 0 ? static_cast<double>(auxiliaryHours) / auxiliaryMonths : 0.0);
        else if (pioneerFiltered || !oldInWindow)
            cells[12] = FormatPrintf("%3.1f", TwelveMonthAverage(wholeHours, quarters));
        return cells;
    }

    std::vector<std::string> ServiceYearCells(const PublisherRecord& person) {
        const int months = ServiceYearMonths(m_month.monthIndex);
        int participated = 0, studies = 0, auxiliary = 0, hours = 0, quarters = 0;
        for (int step = 0; step < months; ++step) {
            const WalkMonth m = MonthBack(m_month, step);
            const ReportCell cell = person.Cell(m.month, m.slot);
            participated += Participated(person, m.month, m.slot) ? 1 : 0;
            studies += cell.BibleStudies();
            auxiliary += cell.Pioneer() == PioneerCode::Auxiliary ? 1 : 0;
            hours += cell.hours;
            quarters += cell.QuarterHours();
        }
        hours = CarriedHours(hours, quarters);
        m_sums[0] += static_cast<unsigned>(studies);
        m_sums[1] += static_cast<unsigned>(auxiliary);
        m_sums[2] += static_cast<unsigned>(hours);
        auto text = [](int value) { return value == 0 ? std::string() : std::to_string(value); };
        return {text(participated), text(studies), text(auxiliary), text(hours)};
    }

    void DrawClosing(int row) {
        const int y = RowY(row);
        if (!Shows(y))
            return;
        m_canvas.SetFont(m_rowFont);
        if (m_type == HoursReportType::ServiceYear) {
            Text(HAlign::Left, m_metrics.left, y, S(StrId::SumsLabel));
            for (int i = 0; i < 3; ++i)
                Text(HAlign::Right, m_metrics.columns[static_cast<std::size_t>(i + 1)], y,
                     FormatPrintf("%u", m_sums[static_cast<std::size_t>(i)]));
        } else {
            Text(HAlign::Left, m_metrics.left, y, " * " + S(StrId::PioneerLateStartNote));
        }
    }

    const HoursSource& m_source;
    const PublisherDatabase& m_db;
    Canvas& m_canvas;
    const ReportEnvironment& m_env;
    ReportKind m_kind;
    HoursReportType m_type;
    ReportFilter m_filter;
    bool m_draw;
    WorkingMonth m_month;
    PageMetrics m_metrics;
    LogicalFont m_titleFont, m_subtitleFont, m_headerFont, m_textFont, m_smallFont, m_rowFont;
    int m_rowsPerPage = 1;
    int m_closingRow = -1;
    std::vector<std::string> m_headings;
    std::vector<int> m_gridColumns;
    std::array<unsigned, 3> m_sums{};
};

int RunDrawer(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment, ReportKind kind,
              const ReportFilter& filter, bool draw) {
    const auto type = HoursReportKindOf(kind, filter.group);
    if (!source.database || !type)
        return 1;
    HoursDrawer drawer(source, canvas, environment, kind, type->type, filter, draw);
    return drawer.Run();
}

class HoursReport : public Report {
public:
    HoursReport(ReportKind kind, const HoursSource& source, ReportFilter filter)
        : m_kind(kind), m_source(source), m_filter(filter) {}
    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        return CountHoursReportPages(m_source, canvas, environment, m_kind, m_filter);
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        RunDrawer(m_source, canvas, environment, m_kind, m_filter, true);
    }

private:
    ReportKind m_kind;
    HoursSource m_source;
    ReportFilter m_filter;
};

} // namespace

std::optional<HoursReportKind> HoursReportKindOf(ReportKind kind, int group) {
    using K = ReportKind;
    using T = HoursReportType;
    switch (kind) {
    case K::AveragesCongregation:
        return HoursReportKind{T::Averages, {}};
    case K::AveragesGroup:
        return HoursReportKind{T::Averages, {group, 0, 0, false}};
    case K::AveragesRegularPioneers:
        return HoursReportKind{T::Averages, {0, 2, 0, false}};
    case K::AveragesElders:
        return HoursReportKind{T::Averages, {0, 0, 2, false}};
    case K::AveragesServants:
        return HoursReportKind{T::Averages, {0, 0, 1, false}};
    case K::AveragesBaptizedBrothers:
        return HoursReportKind{T::Averages, {0, 0, 3, false}};
    case K::AveragesUserCategory:
        return HoursReportKind{T::Averages, {0, 0, 0, true}};
    case K::HoursCongregation:
        return HoursReportKind{T::Hours, {}};
    case K::HoursGroup:
        return HoursReportKind{T::Hours, {group, 0, 0, false}};
    case K::HoursRegularPioneers:
        return HoursReportKind{T::Hours, {0, 2, 0, false}};
    case K::HoursAuxiliaryPioneers:
        return HoursReportKind{T::Hours, {0, 1, 0, false}};
    case K::HoursEldersServants:
        return HoursReportKind{T::Hours, {0, 0, 1, false}};
    case K::HoursBaptizedBrothers:
        return HoursReportKind{T::Hours, {0, 0, 3, false}};
    case K::HoursUserCategory:
        return HoursReportKind{T::Hours, {0, 0, 0, true}};
    case K::ServiceYearCongregation:
        return HoursReportKind{T::ServiceYear, {}};
    case K::ServiceYearRegularPioneers:
        return HoursReportKind{T::ServiceYear, {0, 2, 0, false}};
    case K::ServiceYearEldersServants:
        return HoursReportKind{T::ServiceYear, {0, 0, 1, false}};
    case K::PioneerHours:
        return HoursReportKind{T::PioneerHours, {0, 2, 0, false}};
    default:
        return std::nullopt;
    }
}

int PioneerMonthlyGoal(const WorkingMonth& month) {
    const int serviceYear = month.yearIndex + (month.monthIndex > kAugust ? 1 : 0);
    return serviceYear < 23 ? 70 : 50;
}

MonthIndex PioneerStartMonth(const PublisherRecord& person, const WorkingMonth& month) {
    for (int step = 0; step < 12; ++step) {
        const WalkMonth m = MonthBack(month, step);
        if (person.Pioneer(m.month, m.slot) != PioneerCode::Regular)
            return (m.month + 1) % kMonthsPerYear;
        if (m.month == kSeptember)
            return kSeptember;
    }
    return kSeptember;
}

int PioneerMonthsInYear(MonthIndex start) {
    return start <= kAugust ? 8 - start : 20 - start;
}

int MonthsSinceStart(MonthIndex start, MonthIndex working) {
    return (working - start + kMonthsPerYear) % kMonthsPerYear + 1;
}

int MonthsLeftToAugust(MonthIndex working) {
    return (kAugust - working + kMonthsPerYear) % kMonthsPerYear;
}

int PioneerProgress::Remaining() const {
    return std::max(Required() - hours - credit, 0);
}

double PioneerProgress::AveragePerMonth() const {
    return elapsed > 0 ? static_cast<double>(Done()) / elapsed : 0.0;
}

double PioneerProgress::RemainingPerMonth() const {
    return monthsLeft > 0 && Remaining() > 0 ? static_cast<double>(Remaining()) / monthsLeft : 0.0;
}

PioneerProgress ComputePioneerProgress(const PublisherDatabase& database, RecordNumber record,
                                       const WorkingMonth& month, bool lastNameFirst) {
    const PublisherRecord& person = database.Record(record);
    PioneerProgress p;
    p.record = record;
    p.name = database.DisplayNameOfRecord(record, lastNameFirst);
    p.start = PioneerStartMonth(person, month);
    // A start after the working month means no regular service in the working month: nothing has elapsed of
    // a year that began with it, so the whole service year is taken.
    if (MonthsSinceStart(p.start, month.monthIndex) > ServiceYearMonths(month.monthIndex))
        p.start = kSeptember;
    p.pioneerMonths = PioneerMonthsInYear(p.start);
    p.elapsed = MonthsSinceStart(p.start, month.monthIndex);
    p.goal = PioneerMonthlyGoal(month);
    p.monthsLeft = MonthsLeftToAugust(month.monthIndex);
    int quarters = 0;
    for (int step = 0; step < p.elapsed; ++step) {
        const WalkMonth m = MonthBack(month, step);
        const ReportCell cell = person.Cell(m.month, m.slot);
        p.hours += cell.hours;
        quarters += cell.QuarterHours();
        p.credit += person.CreditHours(m.month, m.slot);
    }
    p.hours = CarriedHours(p.hours, quarters);
    return p;
}

std::vector<RecordNumber> RegularPioneersOf(const PublisherDatabase& database, const WorkingMonth& month) {
    std::vector<RecordNumber> records;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        if (IsRegularPioneerNow(*entry.record, month))
            records.push_back(entry.recordNumber);
    return records;
}

std::string HoursText(int hours, int quarters) {
    static constexpr const char* kQuarters[] = {"", ",15", ",30", ",45"};
    return std::to_string(hours) + kQuarters[quarters & 3];
}

double TwelveMonthAverage(int hours, int quarters) {
    int whole = hours + quarters / 4;
    if (quarters % 4 == 3)
        ++whole;
    return whole / 12.0;
}

std::string HoursReportTitle(HoursReportType type, const WorkingMonth& month) {
    const std::string name(MonthName(month.monthIndex));
    switch (type) {
    case HoursReportType::Averages:
        return S(StrId::AveragesTitle) + " " + name;
    case HoursReportType::Hours:
        return S(StrId::HoursTwelveTitle) + " " + name;
    case HoursReportType::ServiceYear:
    case HoursReportType::PioneerHours:
        return S(StrId::ServiceYearSummaryTitle) + " " + name;
    }
    return {};
}

std::string HoursReportSubtitle(ReportKind kind, const HoursSource& source, const ReportFilter& filter,
                                const std::string& congregationName) {
    using K = ReportKind;
    std::string subtitle;
    switch (kind) {
    case K::AveragesGroup:
    case K::HoursGroup:
        subtitle = source.groups != nullptr && filter.group >= 1 && filter.group <= source.groups->Count()
                       ? source.groups->DisplayName(filter.group - 1)
                       : std::to_string(filter.group);
        return subtitle;
    case K::AveragesRegularPioneers:
        subtitle = S(StrId::CardRegularPioneer);
        break;
    case K::AveragesElders:
        subtitle = S(StrId::Elder);
        break;
    case K::AveragesServants:
        subtitle = S(StrId::MinisterialServant);
        break;
    case K::AveragesBaptizedBrothers:
        subtitle = S(StrId::BaptizedBrother);
        break;
    case K::AveragesUserCategory:
    case K::HoursUserCategory:
        subtitle = source.userCategoryLabel;
        break;
    case K::HoursRegularPioneers:
    case K::ServiceYearRegularPioneers:
        subtitle = S(StrId::RegularPioneers);
        break;
    case K::HoursAuxiliaryPioneers:
        subtitle = S(StrId::AuxiliaryPioneers);
        break;
    case K::HoursEldersServants:
    case K::ServiceYearEldersServants:
        subtitle = S(StrId::EldersServantsSubtitle);
        break;
    case K::HoursBaptizedBrothers:
        subtitle = S(StrId::BaptizedBrothersSubtitle);
        break;
    case K::PioneerHours:
        subtitle = S(StrId::RegularPioneers) + " - " + S(StrId::HoursLabel);
        break;
    default:
        subtitle = S(StrId::Congregation);
        break;
    }
    if (!congregationName.empty())
        subtitle += " - " + congregationName;
    return subtitle;
}

std::vector<RecordNumber> SelectReportRows(HoursReportType type, const HoursSource& source,
                                           const ReportFilter& filter) {
    std::vector<RecordNumber> rows;
    if (!source.database)
        return rows;
    for (const IndexEntry& entry : source.database->List(PublisherCategory::Publisher))
        if (Matches(type, *entry.record, source.workingMonth, filter))
            rows.push_back(entry.recordNumber);
    return rows;
}

void DrawAveragesReport(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment,
                        ReportKind kind, const ReportFilter& filter) {
    RunDrawer(source, canvas, environment, kind, filter, true);
}

void DrawHoursReport(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment, ReportKind kind,
                     const ReportFilter& filter) {
    RunDrawer(source, canvas, environment, kind, filter, true);
}

void DrawServiceYearSummary(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment,
                            ReportKind kind, const ReportFilter& filter) {
    RunDrawer(source, canvas, environment, kind, filter, true);
}

void DrawPioneerHoursReport(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment) {
    RunDrawer(source, canvas, environment, ReportKind::PioneerHours, ReportFilter{0, 2, 0, false}, true);
}

int CountHoursReportPages(const HoursSource& source, Canvas& canvas, const ReportEnvironment& environment,
                          ReportKind kind, const ReportFilter& filter) {
    return std::max(RunDrawer(source, canvas, environment, kind, filter, false), 1);
}

std::unique_ptr<Report> MakeHoursReport(ReportKind kind, const HoursSource& source, int group) {
    const auto type = HoursReportKindOf(kind, group);
    if (!type)
        return nullptr;
    return std::make_unique<HoursReport>(kind, source, type->filter);
}

} // namespace vardo
