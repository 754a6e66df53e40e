#include "core/reporting/ActivityStatus.h"

#include <string>
#include <string_view>

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

constexpr int kWalkSixMonths = 6;
constexpr MonthIndex kSeptember = 8;
// The per-month arrays keep two years: a walk never reaches further back than this.
constexpr int kStoredMonths = 24;

int HighNibble(std::uint8_t value) {
    return value >> 4;
}
int LowNibble(std::uint8_t value) {
    return value & 0x0F;
}

bool HasHoursOrQuarters(const PublisherRecord& record, const WalkMonth& m) {
    return record.Hours(m.month, m.slot) != 0 || (record.StudyWord(m.month, m.slot) & kQuarterHoursMask) != 0;
}

bool MarkedByRemark(const PublisherRecord& record, const WalkMonth& m, const StatusBasis& basis) {
    return basis.remarks != nullptr && basis.remarks->HasRemark(record.RemarkNumber(m.month, m.slot));
}

std::string_view GenitiveMonth(MonthIndex month) {
    return Str(static_cast<StrId>(static_cast<int>(StrId::GenitiveJanuary) + month));
}

// "wrz–lut" for the months walked (oldest first), "lut" for one.
std::string RangeText(const WorkingMonth& month, int firstStep, int lastStep) {
    const std::string newest = MonthAbbrevLower(MonthBack(month, firstStep).month);
    if (firstStep == lastStep)
        return newest;
    return MonthAbbrevLower(MonthBack(month, lastStep).month) + "–" + newest;
}

// Month abbreviations of a walk's mask, oldest first, joined by ", ".
template <class Extra>
std::string MaskText(const WorkingMonth& month, int steps, std::uint16_t mask, Extra extra) {
    std::string text;
    for (int i = steps - 1; i >= 0; --i) {
        const WalkMonth m = MonthBack(month, i);
        if ((mask & (1u << m.month)) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += MonthAbbrevLower(m.month);
        text += extra(m);
    }
    return text;
}

std::string_view StatusWord(std::uint8_t statusMonth) {
    const int bits = LowNibble(statusMonth);
    if (bits & static_cast<int>(StatusBit::New))
        return Str(StrId::StatusWordNew);
    if (bits & static_cast<int>(StatusBit::Reactivated))
        return Str(StrId::StatusWordReactivated);
    return Str(StrId::StatusWordMovedIn);
}

// Month nibble m (1..12) among the months of a walk of `steps`; with `slotByte`, the byte's parity must also
// match the walk's slot at that month.
bool MonthInWalk(const WorkingMonth& month, int steps, int m, const std::uint8_t* slotByte) {
    if (m < 1 || m > kMonthsPerYear)
        return false;
    for (int i = 0; i < steps; ++i) {
        const WalkMonth w = MonthBack(month, i);
        if (w.month == m - 1 && (slotByte == nullptr || (*slotByte & 1) == w.slot))
            return true;
    }
    return false;
}

// Walk of a pioneer / conductor period: 6 months, back to September, 12 months.
int ActivityWalk(const WorkingMonth& month, StatusPeriod period) {
    return period == StatusPeriod::SixMonths || period == StatusPeriod::ServiceYear ? MonthsOfPeriod(month, period)
                                                                                    : kMonthsPerYear;
}

// Step 4 of the inactive periods: the year of becoming inactive is too old for the first three periods.
bool InactiveTooOld(const PublisherRecord& record, const WorkingMonth& month) {
    const int year = InactiveYear(record);
    const int m = HighNibble(record.StatusMonth());
    return year < month.Year() - 1 || (year == month.Year() - 1 && month.monthIndex >= m);
}

} // namespace

StatusBasis StatusBasis::Of(const WorkingMonth& month, const HeaderRecord& header, const RemarkTable* remarks) {
    return {month, header.GetMonthState(month.monthIndex) == MonthState::Open, remarks};
}

WalkMonth MonthBack(const WorkingMonth& month, int steps) {
    const int count = static_cast<int>(month.monthCount) - steps;
    // Months before January 2000 keep the slot arithmetic (parity of the year) without a valid count.
    const int yearIndex = count >= 0 ? count / kMonthsPerYear : -((-count + kMonthsPerYear - 1) / kMonthsPerYear);
    const MonthIndex index = count - yearIndex * kMonthsPerYear;
    return {index, ParitySlot(yearIndex), static_cast<MonthCount>(count < 0 ? 0 : count)};
}

