#include "core/reports/ReportSettingsPresenter.h"

#include <gtest/gtest.h>

#include "core/platform/Prompter.h"
#include "core/reports/CardOptionsPresenter.h"

namespace vardo {
namespace {

TEST(ReportSettingsPresenter, StartsFromTheOptionsInForceWithMarginsInTheLists) {
    ReportOptions current;
    current.topMargin = 150; // the file may hold any byte
    current.labelLeftMargin = 7;
    current.dateStamp = true;
    const ReportSettingsPresenter presenter(current, false);
    EXPECT_EQ(presenter.Values().topMargin, 99);
    EXPECT_EQ(presenter.Values().labelLeftMargin, 7);
    EXPECT_TRUE(presenter.Values().dateStamp);
    EXPECT_TRUE(presenter.SurnameFirstVisible());
    EXPECT_FALSE(ReportSettingsPresenter(current, true).SurnameFirstVisible());
}

TEST(ReportSettingsPresenter, LabelBoxesAndMarginsFollowTheirRules) {
    ReportSettingsPresenter presenter(ReportOptions{}, false);
    presenter.SetBirthDateOnCards(false);
    presenter.SetOtherLabelLayout(true);
    EXPECT_TRUE(presenter.Values().birthDateOnCards);
    presenter.SetBirthDateOnCards(false);
    EXPECT_FALSE(presenter.Values().otherLabelLayout);

    presenter.SetTopMargin(120);
    EXPECT_EQ(presenter.Values().topMargin, 99);
    presenter.SetLabelLeftMargin(-1);
    EXPECT_EQ(presenter.Values().labelLeftMargin, 0);

    // Up and down in the margin lists wrap round.
    EXPECT_EQ(ReportSettingsPresenter::StepMargin(99, 1), 0);
    EXPECT_EQ(ReportSettingsPresenter::StepMargin(0, -1), 99);
    EXPECT_EQ(ReportSettingsPresenter::StepMargin(50, -1), 49);
}

TEST(ReportSettingsPresenter, StoreWritesEveryValueAndTellsWhetherAnythingChanged) {
    Settings settings;
    ReportOptions run;
    ReportSettingsPresenter unchanged(EffectiveReportOptions(settings, run), false);
    EXPECT_FALSE(unchanged.Store(run, settings));
    EXPECT_EQ(settings, Settings{});

    ReportSettingsPresenter presenter(EffectiveReportOptions(settings, run), false);
    presenter.SetCongregationName("   Kraków-Nowa Huta Wschód i okolice  ");
    presenter.SetTopMargin(25);
    presenter.SetLabelLeftMargin(5);
    presenter.SetGridLines(true);
    presenter.SetDateStamp(true);
    presenter.SetMissingReportFrames(true);
    presenter.SetEmergencyWitnessLine(false);
    presenter.SetOtherLabelLayout(true);
    presenter.SetSurnameFirst(true);
    presenter.SetDayFirstDates(true);
    EXPECT_TRUE(presenter.Store(run, settings));
    EXPECT_EQ(settings.congregationName, "Kraków-Nowa Huta Wschód i"); // 25 characters
    EXPECT_EQ(settings.topMargin, 25);
    EXPECT_EQ(settings.labelLeftMargin, 5);
    EXPECT_EQ(settings.gridLines, 1);
    EXPECT_EQ(settings.dateStamp, 1);
    EXPECT_EQ(settings.missingReportFrame, 1);
    EXPECT_EQ(settings.emergencyWitnessLine, 0);
    EXPECT_EQ(settings.labelOtherLayout, 1);
    EXPECT_EQ(settings.labelBirthDate, 1);
    // The run's own options are kept for the reports, not in the settings.
    EXPECT_TRUE(run.surnameFirst);
    EXPECT_TRUE(run.dayFirstDates);
    EXPECT_FALSE(run.datesInStatistics);
    const ReportOptions effective = EffectiveReportOptions(settings, run);
    EXPECT_TRUE(effective.surnameFirst);
    EXPECT_EQ(effective.congregationName, "Kraków-Nowa Huta Wschód i"); // 25 characters

    // The same values once more change nothing; a run option alone is a change.
    ReportSettingsPresenter again(effective, false);
    EXPECT_FALSE(again.Store(run, settings));
    again.SetDatesInStatistics(true);
    EXPECT_TRUE(again.Store(run, settings));
}

TEST(ReportSettingsPresenter, ANameTheSettingsFileCannotHoldIsRefusedWithAMessage) {
    ScriptedPrompter prompter;
    ReportSettingsPresenter presenter(ReportOptions{}, false);
    presenter.SetCongregationName("Zbór Łódź-Bałuty");
    EXPECT_TRUE(presenter.Validate(prompter));
    EXPECT_TRUE(prompter.Shown().empty());

    presenter.SetCongregationName("Збір Київ");
    EXPECT_FALSE(presenter.Validate(prompter));
    ASSERT_EQ(prompter.Shown().size(), 1u);
    EXPECT_TRUE(prompter.AnyShownContains("„Nazwa zboru”"));
    // What was typed stays for correcting.
    EXPECT_EQ(presenter.Values().congregationName, "Збір Київ");
}

TEST(CardOptionsPresenter, HiddenPartsAreTheFourBitsAndAChangeIsReported) {
    Settings settings;
    settings.cardHiddenTotals = 0x12; // a stray high bit from the file
    CardOptionsPresenter presenter(CardOptionsFromSettings(settings));
    EXPECT_TRUE(presenter.Hidden(CardHiddenPart::PreviousYearAverages));
    EXPECT_FALSE(presenter.Hidden(CardHiddenPart::CurrentYearAverages));
    presenter.SetHidden(CardHiddenPart::PreviousYearTotals, true);
    presenter.SetHidden(CardHiddenPart::PreviousYearAverages, false);
    EXPECT_EQ(presenter.Values().hiddenAverages, 0x08);
    presenter.SetShowGroups(true);
    presenter.SetOnePerPage(true);
    presenter.SetHideBirthDay(true);
    EXPECT_TRUE(presenter.Store(settings));
    EXPECT_EQ(settings.cardHiddenTotals, 0x08);
    EXPECT_EQ(settings.cardGroupNumbers, 1);
    EXPECT_EQ(settings.cardYearPerPage, 1);
    EXPECT_EQ(settings.cardHideBirthDay, 1);
    EXPECT_FALSE(CardOptionsPresenter(CardOptionsFromSettings(settings)).Store(settings));
}

} // namespace
} // namespace vardo
