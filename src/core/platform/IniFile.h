#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Result.h"

namespace vardo {

/// A Windows INI file held in memory with the semantics of the private-profile calls: sections and keys
/// compare case-insensitively (Polish letters included); a missing file, section or key gives the default;
/// writing a key keeps every other line, their order and comments; a new key goes at the end of its
/// section, a new section at the end of the file. On disk the text is Windows-1250 with CRLF line ends;
/// in memory and at the interface it is UTF-8.
class IniFile {
public:
    IniFile() = default;

    /// Reads the file `name` of the folder; a missing file gives an empty INI (ok). Other read failures
    /// give an empty INI and the failure.
    static Result<IniFile> Load(const DataFolder& folder, std::string_view name);
    /// Parses file content (Windows-1250 bytes, CRLF or LF).
    static IniFile Parse(std::string_view bytes);

    /// GetPrivateProfileInt: leading optional sign and decimal digits of the value (or "0x" hex), taken
    /// modulo 2^32 as Windows does; a value without digits gives 0; a missing key or an empty value gives
    /// `defaultValue`.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    /// GetPrivateProfileString: the value with surrounding blanks and one pair of enclosing quotes removed;
    /// a missing key gives `defaultValue`.
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    /// WritePrivateProfileString. Line breaks in the names or the value become blanks, so a value can never
    /// add lines of its own. A key that could not be read back (one containing '=' or starting with ';' or
    /// '[') is not written.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);
    /// Removes a key (no effect when it is missing).
    void RemoveKey(std::string_view section, std::string_view key);

    /// The file content as it would be written: Windows-1250 bytes, CRLF.
    std::string Serialize() const;
    /// How many characters Serialize cannot represent in Windows-1250 (it writes '?' for each).
    std::size_t Unmappable() const;
    /// Writes the file atomically into the folder.
    Status Save(const DataFolder& folder, std::string_view name) const;

    bool Modified() const { return m_modified; }

private:
    struct Line {
        enum class Kind { Blank, Comment, Section, Entry, Other } kind = Kind::Other;
        std::string text;    // the line as read (UTF-8), rewritten for changed entries
        std::string section; // for Section: the name
        std::string key;     // for Entry: the key as written
        std::string value;   // for Entry: the raw value
    };

    static Line ParseLine(std::string text);
    int FindSection(std::string_view section) const;
    int FindEntry(int sectionLine, std::string_view key) const;

    std::vector<Line> m_lines;
    bool m_modified = false;
};

} // namespace vardo
