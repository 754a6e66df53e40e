#include "core/reports/Statistics.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/platform/Strings.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reporting/Attendance.h"
#include "core/reporting/MonthTotals.h"
#include "core/reporting/ReportRules.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

std::string S(StrId id) {
    return std::string(Str(id));
}

void AddMovement(MovementCounts& counts, bool month, bool sixMonths, bool serviceYear) {
    counts.month += month ? 1 : 0;
    counts.sixMonths += sixMonths ? 1 : 0;
    counts.serviceYear += serviceYear ? 1 : 0;
}

int HighNibbleOf(std::uint8_t byte) {
    return byte >> 4;
}

// The mean of the monthly attendance averages over the `months` months back from the working month, the
// months without meetings left out; 0 when none had meetings.
double AttendanceOver(const MeetingAttendance& attendance, MeetingKind kind, const WorkingMonth& month, int months) {
    double sum = 0.0;
    int withMeetings = 0;
    for (int back = 0; back < months; ++back) {
        const WalkMonth walk = MonthBack(month, back);
        if (StoredFigures(attendance, kind, walk.month, walk.slot).meetings == 0)
            continue;
        sum += MeetingAverage(attendance, kind, walk.month, walk.slot);
        ++withMeetings;
    }
    return withMeetings > 0 ? sum / withMeetings : 0.0;
}

std::string Percent(double value) {
    return "(" + FormatPrintf("%3.0f%c", value, '%') + ")";
}

class StatisticsDrawer {
public:
    StatisticsDrawer(const StatisticsSource& source, Canvas& canvas, const ReportEnvironment& environment)
        : m_source(source), m_canvas(canvas), m_env(environment), m_month(source.workingMonth.monthIndex) {
        m_metrics = BeginPageMetrics(canvas, environment);
        m_title = ReportFontFor(canvas, environment, ReportFontId::Title);
        m_subtitle = ReportFontFor(canvas, environment, ReportFontId::Subtitle);
        m_header = ReportFontFor(canvas, environment, ReportFontId::Header);
        m_text = ReportFontFor(canvas, environment, ReportFontId::Text);
        canvas.SetFont(m_text);
        m_metrics.lineHeight = ReportLineHeight(canvas.Metrics(), m_metrics.dpiY, environment.options.gridLines);
        m_indent = m_metrics.left + m_metrics.dpiX / 5;
        m_newFormat = IsNewReportFormat(source.workingMonth.monthCount);
    }

