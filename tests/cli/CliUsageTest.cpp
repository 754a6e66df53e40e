#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/CliUsage.h"

namespace vardo::cli {
namespace {

using Options = std::vector<UsageOption>;
using Words = std::vector<std::string>;

TEST(CliUsage, OptionsTakeThePlaceholderThatFollowsThemInTheirGroup) {
    const UsageParts parts = ParseUsage("report KIND [--group N] (--pdf FILE | --png DIR) [--letter] [--dpi N]");
    EXPECT_EQ(parts.options,
              (Options{{"--group", "N"}, {"--pdf", "FILE"}, {"--png", "DIR"}, {"--letter", ""}, {"--dpi", "N"}}));
    EXPECT_EQ(parts.positionals, Words{"KIND"});
}

TEST(CliUsage, ABracketEndsAnOptionSoTheNextPlaceholderIsAPositional) {
    const UsageParts parts = ParseUsage("export [--all] FILE");
    EXPECT_EQ(parts.options, (Options{{"--all", ""}}));
    EXPECT_EQ(parts.positionals, Words{"FILE"});

    const UsageParts flags = ParseUsage("resave [--yes | --no] [--password TEXT]");
    EXPECT_EQ(flags.options, (Options{{"--yes", ""}, {"--no", ""}, {"--password", "TEXT"}}));
    EXPECT_TRUE(flags.positionals.empty());
}

TEST(CliUsage, LiteralWordsAndAlternativesArePositionals) {
    EXPECT_EQ(ParseUsage("xml outline FILE").positionals, (Words{"outline", "FILE"}));
    EXPECT_EQ(ParseUsage("backup (create | list) DIR").positionals, (Words{"create|list", "DIR"}));
    EXPECT_EQ(ParseUsage("mail GROUP|all").positionals, (Words{"GROUP|all"}));
    // Alternatives of a position end where an option comes between.
    EXPECT_EQ(ParseUsage("move PERSON [--to CATEGORY] | MONTH").positionals, (Words{"PERSON", "MONTH"}));
}

TEST(CliUsage, ValuesWrittenWithEqualsAndRepeatedWords) {
    const UsageParts parts = ParseUsage("enter --month=YYYY-MM PERSON... [--note TEXT]");
    EXPECT_EQ(parts.options, (Options{{"--month", "YYYY-MM"}, {"--note", "TEXT"}}));
    EXPECT_EQ(parts.positionals, Words{"PERSON"});
}

TEST(CliUsage, AnOptionNamedTwiceIsListedOnce) {
    EXPECT_EQ(ParseUsage("history (--from MONTH | --to MONTH --from MONTH)").options,
              (Options{{"--from", "MONTH"}, {"--to", "MONTH"}}));
}

TEST(CliUsage, TheCommandNameAloneOrNothingGivesNothing) {
    for (const char* usage : {"", "list", "   "}) {
        const UsageParts parts = ParseUsage(usage);
        EXPECT_TRUE(parts.options.empty()) << usage;
        EXPECT_TRUE(parts.positionals.empty()) << usage;
    }
}

TEST(CliUsage, PlaceholdersAreCapitalsWithDigitsAndSeparators) {
    for (const char* word : {"N", "FILE", "YYYY-MM-DD", "GROUP_2", "A.B"})
        EXPECT_TRUE(IsPlaceholder(word)) << word;
    for (const char* word : {"", "file", "outline", "File", "--N", "2024", "-", "N|M", "[N]"})
        EXPECT_FALSE(IsPlaceholder(word)) << word;
}

} // namespace
} // namespace vardo::cli
