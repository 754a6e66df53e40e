#include "core/reporting/StatusLine.h"

#include "core/platform/Strings.h"

namespace vardo {

std::string PersonStatusLine(const PublisherRecord& record, const StatusBasis& basis) {
    const int statusMonth = record.StatusMonth() >> 4;
    switch (record.Category()) {
    case PublisherCategory::Inactive:
        if (statusMonth < 1 || statusMonth > kMonthsPerYear)
            return std::string(Str(StrId::ReasonInactiveNoDate));
        return FormatArgs(Str(StrId::StatusLineInactive),
                          {MonthCountText(ToMonthCount(InactiveYear(record), statusMonth - 1))});
    case PublisherCategory::Moved:
        if (statusMonth < 1 || statusMonth > kMonthsPerYear)
            return std::string(Str(StrId::ReasonMovedNoDate));
        return FormatArgs(Str(StrId::StatusLineMoved), {MonthAbbrevLower(statusMonth - 1)});
    case PublisherCategory::Publisher:
        break;
    default:
        return {};
    }
    std::string line =
        FormatArgs(Str(IsIrregular(record, basis) ? StrId::StatusLineIrregular : StrId::StatusLineRegular),
                   {IrregularReason(record, basis)});
    if (IsInactiveCandidate(record, basis))
        line += FormatArgs(Str(StrId::StatusLineCandidate), {InactiveCandidateReason(record, basis)});
    for (const StatusBit kind : {StatusBit::New, StatusBit::Reactivated})
        if (StatusMonthIn(record, kind, StatusPeriod::SixMonths, basis) != 0)
            line += "; " + StatusReason(record, kind, StatusPeriod::SixMonths, basis);
    return line;
}

} // namespace vardo
