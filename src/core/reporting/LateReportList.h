#pragma once

// Reports for earlier months entered during the working month. The list lives in memory; between runs it
// is kept in the records' late markers (the marker of a month and slot holds the working month index + 1 in
// which the report was entered).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/store/PublisherDatabase.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

struct LateReportEntry {
    PublisherId id = 0;
    std::uint8_t reportMonth = 0; ///< MonthIndex of the late report
    std::uint8_t enteredIn = 0;   ///< working month index + 1 at the time of entry
    bool operator==(const LateReportEntry&) const = default;
};

class LateReportList {
public:
    /// Entries the list holds; further reports are not kept.
    static constexpr std::size_t kCapacity = 250;
    /// Entries a rebuild from the markers takes at most.
    static constexpr std::size_t kReloadLimit = 200;

    /// AddLateReport: appends {id, month, working month + 1} after removing an older entry of the same id
    /// and month; nothing is kept when the list is full.
    void Add(PublisherId id, MonthIndex reportMonth, MonthIndex workingMonth);
    /// IsLateReport: an entry with this id and month exists.
    bool IsLate(PublisherId id, MonthIndex reportMonth) const;
    /// LateReportCount: entries of this id.
    int CountFor(PublisherId id) const;

    std::size_t Size() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    const std::vector<LateReportEntry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

    /// StoreLateMarkers: clears every late marker equal to working month + 1 in every person record, then
    /// writes each entry's entered-in month into the marker of its report month and slot (the slot seen from
    /// the working month). Entries whose id is no longer in the register are skipped.
    void StoreMarkers(PublisherDatabase& database, const WorkingMonth& month) const;
    /// LoadLateMarkers: rebuilds the list from the markers of the six months before the working month,
    /// newest first, over the active publishers; at most kReloadLimit entries.
    void LoadMarkers(const PublisherDatabase& database, const WorkingMonth& month);

private:
    std::vector<LateReportEntry> m_entries;
};

} // namespace vardo
