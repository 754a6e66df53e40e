#pragma once

// Fixed-size records of the side data files, kept as the raw bytes of the file so that loading and saving
// an untouched record changes no byte. Accessors read and write little-endian fields at fixed offsets; text
// fields hold NUL-terminated Windows-1250 bytes and speak UTF-8 at the interface.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/platform/Result.h"

namespace vardo {

namespace sidetext {

/// Windows-1250 bytes to UTF-8.
std::string Decode(std::string_view cp1250);
/// UTF-8 to Windows-1250 bytes. Fails, with a message for the user, when a character is outside the code
/// page or the text is longer than `maxChars` characters.
Result<std::string> Encode(std::string_view utf8, std::size_t maxChars);
/// The first `maxChars` characters of a UTF-8 text (whole characters; invalid bytes count as one each).
std::string CutToCharacters(std::string_view utf8, std::size_t maxChars);
/// The bytes before the first NUL.
std::string_view UpToNul(std::string_view bytes);
/// `text` without leading and trailing blanks (space, tab, CR, LF).
std::string_view Trim(std::string_view text);
/// True for a Windows-1250 byte that is a letter (ASCII letters and the accented letters of the code page).
bool IsLetter(unsigned char c);
/// True when the Windows-1250 bytes hold a letter.
bool HasLetter(std::string_view cp1250);

} // namespace sidetext

/// N raw bytes with little-endian field access. Offsets outside the record are a programming error.
template <std::size_t N>
class FixedRecord {
public:
    static constexpr std::size_t kSize = N;

    /// A record from file bytes: the first N bytes, zero-filled when `bytes` is shorter.
    static FixedRecord FromBytes(std::string_view bytes) {
        FixedRecord record;
        if (!bytes.empty())
            std::memcpy(record.m_bytes.data(), bytes.data(), bytes.size() < N ? bytes.size() : N);
        return record;
    }

    std::uint8_t U8(std::size_t offset) const { return m_bytes[offset]; }
    void SetU8(std::size_t offset, std::uint8_t value) { m_bytes[offset] = value; }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
    }
    void SetU16(std::size_t offset, std::uint16_t value) {
        m_bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
        m_bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }

    /// The raw bytes of a field.
    std::string_view Field(std::size_t offset, std::size_t width) const {
        return {reinterpret_cast<const char*>(m_bytes.data()) + offset, width};
    }
    /// Raw Windows-1250 bytes of a NUL-terminated text field: up to the first NUL or the field's end.
    std::string_view RawText(std::size_t offset, std::size_t width) const {
        return sidetext::UpToNul(Field(offset, width));
    }
    /// Stores raw bytes (at most width − 1) and NUL-fills the rest of the field.
    void SetRawText(std::size_t offset, std::size_t width, std::string_view bytes) {
        const std::size_t length = bytes.size() < width ? bytes.size() : width - 1;
        if (length > 0)
            std::memcpy(m_bytes.data() + offset, bytes.data(), length);
        std::memset(m_bytes.data() + offset + length, 0, width - length);
    }
    /// Text of a field as UTF-8.
    std::string Text(std::size_t offset, std::size_t width) const { return sidetext::Decode(RawText(offset, width)); }
    /// Stores a UTF-8 text of at most `maxChars` characters; on failure the field is unchanged.
    Status SetText(std::size_t offset, std::size_t width, std::size_t maxChars, std::string_view utf8) {
        auto encoded = sidetext::Encode(utf8, maxChars < width ? maxChars : width - 1);
        if (!encoded)
            return encoded.status();
        SetRawText(offset, width, encoded.value());
        return Status::Ok();
    }

    bool IsZero() const {
        for (auto b : m_bytes)
            if (b != 0)
                return false;
        return true;
    }
    void Clear() { m_bytes.fill(0); }
    /// The whole record as bytes.
    std::string_view Bytes() const { return {reinterpret_cast<const char*>(m_bytes.data()), N}; }
    std::uint8_t* Data() { return m_bytes.data(); }
    const std::uint8_t* Data() const { return m_bytes.data(); }

    bool operator==(const FixedRecord&) const = default;

private:
    std::array<std::uint8_t, N> m_bytes{};
};

} // namespace vardo