    void Run() {
        const PublisherDatabase& db = *m_source.database;
        const WorkingMonth& wm = m_source.workingMonth;
        const CongregationCounts counts = ComputeCongregationCounts(m_source, m_env.today);
        const int top = m_metrics.topMargin;

        std::string title =
            FormatArgs(Str(StrId::StatisticsTitle), {Str(StrId::Congregation)}) + std::string(MonthName(m_month));
        if (!m_env.options.congregationName.empty())
            title += " - " + m_env.options.congregationName;
        m_canvas.SetFont(m_title);
        m_canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        m_canvas.DrawText(m_metrics.left, top, title);
        DrawDateStamp(m_canvas, m_env, X(15, 2), top + m_metrics.dpiY / 5, m_metrics.deviceDiffers, VAlign::Bottom);
        m_line = 2;

        CountLine(S(StrId::ActivePublishers), counts.active, false, counts);
        CountLine(S(StrId::StatRegularPublishers), counts.regular, true, counts);
        CountLine(S(StrId::StatBaptisedPublishers), counts.baptised, true, counts);
        CountLine(S(StrId::RegularPioneers), counts.regularPioneers, false, counts);
        CountLine(S(StrId::Elders), counts.elders, false, counts);
        CountLine(S(StrId::Servants), counts.servants, false, counts);
        if (counts.specialPioneers > 0)
            CountLine(S(StrId::SpecialPioneers), counts.specialPioneers, false, counts);

        ++m_line;
        Text(m_header, HAlign::Right, Column(3), std::string(MonthAbbreviation(m_month)));
        Text(m_header, HAlign::Right, Column(4), S(StrId::StatSixMonths));
        Text(m_header, HAlign::Right, Column(5), S(StrId::StatServiceYear));
        ++m_line;
        MovementLine(S(StrId::AuxiliaryPioneerLegend), counts.auxiliary);
        MovementLine(S(StrId::NewPublishers), counts.newPublishers);
        MovementLine(S(StrId::InactivePublishers), counts.inactive);
        MovementLine(S(StrId::ReactivatedPublishers), counts.reactivated);
        MovementLine(S(StrId::MovedPersons), counts.moved);

        ++m_line;
        const int yearMonths = MonthsOfPeriod(wm, StatusPeriod::ServiceYear);
        struct HoursLine {
            StrId label;
            int category;
            double month;
        };
        std::vector<HoursLine> hours;
        if (!m_newFormat)
            hours.push_back({StrId::PublishersShort, 0, counts.PublisherAverage()});
        hours.push_back({StrId::RegularShort, 2, counts.RegularPioneerAverage()});
        hours.push_back({StrId::AuxiliaryHeading, 1, counts.AuxiliaryAverage()});
        for (const HoursLine& line : hours) {
            Text(m_text, HAlign::Left, m_indent, S(StrId::AverageHoursHeading) + " ( " + S(line.label) + " )");
            Text(m_text, HAlign::Right, Column(3), FormatPrintf("%3.1f", line.month));
            Text(m_text, HAlign::Right, Column(4),
                 FormatPrintf("%3.1f", CategoryAverage(db, wm, line.category, 6, ReportField::Hours, 0, 0)));
            Text(m_text, HAlign::Right, Column(5),
                 FormatPrintf("%3.1f", CategoryAverage(db, wm, line.category, yearMonths, ReportField::Hours, 0, 0)));
            ++m_line;
        }

        if (m_env.options.datesInStatistics) {
            ++m_line;
            const int rightLabel = Column(5) - X(1, 4);
            Text(m_header, HAlign::Left, m_indent, S(StrId::BaptisedInYear));
            Text(m_header, HAlign::Left, rightLabel, S(StrId::StatAgeGroup));
            ++m_line;
            for (int i = 0; i < kStatisticsClasses; ++i) {
                Text(m_text, HAlign::Left, m_indent, std::string(BaptismClassLabel(i)));
                Text(m_text, HAlign::Right, Column(3), FormatPrintf("%d", counts.baptismClasses[i]));
                Text(m_text, HAlign::Right, Column(4), Percent(counts.PercentOfActive(counts.baptismClasses[i])));
                Text(m_text, HAlign::Left, rightLabel, std::string(AgeClassLabel(i)));
                Text(m_text, HAlign::Right, Column(7), FormatPrintf("%d", counts.ageClasses[i]));
                Text(m_text, HAlign::Right, Column(8), Percent(counts.PercentOfActive(counts.ageClasses[i])));
                ++m_line;
            }
        }

        if (m_source.attendance != nullptr) {
            ++m_line;
            Text(m_header, HAlign::Left, m_metrics.left, S(StrId::StatAttendance));
            Text(m_header, HAlign::Right, Column(3), std::string(MonthAbbreviation(m_month)));
            Text(m_header, HAlign::Right, Column(4), S(StrId::StatThreeMonths));
            Text(m_header, HAlign::Right, Column(5), S(StrId::SixMonthsHeading));
            Text(m_header, HAlign::Right, Column(6), S(StrId::StatServiceYear));
            ++m_line;
            for (const MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend}) {
                Text(m_text, HAlign::Left, m_indent,
                     S(kind == MeetingKind::Midweek ? StrId::MidweekMeeting : StrId::WeekendMeeting));
                const int spans[] = {1, 3, 6, yearMonths};
                for (int c = 0; c < 4; ++c)
                    Text(m_text, HAlign::Right, Column(3 + c),
                         FormatPrintf("%3.0f", AttendanceOver(*m_source.attendance, kind, wm, spans[c])));
                ++m_line;
            }
        }

        ++m_line;
        Text(m_subtitle, HAlign::Left, m_metrics.left,
             S(StrId::SixMonthAverages) + " " + std::string(MonthName(m_month)));
        m_line += 2;
        struct Field {
            StrId heading;
            ReportField field;
        };
        std::vector<Field> fields;
        if (!m_newFormat) {
            fields.push_back({StrId::StatPlacements, ReportField::Placements});
            fields.push_back({StrId::StatVideos, ReportField::Videos});
        }
        fields.push_back({StrId::HoursLabel, ReportField::Hours});
        if (!m_newFormat)
            fields.push_back({StrId::StatReturnVisits, ReportField::ReturnVisits});
        fields.push_back({StrId::StudiesLabel, ReportField::Studies});
        for (std::size_t f = 0; f < fields.size(); ++f)
            Text(m_header, HAlign::Right, Column(3 + static_cast<int>(f)), S(fields[f].heading));
        ++m_line;
        const StrId rows[] = {StrId::TotalsPublishers, StrId::AuxiliaryPioneers, StrId::RegularPioneers};
        for (int category = 0; category < 3; ++category) {
            Text(m_text, HAlign::Left, m_indent, S(rows[category]));
            for (std::size_t f = 0; f < fields.size(); ++f) {
                if (category == 0 && m_newFormat && fields[f].field == ReportField::Hours)
                    continue;
                Text(m_text, HAlign::Right, Column(3 + static_cast<int>(f)),
                     FormatPrintf("%3.1f", CategoryAverage(db, wm, category, 6, fields[f].field, 0, 0)));
            }
            ++m_line;
        }
    }

