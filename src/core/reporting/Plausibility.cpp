#include "core/reporting/Plausibility.h"

#include <cstdlib>
#include <string>

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

std::string MonthText(MonthCount count) {
    return std::string(MonthName(MonthIndexOf(count))) + " " + std::to_string(2000 + YearIndexOf(count));
}

// MonthCount of a record date ("MMDDYYYY"), or -1 when there is none.
int MonthCountOfDate(std::string_view recordDate) {
    const std::string iso = RecordDateToIso(recordDate);
    if (iso.size() != 10)
        return -1;
    const int year = std::atoi(iso.substr(0, 4).c_str());
    const int month = std::atoi(iso.substr(5, 2).c_str());
    if (year < 1900 || month < 1 || month > 12)
        return -1;
    return (year - 2000) * kMonthsPerYear + month - 1;
}

} // namespace

std::vector<Warning> CheckPlausibility(const PublisherRecord& person, const ReportCell& cell, MonthCount month,
                                       MonthCount working) {
    std::vector<Warning> warnings;
    const std::string when = MonthText(month);
    const bool pioneer = cell.Pioneer() != PioneerCode::None || person.IsFieldMissionary();
    const double hours = cell.TotalHours();
    const std::string hoursText = FormatHours(cell.hours, cell.QuarterHours());
    if (!pioneer && hours > kPlausibleHoursPublisher)
        warnings.push_back(
            {PlausibilityIssue::ManyHours, FormatArgs(Str(StrId::ManyHoursPublisher), {hoursText, when})});
    if (pioneer && hours > kPlausibleHoursPioneer)
        warnings.push_back({PlausibilityIssue::ManyHours, FormatArgs(Str(StrId::ManyHoursPioneer), {hoursText, when})});
    if (cell.BibleStudies() > kPlausibleStudies)
        warnings.push_back({PlausibilityIssue::ManyStudies,
                            FormatArgs(Str(StrId::ManyStudies), {std::to_string(cell.BibleStudies()), when})});
    if (!pioneer && IsNewReportFormat(month) && hours > 0)
        warnings.push_back(
            {PlausibilityIssue::HoursInNewFormat, FormatArgs(Str(StrId::HoursInNewFormat), {hoursText, when})});
    if (!HasReport(cell) && cell.BibleStudies() == 0)
        return warnings;
    const int baptism = MonthCountOfDate(person.RawText(TextField::BaptismDate));
    if (baptism >= 0 && month < baptism)
        warnings.push_back(
            {PlausibilityIssue::BeforeBaptism,
             FormatArgs(Str(StrId::BeforeBaptism), {when, RecordDateToIso(person.RawText(TextField::BaptismDate))})});
    const int movedMonth = person.StatusMonth() >> 4;
    if (person.Category() == PublisherCategory::Moved && movedMonth >= 1 && movedMonth <= kMonthsPerYear) {
        // The list keeps moved persons for twelve months: the move lies in the year up to the working month.
        int moved = working - ((MonthIndexOf(working) - (movedMonth - 1) + kMonthsPerYear) % kMonthsPerYear);
        if (month > moved)
            warnings.push_back(
                {PlausibilityIssue::AfterMoving,
                 FormatArgs(Str(StrId::AfterMoving), {when, MonthText(static_cast<MonthCount>(moved))})});
    }
    return warnings;
}

} // namespace vardo
