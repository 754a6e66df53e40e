#pragma once

// Participation flags of the older report format (tlt15.dat): bit 11 of a month's Bible-study word is kept
// out of tdat9.bin for cells of the older format and stored here instead, one 32-byte entry per person
// (PublisherId, then one byte per month and slot at 2 + 2m + s). The save moves the flags from the records
// into the file; loading and every save move them back.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"
#include "core/store/Quarantine.h"

namespace vardo {

class ParticipationFlags {
public:
    static constexpr std::string_view kFileName = "tlt15.dat";
    static constexpr std::size_t kEntrySize = 32;

    /// True when the cell (month, slot 0..1) counts as the older report format for the file: its MonthCount
    /// (year × 12 + month, the year being yearIndex + slot for an odd yearIndex and yearIndex + slot − 1 for
    /// an even one) is at most NewReportFormatStart, or the month is after the working month.
    static bool IsOlderFormatCell(int yearIndex, MonthIndex workingMonthIndex, MonthIndex month, YearSlot slot);

    /// What the save writes, built from the persons (records 1..count−1).
    struct Collected {
        bool anyFlag = false; ///< some cell of some person had bit 11; false means: delete the file
        std::string bytes;    ///< the entries to write
    };
    /// Builds the entries and clears bit 11 in every older-format cell (slots 0 and 1) that had it. Persons
    /// whose entry could not be found again when the flags are re-applied (PublisherId 0..9, or not the
    /// first record with its id) keep their flags in the record and get no entry.
    static Collected Collect(std::span<PublisherRecord> persons, int yearIndex, MonthIndex workingMonthIndex);

    /// First step of the database save: deletes the file, then, when some cell has bit 11, writes the
    /// entries and clears the flags in the records. When the file cannot be written the records keep their
    /// flags (so tdat9.bin keeps them) and the failure is returned; the caller carries on with the save.
    Status Write(const DataFolder& folder, std::span<PublisherRecord> persons, int yearIndex,
                 MonthIndex workingMonthIndex) const;

    /// Re-applies the entries of the file's bytes: for each entry of a known PublisherId, each set byte
    /// (month, slot) whose hours cell is 0 and whose Bible-study word is below 4096 sets bit 11 of that
    /// word. Unknown ids and a partial last entry are ignored.
    static void Apply(std::string_view bytes, std::span<PublisherRecord> persons);
    /// Re-applies the flags from the file (after load and after each save). A file that cannot be read or
    /// has a partial last entry is preserved first (the save deletes and rewrites the file).
    void Apply(const DataFolder& folder, std::span<PublisherRecord> persons, Prompter& prompter);

private:
    WriteGuard m_guard;
};

} // namespace vardo