private:
    int X(int num, int den = 1) const { return m_metrics.dpiX * num / den; }
    int Y() const { return m_metrics.topMargin + m_line * m_metrics.lineHeight; }
    // Value column k of the grid: 0.4 inch after the indent, then every 3/4 inch.
    int Column(int k) const { return m_indent + X(2, 5) + k * X(3, 4); }
    void Text(const LogicalFont& font, HAlign align, int x, const std::string& text) {
        if (text.empty())
            return;
        m_canvas.SetFont(font);
        m_canvas.SetTextAlign({align, VAlign::Top});
        m_canvas.DrawText(x, Y(), text);
    }
    void CountLine(const std::string& label, int count, bool percent, const CongregationCounts& counts) {
        Text(m_text, HAlign::Left, m_indent, label);
        Text(m_text, HAlign::Right, Column(3), FormatPrintf("%d", count));
        if (percent)
            Text(m_text, HAlign::Right, Column(4), Percent(counts.PercentOfActive(count)));
        ++m_line;
    }
    void MovementLine(const std::string& label, const MovementCounts& counts) {
        Text(m_text, HAlign::Left, m_indent, label);
        Text(m_text, HAlign::Right, Column(3), FormatPrintf("%d", counts.month));
        Text(m_text, HAlign::Right, Column(4), FormatPrintf("%d", counts.sixMonths));
        Text(m_text, HAlign::Right, Column(5), FormatPrintf("%d", counts.serviceYear));
        ++m_line;
    }

    const StatisticsSource& m_source;
    Canvas& m_canvas;
    const ReportEnvironment& m_env;
    MonthIndex m_month;
    PageMetrics m_metrics;
    LogicalFont m_title, m_subtitle, m_header, m_text;
    int m_indent = 0;
    int m_line = 0;
    bool m_newFormat = false;
};

class StatisticsReport : public Report {
public:
    explicit StatisticsReport(const StatisticsSource& source) : m_source(source) {}
    int CountPages(Canvas&, const ReportEnvironment&) const override { return 1; }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        DrawStatistics(m_source, canvas, environment);
    }

private:
    StatisticsSource m_source;
};

} // namespace

std::optional<int> WholeYearsSince(std::string_view recordDate, int year, int month) {
    if (recordDate.size() < 8 || recordDate[4] < '0' || recordDate[4] > '9')
        return std::nullopt;
    int dateYear = 0;
    for (std::size_t i = 4; i < 8; ++i) {
        if (recordDate[i] < '0' || recordDate[i] > '9')
            return std::nullopt;
        dateYear = dateYear * 10 + (recordDate[i] - '0');
    }
    int dateMonth = 0;
    for (std::size_t i = 0; i < 2; ++i)
        if (recordDate[i] >= '0' && recordDate[i] <= '9')
            dateMonth = dateMonth * 10 + (recordDate[i] - '0');
    int years = year - dateYear;
    if (dateMonth > month)
        --years;
    return years;
}

int BaptismClassOf(const PublisherRecord& person, int year, int month) {
    if (HasNoBaptismDate(person))
        return 0;
    const std::optional<int> years = WholeYearsSince(person.RawText(TextField::BaptismDate), year, month);
    if (!years || *years < 0)
        return -1;
    if (*years == 0)
        return 1;
    if (*years <= 4)
        return 2;
    if (*years <= 9)
        return 3;
    if (*years <= 19)
        return 4;
    if (*years <= 29)
        return 5;
    return 6;
}

int AgeClassOf(const PublisherRecord& person, int year, int month) {
    const std::optional<int> years = WholeYearsSince(person.RawText(TextField::BirthDate), year, month);
    if (!years || *years < 0)
        return -1;
    if (*years <= 19)
        return 0;
    return std::min(*years / 10 - 1, 6);
}

std::string_view BaptismClassLabel(int index) {
    static constexpr StrId kLabels[kStatisticsClasses] = {
        StrId::UnbaptisedLegend, StrId::StatBaptismUnderYear, StrId::StatBaptism1to4,  StrId::Baptism5to9,
        StrId::Baptism10to19,    StrId::Baptism20to29,        StrId::StatBaptismOver30};
    return index >= 0 && index < kStatisticsClasses ? Str(kLabels[index]) : std::string_view{};
}

