#pragma once

// The one-page congregation statistics at the end of the working month: counts by status and privilege,
// movements over the month, six months and the service year, average hours, the classes by years since
// baptism and by age, meeting attendance and the six-month averages per category.

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "core/platform/Date.h"
#include "core/reports/PageEngine.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// The document data the statistics read; everything must outlive the report. `attendance` and `remarks`
/// may be null.
struct StatisticsSource {
    const PublisherDatabase* database = nullptr;
    const MeetingAttendance* attendance = nullptr;
    const RemarkTable* remarks = nullptr;
    WorkingMonth workingMonth;
};

/// A movement over the working month, the last six months and the service year so far.
struct MovementCounts {
    int month = 0;
    int sixMonths = 0;
    int serviceYear = 0;
    bool operator==(const MovementCounts&) const = default;
};

/// Classes of the two tables: 0 unbaptised, 1 under a year, 2 1–4, 3 5–9, 4 10–19, 5 20–29, 6 30 and more
/// years since baptism; 0 up to 19, 1 20–29, ..., 5 60–69, 6 70 and more years of age.
inline constexpr int kStatisticsClasses = 7;

struct CongregationCounts {
    int active = 0;
    int regular = 0;
    int baptised = 0;
    int regularPioneers = 0;
    int specialPioneers = 0;
    int auxiliaryPioneers = 0;
    int elders = 0;
    int servants = 0;
    int userCategory = 0;
    int regularPioneerHours = 0; ///< sum of the non-zero hours and the number of such reports
    int regularPioneerReports = 0;
    int auxiliaryHours = 0;
    int auxiliaryReports = 0;
    int publisherHours = 0;
    int publisherReports = 0;
    MovementCounts auxiliary;
    MovementCounts newPublishers;
    MovementCounts inactive;
    MovementCounts reactivated;
    MovementCounts moved;
    std::array<int, kStatisticsClasses> baptismClasses{};
    std::array<int, kStatisticsClasses> ageClasses{};

    double RegularPioneerAverage() const { return Average(regularPioneerHours, regularPioneerReports); }
    double AuxiliaryAverage() const { return Average(auxiliaryHours, auxiliaryReports); }
    double PublisherAverage() const { return Average(publisherHours, publisherReports); }
    /// `part` as a percentage of the active publishers; 0 when there are none.
    double PercentOfActive(int part) const { return active > 0 ? 100.0 * part / active : 0.0; }

private:
    static double Average(int sum, int count) { return count > 0 ? static_cast<double>(sum) / count : 0.0; }
};

/// Whole years from a record date ("MMDDYYYY", month possibly space-padded) to (year, month): the years
/// between, one less when the date's month lies later in the year. nullopt when the date's fifth character
/// (the first digit of the year) is not a digit or the year is not four digits.
std::optional<int> WholeYearsSince(std::string_view recordDate, int year, int month);
/// The baptism class of a person (see kStatisticsClasses); -1 for a baptism date that cannot be read.
int BaptismClassOf(const PublisherRecord& person, int year, int month);
/// The age class of a person; -1 without a readable birth date.
int AgeClassOf(const PublisherRecord& person, int year, int month);

/// One pass over the active list (and the inactive and moved lists for the movements). Years are counted
/// to `today`.
CongregationCounts ComputeCongregationCounts(const StatisticsSource& source, const Date& today);

/// The labels of the two tables' rows.
std::string_view BaptismClassLabel(int index);
std::string_view AgeClassLabel(int index);

/// DrawStatistics: the page on the sheet.
void DrawStatistics(const StatisticsSource& source, Canvas& canvas, const ReportEnvironment& environment);
/// The report object: always one page.
std::unique_ptr<Report> MakeStatisticsReport(const StatisticsSource& source);

} // namespace vardo
