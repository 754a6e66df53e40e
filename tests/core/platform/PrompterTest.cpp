#include "core/platform/Prompter.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

TEST(ScriptedPrompter, AnswersInOrderThenDefaultsAndRecordsTexts) {
    ScriptedPrompter prompter({Answer::No, Answer::Retry});
    prompter.Message("pierwszy");
    EXPECT_EQ(prompter.Ask("drugi?", Buttons::YesNo, Answer::Yes), Answer::No);
    EXPECT_EQ(prompter.Ask("trzeci?", Buttons::RetryCancel, Answer::Cancel), Answer::Retry);
    EXPECT_EQ(prompter.Ask("czwarty?", Buttons::OkCancel, Answer::Cancel), Answer::Cancel);
    ASSERT_EQ(prompter.Shown().size(), 4u);
    EXPECT_EQ(prompter.Shown()[1], "drugi?");
    EXPECT_EQ(prompter.Questions(), 3);
    EXPECT_TRUE(prompter.AnyShownContains("trzec"));
    EXPECT_FALSE(prompter.AnyShownContains("piąty"));
}

} // namespace
} // namespace vardo
