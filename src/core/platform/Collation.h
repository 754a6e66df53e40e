#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vardo {

/// Locale-aware, case-insensitive comparison of UTF-8 text, as the register's name order needs it.
/// The locale comes from the language tag: "polish", "hrvatski", "slovenian" → Polish rules; "rus", "urk"
/// → Russian; "estonian" → Estonian; "rom" → Romanian; "turkish", "french", "czech", "slovak", "greek",
/// "dutch", "tha", "hun", "lt", "vie" → that language; anything else → the root collation.
class Collator {
public:
    explicit Collator(std::string_view languageTag = "polish");
    ~Collator();
    Collator(Collator&&) noexcept;
    Collator& operator=(Collator&&) noexcept;
    Collator(const Collator&) = delete;
    Collator& operator=(const Collator&) = delete;

    /// The ICU locale name chosen for a language tag ("pl", "ru", "" for root, ...).
    static std::string LocaleForLanguageTag(std::string_view languageTag);

    /// <0, 0 or >0 as a sorts before, equal to or after b, ignoring case. Hyphens and apostrophes count only
    /// between texts that are equal without them; the comma and other punctuation count as usual.
    int Compare(std::string_view a, std::string_view b) const;

    /// A byte string whose plain byte order (operator<, memcmp) equals the order of Compare.
    std::string SortKey(std::string_view text) const;

    const std::string& Locale() const;

private:
    int CompareFull(std::string_view a, std::string_view b) const;
    std::string FullSortKey(std::string_view text) const;

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace vardo
