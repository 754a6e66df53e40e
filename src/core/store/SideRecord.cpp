#include "core/store/SideRecord.h"

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"

namespace vardo::sidetext {

std::string Decode(std::string_view cp1250) {
    return codepage::Cp1250ToUtf8(cp1250);
}

Result<std::string> Encode(std::string_view utf8, std::size_t maxChars) {
    auto conversion = codepage::Utf8ToCp1250(utf8);
    if (!conversion.lossless())
        return Result<std::string>::Fail(FormatArgs(Str(StrId::TextUnmappable), {utf8}));
    if (conversion.text.size() > maxChars)
        return Result<std::string>::Fail(FormatArgs(Str(StrId::TextTooLong), {utf8, std::to_string(maxChars)}));
    return std::move(conversion.text);
}

std::string CutToCharacters(std::string_view utf8, std::size_t maxChars) {
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < utf8.size() && chars < maxChars) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        if (c >= 0xF0)
            length = 4;
        else if (c >= 0xE0)
            length = 3;
        else if (c >= 0xC0)
            length = 2;
        std::size_t next = i + 1;
        while (next < utf8.size() && next < i + length && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80)
            ++next;
        i = next;
        ++chars;
    }
    return std::string(utf8.substr(0, i));
}

std::string_view UpToNul(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool IsLetter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8D:
    case 0x8E:
    case 0x8F:
    case 0x9A:
    case 0x9C:
    case 0x9D:
    case 0x9E:
    case 0x9F:
    case 0xA3:
    case 0xA5:
    case 0xAA:
    case 0xAF:
    case 0xB3:
    case 0xB9:
    case 0xBA:
    case 0xBC:
    case 0xBE:
    case 0xBF:
        return true;
    default:
        break;
    }
    return c >= 0xC0 && c != 0xD7 && c != 0xF7 && c != 0xFF;
}

bool HasLetter(std::string_view cp1250) {
    for (char c : cp1250)
        if (IsLetter(static_cast<unsigned char>(c)))
            return true;
    return false;
}

} // namespace vardo::sidetext
