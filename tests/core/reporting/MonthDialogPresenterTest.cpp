#include "core/reporting/MonthDialogPresenter.h"

#include <gtest/gtest.h>

#include "core/reporting/MonthCycle.h"

namespace vardo {
namespace {

using S = MonthState;

// Working month February 2024 unless told otherwise.
MonthDialogInput Input(int day, S working, S previous = S::NotInitialised, MonthCount count = ToMonthCount(2024, 1)) {
    MonthDialogInput input;
    input.monthCount = count;
    input.states.fill(S::NotInitialised);
    input.states[MonthIndexOf(count)] = working;
    input.states[(MonthIndexOf(count) + 11) % 12] = previous;
    input.day = day;
    return input;
}

TEST(MonthArithmetic, PreviousMonthExpiryAndYearTag) {
    EXPECT_EQ(PreviousMonthSlot(0, 1), (MonthSlot{11, 0}));
    EXPECT_EQ(PreviousMonthSlot(0, 0), (MonthSlot{11, 1}));
    EXPECT_EQ(PreviousMonthSlot(5, 1), (MonthSlot{4, 1}));
    // 1-based month six months before: July for January, December for June, January for July.
    EXPECT_EQ(StatusExpiryMonth(0), 7);
    EXPECT_EQ(StatusExpiryMonth(5), 12);
    EXPECT_EQ(StatusExpiryMonth(6), 1);
    EXPECT_EQ(StatusExpiryMonth(11), 6);
    // December initialised in January or February belongs to the year before.
    EXPECT_EQ(InitialisedYearTag(11, 25, 1), 24);
    EXPECT_EQ(InitialisedYearTag(11, 25, 2), 24);
    EXPECT_EQ(InitialisedYearTag(11, 25, 3), 25);
    EXPECT_EQ(InitialisedYearTag(10, 25, 1), 25);
}

TEST(MonthDialogPresenter, FirstWeekContinuesThePreviousOpenMonth) {
    MonthDialogPresenter dialog(Input(3, S::NotInitialised, S::Open));
    ASSERT_TRUE(dialog.ShowsContinue());
    EXPECT_EQ(dialog.ContinueText(), "KONTYNUUJ wprowadzanie sprawozdań za styczeń");
    EXPECT_EQ(dialog.StartText(), "INICJUJ RAPORTOWANIE za luty");
    const MonthChoice choice = dialog.Continue();
    EXPECT_EQ(choice.month, 0);
    EXPECT_EQ(choice.yearIndex, 24);
    EXPECT_EQ(choice.monthCount, ToMonthCount(2024, 0));
    EXPECT_FALSE(choice.initialise);
    EXPECT_EQ(choice.states[0], S::Open);
    EXPECT_EQ(choice.states[1], S::NotInitialised);
}

TEST(MonthDialogPresenter, ContinueAcrossTheYearBoundaryGoesBackToDecember) {
    MonthDialogPresenter dialog(Input(7, S::NotInitialised, S::Open, ToMonthCount(2024, 0)));
    ASSERT_TRUE(dialog.ContinuesPrevious());
    const MonthChoice choice = dialog.Continue();
    EXPECT_EQ(choice.month, 11);
    EXPECT_EQ(choice.yearIndex, 23);
    EXPECT_EQ(choice.monthCount, ToMonthCount(2023, 11));
}

TEST(MonthDialogPresenter, EighthDayOffersOnlyTheStartOfTheWorkingMonth) {
    MonthDialogPresenter dialog(Input(8, S::NotInitialised, S::Open));
    EXPECT_FALSE(dialog.ShowsContinue());
    EXPECT_EQ(dialog.StartText(), "INICJUJ RAPORTOWANIE za luty");
    ScriptedPrompter prompter;
    const auto choice = dialog.Start(prompter);
    ASSERT_TRUE(choice);
    EXPECT_EQ(prompter.Questions(), 0) << "a month without data is started without a question";
    EXPECT_EQ(choice->month, 1);
    EXPECT_TRUE(choice->initialise);
    EXPECT_EQ(choice->states[1], S::Open);
    EXPECT_EQ(choice->states[0], S::Open) << "only the dialog's month and the one after it are reset";
    EXPECT_FALSE(choice->earlyStart);
}

TEST(MonthDialogPresenter, ClosedMonthIsReopenedWithItsFigures) {
    MonthDialogPresenter dialog(Input(12, S::Closed));
    ASSERT_TRUE(dialog.ShowsContinue());
    EXPECT_EQ(dialog.ContinueText(), "KONTYNUUJ wprowadzanie sprawozdań za luty");
    EXPECT_EQ(dialog.StartText(), "INICJUJ i ponownie wprowadź sprawozdania za luty");
    const MonthChoice choice = dialog.Continue();
    EXPECT_EQ(choice.month, 1);
    EXPECT_FALSE(choice.initialise);
    EXPECT_EQ(choice.states[1], S::Open);
}

TEST(MonthDialogPresenter, ReinitialisingFromTheSixthDayAsksAndCancelKeepsTheDialog) {
    MonthDialogPresenter dialog(Input(6, S::Closed));
    ScriptedPrompter prompter({Answer::Cancel, Answer::Ok});
    EXPECT_FALSE(dialog.Start(prompter));
    ASSERT_EQ(prompter.Shown().size(), 1u);
    EXPECT_EQ(prompter.Shown()[0], "Czy na pewno chcesz skasować luty?\n\nKliknij OK, aby skasować luty.");
    const auto choice = dialog.Start(prompter);
    ASSERT_TRUE(choice);
    EXPECT_TRUE(choice->initialise);
    EXPECT_EQ(choice->states[1], S::Open);
    EXPECT_EQ(choice->states[2], S::NotInitialised);
}

TEST(MonthDialogPresenter, ReinitialisingInTheFirstFiveDaysDoesNotAsk) {
    for (int day = 1; day <= 5; ++day) {
        MonthDialogPresenter dialog(Input(day, S::Closed));
        ScriptedPrompter prompter;
        EXPECT_TRUE(dialog.Start(prompter)) << day;
        EXPECT_EQ(prompter.Questions(), 0) << day;
    }
}

TEST(MonthDialogPresenter, ButtonsFollowTheDay) {
    struct Case {
        int day;
        bool warning;
        bool early;
    };
    for (const Case c : {Case{20, false, false}, Case{21, true, false}, Case{24, true, false}, Case{25, true, true}}) {
        MonthDialogPresenter dialog(Input(c.day, S::Closed));
        EXPECT_EQ(dialog.ShowsWarning(), c.warning) << c.day;
        EXPECT_EQ(dialog.ShowsEarlyStart(), c.early) << c.day;
    }
    MonthDialogInput inForce = Input(27, S::Closed);
    inForce.earlyStartInForce = true;
    EXPECT_FALSE(MonthDialogPresenter(inForce).ShowsEarlyStart());
    EXPECT_NE(MonthDialogPresenter::WarningText().find("20 dnia"), std::string::npos);
}

TEST(MonthDialogPresenter, EarlyStartInitialisesTheNextMonthAndKeepsTheOverride) {
    // 26 March 2024: working month February, closed.
    MonthDialogPresenter dialog(Input(26, S::Closed));
    EXPECT_EQ(dialog.EarlyStartText(), "INICJUJ RAPORTOWANIE za marzec");
    ScriptedPrompter prompter({Answer::Ok});
    const auto choice = dialog.StartEarly(prompter);
    ASSERT_TRUE(choice);
    EXPECT_EQ(prompter.Shown().at(0), "Czy na pewno chcesz skasować marzec?\n\nKliknij OK, aby skasować marzec.");
    EXPECT_EQ(choice->month, 2);
    EXPECT_EQ(choice->yearIndex, 24);
    EXPECT_EQ(choice->monthCount, ToMonthCount(2024, 2));
    EXPECT_TRUE(choice->initialise);
    ASSERT_TRUE(choice->earlyStart);
    EXPECT_EQ(*choice->earlyStart, (std::pair{24, 4}));
    EXPECT_EQ(choice->states[2], S::Open);
    EXPECT_EQ(choice->states[3], S::NotInitialised);
    EXPECT_EQ(choice->states[1], S::Closed) << "the initialisation itself resets the other months";
}

TEST(MonthDialogPresenter, EarlyStartInDecemberRunsIntoTheNextYear) {
    // 27 December 2023: working month November; the early start makes December the working month.
    MonthDialogPresenter dialog(Input(27, S::Closed, S::NotInitialised, ToMonthCount(2023, 10)));
    ScriptedPrompter prompter({Answer::Ok});
    const auto choice = dialog.StartEarly(prompter);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->month, 11);
    EXPECT_EQ(choice->yearIndex, 23);
    EXPECT_EQ(*choice->earlyStart, (std::pair{24, 1}));
}

TEST(MonthDialogPresenter, CancelledEarlyStartLeavesTheWorkingMonth) {
    MonthDialogPresenter dialog(Input(26, S::Closed));
    ScriptedPrompter prompter({Answer::Cancel});
    EXPECT_FALSE(dialog.StartEarly(prompter));
    const MonthChoice choice = dialog.Continue();
    EXPECT_EQ(choice.month, 1);
    EXPECT_FALSE(choice.initialise);
    EXPECT_FALSE(choice.earlyStart);
}

TEST(MonthDialogPresenter, FrenchQuestionElidesBeforeAVowel) {
    MonthDialogInput input = Input(10, S::Closed);
    input.languageTag = "french";
    MonthDialogPresenter dialog(input);
    ScriptedPrompter prompter;
    EXPECT_FALSE(dialog.Start(prompter));
    EXPECT_TRUE(prompter.AnyShownContains("skasować de luty?"));
}

} // namespace
} // namespace vardo
