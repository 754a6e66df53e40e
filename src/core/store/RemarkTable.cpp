#include "core/store/RemarkTable.h"

#include <map>
#include <tuple>
#include <unordered_map>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::size_t kSize = RemarkEntry::kSize;

std::size_t WholeEntries(std::string_view bytes) {
    return bytes.size() / kSize;
}

RemarkEntry EntryAt(std::string_view bytes, std::size_t n) {
    return RemarkEntry::FromBytes(bytes.substr(n * kSize, kSize));
}

} // namespace

RemarkEntry RemarkEntry::FromBytes(std::string_view bytes) {
    RemarkEntry entry;
    entry.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return entry;
}

std::string RemarkEntry::FileBytes() const {
    std::string bytes(m_bytes.Bytes());
    bytes[kTextMax] = '\0';
    return bytes;
}

bool RemarkEntry::IsValid() const {
    return MonthByte() != 0 && Id() > 10 && !sidetext::Trim(RawText()).empty();
}

RemarkTable::RemarkTable() : m_entries(1) {}

std::string RemarkTable::CompactBytes(std::string_view bytes) {
    std::vector<RemarkEntry> entries;
    const std::size_t count = WholeEntries(bytes);
    for (std::size_t n = 1; n < count; ++n) {
        RemarkEntry entry = EntryAt(bytes, n);
        if (entry.IsValid())
            entries.push_back(entry);
    }
    // A later remark for the same person, month and slot replaces the earlier one.
    std::map<std::tuple<std::uint8_t, std::uint8_t, PublisherId>, std::size_t> latest;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        RemarkEntry& entry = entries[i];
        if (entry.Id() <= 11 || entry.RawText().empty())
            continue;
        const auto key = std::make_tuple(entry.MonthByte(), entry.SlotByte(), entry.Id());
        const auto found = latest.find(key);
        if (found != latest.end()) {
            entries[found->second].SetMonthByte(0);
            entries[found->second].SetId(0);
            found->second = i;
        } else {
            latest.emplace(key, i);
        }
    }
    std::string compacted(kSize, '\0');
    for (const auto& entry : entries)
        if (entry.MonthByte() != 0 || entry.Id() != 0)
            compacted.append(entry.Bytes());
    return compacted;
}

void RemarkTable::PreserveIfDamaged(const DataFolder& folder, const std::string& bytes, Prompter& prompter) {
    if (bytes.size() % kSize != 0)
        m_guard.Preserve(folder, kFileName, ReasonPartialRecord(bytes.size(), kSize), prompter);
}

void RemarkTable::LoadAtStartup(const DataFolder& folder, std::span<PublisherRecord> persons, Prompter& prompter) {
    m_guard.Reset();
    m_entries.assign(1, RemarkEntry());
    auto content = ReadDataFile(folder, kFileName);
    if (!content) {
        m_guard.Preserve(folder, kFileName, ReasonUnreadable(content.error()), prompter);
        // A stale undo copy of an earlier run must not be restored over the unread file.
        (void)folder.Remove(kUndoFileName);
        for (auto& person : persons)
            for (int cell = 0; cell < kMonthCells; ++cell)
                person.SetRow(MonthRow::Remark, cell / kYearSlots, cell % kYearSlots, 0);
        return;
    }
    std::string bytes = content.value().value_or(std::string());
    PreserveIfDamaged(folder, bytes, prompter);
    if (bytes.size() > kCompactAbove && !m_guard.Blocked()) {
        std::string compacted = CompactBytes(bytes);
        if (compacted != bytes && folder.WriteAtomic(kFileName, compacted))
            bytes = std::move(compacted);
    }
    // The undo copy is best effort: without it, "No" at exit keeps the remark file as it is.
    if (!folder.WriteAtomic(kUndoFileName, content.value() ? bytes : std::string()))
        (void)folder.Remove(kUndoFileName);
    const std::size_t notLoaded = LoadBytes(bytes, persons);
    if (notLoaded > 0)
        prompter.Message(FormatArgs(Str(StrId::RemarksNotLoaded), {std::to_string(notLoaded), kFileName}),
                         Severity::Warning);
}

void RemarkTable::Load(const DataFolder& folder, std::span<PublisherRecord> persons, Prompter& prompter) {
    auto content = ReadDataFile(folder, kFileName);
    std::string bytes;
    if (!content) {
        m_guard.Preserve(folder, kFileName, ReasonUnreadable(content.error()), prompter);
    } else if (content.value()) {
        bytes = std::move(*content.value());
        if (!m_guard.Blocked() && m_guard.CopyName().empty())
            PreserveIfDamaged(folder, bytes, prompter);
    }
    const std::size_t notLoaded = LoadBytes(bytes, persons);
    if (notLoaded > 0)
        prompter.Message(FormatArgs(Str(StrId::RemarksNotLoaded), {std::to_string(notLoaded), kFileName}),
                         Severity::Warning);
}

