#pragma once

// Extension records of xten7.dat: a person's long name, e-mail address and extra contact text, one
// 192-byte record per person, found through the record number kept in the person's record (offset 184).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/PublisherRecord.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

/// One 192-byte record of xten7.dat, held as the file's bytes: the three texts are scrambled (character i
/// of a text becomes (c + i + 52) mod 256) and the accessors unscramble them.
class ExtensionRecord {
public:
    static constexpr std::size_t kSize = 192;
    static constexpr std::size_t kLongNameMax = 64;
    static constexpr std::size_t kEmailMax = 50;
    static constexpr std::size_t kExtraMax = 71;

    /// Content bits of a record (other modules decide from them whether to show or export the texts).
    static constexpr int kHasLongName = 1;
    static constexpr int kHasEmail = 2;
    static constexpr int kHasExtra = 4;
    static constexpr int kHasFlag = 8;

    ExtensionRecord() = default;
    /// A record from its 192 file bytes (shorter input is zero-filled).
    static ExtensionRecord FromFileBytes(std::string_view bytes);
    /// The bytes written to the file: as held, with bytes 66, 117 and 189 forced to NUL.
    std::string FileBytes() const;

    PublisherId Owner() const { return m_bytes.U16(0); }
    void SetOwner(PublisherId id) { m_bytes.SetU16(0, id); }

    /// Texts in UTF-8. The setters fail (leaving the field unchanged) for a text that is too long, holds a
    /// character outside Windows-1250, or holds a character that the scrambling would turn into the NUL that
    /// ends the text.
    std::string LongName() const { return TextOf(kLongNameOffset, kLongNameWidth); }
    Status SetLongName(std::string_view utf8) { return SetTextOf(kLongNameOffset, kLongNameWidth, kLongNameMax, utf8); }
    std::string Email() const { return TextOf(kEmailOffset, kEmailWidth); }
    Status SetEmail(std::string_view utf8) { return SetTextOf(kEmailOffset, kEmailWidth, kEmailMax, utf8); }
    std::string Extra() const { return TextOf(kExtraOffset, kExtraWidth); }
    Status SetExtra(std::string_view utf8) { return SetTextOf(kExtraOffset, kExtraWidth, kExtraMax, utf8); }

    /// Byte 190.
    std::uint8_t Flag() const { return m_bytes.U8(190); }
    void SetFlag(std::uint8_t value) { m_bytes.SetU8(190, value); }

    /// Bit 0 long name, bit 1 e-mail, bit 2 extra text contains a letter; bit 3 byte 190 is non-zero.
    int ContentBits() const;
    /// True when any of the three texts is not empty.
    bool HasText() const;
    /// Clears everything but the owner.
    void ClearTexts();
    bool IsZero() const { return m_bytes.IsZero(); }

    bool operator==(const ExtensionRecord&) const = default;

private:
    static constexpr std::size_t kLongNameOffset = 2;
    static constexpr std::size_t kLongNameWidth = 65;
    static constexpr std::size_t kEmailOffset = 67;
    static constexpr std::size_t kEmailWidth = 51;
    static constexpr std::size_t kExtraOffset = 118;
    static constexpr std::size_t kExtraWidth = 72;

    std::string PlainBytes(std::size_t offset, std::size_t width) const;
    std::string TextOf(std::size_t offset, std::size_t width) const;
    Status SetTextOf(std::size_t offset, std::size_t width, std::size_t maxChars, std::string_view utf8);

    FixedRecord<kSize> m_bytes;
};

/// xten7.dat: the table of record owners read at start-up, and record reads and writes on demand.
class ExtensionFile {
public:
    static constexpr std::string_view kFileName = "xten7.dat";
    static constexpr std::size_t kRecordSize = ExtensionRecord::kSize;
    /// Records the file may hold, the blank record 0 included.
    static constexpr std::size_t kMaxRecords = 601;

    /// The owner id of every whole record of the file's bytes (record 0 included). Every record is listed,
    /// also beyond kMaxRecords, so that no person's key is reset because of the cap.
    static std::vector<PublisherId> ParseOwnerList(std::string_view bytes);

    /// Start-up: reads the owner list. A file with a partial last record, or one that cannot be read, is
    /// preserved first (see PreserveUnreadableFile).
    void LoadOwnerList(const DataFolder& folder, Prompter& prompter);
    /// Number of records known (record 0 included).
    std::size_t RecordCount() const { return m_owners.size(); }
    const std::vector<PublisherId>& Owners() const { return m_owners; }

    /// ReadExtension: the record `recordNumber` when it exists and belongs to `owner`; nullopt otherwise
    /// (record 0, a number beyond the file, another owner, an unreadable file).
    std::optional<ExtensionRecord> Read(const DataFolder& folder, std::uint16_t recordNumber, PublisherId owner) const;

    /// WriteExtension: stores `record` for its owner and returns its record number (for offset 184). The
    /// owner's existing record is rewritten in place; else, when the file has at least three records, the
    /// first all-zero record after record 0 is reused; else the record is appended (after a zero record 0
    /// when the file is new). Fails when the file is full (kMaxRecords) or cannot be written.
    Result<std::uint16_t> Write(const DataFolder& folder, const ExtensionRecord& record);

    /// CheckExtension: the key a person with id `owner` should keep. A key beyond the records, or whose
    /// record has another owner, becomes 0 (then `changed` is true and the document is modified).
    struct Checked {
        std::uint16_t key = 0;
        bool changed = false;
    };
    Checked Check(std::uint16_t key, PublisherId owner) const;

private:
    std::vector<PublisherId> m_owners;
    WriteGuard m_guard;
};

} // namespace vardo
