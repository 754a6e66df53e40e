#include "core/store/ExtensionFile.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/store/FixedFile.h"

namespace vardo {
namespace {

constexpr int kShift = 52;

unsigned char Unshift(unsigned char c, std::size_t position) {
    return static_cast<unsigned char>((c - static_cast<int>(position) - kShift) & 0xFF);
}

unsigned char Shift(unsigned char c, std::size_t position) {
    return static_cast<unsigned char>((c + static_cast<int>(position) + kShift) & 0xFF);
}

} // namespace

ExtensionRecord ExtensionRecord::FromFileBytes(std::string_view bytes) {
    ExtensionRecord record;
    record.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return record;
}

std::string ExtensionRecord::FileBytes() const {
    std::string bytes(m_bytes.Bytes());
    bytes[kLongNameOffset + kLongNameWidth - 1] = '\0';
    bytes[kEmailOffset + kEmailWidth - 1] = '\0';
    bytes[kExtraOffset + kExtraWidth - 1] = '\0';
    return bytes;
}

std::string ExtensionRecord::PlainBytes(std::size_t offset, std::size_t width) const {
    // The text ends at the first NUL of the scrambled bytes.
    std::string plain(m_bytes.RawText(offset, width));
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<char>(Unshift(static_cast<unsigned char>(plain[i]), i));
    return std::string(sidetext::UpToNul(plain));
}

std::string ExtensionRecord::TextOf(std::size_t offset, std::size_t width) const {
    return sidetext::Decode(PlainBytes(offset, width));
}

Status ExtensionRecord::SetTextOf(std::size_t offset, std::size_t width, std::size_t maxChars, std::string_view utf8) {
    auto encoded = sidetext::Encode(utf8, maxChars);
    if (!encoded)
        return encoded.status();
    std::string scrambled = encoded.value();
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        const auto c = static_cast<unsigned char>(scrambled[i]);
        const unsigned char s = Shift(c, i);
        if (s == 0)
            return Status::Fail(
                FormatArgs(Str(StrId::CharacterNotStorable), {sidetext::Decode(std::string(1, static_cast<char>(c))),
                                                              std::to_string(i + 1), ExtensionFile::kFileName}));
        scrambled[i] = static_cast<char>(s);
    }
    m_bytes.SetRawText(offset, width, scrambled);
    return Status::Ok();
}

int ExtensionRecord::ContentBits() const {
    int bits = 0;
    if (sidetext::HasLetter(PlainBytes(kLongNameOffset, kLongNameWidth)))
        bits |= kHasLongName;
    if (sidetext::HasLetter(PlainBytes(kEmailOffset, kEmailWidth)))
        bits |= kHasEmail;
    if (sidetext::HasLetter(PlainBytes(kExtraOffset, kExtraWidth)))
        bits |= kHasExtra;
    if (Flag() != 0)
        bits |= kHasFlag;
    return bits;
}

bool ExtensionRecord::HasText() const {
    return !PlainBytes(kLongNameOffset, kLongNameWidth).empty() || !PlainBytes(kEmailOffset, kEmailWidth).empty() ||
           !PlainBytes(kExtraOffset, kExtraWidth).empty();
}

void ExtensionRecord::ClearTexts() {
    const PublisherId owner = Owner();
    m_bytes.Clear();
    SetOwner(owner);
}

std::vector<PublisherId> ExtensionFile::ParseOwnerList(std::string_view bytes) {
    std::vector<PublisherId> owners;
    owners.reserve(bytes.size() / kRecordSize);
    for (std::size_t offset = 0; offset + kRecordSize <= bytes.size(); offset += kRecordSize)
        owners.push_back(ExtensionRecord::FromFileBytes(bytes.substr(offset, kRecordSize)).Owner());
    return owners;
}

void ExtensionFile::LoadOwnerList(const DataFolder& folder, Prompter& prompter) {
    m_owners.clear();
    if (const auto bytes = ReadRecordsForLoad(folder, kFileName, kRecordSize, m_guard, prompter))
        m_owners = ParseOwnerList(*bytes);
}

std::optional<ExtensionRecord> ExtensionFile::Read(const DataFolder& folder, std::uint16_t recordNumber,
                                                   PublisherId owner) const {
    if (recordNumber == 0)
        return std::nullopt;
    auto bytes = folder.ReadAll(kFileName);
    if (!bytes)
        return std::nullopt;
    const std::size_t offset = std::size_t{recordNumber} * kRecordSize;
    if (offset + kRecordSize > bytes.value().size())
        return std::nullopt;
    auto record = ExtensionRecord::FromFileBytes(std::string_view(bytes.value()).substr(offset, kRecordSize));
    if (record.Owner() != owner)
        return std::nullopt;
    return record;
}

Result<std::uint16_t> ExtensionFile::Write(const DataFolder& folder, const ExtensionRecord& record) {
    if (Status guard = m_guard.Check(kFileName); !guard)
        return Result<std::uint16_t>::Fail(guard);
    auto content = ReadDataFile(folder, kFileName);
    if (!content)
        return Result<std::uint16_t>::Fail(content.error());
    const std::string bytes = content.value().value_or(std::string());
    const std::size_t records = bytes.size() / kRecordSize;
    auto recordAt = [&](std::size_t n) { return std::string_view(bytes).substr(n * kRecordSize, kRecordSize); };

    std::optional<std::size_t> target;
    for (std::size_t n = 1; n < records && !target; ++n)
        if (ExtensionRecord::FromFileBytes(recordAt(n)).Owner() == record.Owner())
            target = n;
    if (!target && records >= 3) {
        for (std::size_t n = 1; n < records && !target; ++n)
            if (recordAt(n).find_first_not_of('\0') == std::string_view::npos)
                target = n;
    }

    Status written = Status::Ok();
    if (target) {
        written = folder.WriteAt(kFileName, *target * kRecordSize, record.FileBytes());
    } else if (records == 0) {
        target = 1;
        written = folder.WriteAtomic(kFileName, std::string(kRecordSize, '\0') + record.FileBytes());
    } else {
        if (records >= kMaxRecords)
            return Result<std::uint16_t>::Fail(
                FormatArgs(Str(StrId::FileFull), {kFileName, std::to_string(kMaxRecords)}));
        // A partial last record (preserved at load) is overwritten so that records stay aligned.
        target = records;
        written = folder.WriteAt(kFileName, records * kRecordSize, record.FileBytes());
    }
    if (!written)
        return Result<std::uint16_t>::Fail(written);

    if (m_owners.size() < std::max(records, *target + 1))
        m_owners.resize(std::max(records, *target + 1), 0);
    m_owners[*target] = record.Owner();
    return static_cast<std::uint16_t>(*target);
}

ExtensionFile::Checked ExtensionFile::Check(std::uint16_t key, PublisherId owner) const {
    if (key == 0)
        return {0, false};
    if (key >= m_owners.size() || m_owners[key] != owner)
        return {0, true};
    return {key, false};
}

} // namespace vardo
