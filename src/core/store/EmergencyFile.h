#pragma once

// Emergency contacts of emerg.dat: 256-byte records that one or more persons refer to by key (offset 186
// of the person's record), compacted at start-up to the contacts still referenced.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/KeyedRecordFile.h"
#include "core/store/SideRecord.h"

namespace vardo {

/// One 256-byte record of emerg.dat. Texts are UTF-8 at the interface; setters fail (leaving the field
/// unchanged) for a text that is too long or holds a character outside Windows-1250.
class EmergencyContactRecord {
public:
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kNameMax = 95;
    static constexpr std::size_t kInformationMax = 95;
    static constexpr std::size_t kPhoneMax = 15;

    EmergencyContactRecord() = default;
    static EmergencyContactRecord FromBytes(std::string_view bytes);
    std::string_view Bytes() const { return m_bytes.Bytes(); }

    /// Key (≥ 10) that persons refer to.
    std::uint16_t Key() const { return m_bytes.U16(0); }
    void SetKey(std::uint16_t key) { m_bytes.SetU16(0, key); }
    /// The contact's name ("Dodatkowy Kontakt Alarmowy").
    std::string Name() const { return m_bytes.Text(2, 96); }
    Status SetName(std::string_view utf8) { return m_bytes.SetText(2, 96, kNameMax, utf8); }
    /// Important additional information ("Ważna Informacja Dodatkowa (Opcjonalnie)").
    std::string Information() const { return m_bytes.Text(98, 96); }
    Status SetInformation(std::string_view utf8) { return m_bytes.SetText(98, 96, kInformationMax, utf8); }
    std::string HomePhone() const { return m_bytes.Text(194, 16); }
    Status SetHomePhone(std::string_view utf8) { return m_bytes.SetText(194, 16, kPhoneMax, utf8); }
    std::string MobilePhone() const { return m_bytes.Text(210, 16); }
    Status SetMobilePhone(std::string_view utf8) { return m_bytes.SetText(210, 16, kPhoneMax, utf8); }
    std::string WorkPhone() const { return m_bytes.Text(226, 16); }
    Status SetWorkPhone(std::string_view utf8) { return m_bytes.SetText(226, 16, kPhoneMax, utf8); }
    /// Check box "ŚJ": the contact is a Witness.
    bool IsWitness() const { return m_bytes.U8(242) == 1; }
    void SetWitness(bool on) { m_bytes.SetU8(242, on ? 1 : 0); }

    bool operator==(const EmergencyContactRecord&) const = default;

private:
    FixedRecord<kSize> m_bytes;
};

/// emerg.dat and its key table.
class EmergencyFile : public KeyedRecordFile {
public:
    static constexpr std::string_view kFileName = "emerg.dat";
    /// Positions the key table may grow to.
    static constexpr std::size_t kCapacity = 1000;

    EmergencyFile() : KeyedRecordFile(kFileName, EmergencyContactRecord::kSize, kCapacity) {}

    /// Result of the start-up compaction of the file's bytes.
    struct Compaction {
        std::vector<std::uint16_t> keys; ///< the key table (empty when nothing was kept)
        std::string bytes;               ///< the compacted file (valid when keys is not empty)
        bool changed = false;            ///< true when the compacted file differs from the original
    };
    /// Keeps, in order, every whole record whose key is referenced by a person; a record whose key repeats
    /// a key already kept gets key 0 first (and is kept only when a person has key 0, as a free position).
    /// Every record of the file is considered, also beyond the table's capacity.
    static Compaction Compact(std::string_view fileBytes, const KeyReferenced& referenced);

    /// Start-up outside PastMonthMode when the database holds at least one person: compacts the file and
    /// builds the key table. When no record is kept the file stays as it is and the table is empty. A file
    /// that cannot be read or has a partial last record is preserved first.
    void CompactAtStartup(const DataFolder& folder, const KeyReferenced& referenced, Prompter& prompter);
    /// PastMonthMode or an empty database: the key table is the raw key of every record.
    void LoadKeyTable(const DataFolder& folder, Prompter& prompter);

    /// ReadEmergency: the record of `key`; nullopt when the key is unknown or the file cannot be read.
    std::optional<EmergencyContactRecord> Read(const DataFolder& folder, std::uint16_t key) const;
    /// WriteEmergency: rewrites the record of `key` in place (its key field is set to `key`).
    Status Write(const DataFolder& folder, std::uint16_t key, const EmergencyContactRecord& record) const;
    /// AddEmergency: stores a new contact and returns its key (the smallest free key from 10 upward).
    Result<std::uint16_t> Add(const DataFolder& folder, const EmergencyContactRecord& record,
                              const KeyReferenced& referenced);
};

} // namespace vardo
