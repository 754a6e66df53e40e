#pragma once

// Conversion of the side files of the older data version, run once when the database was converted from
// tdat7.bin: late-report markers (oddmo7.dat), card totals (spcards.dat and Roll/Vd7_8/spcards.dat),
// remarks (remark7.dat) and meeting attendance (meeting.dat). The older files are only read, never written.

#include <span>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/CardTotals.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"
#include "core/store/RemarkTable.h"

namespace vardo::legacy {

inline constexpr std::string_view kLateMarkersFile = "oddmo7.dat";
inline constexpr std::string_view kCardTotalsFile = "spcards.dat";
inline constexpr std::string_view kPreviousYearCardTotalsFile = "Roll/Vd7_8/spcards.dat";
inline constexpr std::string_view kRemarksFile = "remark7.dat";
inline constexpr std::string_view kMeetingsFile = "meeting.dat";

/// The month and year of a conversion.
struct ConversionMonth {
    int yearIndex = 0;                ///< working year − 2000
    int calendarYear = 2000;          ///< today's year
    int todayMonthNumber = 1;         ///< today's month 1..12
    MonthIndex workingMonthIndex = 0; ///< 0..11
    /// The header's initialised year of the working month (slot yearIndex mod 2) has the parity of
    /// yearIndex: only then is the working month's own data carried over.
    bool workingMonthCarried = false;
};

/// workingMonthCarried of a converted header.
bool WorkingMonthCarried(const HeaderRecord& header, int yearIndex, MonthIndex workingMonthIndex);

/// oddmo7.dat: up to 99 four-byte entries {PublisherId, MonthIndex, working month}. For each entry whose
/// PublisherId belongs to a person and whose month is 0..11, the working-month byte becomes the person's
/// late-report marker of that month, slot (calendar year + (1 if month > working month)) mod 2.
void ConvertLateMarkers(std::string_view bytes, std::span<PublisherRecord> persons, const ConversionMonth& when);
void ConvertLateMarkers(const DataFolder& folder, std::span<PublisherRecord> persons, const ConversionMonth& when);

/// spcards.dat (864 bytes, u16 [12][4][9]) and its previous-year copy: month m of the current file goes to
/// slot (yearIndex + (1 if m > working month)) mod 2, month m of the previous-year file to slot
/// (calendar year + (1 if m < 7)) mod 2, in that order; the working month only when workingMonthCarried.
CardTotals ConvertCardTotals(std::string_view current, std::string_view previousYear, const ConversionMonth& when);
/// Converts the files of the folder and writes tcard.dat (message 1231 when it cannot be created).
Status ConvertCardTotals(const DataFolder& folder, const ConversionMonth& when, Prompter& prompter);

/// remark7.dat: 40-byte entries of a text (bytes 0..36), the month 1..12 (byte 37) and the PublisherId
/// (bytes 38..39); a file whose byte 37 is not a month but byte 36 is holds the older 36-byte text. Empty
/// texts are skipped; the slot is (yearIndex + (1 if month > today's month)) mod 2; the working month is
/// skipped unless workingMonthCarried.
std::vector<RemarkEntry> ConvertRemarks(std::string_view bytes, const ConversionMonth& when);
/// Converts remark7.dat and writes the entries into remark9.dat by the remark write rule.
Status ConvertRemarks(const DataFolder& folder, const ConversionMonth& when);

/// meeting.dat: up to ten 224-byte records of a 32-byte name and eight u16[12] tables (weeks 1..5,
/// meetings, total, average) with one value per month; the first record is the midweek meeting, the second
/// the weekend meeting. Month m goes to slot (yearIndex + (1 if m > working month)) mod 2.
MeetingAttendance ConvertMeetings(std::string_view bytes, const ConversionMonth& when);
/// Converts meeting.dat and writes meetin9.dat at once (message 1231 when it cannot be created). Nothing
/// happens when meeting.dat is missing.
Status ConvertMeetings(const DataFolder& folder, const ConversionMonth& when, Prompter& prompter);

} // namespace vardo::legacy
