#pragma once

// Plausibility of a monthly report: values that are possible but unlikely for that person and month. The
// result only warns; nothing is refused.

#include <string>
#include <vector>

#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"

namespace vardo {

/// Hours above which a report is unlikely (whole hours plus quarters).
inline constexpr double kPlausibleHoursPublisher = 100;
inline constexpr double kPlausibleHoursPioneer = 150;
inline constexpr int kPlausibleStudies = 20;

enum class PlausibilityIssue { ManyHours, ManyStudies, HoursInNewFormat, BeforeBaptism, AfterMoving };

/// One warning: what is unlikely and a Polish text that names the value and the reason.
struct Warning {
    PlausibilityIssue issue;
    std::string text;
};

/// Checks the report `cell` of `person` for the month `month` (seen from the working month `working`):
/// hours over 100 for a publisher or over 150 for a pioneer (any pioneer code of the month, or a field
/// missionary), Bible studies over 20, hours of a publisher in the newer report format, a report for a month
/// before the baptism date, and for a moved person a report for a month after the month of moving. A cell
/// without a report is only checked for its studies.
std::vector<Warning> CheckPlausibility(const PublisherRecord& person, const ReportCell& cell, MonthCount month,
                                       MonthCount working);

} // namespace vardo