std::string_view AgeClassLabel(int index) {
    static constexpr StrId kLabels[kStatisticsClasses] = {StrId::StatAgeUnder20, StrId::StatAge20, StrId::StatAge30,
                                                          StrId::StatAge40,      StrId::StatAge50, StrId::StatAge60,
                                                          StrId::StatAgeOver70};
    return index >= 0 && index < kStatisticsClasses ? Str(kLabels[index]) : std::string_view{};
}

CongregationCounts ComputeCongregationCounts(const StatisticsSource& source, const Date& today) {
    CongregationCounts counts;
    if (source.database == nullptr)
        return counts;
    const PublisherDatabase& db = *source.database;
    const WorkingMonth& wm = source.workingMonth;
    const MonthIndex m = wm.monthIndex;
    const YearSlot slot = wm.SlotOf(m);
    const StatusBasis basis = StatusBasis::Of(wm, db.Header(), source.remarks);
    const int thisMonth = m + 1;

    for (const IndexEntry& entry : db.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = *entry.record;
        ++counts.active;
        if (!IsIrregular(person, basis))
            ++counts.regular;
        if (CountsAsBaptised(person))
            ++counts.baptised;
        const Appointment appointment = person.GetAppointment();
        counts.elders += appointment == Appointment::Elder ? 1 : 0;
        counts.servants += appointment == Appointment::MinisterialServant ? 1 : 0;
        counts.userCategory += person.InUserCategory() ? 1 : 0;

        const PioneerCode code = person.Pioneer(m, slot);
        const int hours = person.Hours(m, slot);
        switch (code) {
        case PioneerCode::Regular:
            ++counts.regularPioneers;
            counts.regularPioneerHours += hours;
            counts.regularPioneerReports += hours != 0 ? 1 : 0;
            break;
        case PioneerCode::Auxiliary:
            ++counts.auxiliaryPioneers;
            counts.auxiliaryHours += hours;
            counts.auxiliaryReports += hours != 0 ? 1 : 0;
            break;
        case PioneerCode::Special:
            ++counts.specialPioneers;
            break;
        case PioneerCode::None:
            counts.publisherHours += hours;
            counts.publisherReports += hours != 0 ? 1 : 0;
            break;
        }
        AddMovement(counts.auxiliary, code == PioneerCode::Auxiliary,
                    AuxiliaryPioneerIn(person, StatusPeriod::SixMonths, basis),
                    AuxiliaryPioneerIn(person, StatusPeriod::ServiceYear, basis));
        const int newSix = StatusMonthIn(person, StatusBit::New, StatusPeriod::SixMonths, basis);
        AddMovement(counts.newPublishers, newSix == thisMonth, newSix != 0,
                    StatusMonthIn(person, StatusBit::New, StatusPeriod::ServiceYear, basis) != 0);
        const int reactivatedSix = StatusMonthIn(person, StatusBit::Reactivated, StatusPeriod::SixMonths, basis);
        AddMovement(counts.reactivated, reactivatedSix == thisMonth, reactivatedSix != 0,
                    StatusMonthIn(person, StatusBit::Reactivated, StatusPeriod::ServiceYear, basis) != 0);

        const int baptismClass = BaptismClassOf(person, today.year, today.month);
        if (baptismClass >= 0)
            ++counts.baptismClasses[static_cast<std::size_t>(baptismClass)];
        const int ageClass = AgeClassOf(person, today.year, today.month);
        if (ageClass >= 0)
            ++counts.ageClasses[static_cast<std::size_t>(ageClass)];
    }
    for (const IndexEntry& entry : db.List(PublisherCategory::Inactive)) {
        const PublisherRecord& person = *entry.record;
        const bool six = InactiveIn(person, StatusPeriod::SixMonths, basis);
        AddMovement(counts.inactive, six && HighNibbleOf(person.StatusMonth()) == thisMonth, six,
                    InactiveIn(person, StatusPeriod::ServiceYear, basis));
    }
    for (const IndexEntry& entry : db.List(PublisherCategory::Moved)) {
        const PublisherRecord& person = *entry.record;
        const bool six = MovedIn(person, StatusPeriod::SixMonths, basis);
        AddMovement(counts.moved, six && HighNibbleOf(person.StatusMonth()) == thisMonth, six,
                    MovedIn(person, StatusPeriod::ServiceYear, basis));
    }
    return counts;
}

void DrawStatistics(const StatisticsSource& source, Canvas& canvas, const ReportEnvironment& environment) {
    if (source.database == nullptr)
        return;
    StatisticsDrawer(source, canvas, environment).Run();
}

std::unique_ptr<Report> MakeStatisticsReport(const StatisticsSource& source) {
    return std::make_unique<StatisticsReport>(source);
}

} // namespace vardo
