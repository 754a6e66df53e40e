#include "core/doc/JsonWriter.h"

#include <cstdio>

namespace vardo {
namespace {

// Length of the well-formed UTF-8 sequence at `at`, or 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0u) == 0xC0u) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1Fu;
    } else if ((lead & 0xF0u) == 0xE0u) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0Fu;
    } else if ((lead & 0xF8u) == 0xF0u) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string JsonWriter::Quote(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out.push_back('"');
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(utf8, i);
            if (length == 0) {
                out.append("\xEF\xBF\xBD");
                ++i;
            } else {
                out.append(utf8.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out.append(escaped);
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
        ++i;
    }
    out.push_back('"');
    return out;
}

void JsonWriter::NewLine() {
    m_out.push_back('\n');
    m_out.append(2 * m_levels.size(), ' ');
}

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (!level.empty)
        m_out.push_back(',');
    if (level.compact) {
        if (!level.empty)
            m_out.push_back(' ');
    } else {
        NewLine();
    }
    level.empty = false;
}

void JsonWriter::Open(char bracket, bool compact) {
    BeforeValue();
    m_out.push_back(bracket);
    // Inside a compact container everything stays on the line.
    m_levels.push_back(Level{compact || (!m_levels.empty() && m_levels.back().compact)});
}

void JsonWriter::Close(char bracket) {
    if (m_levels.empty())
        return;
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.compact && !level.empty)
        NewLine();
    m_out.push_back(bracket);
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    m_out.append(Quote(key));
    m_out.append(": ");
    m_afterKey = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    m_out.append(Quote(utf8));
}

void JsonWriter::Int(std::int64_t value) {
    BeforeValue();
    m_out.append(std::to_string(value));
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    m_out.append(value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    m_out.append("null");
}

std::string JsonWriter::Take() {
    std::string out = std::move(m_out);
    m_out.clear();
    m_levels.clear();
    m_afterKey = false;
    if (out.empty() || out.back() != '\n')
        out.push_back('\n');
    return out;
}

} // namespace vardo
