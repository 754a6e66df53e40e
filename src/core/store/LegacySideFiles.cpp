#include "core/store/LegacySideFiles.h"

#include <unordered_map>

#include "core/store/Quarantine.h"

namespace vardo::legacy {
namespace {

constexpr std::size_t kLateMarkerSize = 4;
constexpr std::size_t kMaxLateMarkers = 99;
constexpr std::size_t kOldCardTotalsSize = 864;
constexpr std::size_t kOldRemarkSize = 40;
constexpr std::size_t kOldMeetingSize = 224;
constexpr std::size_t kOldMeetingNameWidth = 32;
constexpr std::size_t kOldMeetingRecords = 10;
constexpr int kMeetingRows = 8;

std::uint16_t U16At(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

std::string_view ReadOrEmpty(const Result<std::optional<std::string>>& content) {
    if (!content || !content.value())
        return {};
    return *content.value();
}

// Copies the 36 values of month m of an 864-byte file into `slot`.
void CopyMonth(CardTotals& totals, std::string_view bytes, MonthIndex month, YearSlot slot) {
    for (int category = 0; category < CardTotals::kCategories; ++category)
        for (int value = 0; value < CardTotals::kValues; ++value) {
            const std::size_t offset = 2 * static_cast<std::size_t>(36 * month + 9 * category + value);
            totals.SetValue(month, category, value, slot, U16At(bytes, offset));
        }
}

} // namespace

bool WorkingMonthCarried(const HeaderRecord& header, int yearIndex, MonthIndex workingMonthIndex) {
    return ParitySlot(header.InitialisedYear(workingMonthIndex, ParitySlot(yearIndex))) == ParitySlot(yearIndex);
}

void ConvertLateMarkers(std::string_view bytes, std::span<PublisherRecord> persons, const ConversionMonth& when) {
    std::unordered_map<PublisherId, std::size_t> personOfId;
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (persons[i].Id() > 9)
            personOfId.emplace(persons[i].Id(), i);
    for (std::size_t n = 0; n < kMaxLateMarkers && (n + 1) * kLateMarkerSize <= bytes.size(); ++n) {
        const std::string_view entry = bytes.substr(n * kLateMarkerSize, kLateMarkerSize);
        const auto found = personOfId.find(U16At(entry, 0));
        const int month = static_cast<unsigned char>(entry[2]);
        if (found == personOfId.end() || !IsMonthIndex(month))
            continue;
        const YearSlot slot = ParitySlot(when.calendarYear + (month > when.workingMonthIndex ? 1 : 0));
        persons[found->second].SetRow(MonthRow::LateMarker, month, slot, static_cast<unsigned char>(entry[3]));
    }
}

void ConvertLateMarkers(const DataFolder& folder, std::span<PublisherRecord> persons, const ConversionMonth& when) {
    ConvertLateMarkers(ReadOrEmpty(ReadDataFile(folder, kLateMarkersFile)), persons, when);
}

CardTotals ConvertCardTotals(std::string_view current, std::string_view previousYear, const ConversionMonth& when) {
    CardTotals totals;
    for (MonthIndex month = 0; month < kMonthsPerYear; ++month) {
        if (current.size() < kOldCardTotalsSize)
            break;
        if (month == when.workingMonthIndex && !when.workingMonthCarried)
            continue;
        CopyMonth(totals, current, month, SlotOfMonth(when.yearIndex, month, when.workingMonthIndex));
    }
    for (MonthIndex month = 0; month < kMonthsPerYear; ++month) {
        if (previousYear.size() < kOldCardTotalsSize)
            break;
        if (month == when.workingMonthIndex && !when.workingMonthCarried)
            continue;
        CopyMonth(totals, previousYear, month, ParitySlot(when.calendarYear + (month < 7 ? 1 : 0)));
    }
    return totals;
}

Status ConvertCardTotals(const DataFolder& folder, const ConversionMonth& when, Prompter& prompter) {
    const auto current = ReadDataFile(folder, kCardTotalsFile);
    const auto previous = ReadDataFile(folder, kPreviousYearCardTotalsFile);
    const CardTotals totals = ConvertCardTotals(ReadOrEmpty(current), ReadOrEmpty(previous), when);
    return totals.Save(folder, prompter);
}

std::vector<RemarkEntry> ConvertRemarks(std::string_view bytes, const ConversionMonth& when) {
    std::vector<RemarkEntry> entries;
    for (std::size_t offset = 0; offset + kOldRemarkSize <= bytes.size(); offset += kOldRemarkSize) {
        const std::string_view old = bytes.substr(offset, kOldRemarkSize);
        int month = static_cast<unsigned char>(old[37]);
        std::size_t textWidth = 37;
        if (!(month >= 1 && month <= kMonthsPerYear)) {
            month = static_cast<unsigned char>(old[36]);
            textWidth = 36;
        }
        const std::string_view text = sidetext::UpToNul(old.substr(0, textWidth));
        if (text.empty() || month < 1 || month > kMonthsPerYear)
            continue;
        if (month == when.workingMonthIndex + 1 && !when.workingMonthCarried)
            continue;
        RemarkEntry entry;
        entry.SetMonthByte(static_cast<std::uint8_t>(month));
        entry.SetSlotByte(
            static_cast<std::uint8_t>(ParitySlot(when.yearIndex + (month > when.todayMonthNumber ? 1 : 0))));
        entry.SetId(U16At(old, 38));
        std::string raw(entry.Bytes());
        raw.replace(0, text.size(), text);
        entries.push_back(RemarkEntry::FromBytes(raw));
    }
    return entries;
}

Status ConvertRemarks(const DataFolder& folder, const ConversionMonth& when) {
    const auto old = ReadDataFile(folder, kRemarksFile);
    const auto entries = ConvertRemarks(ReadOrEmpty(old), when);
    if (entries.empty())
        return Status::Ok();
    auto content = ReadDataFile(folder, RemarkTable::kFileName);
    if (!content)
        return content.status();
    std::string image = content.value().value_or(std::string());
    for (const auto& entry : entries)
        RemarkTable::ApplyWriteRule(image, entry);
    return folder.WriteAtomic(RemarkTable::kFileName, image);
}

MeetingAttendance ConvertMeetings(std::string_view bytes, const ConversionMonth& when) {
    MeetingAttendance attendance = MeetingAttendance::FromBytes({});
    const MeetingKind kinds[] = {MeetingKind::Midweek, MeetingKind::Weekend};
    for (std::size_t r = 0; r < 2 && r < kOldMeetingRecords && (r + 1) * kOldMeetingSize <= bytes.size(); ++r) {
        const std::string_view old = bytes.substr(r * kOldMeetingSize, kOldMeetingSize);
        MeetingRecord& record = attendance.Record(kinds[r]);
        for (int row = 0; row < kMeetingRows; ++row)
            for (MonthIndex month = 0; month < kMonthsPerYear; ++month)
                record.SetValue(static_cast<MeetingRow>(row), month,
                                SlotOfMonth(when.yearIndex, month, when.workingMonthIndex),
                                U16At(old, kOldMeetingNameWidth + 24 * static_cast<std::size_t>(row) +
                                               2 * static_cast<std::size_t>(month)));
    }
    return attendance;
}

Status ConvertMeetings(const DataFolder& folder, const ConversionMonth& when, Prompter& prompter) {
    const auto old = ReadDataFile(folder, kMeetingsFile);
    if (!old || !old.value())
        return Status::Ok();
    return ConvertMeetings(*old.value(), when).Save(folder, prompter);
}

} // namespace vardo::legacy
