#include "core/registry/Password.h"

#include <gtest/gtest.h>

#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

using Outcome = PasswordGate::Outcome;

TEST(PasswordGate, NoPasswordNeedsNoDialog) {
    EXPECT_FALSE(PasswordGate(" ", false).NeedsDialog());
    EXPECT_FALSE(PasswordGate("", false).NeedsDialog());
    EXPECT_TRUE(PasswordGate("tajne", false).NeedsDialog());
}

TEST(PasswordGate, TypingTheRightPasswordAcceptsWithoutOk) {
    PasswordGate gate("Owca7", false);
    EXPECT_EQ(gate.Prompt(), Str(StrId::EnterPassword));
    EXPECT_EQ(gate.TextChanged("O"), Outcome::Pending);
    EXPECT_EQ(gate.TextChanged("Owca"), Outcome::Pending);
    EXPECT_EQ(gate.TextChanged("Owca7"), Outcome::Accepted);
}

TEST(PasswordGate, ComparisonIsCaseSensitive) {
    PasswordGate gate("Owca7", true);
    EXPECT_EQ(gate.Prompt(), Str(StrId::EnterOldPassword));
    EXPECT_EQ(gate.TextChanged("owca7"), Outcome::Pending);
}

TEST(PasswordGate, OkWithAWrongTextWarnsOnceThenFails) {
    PasswordGate viaKey("Owca7", false);
    EXPECT_EQ(viaKey.Ok("abc"), Outcome::Pending);
    EXPECT_EQ(viaKey.Prompt(), Str(StrId::WrongPassword));
    EXPECT_EQ(viaKey.TextChanged("Owca7"), Outcome::Rejected);

    PasswordGate viaOk("Owca7", false);
    EXPECT_EQ(viaOk.Ok("abc"), Outcome::Pending);
    EXPECT_EQ(viaOk.Ok("Owca7"), Outcome::Rejected);
}

TEST(PasswordGate, MoreThanThirteenCharactersCountAsAWrongTry) {
    PasswordGate gate("Owca7", false);
    EXPECT_EQ(gate.TextChanged("abcdefghijklm"), Outcome::Pending);
    EXPECT_EQ(gate.Prompt(), Str(StrId::EnterPassword));
    EXPECT_EQ(gate.TextChanged("abcdefghijklmn"), Outcome::Pending);
    EXPECT_EQ(gate.Prompt(), Str(StrId::WrongPassword));
    EXPECT_EQ(gate.TextChanged("abcdefghijklmno"), Outcome::Rejected);
}

TEST(PasswordGate, ALongPasswordFromOlderDataCanStillBeTypedKeyByKey) {
    const std::string stored = "abcdefghijklmnopqr"; // 18 characters
    PasswordGate gate(stored, false);
    for (std::size_t n = 1; n < stored.size(); ++n)
        ASSERT_EQ(gate.TextChanged(stored.substr(0, n)), Outcome::Pending) << n;
    EXPECT_EQ(gate.TextChanged(stored), Outcome::Accepted);
}

TEST(PasswordChange, TwoEqualEntriesConfirm) {
    PasswordChange change;
    EXPECT_EQ(change.Prompt(), Str(StrId::EnterNewPassword));
    EXPECT_FALSE(change.Ok("nowe"));
    EXPECT_EQ(change.Prompt(),
              std::string(Str(StrId::EnterNewPassword)) + " " + std::string(Str(StrId::PasswordAgain)));
    EXPECT_TRUE(change.Ok("nowe"));
    ASSERT_TRUE(change.Confirmed());
    EXPECT_EQ(*change.Confirmed(), "nowe");
}

TEST(PasswordChange, DifferentEntriesDoNotConfirm) {
    PasswordChange change;
    EXPECT_FALSE(change.Ok("nowe"));
    EXPECT_TRUE(change.Ok("nowa"));
    EXPECT_FALSE(change.Confirmed());
}

TEST(PasswordChange, AppliedOutcomesAndTheirMessages) {
    struct Case {
        std::optional<std::string> confirmed;
        std::optional<std::string> stored;
        StrId message;
    };
    const Case cases[] = {
        {std::string("nowe"), std::string("nowe"), StrId::PasswordChanged},
        {std::string(""), std::string(" "), StrId::PasswordOff},
        {std::string(" nowe"), std::string(" "), StrId::PasswordOff},
        {std::nullopt, std::nullopt, StrId::PasswordNotChanged},
        {std::string("abcdefghijklmn"), std::nullopt, StrId::PasswordNotChanged}, // could never be typed at the gate
        {std::string("żółć"), std::string("żółć"), StrId::PasswordChanged},
        {std::string("日本"), std::nullopt, StrId::PasswordNotChanged}, // outside the record's code page
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        EXPECT_EQ(ApplyPasswordChange(c.confirmed, prompter), c.stored);
        ASSERT_EQ(prompter.Shown().size(), 1u);
        EXPECT_EQ(prompter.Shown()[0], Str(c.message));
    }
}

} // namespace
} // namespace vardo
