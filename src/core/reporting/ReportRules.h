#pragma once

// Rules shared by the report window, the history editor and the command line: which months use the newer
// report format, whether a month has a report, hours with quarter hours as text, the pioneer credit, and
// the monthly remarks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"
#include "core/store/RemarkTable.h"

namespace vardo {

/// Months after September 2023 use the newer report format (participation, studies, pioneers' hours).
constexpr bool IsNewReportFormat(MonthCount count) {
    return count > kNewReportFormatStart;
}

/// A month has a report when its hours or quarter hours are not 0 or bit 11 of the study word is set.
bool HasReport(const ReportCell& cell);
bool HasReport(const PublisherRecord& person, MonthIndex month, YearSlot slot);

/// Hours as text: "12", "12.25", "12.5" or "12.75" (quarters 0..3).
std::string FormatHours(int hours, int quarters);

struct HoursValue {
    int hours = 0;
    int quarters = 0;
    bool operator==(const HoursValue&) const = default;
};

/// Reads an hours text: a whole number (empty = 0), optionally followed by "." or "," and "25", "5" or
/// "75" (also "50"; "0" or nothing for none). Fails with a message for the user for anything else or for
/// more than 65535 hours.
Result<HoursValue> ParseHours(std::string_view text);

/// Reads a number field of the report window: the digits before the first "." (empty = 0). Fails with the
/// standard range message when the text holds other characters or the value lies outside min..max.
Result<int> ParseWholeNumber(std::string_view text, int min, int max);

/// The credit of a regular pioneer: `hours` whole hours, `credit` the credit so far, `remark` the month's
/// remark (UTF-8). Hours plus credit are held to 55; a "*" at characters 1..4 of the remark protects up to
/// 40 credit hours from that limit and a "!" at characters 0..5 lifts it; a remark that begins with digits
/// gives the credit (at most three digits, at most 255). A credit without a remark writes one.
struct CreditResult {
    int credit = 0;
    std::string remark;
};
CreditResult ComputeCredit(int hours, int credit, std::string remark);

/// "( + k Godz. )", empty for 0.
std::string CreditLabel(int credit);

/// Remark numbers run from 1 to this.
inline constexpr std::uint16_t kLastRemarkNumber = 3853;
/// Remarks typed in the report window keep this many characters.
inline constexpr std::size_t kTypedRemarkMax = 36;

/// The remark of a person's month and the entry it is stored in: the current entry, or the next free
/// number (the table's count) when the month has none; 0 when the table holds no room for another.
struct RemarkSlot {
    std::string text;
    std::uint16_t number = 0;
};
RemarkSlot RemarkText(const RemarkTable& remarks, const PublisherRecord& person, MonthIndex month, YearSlot slot);

/// Stores a remark (cut to 43 characters) into entry `number`. An existing entry (1..count−1) takes the
/// text, an empty text included. The next free number, or 0, appends an entry for the person's month and
/// slot when the text is not empty and sets the person's remark number; with all numbers up to 3853 in
/// use message 1032 is shown, the remark is not stored and the person keeps no remark number. A text with
/// a character outside Windows-1250 is refused with a message. Returns whether the table changed.
Result<bool> StoreRemark(RemarkTable& remarks, PublisherRecord& person, MonthIndex month, YearSlot slot,
                         std::uint16_t number, std::string_view text, Prompter& prompter);

} // namespace vardo
