#include "core/platform/Collation.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vardo {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

const std::vector<std::string> kPolishOrder = {
    "abc",   "Adam", "Ądrusz", "Bąk",  "Cebula", "Czajka", "Ćwik",  "Ewa",    "Ęcki",  "Lis",    "Łukasz",
    "Nowak", "Ńa",   "Olek",   "Ósmy", "Sowa",   "Szary",  "Śliwa", "Tomasz", "Zając", "Źrebak", "Żak",
};

TEST(Collator, PolishLettersSortAfterTheirBaseLetters) {
    const Collator collator("polish");
    EXPECT_EQ(collator.Locale(), "pl");
    EXPECT_LT(collator.Compare("Cebula", "Ćwik"), 0);
    EXPECT_LT(collator.Compare("Ćwik", "Lis"), 0);
    EXPECT_GT(collator.Compare("Łukasz", "Lis"), 0);
    EXPECT_GT(collator.Compare("Ćwik", "Czajka"), 0); // ć is a letter of its own, after every c

    std::vector<std::string> shuffled(kPolishOrder.rbegin(), kPolishOrder.rend());
    std::rotate(shuffled.begin(), shuffled.begin() + 7, shuffled.end());
    std::sort(shuffled.begin(), shuffled.end(),
              [&](const std::string& a, const std::string& b) { return collator.Compare(a, b) < 0; });
    EXPECT_EQ(shuffled, kPolishOrder);
}

TEST(Collator, CaseIsIgnoredButAccentsAreNot) {
    const Collator collator;
    EXPECT_EQ(collator.Compare("abc", "ABC"), 0);
    EXPECT_EQ(collator.Compare("ŁUKASZ ŻAK", "łukasz żak"), 0);
    EXPECT_NE(collator.Compare("Lis", "Łis"), 0);
    EXPECT_NE(collator.Compare("Rene", "René"), 0);
    EXPECT_LT(collator.Compare("Kowal", "kowalski"), 0);
    EXPECT_EQ(collator.Compare("", ""), 0);
    EXPECT_LT(collator.Compare("", "a"), 0);
}

TEST(Collator, SortKeysOrderLikeCompare) {
    const Collator collator("polish");
    std::vector<std::string> names = kPolishOrder;
    for (const char* extra :
         {"ABC",      "ŻAK",      "żak",     "Rene",         "René",           "Kowal",      "kowalski", "",
          "Lis Anna", "Lis-Anna", "LisAnna", "Lis'Anna",     "lis-anna",       "-",          "'",        "--",
          "D'Arco",   "Darco",    "Dąrco",   "Nowak, Zenon", "Nowak-Kowalska", "Nowakowski", "Nowak-",   "Nowak'"})
        names.emplace_back(extra);
    for (const auto& a : names) {
        const std::string keyA = collator.SortKey(a);
        for (const auto& b : names)
            EXPECT_EQ(Sign(keyA.compare(collator.SortKey(b))), Sign(collator.Compare(a, b))) << a << " / " << b;
    }
    EXPECT_EQ(collator.SortKey("abc"), collator.SortKey("ABC"));
}

// Hyphen and apostrophe weigh nothing at first and only break ties; the comma after the surname still counts.
TEST(Collator, HyphenAndApostropheOnlyBreakTies) {
    const Collator collator("polish");
    const std::vector<std::string> expected = {
        "Dabrowski, Jan", "D'Arco, Jan",       "Dąbrowski, Adam",      "Kowalska, Zofia",  "Kowalska-Nowak, Anna",
        "Nowak, Jan",     "Nowak, Zenon",      "Nowak-Kowalska, Anna", "Nowakowski, Adam", "O'Brien, Tom",
        "Obrien, Tom",    "Obrien-Smith, Tom", "Ostrowski, Jan",
    };
    std::vector<std::string> sorted(expected.rbegin(), expected.rend());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const std::string& a, const std::string& b) { return collator.Compare(a, b) < 0; });
    EXPECT_EQ(sorted, expected);

    std::vector<std::string> byKey(expected.rbegin(), expected.rend());
    std::stable_sort(byKey.begin(), byKey.end(), [&](const std::string& a, const std::string& b) {
        return collator.SortKey(a) < collator.SortKey(b);
    });
    EXPECT_EQ(byKey, expected);

    // Equal without them, the text with the mark comes first; case still counts for nothing.
    EXPECT_LT(collator.Compare("O'Brien, Tom", "OBrien, Tom"), 0);
    EXPECT_GT(collator.Compare("Obrien, Tom", "O'brien, Tom"), 0);
    EXPECT_EQ(collator.Compare("D'ARCO, JAN", "d'arco, jan"), 0);
    EXPECT_NE(collator.Compare("Nowak-Anna", "Nowak Anna"), 0);
    EXPECT_EQ(collator.Compare("-", "-"), 0);
    EXPECT_LT(collator.Compare("", "-"), 0);
    EXPECT_LT(collator.Compare("'", "a"), 0);

    // The root collation follows the same rule.
    EXPECT_LT(Collator("english").Compare("Nowak, Zenon", "Nowak-Kowalska, Anna"), 0);
    EXPECT_LT(Collator("english").Compare("Dabrowski, Jan", "D'Arco, Jan"), 0);
}

TEST(Collator, LanguageTagChoosesTheLocale) {
    struct Case {
        const char* tag;
        const char* locale;
    };
    const Case cases[] = {
        {"polish", "pl"},   {"hrvatski", "pl"}, {"slovenian", "pl"}, {"rus", "ru"},    {"urk", "ru"},
        {"estonian", "et"}, {"rom", "ro"},      {"turkish", "tr"},   {"french", "fr"}, {"czech", "cs"},
        {"slovak", "sk"},   {"greek", "el"},    {"dutch", "nl"},     {"tha", "th"},    {"hun", "hu"},
        {"lt", "lt"},       {"vie", "vi"},      {"english", ""},     {"ptg", ""},      {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Collator::LocaleForLanguageTag(c.tag), c.locale) << c.tag;

    // The locale changes the order: Czech sorts "ch" after "h", the root collation does not.
    EXPECT_GT(Collator("czech").Compare("chata", "hrad"), 0);
    EXPECT_LT(Collator("english").Compare("chata", "hrad"), 0);
    EXPECT_LT(Collator("english").Compare("Ćwik", "Czajka"), 0);
}

TEST(Collator, MovedCollatorKeepsItsRules) {
    Collator first("polish");
    Collator second(std::move(first));
    EXPECT_EQ(second.Locale(), "pl");
    EXPECT_GT(second.Compare("Ćwik", "Czajka"), 0);
    Collator third("czech");
    third = std::move(second);
    EXPECT_EQ(third.Locale(), "pl");
    EXPECT_EQ(third.Compare("abc", "ABC"), 0);
}

} // namespace
} // namespace vardo
