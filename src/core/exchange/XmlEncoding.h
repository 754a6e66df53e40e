#pragma once

// Encoding helpers of the XML engine: the character-set name table, the declarations that name an encoding,
// and the UTF-8 / UTF-16 work that the engine does itself.

#include <cstddef>
#include <string>
#include <string_view>

namespace vardo::xml {

inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageUtf16Le = 1200;
inline constexpr int kCodePageUtf16Be = 1201;
inline constexpr int kCodePageAnsi = 1250; ///< the system's ANSI code page (the Polish build)

/// How a document is stored in its file.
struct FileEncoding {
    std::string name = "UTF-8"; ///< as the result markup names it: "UTF-8", "UTF-16LE", "UTF-16BE" or a declared name
    std::string charset;        ///< converter name of an 8-bit encoding; empty for UTF-8 and UTF-16
    int codePage = kCodePageUtf8;
    bool bom = false; ///< the file begins with a byte-order mark
};

/// Windows code page of a character-set name (IANA name or common alias, any letter case); 0 when the name is
/// not in the table.
int CodePageOfName(std::string_view name);

/// The value of encoding="..." in an XML declaration at the start of `head` (after white space only); empty
/// when there is none.
std::string DeclaredEncoding(std::string_view head);

/// The charset named by an HTML meta element in `head` ("content" of a Content-Type declaration or a "charset"
/// attribute); empty when there is none.
std::string MetaCharset(std::string_view head);

enum class Utf8State {
    Valid,
    CutAtEnd, ///< valid but for a multi-byte character cut off at the very end
    Invalid,
};
Utf8State CheckUtf8(std::string_view bytes);

struct Utf8Repair {
    std::size_t replaced = 0; ///< invalid sequences, each now U+FFFD
    bool truncated = false;   ///< an incomplete character at the end was dropped
};
/// Makes `text` valid UTF-8 in place.
Utf8Repair RepairUtf8(std::string& text);

struct Utf16Decoded {
    std::string text;
    std::size_t replaced = 0; ///< unpaired surrogates, each now U+FFFD
    bool truncated = false;   ///< an odd last byte or a lone high surrogate at the end was dropped
};
Utf16Decoded Utf16ToUtf8(std::string_view bytes, bool bigEndian);

struct Utf16Encoded {
    std::string bytes;
    std::size_t replaced = 0; ///< invalid UTF-8 sequences, each written as U+FFFD
};
Utf16Encoded Utf8ToUtf16(std::string_view text, bool bigEndian);

/// Removes zero bytes; returns how many there were.
std::size_t RemoveNulls(std::string& bytes);

} // namespace vardo::xml
