#include "core/store/PublisherRecord.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>

#include "core/platform/CodePage.h"

namespace vardo {

void RecordBytes::SetBit16(std::size_t offset, int bit, bool on) {
    const auto mask = static_cast<std::uint16_t>(1u << bit);
    SetU16(offset, static_cast<std::uint16_t>(on ? (U16(offset) | mask) : (U16(offset) & ~mask)));
}

void RecordBytes::SetBit8(std::size_t offset, int bit, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    SetU8(offset, static_cast<std::uint8_t>(on ? (U8(offset) | mask) : (U8(offset) & ~mask)));
}

std::string_view RecordBytes::RawText(std::size_t offset, std::size_t width) const {
    assert(offset + width <= kRecordSize);
    const auto* begin = m_bytes.data() + offset;
    const auto* end = std::find(begin, begin + width, std::uint8_t{0});
    return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

std::string RecordBytes::TextAt(std::size_t offset, std::size_t width) const {
    return codepage::Cp1250ToUtf8(RawText(offset, width));
}

bool RecordBytes::SetTextAt(std::size_t offset, std::size_t width, std::string_view utf8) {
    const codepage::Conversion converted = codepage::Utf8ToCp1250(utf8);
    const bool fits = converted.text.size() < width;
    SetRawTextAt(offset, width, converted.text);
    return fits && converted.lossless();
}

void RecordBytes::SetRawTextAt(std::size_t offset, std::size_t width, std::string_view bytes) {
    assert(offset + width <= kRecordSize && width > 0);
    const std::size_t length = std::min(bytes.size(), width - 1);
    if (length > 0) // an empty view may have no data pointer at all
        std::memcpy(m_bytes.data() + offset, bytes.data(), length);
    std::fill(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset + length),
              m_bytes.begin() + static_cast<std::ptrdiff_t>(offset + width), std::uint8_t{0});
}

void RecordBytes::Assign(std::string_view bytes) {
    std::memcpy(m_bytes.data(), bytes.data(), std::min(bytes.size(), kRecordSize));
}

PublisherRecord PublisherRecord::FromBytes(std::string_view bytes) {
    PublisherRecord record;
    record.Assign(bytes);
    return record;
}

std::string PublisherRecord::Text(TextField field) const {
    const TextFieldLayout layout = LayoutOf(field);
    return TextAt(layout.offset, layout.width);
}

bool PublisherRecord::SetText(TextField field, std::string_view utf8) {
    const TextFieldLayout layout = LayoutOf(field);
    return SetTextAt(layout.offset, layout.width, utf8);
}

std::string_view PublisherRecord::RawText(TextField field) const {
    const TextFieldLayout layout = LayoutOf(field);
    return RecordBytes::RawText(layout.offset, layout.width);
}

std::uint16_t PublisherRecord::Row(MonthRow row, MonthIndex month, YearSlot slot) const {
    assert(IsMonthIndex(month) && IsYearSlot(slot));
    const MonthRowLayout layout = LayoutOf(row);
    const std::size_t at = layout.offset + layout.width * static_cast<std::size_t>(CellPosition(month, slot));
    return layout.width == 1 ? U8(at) : U16(at);
}

void PublisherRecord::SetRow(MonthRow row, MonthIndex month, YearSlot slot, std::uint16_t value) {
    assert(IsMonthIndex(month) && IsYearSlot(slot));
    const MonthRowLayout layout = LayoutOf(row);
    const std::size_t at = layout.offset + layout.width * static_cast<std::size_t>(CellPosition(month, slot));
    if (layout.width == 1)
        SetU8(at, static_cast<std::uint8_t>(value));
    else
        SetU16(at, value);
}

ReportCell PublisherRecord::Cell(MonthIndex month, YearSlot slot) const {
    ReportCell cell;
    cell.pioneerByte = static_cast<std::uint8_t>(Row(MonthRow::Pioneer, month, slot));
    cell.placements = Row(MonthRow::Placements, month, slot);
    cell.videos = Row(MonthRow::Videos, month, slot);
    cell.hours = Row(MonthRow::Hours, month, slot);
    cell.returnVisits = Row(MonthRow::ReturnVisits, month, slot);
    cell.studyWord = Row(MonthRow::StudyWord, month, slot);
    cell.remark = Row(MonthRow::Remark, month, slot);
    cell.creditHours = Row(MonthRow::CreditHours, month, slot);
    cell.yearTag = static_cast<std::uint8_t>(Row(MonthRow::YearTag, month, slot));
    cell.lateMarker = static_cast<std::uint8_t>(Row(MonthRow::LateMarker, month, slot));
    return cell;
}

void PublisherRecord::SetCell(MonthIndex month, YearSlot slot, const ReportCell& cell) {
    SetRow(MonthRow::Pioneer, month, slot, cell.pioneerByte);
    SetRow(MonthRow::Placements, month, slot, cell.placements);
    SetRow(MonthRow::Videos, month, slot, cell.videos);
    SetRow(MonthRow::Hours, month, slot, cell.hours);
    SetRow(MonthRow::ReturnVisits, month, slot, cell.returnVisits);
    SetRow(MonthRow::StudyWord, month, slot, cell.studyWord);
    SetRow(MonthRow::Remark, month, slot, cell.remark);
    SetRow(MonthRow::CreditHours, month, slot, cell.creditHours);
    SetRow(MonthRow::YearTag, month, slot, cell.yearTag);
    SetRow(MonthRow::LateMarker, month, slot, cell.lateMarker);
}

HeaderRecord HeaderRecord::Empty() {
    HeaderRecord header;
    header.SetU8(2, ' ');
    header.SetU8(23, kPlainMarker);
    return header;
}

HeaderRecord HeaderRecord::FromBytes(std::string_view bytes) {
    HeaderRecord header;
    header.Assign(bytes);
    return header;
}

std::uint16_t HeaderRecord::InitialisedYear(MonthIndex month, YearSlot slot) const {
    assert(IsMonthIndex(month) && IsYearSlot(slot));
    return U16(600 + 2 * static_cast<std::size_t>(CellPosition(month, slot)));
}

void HeaderRecord::SetInitialisedYear(MonthIndex month, YearSlot slot, std::uint16_t year) {
    assert(IsMonthIndex(month) && IsYearSlot(slot));
    SetU16(600 + 2 * static_cast<std::size_t>(CellPosition(month, slot)), year);
}

std::string RecordDateText(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 0 || year > 9999)
        return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d%02d%04d", month, day, year);
    return buffer;
}

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string RecordDateToIso(std::string_view recordDate) {
    const std::string_view trimmed = Trim(recordDate);
    if (trimmed.size() <= 4 || recordDate.size() < 8)
        return {};
    std::string iso;
    iso.append(recordDate.substr(4, 4));
    iso.push_back('-');
    // The month is written space-padded in the record; the exchange form wants two digits.
    const std::string_view month = recordDate.substr(0, 2);
    iso.push_back(month[0] == ' ' ? '0' : month[0]);
    iso.push_back(month[1]);
    iso.push_back('-');
    iso.append(recordDate.substr(2, 2));
    return iso;
}

std::string IsoToRecordDate(std::string_view iso) {
    if (iso.size() != 10)
        return {};
    std::string date;
    date.append(iso.substr(5, 2));
    date.append(iso.substr(8, 2));
    date.append(iso.substr(0, 4));
    return date;
}

} // namespace vardo