std::size_t RemarkTable::LoadBytes(std::string_view bytes, std::span<PublisherRecord> persons) {
    m_entries.assign(1, RemarkEntry());
    for (auto& person : persons)
        for (int cell = 0; cell < kMonthCells; ++cell)
            person.SetRow(MonthRow::Remark, cell / kYearSlots, cell % kYearSlots, 0);

    std::unordered_map<PublisherId, std::size_t> personOfId;
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (persons[i].Id() > 9)
            personOfId.emplace(persons[i].Id(), i);

    std::size_t notLoaded = 0;
    const std::size_t count = WholeEntries(bytes);
    for (std::size_t n = 1; n < count; ++n) {
        RemarkEntry entry = EntryAt(bytes, n);
        if (!entry.IsValid() || entry.MonthByte() > kMonthsPerYear)
            continue;
        const auto found = personOfId.find(entry.Id());
        if (found == personOfId.end())
            continue;
        if (m_entries.size() >= kTableSize) {
            ++notLoaded;
            continue;
        }
        persons[found->second].SetRow(MonthRow::Remark, entry.MonthByte() - 1, entry.SlotByte() & 1,
                                      static_cast<std::uint16_t>(m_entries.size()));
        m_entries.push_back(entry);
    }
    for (auto& person : persons)
        for (int cell = 0; cell < kMonthCells; ++cell)
            if (person.Row(MonthRow::Remark, cell / kYearSlots, cell % kYearSlots) >= m_entries.size())
                person.SetRow(MonthRow::Remark, cell / kYearSlots, cell % kYearSlots, 0);
    return notLoaded;
}

Result<std::uint16_t> RemarkTable::Append(const RemarkEntry& entry) {
    if (m_entries.size() >= kTableSize)
        return Result<std::uint16_t>::Fail(
            FormatArgs(Str(StrId::FileFull), {kFileName, std::to_string(kTableSize - 1)}));
    m_entries.push_back(entry);
    return static_cast<std::uint16_t>(m_entries.size() - 1);
}

bool RemarkTable::HasRemark(std::uint16_t number) const {
    return number != 0 && number < m_entries.size() && !m_entries[number].RawText().empty();
}

bool RemarkTable::HasRemark(const PublisherRecord& person, MonthIndex month, int slot, Prompter& prompter) const {
    if (!IsYearSlot(slot)) {
        prompter.Message(Str(StrId::BadYearInRemCheck), Severity::Error);
        return false;
    }
    if (!IsMonthIndex(month))
        return false;
    return HasRemark(person.RemarkNumber(month, slot));
}

std::size_t RemarkTable::ApplyWriteRule(std::string& image, const RemarkEntry& entry) {
    const std::size_t count = WholeEntries(image);
    std::size_t position = 0;
    for (std::size_t n = 1; n < count && position == 0; ++n)
        if (EntryAt(image, n).SameKey(entry))
            position = n;
    for (std::size_t n = count; n-- > 1 && position == 0;)
        if (image[n * kSize] == '\0')
            position = n;
    if (position == 0) {
        image.resize(count * kSize);
        if (count == 0)
            image.assign(kSize, '\0');
        position = WholeEntries(image);
        image.append(kSize, '\0');
    }
    image.replace(position * kSize, kSize, entry.FileBytes());
    return position;
}

Status RemarkTable::WriteRemark(const DataFolder& folder, std::size_t number) const {
    if (Status guard = m_guard.Check(kFileName); !guard)
        return guard;
    if (number >= m_entries.size())
        return Status::Fail(FormatArgs(Str(StrId::RecordNotFound), {kFileName, std::to_string(number)}));
    auto content = ReadDataFile(folder, kFileName);
    if (!content)
        return content.status();
    const std::string original = content.value().value_or(std::string());
    std::string image = original;
    const std::size_t position = ApplyWriteRule(image, m_entries[number]);
    if (WholeEntries(original) == 0)
        return folder.WriteAtomic(kFileName, image);
    return folder.WriteAt(kFileName, position * kSize, std::string_view(image).substr(position * kSize, kSize));
}

Status RemarkTable::WriteAll(const DataFolder& folder) const {
    if (Status guard = m_guard.Check(kFileName); !guard)
        return guard;
    auto content = ReadDataFile(folder, kFileName);
    if (!content)
        return content.status();
    const std::string original = content.value().value_or(std::string());
    std::string image = original;
    for (const auto& entry : m_entries)
        ApplyWriteRule(image, entry);
    if (image == original && content.value())
        return Status::Ok();
    return folder.WriteAtomic(kFileName, image);
}

Status RemarkTable::ClearPersonRemarks(const DataFolder& folder, PublisherId id) {
    bool found = false;
    for (std::size_t n = 1; n < m_entries.size(); ++n) {
        if (m_entries[n].Id() == id) {
            m_entries[n].ClearText();
            found = true;
        }
    }
    return found ? WriteAll(folder) : Status::Ok();
}

Status RemarkTable::RestoreFromUndo(const DataFolder& folder) {
    auto undo = ReadDataFile(folder, kUndoFileName);
    if (!undo)
        return undo.status();
    if (!undo.value())
        return Status::Ok();
    return folder.WriteAtomic(kFileName, *undo.value());
}

Status RemarkTable::RemoveUndo(const DataFolder& folder) {
    return folder.Remove(kUndoFileName);
}

} // namespace vardo