int MonthsOfPeriod(const WorkingMonth& month, StatusPeriod period) {
    switch (period) {
    case StatusPeriod::SixMonths:
        return kWalkSixMonths;
    case StatusPeriod::ServiceYear:
        return (month.monthIndex - kSeptember + kMonthsPerYear) % kMonthsPerYear + 1;
    case StatusPeriod::TwelveMonths:
        return kMonthsPerYear;
    case StatusPeriod::TwentyFourMonths:
        return kStoredMonths;
    case StatusPeriod::OverTwelveMonths:
    case StatusPeriod::All:
        break;
    }
    return kStoredMonths;
}

std::string PeriodReasonText(StatusPeriod period) {
    switch (period) {
    case StatusPeriod::SixMonths:
        return std::string(Str(StrId::WindowSixMonths));
    case StatusPeriod::ServiceYear:
        return std::string(Str(StrId::WindowServiceYear));
    case StatusPeriod::TwelveMonths:
        return std::string(Str(StrId::WindowTwelveMonths));
    case StatusPeriod::TwentyFourMonths:
        return std::string(Str(StrId::WindowTwentyFourMonths));
    case StatusPeriod::OverTwelveMonths:
        return std::string(Str(StrId::WindowOverTwelveMonths));
    case StatusPeriod::All:
        break;
    }
    return std::string(Str(StrId::WindowAll));
}

int MonthsInService(const PublisherRecord& record, const StatusBasis& basis) {
    const std::uint8_t status = record.StatusMonth();
    if (LowNibble(status) == 0)
        return kWalkSixMonths;
    const int statusMonth = HighNibble(status);
    bool reached = false;
    int visited = 0;
    for (int i = 0; i < kWalkSixMonths; ++i) {
        const WalkMonth m = MonthBack(basis.month, i);
        ++visited;
        if (m.month + 1 == statusMonth)
            reached = true;
        if (reached && !HasHoursOrQuarters(record, MonthBack(basis.month, i + 1)))
            break;
    }
    return visited;
}

std::uint16_t MissedMonths(const PublisherRecord& record, const StatusBasis& basis) {
    const int n = MonthsInService(record, basis);
    std::uint16_t mask = 0;
    for (int i = basis.workingMonthOpen ? 1 : 0; i < n; ++i) {
        const WalkMonth m = MonthBack(basis.month, i);
        if (record.Pioneer(m.month, m.slot) != PioneerCode::Special && !HasReport(record, m.month, m.slot))
            mask = static_cast<std::uint16_t>(mask | (1u << m.month));
    }
    return mask;
}

bool IsIrregular(const PublisherRecord& record, const StatusBasis& basis) {
    return MissedMonths(record, basis) != 0;
}

std::string IrregularReason(const PublisherRecord& record, const StatusBasis& basis) {
    const int n = MonthsInService(record, basis);
    const std::uint16_t mask = MissedMonths(record, basis);
    const int first = basis.workingMonthOpen ? 1 : 0;
    std::string reason;
    if (mask != 0) {
        const std::string months = MaskText(basis.month, n, mask, [&](const WalkMonth& m) {
            return MarkedByRemark(record, m, basis) ? std::string("!") : std::string();
        });
        reason = FormatArgs(Str(StrId::ReasonMissedReports), {months});
    } else if (first < n) {
        reason = FormatArgs(Str(StrId::ReasonAllReports), {RangeText(basis.month, first, n - 1)});
    }
    if (n < kWalkSixMonths) {
        const MonthCount since =
            record.StatusChangeMonth() != 0 ? record.StatusChangeMonth() : MonthBack(basis.month, n - 1).count;
        const std::string window =
            FormatArgs(Str(StrId::ReasonShortWindow),
                       {std::to_string(n), StatusWord(record.StatusMonth()), MonthCountText(since)});
        reason += reason.empty() ? window : "; " + window;
    }
    if (basis.workingMonthOpen) {
        const std::string skipped =
            FormatArgs(Str(StrId::ReasonOpenMonthSkipped), {MonthAbbrevLower(basis.month.monthIndex)});
        reason += reason.empty() ? skipped : "; " + skipped;
    }
    return reason;
}

bool IsInactiveCandidate(const PublisherRecord& record, const StatusBasis& basis) {
    if (record.Category() != PublisherCategory::Publisher)
        return false;
    for (int i = 0; i < kWalkSixMonths; ++i) {
        const WalkMonth m = MonthBack(basis.month, i);
        if (HasReport(record, m.month, m.slot))
            return false;
    }
    return true;
}

std::string InactiveCandidateReason(const PublisherRecord& record, const StatusBasis& basis) {
    // The newest month with a report among the stored months; the gap begins the month after it.
    for (int i = 0; i < kStoredMonths - 1; ++i) {
        const WalkMonth m = MonthBack(basis.month, i);
        if (HasReport(record, m.month, m.slot)) {
            const WalkMonth after = MonthBack(basis.month, i - 1);
            return FormatArgs(Str(StrId::ReasonNoReportsSince),
                              {GenitiveMonth(after.month), std::to_string(2000 + YearIndexOf(after.count))});
        }
    }
    return std::string(Str(StrId::ReasonNoReportsStored));
}

