#pragma once

// Builds expected file bytes for golden tests from field values and offsets, independently of the code
// under test.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vardo::test {

/// Windows-1250 bytes of a UTF-8 text made of ASCII and the Polish letters (a fixture table of its own, so
/// tests do not trust the converter they check). Throws on any other character.
std::string Cp1250(std::string_view utf8);

/// One fixed-size record (or a whole file) of zero bytes whose fields are set by offset, little-endian.
class ByteRecord {
public:
    explicit ByteRecord(std::size_t size) : m_bytes(size, '\0') {}

    ByteRecord& U8(std::size_t offset, std::uint8_t value);
    ByteRecord& U16(std::size_t offset, std::uint16_t value);
    ByteRecord& U32(std::size_t offset, std::uint32_t value);
    ByteRecord& I16(std::size_t offset, std::int16_t value) { return U16(offset, static_cast<std::uint16_t>(value)); }
    ByteRecord& I32(std::size_t offset, std::int32_t value) { return U32(offset, static_cast<std::uint32_t>(value)); }
    /// Raw bytes at offset.
    ByteRecord& Raw(std::size_t offset, std::string_view bytes);
    /// Windows-1250 text at offset (UTF-8 given; ASCII and Polish letters), NUL-terminated when it fits.
    ByteRecord& Text(std::size_t offset, std::size_t fieldLength, std::string_view utf8);
    /// Text stored with the position-dependent shift: byte i of the text becomes (c + i + shift) mod 256.
    /// Bytes equal to `keep` at positions below `keepBelow` stay as they are (keepBelow 0: no exception).
    ByteRecord& ShiftedText(std::size_t offset, std::size_t fieldLength, std::string_view utf8, int shift,
                            std::uint8_t keep = 0xCC, std::size_t keepBelow = 0);
    ByteRecord& Fill(std::size_t offset, std::size_t length, std::uint8_t value);

    std::uint8_t At(std::size_t offset) const { return static_cast<std::uint8_t>(m_bytes.at(offset)); }
    const std::string& Bytes() const { return m_bytes; }
    std::size_t Size() const { return m_bytes.size(); }

private:
    void Check(std::size_t offset, std::size_t length) const;

    std::string m_bytes;
};

/// Concatenates records into file content.
inline std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (auto p : parts)
        out.append(p);
    return out;
}

} // namespace vardo::test
