#pragma once

// Activity status of a person relative to the working month: irregular publishers and the months they
// missed, candidates for the inactive list, new, reactivated, inactive and moved persons within a period,
// auxiliary pioneers and Bible study conductors within a period, years since baptism. Every rule comes with
// the reason the secretary is shown ("brak sprawozdań: lip, wrz!").

#include <cstdint>
#include <optional>
#include <string>

#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// What the rules judge against: the working month and whether it is still Open (an Open working month is
/// not held against anyone yet). `remarks`, when given, marks missed months that carry a remark with "!".
struct StatusBasis {
    WorkingMonth month;
    bool workingMonthOpen = false;
    const RemarkTable* remarks = nullptr;

    /// The basis of a register: the working month's state is read from its header.
    static StatusBasis Of(const WorkingMonth& month, const HeaderRecord& header, const RemarkTable* remarks);
};

/// One month of a walk back from the working month.
struct WalkMonth {
    MonthIndex month = 0;
    YearSlot slot = 0;
    MonthCount count = 0;
};
/// The month `steps` months before the working month (0 = the working month itself).
WalkMonth MonthBack(const WorkingMonth& month, int steps);

/// The windows of the status views.
enum class StatusPeriod {
    SixMonths,        ///< "6 ost. mies."
    ServiceYear,      ///< "Bieżący rok sł.": from the working month back to September
    TwelveMonths,     ///< "12 ost. mies."
    TwentyFourMonths, ///< "24 ost. mies." (new and reactivated only)
    OverTwelveMonths, ///< "Ponad 12 mies" (inactive only)
    All,              ///< "Wszyscy" (inactive only)
};
/// Months a walk over the period visits: 6, back to September (1..12), 12; 24 for the 24-month period.
int MonthsOfPeriod(const WorkingMonth& month, StatusPeriod period);
/// "okno 6 mies.", "okno: bieżący rok sł." ...: the period as a reason names it.
std::string PeriodReasonText(StatusPeriod period);

/// Status bits of the low nibble of the status month byte.
enum class StatusBit : std::uint8_t { New = 1, Reactivated = 2, MovedInRegular = 4 };

// --- Irregular and inactive candidates ---------------------------------------------------------------------

/// Months in service (1..6): 6 when the status bits are 0; otherwise the walk back stops, once it has
/// reached the status month, at the first month whose month before has neither hours nor quarter hours.
int MonthsInService(const PublisherRecord& record, const StatusBasis& basis);
/// Bit mask (bit = month index) of the months missed within the months in service: neither a report nor
/// special pioneer service. The working month is not judged while it is Open.
std::uint16_t MissedMonths(const PublisherRecord& record, const StatusBasis& basis);
/// MissedMonths is not 0.
bool IsIrregular(const PublisherRecord& record, const StatusBasis& basis);
/// Why a publisher is irregular or regular: "brak sprawozdań: lip, wrz!" or "komplet sprawozdań: wrz–lut",
/// followed by the window when it is shorter than six months ("okno 3 mies. (nowy głosiciel od 2025-03)")
/// and the Open working month left out ("bez lut (miesiąc otwarty)").
std::string IrregularReason(const PublisherRecord& record, const StatusBasis& basis);

/// An active publisher without a report in any of the six months back from the working month (included).
bool IsInactiveCandidate(const PublisherRecord& record, const StatusBasis& basis);
/// "brak sprawozdań od maja 2025": the month after the last report in the stored two years, or "brak
/// sprawozdań we wszystkich zapisanych miesiącach".
std::string InactiveCandidateReason(const PublisherRecord& record, const StatusBasis& basis);

// --- New, reactivated, inactive, moved -----------------------------------------------------------------------

/// Month number 1..12 of the new (StatusBit::New) or reactivated (StatusBit::Reactivated) status within the
/// period (six months, service year, 12 or 24 months); 0 when the person has none there.
int StatusMonthIn(const PublisherRecord& record, StatusBit kind, StatusPeriod period, const StatusBasis& basis);
/// The calendar year shown with that month: the status ordinal's year when it lies before the working month
/// and at most 23 months back (active persons); otherwise the working year, or the year before for a month
/// after the working month.
int StatusYearOf(const PublisherRecord& record, int statusMonth, const StatusBasis& basis);
/// "nowy głosiciel od 2025-03, okno 6 mies." / "uaktywniony od ...".
std::string StatusReason(const PublisherRecord& record, StatusBit kind, StatusPeriod period, const StatusBasis& basis);

/// Full calendar year of an inactive person's status year byte.
int InactiveYear(const PublisherRecord& record);
/// An inactive person within the period (six months, service year, 12 months, over 12 months, all).
bool InactiveIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);
/// "nieczynny od 2024-11, okno ponad 12 mies."; "nieczynny, brak daty" without a month.
std::string InactiveReason(const PublisherRecord& record, StatusPeriod period);

/// A moved person whose month of moving lies within the period (six months, service year, 12 months).
bool MovedIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);
std::string MovedReason(const PublisherRecord& record, StatusPeriod period);

// --- Pioneers, conductors, baptism --------------------------------------------------------------------------

/// Bit mask (month index) of the months of the period (six months, service year, 12 months) with auxiliary
/// pioneer service; AuxiliaryPioneerIn is that mask not being 0.
std::uint16_t AuxiliaryPioneerMonths(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);
bool AuxiliaryPioneerIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);
/// "pionier pomocniczy: mar, kwi".
std::string AuxiliaryPioneerReason(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);

/// Months of the period with a Bible study count not 0.
std::uint16_t ConductorMonths(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);
bool ConductorIn(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);
/// "studia biblijne: mar (2), kwi (1)".
std::string ConductorReason(const PublisherRecord& record, StatusPeriod period, const StatusBasis& basis);

/// Full years from the baptism date to today (one less when today's month is before the baptism month);
/// nullopt without a readable four-digit year.
std::optional<int> YearsSinceBaptism(const PublisherRecord& record, int todayYear, int todayMonth);
/// The quick results count a person as baptised when the year's first character is a digit other than 0.
bool CountsAsBaptised(const PublisherRecord& record);
/// No baptism date recorded (blank text).
bool HasNoBaptismDate(const PublisherRecord& record);

/// The classes of the baptism list: "Ostatnio ochrzczeni" 0–1, "0 - 4 lat" .. "Ponad 60 lat" 60–100.
inline constexpr int kBaptismClasses = 9;
std::string BaptismClassText(int index);
bool InBaptismClass(int years, int index);

/// Lower-case three-letter month abbreviation ("lip"; the table's "Lip" with a small first letter).
std::string MonthAbbrevLower(MonthIndex month);
/// "YYYY-MM" of a MonthCount.
std::string MonthCountText(MonthCount count);

} // namespace vardo
