#include "core/exchange/XmlSyntax.h"

#include <algorithm>

namespace vardo::xml {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view upperPrefix) {
    if (text.size() < upperPrefix.size())
        return false;
    for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
        const char c = text[i];
        const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper != upperPrefix[i])
            return false;
    }
    return true;
}

/// True when the text ends inside `pattern`: `rest` is a proper beginning of it.
bool EndsWithin(std::string_view rest, std::string_view upperPattern, bool ignoreCase) {
    if (rest.size() >= upperPattern.size())
        return false;
    return ignoreCase ? StartsWithNoCase(rest, upperPattern.substr(0, rest.size())) : upperPattern.starts_with(rest);
}

/// The kind of construct a '<' begins, told from its first bytes only; start and empty tags both give StartTag.
Markup Classify(std::string_view text, std::size_t begin) {
    const std::size_t p = begin + 1;
    if (p >= text.size())
        return Markup::Truncated;
    const char c = text[p];
    if (IsNameStart(c))
        return Markup::StartTag;
    if (c == '/')
        return Markup::EndTag;
    if (c == '?')
        return Markup::ProcessingInstruction;
    if (c != '!')
        return Markup::FirstTagSyntax;
    const std::string_view rest = text.substr(p + 1);
    if (rest.starts_with("--"))
        return Markup::Comment;
    if (rest.starts_with("[CDATA["))
        return Markup::CDataSection;
    if (StartsWithNoCase(rest, "DOCTYPE"))
        return Markup::DocumentType;
    if (EndsWithin(rest, "--", false) || EndsWithin(rest, "[CDATA[", false) || EndsWithin(rest, "DOCTYPE", true))
        return Markup::Truncated;
    if (rest[0] == '-')
        return Markup::CommentTagSyntax;
    if (rest[0] == '[')
        return Markup::CDataSectionSyntax;
    if (rest[0] == 'D' || rest[0] == 'd')
        return Markup::DoctypeTagSyntax;
    return Markup::ExclamationTagSyntax;
}

/// The document type declaration from just past "<!DOCTYPE": up to the '>' outside quotes and outside the
/// internal subset (in brackets, which may hold comments).
Token ScanDocumentType(std::string_view text, std::size_t from) {
    Token token{Markup::DocumentType, true, text.size(), 0};
    char quote = 0;
    bool subset = false;
    std::size_t i = from;
    while (i < text.size()) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (subset) {
            if (c == ']') {
                subset = false;
            } else if (c == '<' && text.compare(i, 4, "<!--") == 0) {
                const std::size_t close = text.find("-->", i + 4);
                if (close == std::string_view::npos)
                    return token;
                i = close + 3;
                continue;
            }
        } else if (c == '[') {
            subset = true;
        } else if (c == '>') {
            token.unterminated = false;
            token.end = i + 1;
            return token;
        }
        ++i;
    }
    return token;
}

char32_t DecodeNumericReference(std::string_view digits) {
    int base = 10;
    if (!digits.empty() && (digits[0] == 'x' || digits[0] == 'X')) {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty())
        return 0;
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return 0;
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        if (value > 0x10FFFF)
            return 0;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return value;
}

constexpr std::size_t kMaxReference = 32;

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
    const std::string_view special = attribute ? std::string_view("<&>\"\t\n\r") : std::string_view("<&>\r");
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t at = text.find_first_of(special, pos);
        if (at == std::string_view::npos) {
            out.append(text.substr(pos));
            return;
        }
        out.append(text.substr(pos, at - pos));
        switch (text[at]) {
        case '<':
            out += "&lt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            out += "&#13;";
            break;
        }
        pos = at + 1;
    }
}

} // namespace

Token ScanMarkup(std::string_view text, std::size_t begin) {
    const char* t = text.data();
    const std::size_t n = text.size();
    Token token;
    token.kind = Classify(text, begin);
    const auto runsToEnd = [&] {
        token.unterminated = true;
        token.end = n;
        return token;
    };
    const auto closedBy = [&](std::size_t from, std::string_view terminator) {
        const std::size_t at = text.find(terminator, from);
        if (at == std::string_view::npos)
            return runsToEnd();
        token.end = at + terminator.size();
        return token;
    };
    switch (token.kind) {
    case Markup::StartTag: {
        token.nameEnd = ScanName(t, begin + 2, n);
        const std::size_t end = ScanStartTagEnd(t, token.nameEnd, n);
        if (end == kNone)
            return runsToEnd();
        if (end - 2 >= token.nameEnd && t[end - 2] == '/')
            token.kind = Markup::EmptyTag;
        token.end = end;
        return token;
    }
    case Markup::EndTag: {
        token.nameEnd = ScanName(t, begin + 2, n);
        const void* close = std::memchr(t + token.nameEnd, '>', n - token.nameEnd);
        if (close == nullptr)
            return runsToEnd();
        token.end = static_cast<std::size_t>(static_cast<const char*>(close) - t) + 1;
        return token;
    }
    case Markup::ProcessingInstruction:
        return closedBy(begin + 2, "?>");
    case Markup::Comment:
        return closedBy(begin + 4, "-->");
    case Markup::CDataSection:
        return closedBy(begin + 9, "]]>");
    case Markup::DocumentType:
        return ScanDocumentType(text, begin + 9);
    case Markup::Truncated:
        return runsToEnd();
    default:
        token.end = begin + 1;
        return token;
    }
}

