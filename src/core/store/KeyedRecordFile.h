#pragma once

// A side file of fixed-size records that persons refer to by a 16-bit key stored in the record's first two
// bytes (emerg.dat, spneed.dat). In memory only the key table is kept: position p of the table is record p
// of the file; a key of 0 marks a free position.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/PublisherRecord.h"
#include "core/store/Quarantine.h"

namespace vardo {

/// Tells whether some person refers to a key.
using KeyReferenced = std::function<bool(std::uint16_t key)>;

/// KeyReferenced over the emergency-contact keys (offset 186) of `persons` (records 1..count−1). The keys are
/// copied; the records may change afterwards.
KeyReferenced EmergencyKeysOf(std::span<const PublisherRecord> persons);
/// KeyReferenced over the special-needs keys (offset 190) of `persons`.
KeyReferenced SpecialNeedsKeysOf(std::span<const PublisherRecord> persons);

class KeyedRecordFile {
public:
    /// Keys start at this value.
    static constexpr std::uint16_t kFirstKey = 10;

    std::string_view FileName() const { return m_fileName; }
    std::size_t RecordSize() const { return m_recordSize; }
    /// The key table: key of each file position (0 = free).
    const std::vector<std::uint16_t>& Keys() const { return m_keys; }
    /// Table position of a key (first match); nullopt for keys below 10 and unknown keys.
    std::optional<std::size_t> PositionOf(std::uint16_t key) const;
    /// Smallest key from 10 upward that is neither in the table nor referenced by a person.
    std::optional<std::uint16_t> NextFreeKey(const KeyReferenced& referenced) const;
    /// True when writing is refused because a damaged file could not be preserved.
    bool WriteBlocked() const { return m_guard.Blocked(); }

protected:
    KeyedRecordFile(std::string_view fileName, std::size_t recordSize, std::size_t capacity)
        : m_fileName(fileName), m_recordSize(recordSize), m_capacity(capacity) {}

    /// Reads the file for loading; a file that cannot be read, or whose size is not a whole number of
    /// records, is preserved first. nullopt when the file is missing or unreadable.
    std::optional<std::string> ReadForLoad(const DataFolder& folder, Prompter& prompter);
    /// The raw keys of every whole record.
    std::vector<std::uint16_t> RawKeys(std::string_view bytes) const;

    /// The file bytes of the record with `key`.
    Result<std::string> ReadRecord(const DataFolder& folder, std::uint16_t key) const;
    /// Rewrites the record of `key` in place; `bytes` (one record) get `key` in their first two bytes.
    Status WriteRecord(const DataFolder& folder, std::uint16_t key, std::string bytes) const;
    /// Stores `bytes` under a new key: at the first free position in place, else appended. Fails when the
    /// table is full or no key is left.
    Result<std::uint16_t> AddRecord(const DataFolder& folder, std::string bytes, const KeyReferenced& referenced);

    std::vector<std::uint16_t> m_keys;
    WriteGuard m_guard;

private:
    std::string_view m_fileName;
    std::size_t m_recordSize;
    std::size_t m_capacity;
};

} // namespace vardo
