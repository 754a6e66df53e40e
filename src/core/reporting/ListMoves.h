#pragma once

// Moves of a person between the active list and the inactive, non-publisher (interested) and moved lists,
// with the dates and marks each move keeps in the record. Every move is one change on the document's change
// path; a refused move changes nothing. Temporary and permanent removal are in registry/PersonRemoval.h.

#include <string>

#include "core/platform/Result.h"
#include "core/reporting/ReportingContext.h"

namespace vardo {

/// The inactive list takes a person while fewer than this many are on it.
inline constexpr int kInactiveListLimit = 299;
/// The moved list takes a person while fewer than this many are on it.
inline constexpr int kMovedListLimit = 199;
/// Marks a moved person who was inactive before moving (offset 170, the third-date field); the status month
/// byte of the inactivity is kept beside it (offset 171).
inline constexpr std::uint8_t kReturnMarkInactive = 'I';
inline constexpr std::size_t kReturnMarkOffset = 170;
inline constexpr std::size_t kReturnMonthOffset = 171;

/// Whether the inactive / moved list has room (Full with the message for the user otherwise).
Status CanMakeInactive(const PublisherDatabase& database);
Status CanMoveAway(const PublisherDatabase& database);

/// "Miesiąc, w którym <name> <verb>": the caption of the month dialog of a move.
std::string MonthDialogCaption(const std::string& name, std::string_view verb);

/// The year of a move's month asked without a year: the working year, or the year before for a month later
/// than the working month. `month` is 1..12.
int YearOfMoveMonth(const WorkingMonth& working, int month);

/// MakeInactive: an active publisher becomes inactive in `month` (1..12) of `year` (1950..working year, not
/// after the working month). Status month byte := month × 16; status year byte := the year's YearByte; person
/// flags lose bits 4 and 7; category Inactive. Full when 299 are inactive; Invalid for a bad date; NotFound
/// for a person not on the active list.
Status MakeInactive(ReportingContext& context, RecordNumber record, int month, int year);

/// Reactivate: an inactive person becomes an active publisher, reactivated in `month` (1..12; year by
/// YearOfMoveMonth). Status month and year bytes := month × 16 + 2; status ordinal := that month's count;
/// person flags AND 0x64. The months of inactivity, from the reactivation month back to the month after
/// becoming inactive (at most 24), lose their report cells, pioneer code and the person's own remark.
Status Reactivate(ReportingContext& context, RecordNumber record, int month);

/// Months the reactivation clears: (reactivation year − inactivity year) × 12 + reactivation month −
/// inactivity month, between 0 and 24.
int ReactivationGap(const PublisherRecord& inactive, int month, int year);

/// MakePublisher: an interested person becomes an active publisher, new in `month` (1..12). Status month and
/// year bytes := month × 16 + 1; status ordinal := that month's count; the report cells and pioneer codes of
/// every month and slot are cleared (the conductor text with them).
Status MakePublisher(ReportingContext& context, RecordNumber record, int month);

/// MoveAway: an active or inactive person moves away in `month` (1..12). From the inactive list the return
/// mark "I" and the inactivity's status month byte are kept; status month byte := month × 16; the extension
/// record number and the family head are cleared; category Moved. Full when 199 have moved.
Status MoveAway(ReportingContext& context, RecordNumber record, int month);

/// The moved person came from the inactive list (UndoMove returns the person there without a month).
bool ReturnsToInactive(const PublisherRecord& moved);

/// UndoMove: with the return mark, back to the inactive list with the kept month (status month byte := kept
/// month × 16) and the mark cleared; `month` and `regular` are not used then. Otherwise back to the active
/// list in `month` (1..12): status month and year bytes := month × 16, plus 4 when `regular` (a regular
/// publisher moved in).
Status UndoMove(ReportingContext& context, RecordNumber record, int month, bool regular);

/// Restore: a deleted person comes back to the active list in `month` (1..12): status month and year bytes :=
/// month × 16 + 2; status ordinal := 0 (the removal date goes with it); person flags AND 0x64.
Status Restore(ReportingContext& context, RecordNumber record, int month);

} // namespace vardo
