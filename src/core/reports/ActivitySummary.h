#pragma once

// The activity summary of the twelve months ending with the working month: participants, Bible studies and
// hours month by month, from the register or as reported to the branch office, with the sums and averages
// of a chosen period; its table, its bar chart and its printed page.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/reports/Canvas.h"
#include "core/reports/PageEngine.h"
#include "core/store/CardTotals.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// Where the figures come from.
enum class ActivitySource { Register, Branch };
/// Whose figures: 0 whole congregation, 1 publishers, 2 auxiliary pioneers, 3 regular and special pioneers.
enum class ActivityCategory { Congregation = 0, Publishers = 1, Auxiliary = 2, Pioneers = 3 };
/// The period of the sums and averages: the last 6 months, the service year so far, the last 12 months.
enum class ActivityPeriod { SixMonths = 0, ServiceYear = 1, TwelveMonths = 2 };
/// The figure the chart shows.
enum class ActivityMeasure { Participated = 0, Studies = 1, Hours = 2 };

/// The document data the summary reads; it must outlive the summary.
struct ActivityData {
    const PublisherDatabase* database = nullptr;
    const CardTotals* cardTotals = nullptr;
    WorkingMonth workingMonth;
    /// The working month's MonthState is not NotInitialised.
    bool workingMonthInitialised = true;
};

/// The dialog's state.
struct ActivityChoice {
    ActivitySource source = ActivitySource::Register;
    ActivityCategory category = ActivityCategory::Congregation;
    ActivityPeriod period = ActivityPeriod::TwelveMonths;
    ActivityMeasure measure = ActivityMeasure::Hours;
    bool operator==(const ActivityChoice&) const = default;
};

/// One month of the table.
struct ActivityRow {
    MonthIndex month = 0;
    YearSlot slot = 0;
    int year = 0;            ///< calendar year
    bool hasFigures = false; ///< within the period (and, for the working month, initialised)
    bool charted = false;    ///< shown in the chart: any month but an uninitialised working month
    int participated = 0;
    int studies = 0;
    int hours = 0;
    int Figure(ActivityMeasure measure) const;
};

struct ActivityTable {
    std::array<ActivityRow, 12> rows{}; ///< oldest first; the last row is the working month
    bool hoursShown = true;             ///< false for publishers, who report no hours
    bool summaryShown = false;          ///< the working month is initialised
    int months = 0;                     ///< months the sums walk
    int participatedSum = 0;
    int studiesSum = 0;
    int hoursSum = 0;
    double participatedAverage = 0.0;
    double studiesAverage = 0.0;
    double hoursAverage = 0.0;
};

/// Months the sums of the period walk back from the working month (included): 6, September through the
/// working month (1..12), or 12.
int ActivityPeriodMonths(const WorkingMonth& month, ActivityPeriod period);

/// The figures of one month and slot from the chosen source and category. Field missionaries are left out
/// of the register's figures; publishers' hours are never counted (publishers report none in the branch
/// figures either, whatever an older history holds).
ActivityRow ActivityFigures(const ActivityData& data, ActivitySource source, ActivityCategory category,
                            MonthIndex month, YearSlot slot);

/// The whole table for a choice.
ActivityTable ComputeActivity(const ActivityData& data, const ActivityChoice& choice);

/// Names and texts the dialog and the page show.
std::string ActivityCategoryName(ActivityCategory category);
std::string ActivityPeriodName(ActivityPeriod period);
/// "Sum/śred. dla 12 ost. mies.".
std::string ActivityPeriodText(ActivityPeriod period);
std::string ActivityMeasureName(ActivityMeasure measure);
/// A figure as a cell shows it: empty for 0 or less.
std::string ActivityCell(int value);

/// How the table is drawn: on the screen the month column and the heading row are framed; on the printer
/// every line is drawn with the given pen width and the figures stand further in.
struct ActivityTableStyle {
    LogicalFont font;
    int penWidth = 1;
    bool printer = false;
};

/// Draws the table into `area`: 15 rows (headings, twelve months, "Sumy", "Śred."), four columns.
void DrawActivityTable(Canvas& canvas, const Rect& area, const ActivityTable& table, const ActivityTableStyle& style);

/// Draws the bar chart of one measure over the twelve months into `area`: a heading, a scale with round
/// steps, one bar per charted month (its value above it; months outside the period paler, the working month
/// darker) and the month abbreviations below. For the publishers' hours a note stands in place of the bars.
void DrawActivityChart(Canvas& canvas, const Rect& area, const ActivityTable& table, ActivityMeasure measure,
                       const LogicalFont& font);

/// The round top of a chart's scale for a largest value, at least the value and divisible into five whole
/// steps: 5, then 10, 15, 20, 25, 30, 40, 50, 60 or 80 times a power of ten (10 for nothing).
int ChartScaleTop(int largest);

/// The printed page: caption, category, the table, the period note and the chart of the chosen measure.
std::unique_ptr<Report> MakeActivityReport(const ActivityData& data, const ActivityChoice& choice);

/// The dialog's behaviour: source, category, period (advanced by its button) and chart measure.
class ActivitySummaryPresenter {
public:
    explicit ActivitySummaryPresenter(const ActivityData& data) : m_data(data) { Recompute(); }

    const ActivityChoice& Choice() const { return m_choice; }
    const ActivityTable& Table() const { return m_table; }
    const ActivityData& Data() const { return m_data; }

    void SetSource(ActivitySource source);
    void SetCategory(int index); ///< 0..3; anything else is ignored
    void NextPeriod();           ///< 6 months → service year → 12 months → 6 months
    void SetMeasure(ActivityMeasure measure);

    /// The period button's text: "&Sum/śred. dla …".
    std::string PeriodButtonText() const;
    static std::vector<std::string> CategoryNames();
    static std::string Caption();

private:
    void Recompute() { m_table = ComputeActivity(m_data, m_choice); }

    ActivityData m_data;
    ActivityChoice m_choice;
    ActivityTable m_table;
};

} // namespace vardo
