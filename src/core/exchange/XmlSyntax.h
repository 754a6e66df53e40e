#pragma once

// Lexical rules of the XML engine. The parser, the readers of element content and the editor all split a text
// with these functions, so they always agree on where a tag, a comment or a run of text begins and ends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vardo::xml {

inline constexpr std::size_t kNone = static_cast<std::size_t>(-1);

constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

/// A letter, '_', ':' or any byte of 128 or more begins a tag name.
constexpr bool IsNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

namespace detail {
constexpr std::array<bool, 256> MakeTable(std::string_view members) {
    std::array<bool, 256> table{};
    for (char c : members)
        table[static_cast<unsigned char>(c)] = true;
    return table;
}
inline constexpr std::array<bool, 256> kNameEnd = MakeTable(" \t\n\r/>");
inline constexpr std::array<bool, 256> kTagStop = MakeTable(">\"'");
} // namespace detail

/// Bytes that end a tag name: white space, '/' and '>'.
inline bool IsNameEnd(char c) {
    return detail::kNameEnd[static_cast<unsigned char>(c)];
}

/// Offset of the first byte at or after `from` that ends a name (or `size`).
inline std::size_t ScanName(const char* text, std::size_t from, std::size_t size) {
    while (from < size && !IsNameEnd(text[from]))
        ++from;
    return from;
}

/// From just past a start tag's name: offset just past the '>' that closes the tag, or kNone when the text ends
/// first. A quote opens a value that runs to the same quote, so a quoted '>' does not end the tag.
inline std::size_t ScanStartTagEnd(const char* text, std::size_t from, std::size_t size) {
    for (;;) {
        while (from < size && !detail::kTagStop[static_cast<unsigned char>(text[from])])
            ++from;
        if (from >= size)
            return kNone;
        if (text[from] == '>')
            return from + 1;
        const void* close = std::memchr(text + from + 1, text[from], size - from - 1);
        if (close == nullptr)
            return kNone;
        from = static_cast<std::size_t>(static_cast<const char*>(close) - text) + 1;
    }
}

/// What a '<' begins.
enum class Markup : std::uint8_t {
    StartTag,
    EmptyTag,
    EndTag,
    ProcessingInstruction,
    Comment,
    CDataSection,
    DocumentType,
    Truncated, ///< the text ends before the kind can be told ("<", "<!-", "<![CDA", ...)
    // Malformed constructs: the '<' stays text.
    FirstTagSyntax,
    ExclamationTagSyntax,
    DoctypeTagSyntax,
    CommentTagSyntax,
    CDataSectionSyntax,
};

constexpr bool IsMarkup(Markup kind) {
    return kind < Markup::FirstTagSyntax;
}

struct Token {
    Markup kind = Markup::FirstTagSyntax;
    bool unterminated = false; ///< ran to the end of the text; `end` is then the text size
    std::size_t end = 0;       ///< offset just past the token; for a malformed construct, just past the '<'
    std::size_t nameEnd = 0;   ///< start and end tags: offset just past the name
};

/// Reads the construct that begins with the '<' at `begin`.
Token ScanMarkup(std::string_view text, std::size_t begin);

/// Where a run of character data that begins at `from` ends: the offset of the first '<' before `limit` that
/// begins markup (a '<' of a malformed construct belongs to the text), or `limit`.
std::size_t ScanTextRun(std::string_view text, std::size_t from, std::size_t limit);

/// The result-markup name of an unterminated construct: "start_tag", "end_tag", "comment", ...
std::string_view UnterminatedType(Markup kind);

/// One attribute of a start tag. Offsets are into the document text.
struct AttributeSpan {
    std::size_t nameBegin = 0;
    std::size_t nameEnd = 0;
    std::size_t rawBegin = 0;   ///< the value with its quotes; nameEnd when there is no value
    std::size_t valueBegin = 0; ///< the value without its quotes
    std::size_t valueEnd = 0;
    std::size_t rawEnd = 0;
    bool hasValue = false;
};

/// Walks the attributes of a start tag. `from` is just past the element name, `limit` the offset of the '/' of
/// "/>" or of the closing '>'. Lenient: stray bytes are skipped, a value may be unquoted, a missing closing quote
/// ends the value at `limit`.
class AttributeScanner {
public:
    AttributeScanner(std::string_view text, std::size_t from, std::size_t limit)
        : m_text(text), m_pos(from), m_limit(limit < text.size() ? limit : text.size()) {}
    bool Next(AttributeSpan& span);

private:
    std::string_view m_text;
    std::size_t m_pos;
    std::size_t m_limit;
};

/// Code point of a named character reference (the HTML 4.01 entities and "apos"); 0 when the name is unknown.
char32_t LookupEntity(std::string_view name);

/// Appends the UTF-8 form of a code point (at most U+10FFFF, no surrogates).
void AppendUtf8(std::string& out, char32_t codePoint);

/// Appends text with its character references decoded: named ones from the entity table, decimal and
/// hexadecimal numeric ones. A reference that is not recognised stays as written; nothing else is expanded.
void AppendDecoded(std::string& out, std::string_view text);

/// Appends text escaped for element content: "<", "&", ">" and carriage returns as references.
void AppendEscapedText(std::string& out, std::string_view text);

/// Appends text escaped for a double-quoted attribute value: also '"', tabs and line breaks.
void AppendEscapedAttribute(std::string& out, std::string_view value);

/// True when `name` can be written as an element or attribute name: a name-start byte followed by bytes other
/// than white space, controls and the characters < > / = & " '.
bool IsWritableName(std::string_view name);

} // namespace vardo::xml
