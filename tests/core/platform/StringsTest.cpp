#include "core/platform/Strings.h"

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <type_traits>

#include <gtest/gtest.h>

namespace vardo {
namespace {

TEST(Strings, MonthAndWeekdayNamesComeFromTheTable) {
    EXPECT_EQ(MonthName(0), "styczeń");
    EXPECT_EQ(MonthName(11), "grudzień");
    EXPECT_EQ(MonthAbbreviation(9), "Paź");
    EXPECT_EQ(WeekdayName(0), "poniedziałek");
    EXPECT_EQ(WeekdayName(6), "niedziela");
    EXPECT_EQ(MonthName(12), "");
    EXPECT_EQ(WeekdayName(-1), "");
    EXPECT_EQ(LanguageTag(), "polish");
}

// Strings are looked up by name: a bare number is no string id and does not compile.
static_assert(!std::is_invocable_v<decltype(&Str), int>);
static_assert(!std::is_convertible_v<int, StrId>);
static_assert(std::is_invocable_v<decltype(&Str), StrId>);

TEST(Strings, NamedEntriesAndComputedNumbers) {
    EXPECT_FALSE(HasStr(999999));
    EXPECT_TRUE(HasStr(static_cast<int>(StrId::WorkingMonthStatus)));
    EXPECT_EQ(static_cast<int>(StrId::WorkingMonthStatus), 1073);
    EXPECT_EQ(Str(StrId::CannotCreateFile).substr(0, 28), "Nie mogę utworzyć nowego p");
}

TEST(Strings, FormatArgsReplacesNumberedPlaceholders) {
    EXPECT_EQ(FormatArgs(Str(StrId::WorkingMonthStatus), {MonthName(1)}), "  Miesiąc roboczy = luty");
    EXPECT_EQ(FormatArgs("%2-%1-%2", {"a", "b"}), "b-a-b");
    EXPECT_EQ(FormatArgs("100%% %1 %3", {"x"}), "100%% x %3");
    EXPECT_EQ(FormatArgs("trailing %", {"x"}), "trailing %");
}

TEST(Strings, FormatPrintfHandlesLongOutput) {
    EXPECT_EQ(FormatPrintf("%s %d", "Grupa #", 3), "Grupa # 3");
    const std::string longText(5000, 'x');
    EXPECT_EQ(FormatPrintf("<%s>", longText.c_str()).size(), 5002u);
}

TEST(Strings, ResourceFileHasUniqueIds) {
    const char* root = std::getenv("VARDO_SOURCE_DIR");
    ASSERT_NE(root, nullptr);
    std::ifstream in(std::string(root) + "/resources/strings.inc");
    ASSERT_TRUE(in);
    std::set<long> ids;
    std::string line;
    const std::regex entry(R"(^VARDO_STRING\(\w+, (\d+),)");
    int entries = 0;
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_search(line, m, entry)) {
            ++entries;
            EXPECT_TRUE(ids.insert(std::stol(m[1])).second) << "duplicate string id " << m[1];
        }
    }
    EXPECT_GT(entries, 30);
}

} // namespace
} // namespace vardo
