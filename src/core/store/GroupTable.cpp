#include "core/store/GroupTable.h"

#include <algorithm>
#include <cstring>

#include "core/platform/Strings.h"
#include "core/store/FixedFile.h"

namespace vardo {
namespace {

constexpr std::size_t kOldTimeOffset = 1681;
constexpr std::size_t kOldDayOffset = 1861;

int ClampedCount(std::uint8_t countByte) {
    return std::clamp(static_cast<int>(static_cast<std::int8_t>(countByte)), 0, GroupTable::kMaxGroups);
}

// Scrambling and unscrambling are the same: each character up to the NUL (within the field) is XORed with
// the key character at the same position of a cyclic walk over the key, unless the two are equal.
void ScrambleText(std::uint8_t* text, std::size_t width) {
    const std::string_view key = GroupTable::kKey;
    for (std::size_t i = 0; i < width && text[i] != 0; ++i) {
        const auto k = static_cast<std::uint8_t>(key[i % key.size()]);
        if (text[i] != k)
            text[i] = static_cast<std::uint8_t>(text[i] ^ k);
    }
}

void ScrambleGroups(std::uint8_t* bytes, int count) {
    for (int g = 0; g < count; ++g) {
        ScrambleText(bytes + GroupTable::OverseerOffset(g), 24);
        ScrambleText(bytes + GroupTable::AssistantOffset(g), 24);
        ScrambleText(bytes + GroupTable::PlaceOffset(g), 24);
        ScrambleText(bytes + GroupTable::NameOffset(g), 24);
        ScrambleText(bytes + GroupTable::TimeOffset(g), 9);
    }
}

} // namespace

GroupTable::Parsed GroupTable::FromFileBytes(std::string_view bytes) {
    Parsed parsed;
    FixedRecord<kSize>& table = parsed.table.m_bytes;
    if (bytes.size() == kOldSize) {
        auto old = FixedRecord<kOldSize>::FromBytes(bytes);
        const int count = ClampedCount(old.U8(0));
        std::uint8_t* data = old.Data();
        for (int g = 0; g < count; ++g) {
            ScrambleText(data + OverseerOffset(g), 24);
            ScrambleText(data + AssistantOffset(g), 24);
            ScrambleText(data + PlaceOffset(g), 24);
            ScrambleText(data + kOldTimeOffset + 9 * static_cast<std::size_t>(g), 9);
        }
        table.SetU8(0, old.U8(0));
        for (int g = 0; g < kMaxGroups; ++g) {
            std::memcpy(table.Data() + OverseerOffset(g), data + OverseerOffset(g), 24);
            std::memcpy(table.Data() + AssistantOffset(g), data + AssistantOffset(g), 24);
            std::memcpy(table.Data() + PlaceOffset(g), data + PlaceOffset(g), 24);
            std::memcpy(table.Data() + TimeOffset(g), data + kOldTimeOffset + 9 * static_cast<std::size_t>(g), 9);
            table.SetU8(DayOffset(g), old.U8(kOldDayOffset + static_cast<std::size_t>(g)));
        }
        parsed.converted = true;
        return parsed;
    }
    table = FixedRecord<kSize>::FromBytes(bytes);
    ScrambleGroups(table.Data(), ClampedCount(table.U8(0)));
    return parsed;
}

std::string GroupTable::FileBytes() const {
    FixedRecord<kSize> scrambled = m_bytes;
    ScrambleGroups(scrambled.Data(), Count());
    return std::string(scrambled.Bytes());
}

int GroupTable::Count() const {
    return ClampedCount(m_bytes.U8(0));
}

void GroupTable::SetCount(int count) {
    m_bytes.SetU8(0, static_cast<std::uint8_t>(std::clamp(count, 0, kMaxGroups)));
}

std::string GroupTable::DisplayName(int g) const {
    if (UsesName(g) && m_bytes.RawText(NameOffset(g), 24).size() > 1)
        return Name(g);
    return FormatPrintf("%s %d", std::string(Str(StrId::GroupDefaultName)).c_str(), g + 1);
}

bool GroupTable::Load(const DataFolder& folder, Prompter& prompter) {
    m_bytes.Clear();
    m_guard.Reset();
    auto content = ReadDataFile(folder, kFileName);
    if (!content) {
        m_guard.Preserve(folder, kFileName, ReasonUnreadable(content.error()), prompter);
        return false;
    }
    if (!content.value())
        return false;
    const std::string& bytes = *content.value();
    if (!bytes.empty() && bytes.size() != kSize && bytes.size() != kOldSize)
        m_guard.Preserve(folder, kFileName, ReasonWrongSize(bytes.size(), kSize), prompter);
    auto parsed = FromFileBytes(bytes);
    m_bytes = parsed.table.m_bytes;
    return parsed.converted;
}

Status GroupTable::Save(const DataFolder& folder, Prompter& prompter) const {
    // Without groups the file goes, so that an older file cannot come back.
    if (static_cast<std::int8_t>(m_bytes.U8(0)) <= 0) {
        if (Status held = m_guard.Check(kFileName); !held) {
            prompter.Message(held.message(), Severity::Error);
            return held;
        }
        if (Status removed = folder.Remove(kFileName); !removed)
            return ReportCannotCreate(folder, kFileName, prompter);
        return Status::Ok();
    }
    return SaveFixedFile(folder, kFileName, FileBytes(), m_guard, prompter);
}

} // namespace vardo
