#include "core/platform/IniFile.h"

#include <cstdint>
#include <utility>

#include "core/platform/CodePage.h"

namespace vardo {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Names compare after trimming and Unicode case folding ("KATEGORIA UŻYTKOWNIKA" finds "Kategoria użytkownika").
std::string NameKey(std::string_view name) {
    return codepage::CaseFold(Trim(name));
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

// The value as GetPrivateProfileString gives it: blanks trimmed, then one pair of enclosing quotes removed.
std::string_view CleanValue(std::string_view raw) {
    std::string_view value = Trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return value;
}

int ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    // Unsigned arithmetic wraps modulo 2^32 like the Windows conversion, without overflow.
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        total = total * base + digit;
    }
    if (negative)
        total = 0u - total;
    return static_cast<int>(total);
}

} // namespace

IniFile::Line IniFile::ParseLine(std::string text) {
    Line line;
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        line.kind = Line::Kind::Blank;
    } else if (trimmed.front() == ';') {
        line.kind = Line::Kind::Comment;
    } else if (trimmed.front() == '[') {
        // Up to the last ']', so that every name written between brackets reads back whole.
        const std::size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Line::Kind::Section;
            line.section = std::string(Trim(trimmed.substr(1, close - 1)));
        }
    } else if (const std::size_t equals = trimmed.find('='); equals != std::string_view::npos) {
        line.kind = Line::Kind::Entry;
        line.key = std::string(Trim(trimmed.substr(0, equals)));
        const std::size_t valueStart = static_cast<std::size_t>(trimmed.data() - text.data()) + equals + 1;
        line.value = text.substr(valueStart);
    }
    line.text = std::move(text);
    return line;
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile ini;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view raw = bytes.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        ini.m_lines.push_back(ParseLine(codepage::Cp1250ToUtf8(raw)));
        start = next;
    }
    return ini;
}

Result<IniFile> IniFile::Load(const DataFolder& folder, std::string_view name) {
    if (!folder.Exists(name))
        return IniFile{};
    auto bytes = folder.ReadAll(name);
    if (!bytes)
        return Result<IniFile>::Fail(bytes.error());
    return Parse(bytes.value());
}

int IniFile::FindSection(std::string_view section) const {
    const std::string wanted = NameKey(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Section && NameKey(line.section) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

int IniFile::FindEntry(int sectionLine, std::string_view key) const {
    if (sectionLine < 0)
        return -1;
    const std::string wanted = NameKey(key);
    for (auto i = static_cast<std::size_t>(sectionLine) + 1; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Section)
            break;
        if (line.kind == Line::Kind::Entry && NameKey(line.key) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const int entry = FindEntry(FindSection(section), key);
    if (entry < 0)
        return defaultValue;
    const std::string_view value = CleanValue(m_lines[static_cast<std::size_t>(entry)].value);
    return value.empty() ? defaultValue : ParseProfileInt(value);
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    const int entry = FindEntry(FindSection(section), key);
    if (entry < 0)
        return std::string(defaultValue);
    return std::string(CleanValue(m_lines[static_cast<std::size_t>(entry)].value));
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return FindEntry(FindSection(section), key) >= 0;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionName(Trim(WithoutLineBreaks(section)));
    const std::string keyName(Trim(WithoutLineBreaks(key)));
    const std::string text = keyName + "=" + WithoutLineBreaks(value);
    Line entry = ParseLine(text);
    if (entry.kind != Line::Kind::Entry || entry.key != keyName)
        return;

    int sectionLine = FindSection(sectionName);
    if (sectionLine < 0) {
        m_lines.push_back(ParseLine("[" + sectionName + "]"));
        m_lines.push_back(std::move(entry));
        m_modified = true;
        return;
    }
    if (const int existing = FindEntry(sectionLine, keyName); existing >= 0) {
        Line& line = m_lines[static_cast<std::size_t>(existing)];
        // The key keeps the spelling it has in the file.
        Line rewritten = ParseLine(line.key + "=" + WithoutLineBreaks(value));
        if (rewritten.text != line.text) {
            line = std::move(rewritten);
            m_modified = true;
        }
        return;
    }
    // A new key follows the last entry of its section, ahead of blank lines and comments that lead into the
    // next section.
    auto insertAt = static_cast<std::size_t>(sectionLine) + 1;
    for (std::size_t i = insertAt; i < m_lines.size() && m_lines[i].kind != Line::Kind::Section; ++i) {
        if (m_lines[i].kind == Line::Kind::Entry || m_lines[i].kind == Line::Kind::Other)
            insertAt = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    m_modified = true;
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

void IniFile::RemoveKey(std::string_view section, std::string_view key) {
    const int entry = FindEntry(FindSection(section), key);
    if (entry < 0)
        return;
    m_lines.erase(m_lines.begin() + entry);
    m_modified = true;
}

std::string IniFile::Serialize() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += codepage::Utf8ToCp1250(line.text).text;
        out += "\r\n";
    }
    return out;
}

std::size_t IniFile::Unmappable() const {
    std::size_t count = 0;
    for (const Line& line : m_lines)
        count += codepage::Utf8ToCp1250(line.text).unmappable;
    return count;
}

Status IniFile::Save(const DataFolder& folder, std::string_view name) const {
    return folder.WriteAtomic(name, Serialize());
}

} // namespace vardo
