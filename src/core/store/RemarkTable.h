#pragma once

// Monthly remarks of remark9.dat: 48-byte RemarkEntry records (text, month, slot, PublisherId) after an
// all-zero entry 0. The file is compacted and copied to the undo file rmkundo.dat at start-up, then loaded
// into the remark table; each person's remark row (offset 600) holds the table position of the person's
// remark for each month and slot. Entries are written back by the write rule: in place for the same
// person, month and slot, else over the last entry with an empty text, else appended.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

/// One 48-byte remark: text (at most 43 characters), month byte (MonthIndex + 1), slot byte, PublisherId.
class RemarkEntry {
public:
    static constexpr std::size_t kSize = 48;
    static constexpr std::size_t kTextMax = 43;

    RemarkEntry() = default;
    static RemarkEntry FromBytes(std::string_view bytes);
    /// The entry as held.
    std::string_view Bytes() const { return m_bytes.Bytes(); }
    /// The bytes written to the file: as held, with byte 43 forced to NUL.
    std::string FileBytes() const;

    /// The text (UTF-8). The setter fails, leaving the text unchanged, beyond 43 characters or for a
    /// character outside Windows-1250; callers that must cut a text use sidetext::CutToCharacters.
    std::string Text() const { return m_bytes.Text(0, 44); }
    Status SetText(std::string_view utf8) { return m_bytes.SetText(0, 44, kTextMax, utf8); }
    std::string_view RawText() const { return m_bytes.RawText(0, 44); }
    /// Empties the text (all 44 text bytes become 0).
    void ClearText() { m_bytes.SetRawText(0, 44, {}); }

    /// MonthIndex + 1 (1..12); 0 in an unused entry.
    std::uint8_t MonthByte() const { return m_bytes.U8(44); }
    void SetMonthByte(std::uint8_t value) { m_bytes.SetU8(44, value); }
    /// Year slot 0 or 1.
    std::uint8_t SlotByte() const { return m_bytes.U8(45); }
    void SetSlotByte(std::uint8_t value) { m_bytes.SetU8(45, value); }
    PublisherId Id() const { return m_bytes.U16(46); }
    void SetId(PublisherId id) { m_bytes.SetU16(46, id); }

    /// Month byte non-zero, PublisherId above 10 and a text that is not empty after trimming.
    bool IsValid() const;
    /// Same PublisherId, month byte and slot byte.
    bool SameKey(const RemarkEntry& other) const {
        return Id() == other.Id() && MonthByte() == other.MonthByte() && SlotByte() == other.SlotByte();
    }

    bool operator==(const RemarkEntry&) const = default;

private:
    FixedRecord<kSize> m_bytes;
};

class RemarkTable {
public:
    static constexpr std::string_view kFileName = "remark9.dat";
    static constexpr std::string_view kUndoFileName = "rmkundo.dat";
    /// Entries the in-memory table holds, entry 0 included.
    static constexpr std::size_t kTableSize = 3900;
    /// The file is compacted at start-up when it is larger than this.
    static constexpr std::size_t kCompactAbove = 143;

    RemarkTable();

    /// Compaction of the file's bytes: every valid entry after entry 0 is read; when a later entry has the
    /// same month byte, slot byte and PublisherId (above 11) as an earlier one, the earlier entry is dropped;
    /// the result is a zero entry 0 followed by the remaining entries. Every entry is considered (no cap),
    /// so that none is lost.
    static std::string CompactBytes(std::string_view bytes);

    /// Start-up: compacts the file when it is larger than 143 bytes, copies it to rmkundo.dat (an empty
    /// rmkundo.dat when there is no remark file, so that the undo restores the absence of remarks) and
    /// loads it (see Load). A file that cannot be read or has a partial last entry is preserved first.
    void LoadAtStartup(const DataFolder& folder, std::span<PublisherRecord> persons, Prompter& prompter);
    /// Reloads the table from the file without compaction or undo copy (after a change of working month).
    void Load(const DataFolder& folder, std::span<PublisherRecord> persons, Prompter& prompter);
    /// Loads from the file's bytes: every person's remark row is zeroed; each valid entry after entry 0
    /// (month 1..12) whose PublisherId belongs to a person is stored at the next table position, which is
    /// written into that person's remark row at [month − 1][slot & 1]. Returns the number of such entries
    /// that did not fit the table (they stay in the file).
    std::size_t LoadBytes(std::string_view bytes, std::span<PublisherRecord> persons);

    /// Number of entries, entry 0 included (at least 1).
    std::size_t Count() const { return m_entries.size(); }
    /// Entry `number` (0..Count()−1; others are a programming error).
    const RemarkEntry& Entry(std::size_t number) const { return m_entries[number]; }
    RemarkEntry& Entry(std::size_t number) { return m_entries[number]; }
    /// Adds an entry at the end of the table and returns its number; fails when the table is full.
    Result<std::uint16_t> Append(const RemarkEntry& entry);

    /// HasRemark: remark number not 0, below Count() and its text not empty.
    bool HasRemark(std::uint16_t number) const;
    /// The remark lookup of a person's month: accepts slots 0..2; any other slot shows "bad year in
    /// RemCheck" and finds nothing; a month outside 0..11 finds nothing.
    bool HasRemark(const PublisherRecord& person, MonthIndex month, int slot, Prompter& prompter) const;

    /// The write rule on a file image: the entry replaces the entry 1..n−1 with the same PublisherId, month
    /// and slot bytes; else the last entry 1..n−1 whose text is empty; else it is appended (after a zero
    /// entry 0 when the image is empty). A partial last entry is overwritten. Returns the entry's position.
    static std::size_t ApplyWriteRule(std::string& image, const RemarkEntry& entry);
    /// WriteRemark: writes table entry `number` to the file by the write rule, in place.
    Status WriteRemark(const DataFolder& folder, std::size_t number) const;
    /// Writes every table entry, entry 0 included, by the write rule (save, initialisation).
    Status WriteAll(const DataFolder& folder) const;
    /// Empties the texts of all remarks of a person; when any was found, writes the whole table.
    Status ClearPersonRemarks(const DataFolder& folder, PublisherId id);

    /// "No" at the exit question: copies rmkundo.dat back over remark9.dat (nothing when it is missing).
    static Status RestoreFromUndo(const DataFolder& folder);
    /// Every exit: deletes rmkundo.dat.
    static Status RemoveUndo(const DataFolder& folder);

private:
    void PreserveIfDamaged(const DataFolder& folder, const std::string& bytes, Prompter& prompter);

    std::vector<RemarkEntry> m_entries;
    WriteGuard m_guard;
};

} // namespace vardo
