#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vardo::codepage {

/// Windows-1250 bytes to UTF-8. Total: the five bytes that Windows-1250 leaves undefined (0x81, 0x83, 0x88,
/// 0x90, 0x98) map to the C1 controls of the same value, so every byte string round-trips through
/// Utf8ToCp1250.
std::string Cp1250ToUtf8(std::string_view bytes);

/// Result of a conversion: the converted text and how many characters could not be represented (each
/// replaced by `replacement` of the target encoding, '?' unless told otherwise).
struct Conversion {
    std::string text;
    std::size_t unmappable = 0;
    /// Byte offset in the input of the first unmappable character, or npos.
    std::size_t firstUnmappable = std::string::npos;
    bool lossless() const { return unmappable == 0; }
};

/// UTF-8 to Windows-1250. Characters outside the code page are counted and written as '?'; invalid UTF-8
/// sequences are counted the same way.
Conversion Utf8ToCp1250(std::string_view utf8);

/// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

/// Simple Unicode case folding of UTF-8 text (one code point to one code point, so "ŁÓDŹ" and "łódź" fold
/// alike). For case-insensitive matching of names; bytes that are not valid UTF-8 are kept as they are.
std::string CaseFold(std::string_view utf8);

/// The canonical charset name for a Windows code-page number: 1250 → "windows-1250", 852 → "ibm-852",
/// 28592 → "ISO-8859-2", 65001 → "UTF-8", 1200 → "UTF-16LE", 1201 → "UTF-16BE". Empty when unknown.
std::string CharsetForCodePage(int codePage);

/// True when a charset name (IANA or alias, case-insensitive, e.g. "windows-1250", "iso-8859-2", "cp852",
/// "UTF-16") is known to the converter.
bool IsKnownCharset(std::string_view charset);

/// Bytes in `charset` to UTF-8. nullopt when the charset is unknown. Invalid or unmappable input is
/// replaced by U+FFFD and counted.
std::optional<Conversion> ToUtf8(std::string_view bytes, std::string_view charset);

/// UTF-8 to bytes in `charset`. nullopt when the charset is unknown. Characters the charset cannot hold
/// are replaced by its substitution character ('?' for 8-bit code pages) and counted.
std::optional<Conversion> FromUtf8(std::string_view utf8, std::string_view charset);

} // namespace vardo::codepage
