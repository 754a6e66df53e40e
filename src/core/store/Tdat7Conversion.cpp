#include "core/store/Tdat7Conversion.h"

#include <algorithm>

namespace vardo {
namespace {

/// The older record, zero-padded to its full size.
class LegacyBytes {
public:
    explicit LegacyBytes(std::string_view bytes) {
        const std::size_t n = std::min(bytes.size(), kLegacyRecordSize);
        for (std::size_t i = 0; i < n; ++i)
            m_bytes[i] = static_cast<std::uint8_t>(bytes[i]);
    }
    int operator[](std::size_t offset) const { return m_bytes[offset]; }

private:
    std::array<std::uint8_t, kLegacyRecordSize> m_bytes{};
};

void CopyRange(const LegacyBytes& from, RecordBytes& to, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i)
        to.SetU8(i, static_cast<std::uint8_t>(from[i]));
}

std::uint16_t U16(int value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

void ConvertInto(const LegacyBytes& legacy, const LegacyYearTags& tags, const LegacyConversionContext& context,
                 RecordBytes& out) {
    out.Clear();
    // Texts, dates, flags, id and the six key words (2..195), the import marker and the category bytes.
    CopyRange(legacy, out, 2, 196);
    CopyRange(legacy, out, 198, 202);
    out.SetU16(196, 0);
    out.SetU8(238, static_cast<std::uint8_t>(legacy[214]));
    out.SetU8(239, static_cast<std::uint8_t>(legacy[215]));

    for (int i = 0; i < kMonthsPerYear; ++i) {
        const std::uint8_t tag = tags[static_cast<std::size_t>(i)];
        if (tag == 0)
            continue;
        const auto m = static_cast<std::size_t>(i);
        const auto p =
            static_cast<std::size_t>(CellPosition(i, SlotOfMonth(context.yearIndex, i, context.workingMonthIndex)));
        out.SetU8(202 + p, static_cast<std::uint8_t>(legacy[202 + m] & 3));
        out.SetU16(240 + 2 * p, U16(legacy[216 + m] + ((legacy[288 + m] & 0xF0) << 4)));
        out.SetU16(312 + 2 * p, U16(legacy[228 + m] + ((legacy[288 + m] & 0x0F) << 8)));
        out.SetU16(384 + 2 * p, U16(legacy[240 + m]));
        out.SetU16(456 + 2 * p, U16(legacy[252 + m] + ((legacy[276 + m] & 0xC0) << 2)));
        out.SetU16(528 + 2 * p, U16((legacy[264 + m] & 0x3F) + ((legacy[300 + m] & 3) << 12)));
        out.SetU8(744 + p, tag);
        out.SetU16(672 + 2 * p, U16(legacy[324 + m]));
    }
}

} // namespace

LegacyYearTags LegacyYearTagsOf(std::string_view legacyHeader, const LegacyConversionContext& context) {
    const LegacyBytes legacy(legacyHeader);
    const int current = context.currentYear;
    LegacyYearTags tags{};
    for (int i = 0; i < kMonthsPerYear; ++i) {
        const int year = legacy[312 + static_cast<std::size_t>(i)];
        int tag = (year > current - 3 && year <= current) ? year : 0;
        if (tag == current && i >= context.todayMonth)
            tag = 0;
        tags[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(tag);
    }
    return tags;
}

PublisherRecord ConvertLegacyRecord(std::string_view legacy, const LegacyYearTags& tags,
                                    const LegacyConversionContext& context) {
    PublisherRecord record;
    ConvertInto(LegacyBytes(legacy), tags, context, record);
    return record;
}

HeaderRecord ConvertLegacyHeader(std::string_view legacyBytes, const LegacyYearTags& tags,
                                 const LegacyConversionContext& context) {
    const LegacyBytes legacy(legacyBytes);
    HeaderRecord header;
    ConvertInto(legacy, tags, context, header);
    const auto working = static_cast<std::size_t>(context.workingMonthIndex);
    header.SetU8(137 + working, legacy[312 + working] == context.yearIndex ? 2 : 0);
    for (int i = 0; i < kMonthsPerYear; ++i) {
        const auto m = static_cast<std::size_t>(i);
        const auto p = static_cast<std::size_t>(CellPosition(i, tags[m] & 1));
        header.SetU16(528 + 2 * p, U16(legacy[300 + m] << 12));
        header.SetU16(600 + 2 * p, U16(legacy[312 + m]));
    }
    return header;
}

} // namespace vardo
