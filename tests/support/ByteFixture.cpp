#include "ByteFixture.h"

#include <cstring>
#include <utility>

namespace vardo::test {
namespace {

// UTF-8 sequence → Windows-1250 byte for the Polish letters and a few signs the fixtures use.
constexpr std::pair<std::string_view, unsigned char> kPolish[] = {
    {"ą", 0xB9}, {"ć", 0xE6}, {"ę", 0xEA}, {"ł", 0xB3}, {"ń", 0xF1}, {"ó", 0xF3}, {"ś", 0x9C},
    {"ź", 0x9F}, {"ż", 0xBF}, {"Ą", 0xA5}, {"Ć", 0xC6}, {"Ę", 0xCA}, {"Ł", 0xA3}, {"Ń", 0xD1},
    {"Ó", 0xD3}, {"Ś", 0x8C}, {"Ź", 0x8F}, {"Ż", 0xAF}, {"Ě", 0xCC}, {"§", 0xA7}, {"°", 0xB0},
};

} // namespace

std::string Cp1250(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        bool found = false;
        for (const auto& [seq, byte] : kPolish) {
            if (utf8.substr(i, seq.size()) == seq) {
                out.push_back(static_cast<char>(byte));
                i += seq.size();
                found = true;
                break;
            }
        }
        if (!found)
            throw std::invalid_argument("fixture text has a character outside the fixture table");
    }
    return out;
}

void ByteRecord::Check(std::size_t offset, std::size_t length) const {
    if (offset + length > m_bytes.size())
        throw std::out_of_range("fixture field beyond the record");
}

ByteRecord& ByteRecord::U8(std::size_t offset, std::uint8_t value) {
    Check(offset, 1);
    m_bytes[offset] = static_cast<char>(value);
    return *this;
}

ByteRecord& ByteRecord::U16(std::size_t offset, std::uint16_t value) {
    Check(offset, 2);
    m_bytes[offset] = static_cast<char>(value & 0xFF);
    m_bytes[offset + 1] = static_cast<char>(value >> 8);
    return *this;
}

ByteRecord& ByteRecord::U32(std::size_t offset, std::uint32_t value) {
    Check(offset, 4);
    for (int i = 0; i < 4; ++i)
        m_bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return *this;
}

ByteRecord& ByteRecord::Raw(std::size_t offset, std::string_view bytes) {
    Check(offset, bytes.size());
    std::memcpy(m_bytes.data() + offset, bytes.data(), bytes.size());
    return *this;
}

ByteRecord& ByteRecord::Text(std::size_t offset, std::size_t fieldLength, std::string_view utf8) {
    const std::string bytes = Cp1250(utf8);
    if (bytes.size() > fieldLength)
        throw std::length_error("fixture text longer than its field");
    Check(offset, fieldLength);
    std::memcpy(m_bytes.data() + offset, bytes.data(), bytes.size());
    if (bytes.size() < fieldLength)
        m_bytes[offset + bytes.size()] = '\0';
    return *this;
}

ByteRecord& ByteRecord::ShiftedText(std::size_t offset, std::size_t fieldLength, std::string_view utf8, int shift,
                                    std::uint8_t keep, std::size_t keepBelow) {
    const std::string bytes = Cp1250(utf8);
    if (bytes.size() > fieldLength)
        throw std::length_error("fixture text longer than its field");
    Check(offset, fieldLength);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool kept = c == keep && i < keepBelow;
        const auto stored = kept ? c : static_cast<unsigned char>((c + static_cast<int>(i) + shift) & 0xFF);
        m_bytes[offset + i] = static_cast<char>(stored);
    }
    if (bytes.size() < fieldLength)
        m_bytes[offset + bytes.size()] = '\0';
    return *this;
}

ByteRecord& ByteRecord::Fill(std::size_t offset, std::size_t length, std::uint8_t value) {
    Check(offset, length);
    std::memset(m_bytes.data() + offset, value, length);
    return *this;
}

} // namespace vardo::test
