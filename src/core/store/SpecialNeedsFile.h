#pragma once

// Special needs of spneed.dat: 96-byte records of a key and a text, referred to by key from offset 190 of a
// person's record.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/KeyedRecordFile.h"
#include "core/store/SideRecord.h"

namespace vardo {

/// One 96-byte record of spneed.dat.
class SpecialNeedsRecord {
public:
    static constexpr std::size_t kSize = 96;
    static constexpr std::size_t kTextMax = 93;

    SpecialNeedsRecord() = default;
    static SpecialNeedsRecord FromBytes(std::string_view bytes);
    std::string_view Bytes() const { return m_bytes.Bytes(); }

    std::uint16_t Key() const { return m_bytes.U16(0); }
    void SetKey(std::uint16_t key) { m_bytes.SetU16(0, key); }
    /// The text (UTF-8); the setter fails, leaving the text unchanged, beyond 93 characters or for a
    /// character outside Windows-1250.
    std::string Text() const { return m_bytes.Text(2, kSize - 2); }
    Status SetText(std::string_view utf8) { return m_bytes.SetText(2, kSize - 2, kTextMax, utf8); }

    bool operator==(const SpecialNeedsRecord&) const = default;

private:
    FixedRecord<kSize> m_bytes;
};

/// spneed.dat and its key table.
class SpecialNeedsFile : public KeyedRecordFile {
public:
    static constexpr std::string_view kFileName = "spneed.dat";
    /// The file has no limit of its own; keys are 16-bit.
    static constexpr std::size_t kCapacity = 0xFFFF - kFirstKey;

    SpecialNeedsFile() : KeyedRecordFile(kFileName, SpecialNeedsRecord::kSize, kCapacity) {}

    /// The key table of the file's bytes: one entry per whole record; a key that repeats an earlier one, or
    /// that no person refers to, is entered as 0.
    static std::vector<std::uint16_t> BuildKeyTable(std::string_view fileBytes, const KeyReferenced& referenced);

    /// Start-up: builds the key table from the file. A file that cannot be read or has a partial last
    /// record is preserved first.
    void LoadKeyTable(const DataFolder& folder, const KeyReferenced& referenced, Prompter& prompter);

    /// ReadSpecialNeeds: the record of `key`; nullopt when unknown or unreadable.
    std::optional<SpecialNeedsRecord> Read(const DataFolder& folder, std::uint16_t key) const;
    /// WriteSpecialNeeds: rewrites the record of `key` in place.
    Status Write(const DataFolder& folder, std::uint16_t key, const SpecialNeedsRecord& record) const;
    /// AddSpecialNeeds: stores a new record and returns its key.
    Result<std::uint16_t> Add(const DataFolder& folder, const SpecialNeedsRecord& record,
                              const KeyReferenced& referenced);
};

} // namespace vardo