std::size_t ScanTextRun(std::string_view text, std::size_t from, std::size_t limit) {
    limit = std::min(limit, text.size());
    while (from < limit) {
        const void* lt = std::memchr(text.data() + from, '<', limit - from);
        if (lt == nullptr)
            return limit;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(lt) - text.data());
        if (IsMarkup(Classify(text, at)))
            return at;
        from = at + 1;
    }
    return limit;
}

std::string_view UnterminatedType(Markup kind) {
    switch (kind) {
    case Markup::StartTag:
    case Markup::EmptyTag:
        return "start_tag";
    case Markup::EndTag:
        return "end_tag";
    case Markup::ProcessingInstruction:
        return "processing_instruction";
    case Markup::Comment:
        return "comment";
    case Markup::CDataSection:
        return "cdata_section";
    case Markup::DocumentType:
        return "document_type";
    default:
        return "tag";
    }
}

bool AttributeScanner::Next(AttributeSpan& span) {
    const std::string_view t = m_text;
    const auto skipSpaces = [&](std::size_t p) {
        while (p < m_limit && IsSpace(t[p]))
            ++p;
        return p;
    };
    for (;;) {
        while (m_pos < m_limit && (IsSpace(t[m_pos]) || t[m_pos] == '/'))
            ++m_pos;
        if (m_pos >= m_limit)
            return false;
        const char c = t[m_pos];
        if (c == '"' || c == '\'') {
            // A stray quoted run: the tag scanner read it as one piece, so skip it whole.
            const std::size_t close = t.substr(0, m_limit).find(c, m_pos + 1);
            m_pos = close == std::string_view::npos ? m_limit : close + 1;
            continue;
        }
        if (c == '=' || c == '<' || c == '>') {
            ++m_pos;
            continue;
        }
        span = AttributeSpan{};
        span.nameBegin = m_pos;
        while (m_pos < m_limit && !IsSpace(t[m_pos]) && t[m_pos] != '=' && t[m_pos] != '/' && t[m_pos] != '>' &&
               t[m_pos] != '"' && t[m_pos] != '\'')
            ++m_pos;
        span.nameEnd = m_pos;
        std::size_t p = skipSpaces(m_pos);
        if (p < m_limit && t[p] == '=') {
            p = skipSpaces(p + 1);
            span.hasValue = true;
            span.rawBegin = p;
            if (p < m_limit && (t[p] == '"' || t[p] == '\'')) {
                const std::size_t close = t.substr(0, m_limit).find(t[p], p + 1);
                span.valueBegin = p + 1;
                span.valueEnd = close == std::string_view::npos ? m_limit : close;
                span.rawEnd = close == std::string_view::npos ? m_limit : close + 1;
            } else {
                span.valueBegin = p;
                while (p < m_limit && !IsSpace(t[p]))
                    ++p;
                span.valueEnd = p;
                span.rawEnd = p;
            }
        } else {
            span.rawBegin = span.valueBegin = span.valueEnd = span.rawEnd = span.nameEnd;
        }
        m_pos = span.rawEnd;
        return true;
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendDecoded(std::string& out, std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) {
            out.append(text.substr(pos));
            return;
        }
        out.append(text.substr(pos, amp - pos));
        const std::size_t stop = std::min(text.size(), amp + 1 + kMaxReference);
        std::size_t semicolon = amp + 1;
        while (semicolon < stop && text[semicolon] != ';' && text[semicolon] != '&')
            ++semicolon;
        char32_t cp = 0;
        if (semicolon < stop && text[semicolon] == ';') {
            const std::string_view reference = text.substr(amp + 1, semicolon - amp - 1);
            if (!reference.empty())
                cp = reference[0] == '#' ? DecodeNumericReference(reference.substr(1)) : LookupEntity(reference);
        }
        if (cp != 0) {
            AppendUtf8(out, cp);
            pos = semicolon + 1;
        } else {
            out += '&';
            pos = amp + 1;
        }
    }
}

void AppendEscapedText(std::string& out, std::string_view text) {
    AppendEscaped(out, text, false);
}

void AppendEscapedAttribute(std::string& out, std::string_view value) {
    AppendEscaped(out, value, true);
}

bool IsWritableName(std::string_view name) {
    if (name.empty() || !IsNameStart(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return IsNameStart(c) || (u >= '0' && u <= '9') || c == '.' || c == '-';
    });
}

} // namespace vardo::xml