int StatusMonthIn(const PublisherRecord& record, StatusBit kind, StatusPeriod period, const StatusBasis& basis) {
    const int bit = static_cast<int>(kind);
    const std::uint8_t monthByte = record.StatusMonth();
    const std::uint8_t yearByte = record.StatusYear();
    const bool monthHas = (LowNibble(monthByte) & bit) != 0;
    const bool yearHas = (LowNibble(yearByte) & bit) != 0;
    switch (period) {
    case StatusPeriod::SixMonths:
    case StatusPeriod::ServiceYear: {
        const std::uint8_t byte = period == StatusPeriod::SixMonths ? monthByte : yearByte;
        const bool has = period == StatusPeriod::SixMonths ? monthHas : yearHas;
        const int m = HighNibble(byte);
        return has && MonthInWalk(basis.month, MonthsOfPeriod(basis.month, period), m, nullptr) ? m : 0;
    }
    case StatusPeriod::TwelveMonths:
        if (yearHas && HighNibble(yearByte) != 0)
            return HighNibble(yearByte);
        return monthHas ? HighNibble(monthByte) : 0;
    case StatusPeriod::TwentyFourMonths: {
        if (!monthHas && !yearHas)
            return 0;
        const MonthCount ordinal = record.StatusChangeMonth();
        const int back = static_cast<int>(basis.month.monthCount) - static_cast<int>(ordinal);
        if (ordinal != 0 && back >= 0) {
            // The ordinal keeps the month after both status bytes have aged out of their nibbles; within
            // the last twelve months it names the same month they did.
            return back > 23 ? 0 : MonthIndexOf(ordinal) + 1;
        }
        if (HighNibble(monthByte) != 0)
            return HighNibble(monthByte);
        return yearHas ? HighNibble(yearByte) : 0;
    }
    case StatusPeriod::OverTwelveMonths:
    case StatusPeriod::All:
        break;
    }
    return 0;
}

int StatusYearOf(const PublisherRecord& record, int statusMonth, const StatusBasis& basis) {
    const MonthCount ordinal = record.StatusChangeMonth();
    const int back = static_cast<int>(basis.month.monthCount) - static_cast<int>(ordinal);
    if (ordinal != 0 && back > 0 && back <= 23 && record.Category() == PublisherCategory::Publisher)
        return 2000 + YearIndexOf(ordinal);
    return basis.month.Year() - (statusMonth - 1 > basis.month.monthIndex ? 1 : 0);
}

std::string StatusReason(const PublisherRecord& record, StatusBit kind, StatusPeriod period, const StatusBasis& basis) {
    const int m = StatusMonthIn(record, kind, period, basis);
    if (m == 0)
        return std::string(Str(StrId::StatusNoStatus));
    const MonthCount count = ToMonthCount(StatusYearOf(record, m, basis), m - 1);
    return FormatArgs(Str(kind == StatusBit::New ? StrId::ReasonNewSince : StrId::ReasonReactivatedSince),
                      {MonthCountText(count), PeriodReasonText(period)});
}

int InactiveYear(const PublisherRecord& record) {
    return YearOfYearByte(record.StatusYear());
}

bool InactiveIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    if (record.Category() != PublisherCategory::Inactive)
        return false;
    const int m = HighNibble(record.StatusMonth());
    const std::uint8_t yearByte = record.StatusYear();
    switch (period) {
    case StatusPeriod::SixMonths:
    case StatusPeriod::ServiceYear:
        if (m == 0 || yearByte == 0 || InactiveYear(record) < basis.month.Year() - 1)
            return false;
        if (!MonthInWalk(basis.month, MonthsOfPeriod(basis.month, period), m, &yearByte))
            return false;
        return !InactiveTooOld(record, basis.month);
    case StatusPeriod::TwelveMonths:
        return m != 0 && !InactiveTooOld(record, basis.month);
    case StatusPeriod::OverTwelveMonths:
        return InactiveTooOld(record, basis.month);
    case StatusPeriod::TwentyFourMonths:
    case StatusPeriod::All:
        break;
    }
    return true;
}

std::string InactiveReason(const PublisherRecord& record, StatusPeriod period) {
    const int m = HighNibble(record.StatusMonth());
    if (m == 0)
        return std::string(Str(StrId::ReasonInactiveNoDate));
    return FormatArgs(Str(StrId::ReasonInactiveSince),
                      {MonthCountText(ToMonthCount(InactiveYear(record), m - 1)), PeriodReasonText(period)});
}

