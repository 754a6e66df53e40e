#pragma once

// The backup history `buhist.dat`: the ten most recent backups and monthly snapshots, newest first.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/exchange/MonthlySnapshot.h"
#include "core/platform/Date.h"
#include "core/platform/Result.h"

namespace vardo {

/// One entry: the text the restore list shows and the folder that holds the copy (both UTF-8).
struct BackupHistoryEntry {
    std::string text;
    std::string path;

    /// A record of zeros: an empty slot.
    bool Empty() const { return text.empty() && path.empty(); }
    /// The folder exists and its tdat9.bin is larger than 500 bytes.
    bool IsValid() const;
    bool operator==(const BackupHistoryEntry&) const = default;
};

/// The ten records of `buhist.dat` (512 bytes each: 52 bytes of text, Windows-1250, then 460 bytes of path,
/// each zero-terminated and zero-padded).
class BackupHistory {
public:
    static constexpr int kEntries = 10;
    static constexpr std::size_t kEntrySize = 512;
    static constexpr std::size_t kTextSize = 52;
    static constexpr std::size_t kPathSize = 460;
    static constexpr std::string_view kFileName = "buhist.dat";

    /// Reads the file of the data folder; a missing or short file reads as empty slots.
    static BackupHistory Load(const DataFolder& data);
    /// Parses file bytes; missing records are empty slots, bytes beyond the tenth record are ignored.
    static BackupHistory Parse(std::string_view bytes);
    /// The file's 5120 bytes.
    std::string Serialize() const;
    /// Writes the file atomically.
    Status Save(const DataFolder& data) const;

    const BackupHistoryEntry& Entry(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
    /// Indexes of the valid entries, in file order.
    std::vector<int> ValidIndexes() const;

    /// Puts `entry` in front (entries 0..8 move to 1..9, entry 9 drops out) in memory. Fails without a change
    /// when the path does not fit its field.
    Status PushFront(const BackupHistoryEntry& entry);

    /// The history push shared by backups and monthly snapshots: reads `buhist.dat` of the data folder, puts
    /// the entry in front and writes the file back atomically.
    static Status Push(const DataFolder& data, const BackupHistoryEntry& entry);

private:
    std::array<BackupHistoryEntry, kEntries> m_entries;
};

/// Display text of a backup made at `now`: the long date and the time in the C library's default locale
/// ("Tuesday, March 05, 2024 2:30 PM").
std::string BackupHistoryText(const DateTime& now);

} // namespace vardo
