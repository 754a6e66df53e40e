#pragma once

// Removing a person from the active list: permanently, or temporarily to the list of deleted persons with
// the month and year of removal (the delete dialog "Usuń").

#include <string>
#include <vector>

#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"

namespace vardo {

/// The deleted list takes a person while fewer than this many are on it.
inline constexpr int kDeletedListLimit = 299;
/// First year of the removal-year list.
inline constexpr int kFirstRemovalYear = 1950;

/// The delete dialog's state: permanent (the default) or temporary with a month (0 = blank, 1..12) and a
/// year (1950..working year; default the working month and year).
class RemovalChoice {
public:
    explicit RemovalChoice(const WorkingMonth& month);

    bool Permanent() const { return m_permanent; }
    void SetPermanent(bool permanent) { m_permanent = permanent; }
    /// The month and year lists show only for a temporary removal.
    bool DateVisible() const { return !m_permanent; }

    /// Blank entry, then "Sty".."Gru".
    std::vector<std::string> MonthTexts() const;
    /// "1950".."<working year>".
    std::vector<std::string> YearTexts() const;
    int MonthEntry() const { return m_month; }
    void SetMonthEntry(int entry);
    int YearEntry() const { return m_year - kFirstRemovalYear; }
    void SetYearEntry(int entry);
    int Month() const { return m_month; }
    int Year() const { return m_year; }

private:
    bool m_permanent = true;
    int m_month = 0;
    int m_year = kFirstRemovalYear;
    int m_lastYear = kFirstRemovalYear;
};

/// RemoveTemporarily: the person goes to the deleted list. Status month byte 0, person flags AND 0x64,
/// status ordinal = month + ((year − 1950) mod 256) × 256; lists recounted, index rebuilt; one change.
/// Fails (Full, changing nothing) when the deleted list already holds 299 persons.
Status RemoveTemporarily(RegistryContext& context, RecordNumber record, int month, int year);

/// Permanent deletion, as one change: the person's remarks are emptied (and the remark file rewritten), the
/// appointment and consent entries cleared, the family members of a head of family released, then the
/// record removed; lists recounted, index rebuilt. When the remark file cannot be rewritten nothing changes
/// and the failure is returned.
Status RemovePermanently(RegistryContext& context, RecordNumber record);

} // namespace vardo
