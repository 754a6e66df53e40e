#pragma once

// Reading and writing the register file tdat9.bin (816-byte records, header first, personal texts
// scrambled), with the conversion of the older tdat7.bin and its list files.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/Quarantine.h"
#include "core/store/Tdat7Conversion.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// tdat9.bin is read only when larger than this; smaller files give way to tdat7.bin.
inline constexpr std::size_t kMinDatabaseFileSize = 400;
/// Records read from each older list file at most.
inline constexpr int kLegacyListCapacity = 300;

/// The working-month values loading depends on.
struct DatabaseLoadContext {
    int yearIndex = 0;
    MonthIndex workingMonthIndex = 0;
    /// Records are read only while the working month index equals the start-up one, or in past-month mode;
    /// otherwise the records in memory stay and only sorting and the index are redone.
    MonthIndex startupMonthIndex = 0;
    YearByte currentYear = 0;
    int todayMonth = 1;
    bool pastMonthMode = false;

    static DatabaseLoadContext From(const WorkingMonth& month, bool pastMonthMode = false);
    LegacyConversionContext Legacy() const { return {yearIndex, workingMonthIndex, currentYear, todayMonth}; }
};

/// What a load found.
struct DatabaseLoadResult {
    /// The data came from the older format (the late markers of oddmo7.dat are already in the records, the
    /// other older side files are to be converted and the data saved).
    bool converted = false;
    /// The data in memory differs from the files (converted, or duplicate ids repaired): it must be saved.
    bool changed = false;
    /// The records were read from a file (false for a reload that kept the records in memory).
    bool recordsRead = false;
    /// The document word of the header, when the header was saved in the current working month.
    std::optional<std::uint16_t> documentWord;
    /// Year tags of the older format's months (all 0 unless converted).
    LegacyYearTags legacyYearTags{};
};

/// What one in-memory parse found (no prompts, no file access).
struct ParseOutcome {
    /// Records taken into the database (header included for tdat9.bin / tdat7.bin).
    int records = 0;
    /// The input ended inside a record; that record was kept with the missing bytes zero.
    bool partialRecord = false;
    /// Records of the input left out for lack of room.
    int dropped = 0;
};

/// Replaces the database's records with the content of a tdat9.bin (as stored: texts still scrambled);
/// count = records read, at most kDatabaseCapacity. An uninitialised needs-flag word (bit 15 clear) is
/// zeroed and marked.
ParseOutcome ReadDatabaseBytes(PublisherDatabase& db, std::string_view bytes);
/// Replaces the database's records with a converted tdat7.bin (first record = older header); fills `tags`.
ParseOutcome ReadLegacyDatabaseBytes(PublisherDatabase& db, std::string_view bytes,
                                     const LegacyConversionContext& context, LegacyYearTags& tags);
/// Appends the converted records of an older list file with the given category (at most 300, and no more
/// than the register holds).
ParseOutcome AppendLegacyListBytes(PublisherDatabase& db, std::string_view bytes, PublisherCategory category,
                                   const LegacyYearTags& tags, const LegacyConversionContext& context);
/// Brings freshly read records into working order: an empty database gets the empty header; scrambled texts
/// are restored (the header's marker then reads 'A'); records are sorted, categories counted, the index
/// rebuilt and duplicate ids repaired. `prompter` receives the duplicate circuit overseer message. Returns
/// the number of ids repaired (the data then differs from the file).
int FinishDatabaseLoad(PublisherDatabase& db, Prompter* prompter);
/// The bytes of tdat9.bin for the database: records 0..Count()−1, texts scrambled, marker 'u'. The
/// database itself is left as it is.
std::string DatabaseFileBytes(const PublisherDatabase& db);

/// The file side of the publisher database. Remembers across load and save whether tdat9.bin may be
/// written (a damaged file that could not be copied aside is never written over).
class DatabaseFile {
public:
    /// Loads tdat9.bin, or converts tdat7.bin and the older list files when tdat9.bin is missing or not
    /// larger than 400 bytes, then finishes the load (FinishDatabaseLoad). A damaged tdat9.bin (unreadable,
    /// too short, cut inside a record, more records than the register holds) is copied aside and the user
    /// is told; damaged older files are read as far as possible and reported. Never fails: missing files
    /// give an empty register.
    DatabaseLoadResult LoadDatabase(PublisherDatabase& db, const DataFolder& folder, const DatabaseLoadContext& context,
                                    Prompter& prompter);

    /// Writes tdat9.bin atomically (outside past-month mode): stores the document word and the working
    /// month nibble in the header, then the scrambled records. Texts the file cannot hold exactly are
    /// reported. A file that cannot be written gives message 1231 and a failure; the data in memory is
    /// unchanged, and the modified flag is left to the caller.
    Status SaveDatabase(PublisherDatabase& db, const DataFolder& folder, MonthIndex workingMonthIndex,
                        std::uint16_t documentWord, bool pastMonthMode, Prompter& prompter);

    /// Whether tdat9.bin is protected from being written (its damaged content could not be kept).
    bool WriteBlocked() const { return m_guard.Blocked(); }

private:
    WriteGuard m_guard;
};

} // namespace vardo
