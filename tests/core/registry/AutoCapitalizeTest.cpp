#include "core/registry/AutoCapitalize.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

TEST(AutoCapitalize, FirstLetterBecomesUpperCase) {
    const auto edit = AutoCapitalize("jan");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text, "Jan");
    EXPECT_FALSE(edit->cut);
    EXPECT_EQ(AutoCapitalize("łucja")->text, "Łucja");
    EXPECT_EQ(AutoCapitalize("żaneta")->text, "Żaneta");
}

TEST(AutoCapitalize, LeavesCapitalisedAndNonLetterStartsAlone) {
    EXPECT_FALSE(AutoCapitalize("Jan"));
    EXPECT_FALSE(AutoCapitalize(""));
    EXPECT_FALSE(AutoCapitalize("1abc"));
    EXPECT_FALSE(AutoCapitalize("Łucja"));
}

TEST(AutoCapitalize, CutsToFourteenCharacters) {
    const auto edit = AutoCapitalize("Wojciechowskaaaaaaa"); // 19 characters
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text, "Wojciechowskaa");
    EXPECT_TRUE(edit->cut);
    EXPECT_EQ(AutoCapitalize("źdźbłoźdźbłoźdźbło")->text, "Źdźbłoźdźbłoźd");
}

TEST(AutoCapitalize, LanguagesThatKeepNamesAsTyped) {
    EXPECT_TRUE(CapitalizesNames("polish"));
    EXPECT_TRUE(CapitalizesNames("ptg"));
    for (const char* tag : {"french", "turkish", "greek", "tha", "rus", "Ukr", "U"})
        EXPECT_FALSE(CapitalizesNames(tag)) << tag;
}

TEST(AutoCapitalize, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(CharacterCount("Łódź"), 4);
    EXPECT_EQ(FirstCharacters("Łódź", 2), "Łó");
    EXPECT_EQ(FirstCharacters("ab", 5), "ab");
}

} // namespace
} // namespace vardo
