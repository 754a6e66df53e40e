#include "core/store/ParticipationFlags.h"

#include <unordered_map>
#include <vector>

namespace vardo {
namespace {

constexpr int kFileSlots = 2;
constexpr std::uint16_t kStudyWordLimit = 4096;

std::size_t ByteOf(MonthIndex month, YearSlot slot) {
    return 2 + 2 * static_cast<std::size_t>(month) + static_cast<std::size_t>(slot);
}

// Persons as FindById finds them: the first record with each id; ids 0..9 are never looked up.
std::unordered_map<PublisherId, std::size_t> FirstRecordOfId(std::span<PublisherRecord> persons) {
    std::unordered_map<PublisherId, std::size_t> index;
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (persons[i].Id() > 9)
            index.emplace(persons[i].Id(), i);
    return index;
}

struct ClearedCell {
    std::size_t person;
    MonthIndex month;
    YearSlot slot;
};

ParticipationFlags::Collected CollectFlags(std::span<PublisherRecord> persons, int yearIndex,
                                           MonthIndex workingMonthIndex, std::vector<ClearedCell>* cleared) {
    ParticipationFlags::Collected collected;
    for (const auto& person : persons)
        for (int cell = 0; cell < kMonthCells && !collected.anyFlag; ++cell)
            collected.anyFlag =
                (person.Row(MonthRow::StudyWord, cell / kYearSlots, cell % kYearSlots) & kStudyFlagBit) != 0;
    if (!collected.anyFlag)
        return collected;

    const auto index = FirstRecordOfId(persons);
    for (std::size_t i = 0; i < persons.size(); ++i) {
        PublisherRecord& person = persons[i];
        const auto found = index.find(person.Id());
        if (found == index.end() || found->second != i)
            continue;
        std::string entry(ParticipationFlags::kEntrySize, '\0');
        entry[0] = static_cast<char>(person.Id() & 0xFF);
        entry[1] = static_cast<char>(person.Id() >> 8);
        bool any = false;
        for (YearSlot slot = 0; slot < kFileSlots; ++slot) {
            for (MonthIndex month = 0; month < kMonthsPerYear; ++month) {
                if (!ParticipationFlags::IsOlderFormatCell(yearIndex, workingMonthIndex, month, slot))
                    continue;
                const std::uint16_t word = person.Row(MonthRow::StudyWord, month, slot);
                if ((word & kStudyFlagBit) == 0)
                    continue;
                entry[ByteOf(month, slot)] = 1;
                person.SetRow(MonthRow::StudyWord, month, slot, static_cast<std::uint16_t>(word & ~kStudyFlagBit));
                if (cleared)
                    cleared->push_back({i, month, slot});
                any = true;
            }
        }
        if (any)
            collected.bytes += entry;
    }
    return collected;
}

} // namespace

bool ParticipationFlags::IsOlderFormatCell(int yearIndex, MonthIndex workingMonthIndex, MonthIndex month,
                                           YearSlot slot) {
    const int year = (yearIndex % 2 != 0) ? yearIndex + slot : yearIndex + slot - 1;
    return year * kMonthsPerYear + month <= kNewReportFormatStart || month > workingMonthIndex;
}

ParticipationFlags::Collected ParticipationFlags::Collect(std::span<PublisherRecord> persons, int yearIndex,
                                                          MonthIndex workingMonthIndex) {
    return CollectFlags(persons, yearIndex, workingMonthIndex, nullptr);
}

Status ParticipationFlags::Write(const DataFolder& folder, std::span<PublisherRecord> persons, int yearIndex,
                                 MonthIndex workingMonthIndex) const {
    if (Status guard = m_guard.Check(kFileName); !guard)
        return guard;
    std::vector<ClearedCell> cleared;
    const auto collected = CollectFlags(persons, yearIndex, workingMonthIndex, &cleared);
    const Status written =
        collected.anyFlag ? folder.WriteAtomic(kFileName, collected.bytes) : folder.Remove(kFileName);
    if (!written) {
        for (const auto& cell : cleared) {
            PublisherRecord& person = persons[cell.person];
            person.SetRow(
                MonthRow::StudyWord, cell.month, cell.slot,
                static_cast<std::uint16_t>(person.Row(MonthRow::StudyWord, cell.month, cell.slot) | kStudyFlagBit));
        }
    }
    return written;
}

void ParticipationFlags::Apply(std::string_view bytes, std::span<PublisherRecord> persons) {
    const auto index = FirstRecordOfId(persons);
    for (std::size_t offset = 0; offset + kEntrySize <= bytes.size(); offset += kEntrySize) {
        const std::string_view entry = bytes.substr(offset, kEntrySize);
        const auto id = static_cast<PublisherId>(static_cast<unsigned char>(entry[0]) |
                                                 (static_cast<unsigned char>(entry[1]) << 8));
        const auto found = index.find(id);
        if (found == index.end())
            continue;
        PublisherRecord& person = persons[found->second];
        for (MonthIndex month = 0; month < kMonthsPerYear; ++month) {
            for (YearSlot slot = 0; slot < kFileSlots; ++slot) {
                if (entry[ByteOf(month, slot)] == 0)
                    continue;
                const std::uint16_t word = person.Row(MonthRow::StudyWord, month, slot);
                if (person.Row(MonthRow::Hours, month, slot) == 0 && word < kStudyWordLimit)
                    person.SetRow(MonthRow::StudyWord, month, slot, static_cast<std::uint16_t>(word | kStudyFlagBit));
            }
        }
    }
}

void ParticipationFlags::Apply(const DataFolder& folder, std::span<PublisherRecord> persons, Prompter& prompter) {
    auto content = ReadDataFile(folder, kFileName);
    if (!content) {
        m_guard.Preserve(folder, kFileName, ReasonUnreadable(content.error()), prompter);
        return;
    }
    if (!content.value())
        return;
    const std::string& bytes = *content.value();
    if (bytes.size() % kEntrySize != 0 && !m_guard.Blocked() && m_guard.CopyName().empty())
        m_guard.Preserve(folder, kFileName, ReasonPartialRecord(bytes.size(), kEntrySize), prompter);
    Apply(bytes, persons);
}

} // namespace vardo
