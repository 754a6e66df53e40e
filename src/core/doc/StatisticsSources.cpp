#include "core/doc/StatisticsSources.h"

namespace vardo {

StatisticsSource StatisticsSourceOf(const CVardoDoc& doc) {
    StatisticsSource source;
    source.database = &doc.Database();
    source.attendance = &doc.Side().attendance;
    source.remarks = &doc.Side().remarks;
    source.workingMonth = doc.GetWorkingMonth();
    return source;
}

ActivityData ActivityDataOf(const CVardoDoc& doc) {
    ActivityData data;
    data.database = &doc.Database();
    data.cardTotals = &doc.Side().cardTotals;
    data.workingMonth = doc.GetWorkingMonth();
    data.workingMonthInitialised = doc.GetMonthState(doc.GetWorkingMonth().monthIndex) != MonthState::NotInitialised;
    return data;
}

} // namespace vardo