bool MovedIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    if (record.Category() != PublisherCategory::Moved)
        return false;
    const int m = HighNibble(record.StatusMonth());
    if (period == StatusPeriod::SixMonths || period == StatusPeriod::ServiceYear)
        return MonthInWalk(basis.month, MonthsOfPeriod(basis.month, period), m, nullptr);
    return m >= 1 && m <= kMonthsPerYear;
}

std::string MovedReason(const PublisherRecord& record, StatusPeriod period) {
    const int m = HighNibble(record.StatusMonth());
    if (m < 1 || m > kMonthsPerYear)
        return std::string(Str(StrId::ReasonMovedNoDate));
    return FormatArgs(Str(StrId::ReasonMovedIn), {MonthAbbrevLower(m - 1), PeriodReasonText(period)});
}

std::uint16_t AuxiliaryPioneerMonths(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    std::uint16_t mask = 0;
    const int steps = ActivityWalk(basis.month, period);
    for (int i = 0; i < steps; ++i) {
        const WalkMonth m = MonthBack(basis.month, i);
        if (record.Pioneer(m.month, m.slot) == PioneerCode::Auxiliary)
            mask = static_cast<std::uint16_t>(mask | (1u << m.month));
    }
    return mask;
}

bool AuxiliaryPioneerIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    return AuxiliaryPioneerMonths(record, period, basis) != 0;
}

std::string AuxiliaryPioneerReason(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    const std::string months =
        MaskText(basis.month, ActivityWalk(basis.month, period), AuxiliaryPioneerMonths(record, period, basis),
                 [](const WalkMonth&) { return std::string(); });
    return FormatArgs(Str(StrId::ReasonAuxiliaryMonths), {months});
}

std::uint16_t ConductorMonths(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    std::uint16_t mask = 0;
    const int steps = ActivityWalk(basis.month, period);
    for (int i = 0; i < steps; ++i) {
        const WalkMonth m = MonthBack(basis.month, i);
        if ((record.StudyWord(m.month, m.slot) & kStudyCountMask) != 0)
            mask = static_cast<std::uint16_t>(mask | (1u << m.month));
    }
    return mask;
}

bool ConductorIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    return ConductorMonths(record, period, basis) != 0;
}

std::string ConductorReason(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis) {
    const std::string months =
        MaskText(basis.month, ActivityWalk(basis.month, period), ConductorMonths(record, period, basis),
                 [&](const WalkMonth& m) {
                     return " (" + std::to_string(record.StudyWord(m.month, m.slot) & kStudyCountMask) + ")";
                 });
    return FormatArgs(Str(StrId::ReasonConductorMonths), {months});
}

std::optional<int> YearsSinceBaptism(const PublisherRecord& record, int todayYear, int todayMonth) {
    const std::string date = record.BaptismDate();
    if (date.size() < 8)
        return std::nullopt;
    int year = 0;
    for (std::size_t i = 4; i < 8; ++i) {
        if (date[i] < '0' || date[i] > '9')
            return std::nullopt;
        year = year * 10 + (date[i] - '0');
    }
    int month = 0;
    for (std::size_t i = 0; i < 2; ++i)
        if (date[i] >= '0' && date[i] <= '9')
            month = month * 10 + (date[i] - '0');
    if (year == 0)
        return std::nullopt;
    int years = todayYear - year;
    if (todayMonth < month)
        --years;
    return years;
}

bool CountsAsBaptised(const PublisherRecord& record) {
    const std::string_view date = record.RawText(TextField::BaptismDate);
    return date.size() > 4 && date[4] >= '1' && date[4] <= '9';
}

bool HasNoBaptismDate(const PublisherRecord& record) {
    return record.RawText(TextField::BaptismDate).find_first_not_of(' ') == std::string_view::npos;
}

std::string BaptismClassText(int index) {
    if (index < 0 || index >= kBaptismClasses)
        return {};
    return std::string(Str(static_cast<StrId>(static_cast<int>(StrId::BaptismRecent) + index)));
}

bool InBaptismClass(int years, int index) {
    static constexpr int kLow[kBaptismClasses] = {0, 0, 5, 10, 20, 30, 40, 50, 60};
    static constexpr int kHigh[kBaptismClasses] = {1, 4, 9, 19, 29, 39, 49, 59, 100};
    return index >= 0 && index < kBaptismClasses && years >= kLow[index] && years <= kHigh[index];
}

std::string MonthAbbrevLower(MonthIndex month) {
    std::string text(MonthAbbreviation(month));
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

std::string MonthCountText(MonthCount count) {
    return FormatPrintf("%04d-%02d", 2000 + YearIndexOf(count), MonthIndexOf(count) + 1);
}

} // namespace vardo
