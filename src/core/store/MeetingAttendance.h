#pragma once

// Meeting attendance of meetin9.dat: two 672-byte records, the midweek and the weekend meeting, each with
// per-month tables [12 months][3 slots] of u16 values: the five weeks, the number of meetings, the total and
// the average.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

enum class MeetingKind { Midweek = 0, Weekend = 1 };

/// The per-month tables of a MeetingRecord, in file order.
enum class MeetingRow { Week1, Week2, Week3, Week4, Week5, Meetings, Total, Average };

/// One 672-byte attendance record.
class MeetingRecord {
public:
    static constexpr std::size_t kSize = 672;
    static constexpr std::size_t kNameWidth = 96;

    static MeetingRecord FromBytes(std::string_view bytes);
    std::string_view Bytes() const { return m_bytes.Bytes(); }

    /// Byte offset of a table cell (month 0..11, slot 0..2).
    static constexpr std::size_t OffsetOf(MeetingRow row, MonthIndex month, YearSlot slot) {
        return kNameWidth + 72 * static_cast<std::size_t>(row) +
               2 * static_cast<std::size_t>(CellPosition(month, slot));
    }

    /// The record's name (UTF-8).
    std::string Name() const { return m_bytes.Text(0, kNameWidth); }
    /// Replaces the name and its terminating NUL; the bytes after that NUL stay as they are.
    void ReplaceName(std::string_view utf8);

    /// Arguments outside their ranges are a programming error.
    std::uint16_t Value(MeetingRow row, MonthIndex month, YearSlot slot) const {
        return m_bytes.U16(OffsetOf(row, month, slot));
    }
    void SetValue(MeetingRow row, MonthIndex month, YearSlot slot, std::uint16_t value) {
        m_bytes.SetU16(OffsetOf(row, month, slot), value);
    }
    /// Attendance of week 0..4 of the month (0 = no meeting that week).
    std::uint16_t Week(int week, MonthIndex month, YearSlot slot) const {
        return Value(static_cast<MeetingRow>(week), month, slot);
    }
    void SetWeek(int week, MonthIndex month, YearSlot slot, std::uint16_t value) {
        SetValue(static_cast<MeetingRow>(week), month, slot, value);
    }

    bool operator==(const MeetingRecord&) const = default;

private:
    FixedRecord<kSize> m_bytes;
};

/// The attendance of both meetings.
class MeetingAttendance {
public:
    static constexpr std::string_view kFileName = "meetin9.dat";
    static constexpr std::size_t kRecords = 2;

    /// The attendance of a file's bytes: up to two whole records (the rest zero); then the names are set to
    /// string 1003 ("Zebranie w tygodniu") and 1002 ("Zebranie w weekend").
    static MeetingAttendance FromBytes(std::string_view bytes);
    /// The bytes the save writes: always both records.
    std::string FileBytes() const;

    /// Number of records the file held (2 when it was missing).
    int LoadedCount() const { return m_loadedCount; }
    MeetingRecord& Record(MeetingKind kind) { return m_records[static_cast<std::size_t>(kind)]; }
    const MeetingRecord& Record(MeetingKind kind) const { return m_records[static_cast<std::size_t>(kind)]; }

    /// ReadMeetings. A file that cannot be read, whose size is not a whole number of records, or that holds
    /// more than two records, is preserved first.
    void Load(const DataFolder& folder, Prompter& prompter);
    /// WriteMeetings: writes both records; a file that cannot be created shows message 1231.
    Status Save(const DataFolder& folder, Prompter& prompter) const;

private:
    void SetNames();

    std::array<MeetingRecord, kRecords> m_records{};
    int m_loadedCount = static_cast<int>(kRecords);
    WriteGuard m_guard;
};

} // namespace vardo
