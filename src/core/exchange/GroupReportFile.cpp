#include "core/exchange/GroupReportFile.h"

#include <algorithm>

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/SideRecord.h"

namespace vardo {
namespace {

using L = GroupReportLayout;

void PutU16(std::string& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

std::uint16_t GetU16(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

/// A month "holds data" for the late markers: any value, quarter hours or the participation bit.
bool HoldsData(const ReportCell& cell) {
    return cell.placements != 0 || cell.videos != 0 || cell.hours != 0 || cell.returnVisits != 0 ||
           cell.BibleStudies() != 0 || cell.QuarterHours() != 0 || cell.Flag();
}

bool RemarkCarried(const GroupFileRequest& request, MonthIndex month, YearSlot slot) {
    return !(request.blank && month == request.month && slot == request.slot);
}

} // namespace

bool IsUsablePublisherEmail(std::string_view email) {
    const std::size_t at = email.find('@');
    if (at == std::string_view::npos || at == 0)
        return false;
    return email.find('.', at + 1) != std::string_view::npos;
}

Result<std::string> WriteGroupReportFile(const GroupFileSource& source, const GroupFileRequest& request) {
    std::vector<const PublisherRecord*> members;
    for (const IndexEntry& entry : source.database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = source.database.Record(entry.recordNumber);
        if (person.Group() == request.group)
            members.push_back(&person);
    }
    if (members.size() > static_cast<std::size_t>(L::kMaxPersons))
        return Result<std::string>::Fail(
            Failure::Full,
            FormatArgs(Str(StrId::GroupFileTooLarge), {std::to_string(request.group), std::to_string(members.size())}));

    std::string bytes(L::kHeaderSize, '\0');
    const std::size_t at = request.secretaryEmail.find('@');
    if (at != std::string::npos && at >= 2) {
        const std::string encoded = codepage::Utf8ToCp1250(request.secretaryEmail).text.substr(0, L::kEmailWidth - 1);
        std::copy(encoded.begin(), encoded.end(), bytes.begin() + L::kEmailOffset);
    }
    bytes[L::kCountOffset] = static_cast<char>(members.size());
    bytes[L::kGroupOffset] = static_cast<char>(request.group);
    bytes[L::kMonthOffset] = static_cast<char>(request.month);

    std::vector<std::string> remarkTexts; // raw Windows-1250 texts in file order
    for (const PublisherRecord* member : members) {
        PublisherRecord record = *member;
        const std::string email = source.emailOf ? source.emailOf(*member) : std::string();
        record.SetAddress(IsUsablePublisherEmail(email) ? email : std::string());
        record.SetExtensionKey(0);
        // The baptism and birth dates (152..169) give way to the late-report markers.
        for (std::size_t offset = 152; offset < 170; ++offset)
            record.SetU8(offset, 0);
        for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
            const bool late = source.isLateReport && source.isLateReport(*member, m) &&
                              HoldsData(member->Cell(m, source.slotOf ? source.slotOf(m) : request.slot));
            record.SetU8(L::MarkerOffset(m), late ? 1 : 0);
        }
        for (MonthIndex m = 0; m < kMonthsPerYear; ++m) {
            for (YearSlot s = 0; s < kYearSlots; ++s) {
                const std::uint16_t number = member->RemarkNumber(m, s);
                std::uint16_t position = 0;
                if (number != 0 && RemarkCarried(request, m, s) && source.remarks.HasRemark(number)) {
                    remarkTexts.emplace_back(source.remarks.Entry(number).RawText());
                    position = static_cast<std::uint16_t>(remarkTexts.size());
                }
                record.SetRow(MonthRow::Remark, m, s, position);
            }
        }
        if (request.blank) {
            ReportCell cell = record.Cell(request.month, request.slot);
            cell.placements = cell.videos = cell.hours = cell.returnVisits = cell.studyWord = 0;
            cell.creditHours = 0;
            cell.remark = 0;
            cell.pioneerByte = static_cast<std::uint8_t>(cell.pioneerByte & 3);
            record.SetCell(request.month, request.slot, cell);
        }
        ScrambleRecord(record, +1);
        bytes.append(record.Bytes());
    }
    PutU16(bytes, L::kRemarkCountOffset, static_cast<std::uint16_t>(remarkTexts.size()));
    for (const std::string& text : remarkTexts) {
        std::string entry(RemarkEntry::kSize, '\0');
        std::copy_n(text.begin(), std::min(text.size(), RemarkEntry::kTextMax), entry.begin());
        bytes.append(entry);
    }
    return bytes;
}

std::string GroupReportData::RemarkOf(const PublisherRecord& person, MonthIndex reportMonth, YearSlot slot) const {
    const std::uint16_t number = person.RemarkNumber(reportMonth, slot);
    if (number == 0 || number >= remarks.size())
        return {};
    return remarks[number];
}

bool GroupReportData::IsMarkedLate(const PublisherRecord& person, MonthIndex month) {
    return person.U8(L::MarkerOffset(month)) != 0;
}

Result<GroupReportData> ReadGroupReportFile(std::string_view bytes) {
    if (bytes.size() < L::kHeaderSize)
        return Result<GroupReportData>::Fail(Failure::Invalid, std::string(Str(StrId::GroupFileDamaged)));
    GroupReportData data;
    const int month = static_cast<unsigned char>(bytes[L::kMonthOffset]);
    if (!IsMonthIndex(month))
        return Result<GroupReportData>::Fail(Failure::Invalid, std::string(Str(StrId::GroupFileDamaged)));
    data.month = month;
    data.group = static_cast<unsigned char>(bytes[L::kGroupOffset]);
    data.secretaryEmail = codepage::Cp1250ToUtf8(sidetext::UpToNul(bytes.substr(L::kEmailOffset, L::kEmailWidth - 1)));
    // The count is a signed byte: a value above 127 reads as negative and carries no persons.
    const int count = std::max(0, static_cast<int>(static_cast<signed char>(bytes[L::kCountOffset])));
    std::size_t offset = L::kHeaderSize;
    for (int i = 0; i < count && offset + kRecordSize <= bytes.size(); ++i, offset += kRecordSize) {
        PublisherRecord record = PublisherRecord::FromBytes(bytes.substr(offset, kRecordSize));
        ScrambleRecord(record, -1);
        data.persons.push_back(record);
    }
    const int remarkCount = std::min<int>(GetU16(bytes, L::kRemarkCountOffset), L::kMaxRemarks);
    data.remarks.emplace_back();
    // The remark entries follow the counted persons: a file cut inside the persons carries none.
    offset = L::kHeaderSize + static_cast<std::size_t>(count) * kRecordSize;
    for (int i = 0; i < remarkCount && offset + RemarkEntry::kSize <= bytes.size(); ++i, offset += RemarkEntry::kSize) {
        const std::string_view entry = bytes.substr(offset, RemarkEntry::kTextMax);
        data.remarks.push_back(codepage::Cp1250ToUtf8(sidetext::UpToNul(entry)));
    }
    return data;
}

} // namespace vardo
