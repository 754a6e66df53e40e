#include "core/reporting/ReportingContext.h"

namespace vardo {

bool ReportingContext::IsLateReport(const PublisherRecord& person, MonthIndex reportMonth) const {
    if (isLateReport)
        return isLateReport(person, reportMonth);
    return person.LateMarker(reportMonth, month.SlotOf(reportMonth)) == month.monthIndex + 1;
}

void ReportingContext::AddLateReport(PublisherRecord& person, MonthIndex reportMonth) const {
    if (addLateReport) {
        addLateReport(person, reportMonth);
        return;
    }
    person.SetRow(MonthRow::LateMarker, reportMonth, month.SlotOf(reportMonth),
                  static_cast<std::uint16_t>(month.monthIndex + 1));
}

} // namespace vardo
