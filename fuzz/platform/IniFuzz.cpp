// libFuzzer target for the INI parser and writer: any bytes parse, unchanged content is written back line for
// line with CRLF, and what a write leaves in memory is exactly what reading the written file gives.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/platform/CodePage.h"
#include "core/platform/IniFile.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::string WithCrLf(std::string_view bytes) {
    std::string out;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.append(line);
        out.append("\r\n");
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vardo::IniFile ini = vardo::IniFile::Parse(bytes);
    Check(ini.Serialize() == WithCrLf(bytes));
    Check(!ini.Modified());

    // Names and a value cut from the input itself, so they often match what the file holds.
    const std::size_t third = size / 3;
    const std::string section = vardo::codepage::Cp1250ToUtf8(bytes.substr(0, std::min<std::size_t>(third, 24)));
    const std::string key = vardo::codepage::Cp1250ToUtf8(bytes.substr(third, std::min<std::size_t>(third, 24)));
    const std::string value = vardo::codepage::Cp1250ToUtf8(bytes.substr(2 * third));
    const int before = ini.GetInt(section, key, -7);
    Check(ini.HasKey(section, key) || before == -7);

    ini.SetString(section, key, value);
    const std::string written = ini.Serialize();
    const vardo::IniFile reread = vardo::IniFile::Parse(written);
    Check(reread.Serialize() == written);
    Check(reread.HasKey(section, key) == ini.HasKey(section, key));
    Check(reread.GetString(section, key, "\x01") == ini.GetString(section, key, "\x01"));
    Check(reread.GetInt(section, key, -7) == ini.GetInt(section, key, -7));
    Check(ini.Unmappable() == 0);

    ini.SetInt(section, key, static_cast<int>(size));
    ini.RemoveKey(section, key);
    Check(vardo::IniFile::Parse(ini.Serialize()).Serialize() == ini.Serialize());
    return 0;
}
