#include "core/platform/Collation.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <unicode/ucol.h>
#include <unicode/ustring.h>

namespace vardo {
namespace {

struct TagLocale {
    std::string_view tag;
    std::string_view locale;
};

constexpr TagLocale kLocales[] = {
    {"polish", "pl"}, {"hrvatski", "pl"}, {"slovenian", "pl"}, {"rus", "ru"},   {"urk", "ru"},    {"estonian", "et"},
    {"rom", "ro"},    {"turkish", "tr"},  {"french", "fr"},    {"czech", "cs"}, {"slovak", "sk"}, {"greek", "el"},
    {"dutch", "nl"},  {"tha", "th"},      {"hun", "hu"},       {"lt", "lt"},    {"vie", "vi"},
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::vector<UChar> ToUtf16(std::string_view utf8) {
    std::vector<UChar> units(utf8.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    units.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return units;
}

int ByteCompare(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Hyphen and apostrophe carry no weight in a name's first comparison (Nowak-Kowalska after Nowak, Zenon;
// D'Arco between Dabrowski and Dąbrowski); they only decide between names otherwise equal. Making them
// ignorable in the collator instead ("shifted") would drop the comma after the surname as well.
bool IsTieBreakMark(char c) {
    return c == '-' || c == '\'';
}

bool HasTieBreakMark(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsTieBreakMark);
}

// ASCII bytes never occur inside a UTF-8 sequence, so removing them keeps the text valid.
std::string WithoutTieBreakMarks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!IsTieBreakMark(c))
            out.push_back(c);
    }
    return out;
}

} // namespace

struct Collator::Impl {
    UCollator* collator = nullptr;
    std::string locale;

    ~Impl() {
        if (collator)
            ucol_close(collator);
    }
};

Collator::Collator(std::string_view languageTag) : m_impl(std::make_unique<Impl>()) {
    m_impl->locale = LocaleForLanguageTag(languageTag);
    UErrorCode status = U_ZERO_ERROR;
    // "" opens the default locale in ICU; the root collation is asked for by name.
    UCollator* collator = ucol_open(m_impl->locale.empty() ? "root" : m_impl->locale.c_str(), &status);
    if (U_FAILURE(status))
        return; // without ICU data, names compare byte-wise
    ucol_setStrength(collator, UCOL_SECONDARY);
    m_impl->collator = collator;
}

Collator::~Collator() = default;
Collator::Collator(Collator&&) noexcept = default;
Collator& Collator::operator=(Collator&&) noexcept = default;

std::string Collator::LocaleForLanguageTag(std::string_view languageTag) {
    for (const auto& entry : kLocales) {
        if (EqualsIgnoringAsciiCase(entry.tag, languageTag))
            return std::string(entry.locale);
    }
    return {};
}

int Collator::Compare(std::string_view a, std::string_view b) const {
    if (HasTieBreakMark(a) || HasTieBreakMark(b)) {
        if (const int first = CompareFull(WithoutTieBreakMarks(a), WithoutTieBreakMarks(b)); first != 0)
            return first;
    }
    return CompareFull(a, b);
}

int Collator::CompareFull(std::string_view a, std::string_view b) const {
    if (!m_impl || !m_impl->collator)
        return ByteCompare(a, b);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = ucol_strcollUTF8(m_impl->collator, a.data(), static_cast<int32_t>(a.size()),
                                                     b.data(), static_cast<int32_t>(b.size()), &status);
    if (U_FAILURE(status))
        return ByteCompare(a, b);
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

std::string Collator::SortKey(std::string_view text) const {
    // Neither part holds a zero byte (collation keys end at their only one), so the zero between them makes
    // the plain byte order compare the marks-free part first, exactly as Compare does.
    std::string key = HasTieBreakMark(text) ? FullSortKey(WithoutTieBreakMarks(text)) : FullSortKey(text);
    key.push_back('\0');
    key += FullSortKey(text);
    return key;
}

std::string Collator::FullSortKey(std::string_view text) const {
    if (!m_impl || !m_impl->collator)
        return std::string(text);
    const std::vector<UChar> units = ToUtf16(text);
    const auto length = static_cast<int32_t>(units.size());
    std::string key(units.size() * 4 + 16, '\0');
    for (;;) {
        const int32_t needed =
            ucol_getSortKey(m_impl->collator, units.data(), length, reinterpret_cast<uint8_t*>(key.data()),
                            static_cast<int32_t>(key.size()));
        if (needed <= 0)
            return {};
        if (static_cast<std::size_t>(needed) <= key.size()) {
            key.resize(static_cast<std::size_t>(needed) - 1); // without the terminating zero byte
            return key;
        }
        key.resize(static_cast<std::size_t>(needed));
    }
}

const std::string& Collator::Locale() const {
    static const std::string none;
    return m_impl ? m_impl->locale : none;
}

} // namespace vardo
