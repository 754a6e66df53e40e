#include "core/registry/AutoCapitalize.h"

#include <array>
#include <utility>

namespace vardo {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kPolishCapitals{{
    {"ą", "Ą"},
    {"ć", "Ć"},
    {"ę", "Ę"},
    {"ł", "Ł"},
    {"ń", "Ń"},
    {"ó", "Ó"},
    {"ś", "Ś"},
    {"ź", "Ź"},
    {"ż", "Ż"},
}};

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

bool CapitalizesNames(std::string_view languageTag) {
    if (!languageTag.empty() && languageTag.front() == 'U')
        return false;
    for (std::string_view tag : {"turkish", "french", "greek", "tha", "rus"})
        if (languageTag == tag)
            return false;
    return true;
}

int CharacterCount(std::string_view utf8) {
    int count = 0;
    for (char c : utf8)
        if (!IsContinuation(c))
            ++count;
    return count;
}

std::string FirstCharacters(std::string_view utf8, int count) {
    int seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuation(utf8[i])) {
            if (seen == count)
                return std::string(utf8.substr(0, i));
            ++seen;
        }
    }
    return std::string(utf8);
}

std::optional<NameEdit> AutoCapitalize(std::string_view name) {
    if (name.empty())
        return std::nullopt;
    std::string text(name);
    bool changed = false;
    bool cut = false;
    if (text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
        changed = true;
    } else {
        for (const auto& [lower, upper] : kPolishCapitals) {
            if (text.starts_with(lower)) {
                text.replace(0, lower.size(), upper);
                changed = true;
                break;
            }
        }
    }
    if (CharacterCount(text) > kNameLength) {
        text = FirstCharacters(text, kNameLength);
        changed = true;
        cut = true;
    }
    if (!changed)
        return std::nullopt;
    return NameEdit{std::move(text), cut};
}

} // namespace vardo
