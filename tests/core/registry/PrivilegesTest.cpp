#include "core/registry/Privileges.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

constexpr auto kServant = PrivilegeRow::MinisterialServant;
constexpr auto kElder = PrivilegeRow::Elder;
constexpr auto kRegular = PrivilegeRow::RegularPioneer;
constexpr auto kContinuous = PrivilegeRow::ContinuousAuxiliary;
constexpr auto kSpecial = PrivilegeRow::SpecialPioneer;

PrivilegesInput Brother() {
    PrivilegesInput input;
    input.displayName = "Jan Nowak";
    input.existingPerson = true;
    input.male = true;
    input.workingYear = 2024;
    return input;
}

TEST(Privileges, CaptionNamesThePerson) {
    EXPECT_EQ(PrivilegesPresenter(Brother()).Caption("Przywileje służby"), "Przywileje służby - Jan Nowak");
}

TEST(Privileges, ForASisterInTheDatabaseOnlyPioneerRowsCanBeUsed) {
    PrivilegesInput input = Brother();
    input.male = false;
    input.start[0] = "05012010";
    PrivilegesPresenter sister(input);
    EXPECT_FALSE(sister.RowEnabled(kServant));
    EXPECT_FALSE(sister.RowEnabled(kElder));
    EXPECT_TRUE(sister.RowEnabled(kRegular));
    EXPECT_TRUE(sister.Start(kServant).IsBlank()); // male rows are not read back for her
    sister.SetBox(kElder, true);
    EXPECT_FALSE(sister.Box(kElder));

    input.existingPerson = false; // a new person: every row is open
    EXPECT_TRUE(PrivilegesPresenter(input).RowEnabled(kElder));
}

TEST(Privileges, StoredDatesAreReadBackAndOldYearsShowBlank) {
    PrivilegesInput input = Brother();
    input.start[static_cast<int>(kElder)] = "09012015";
    input.start[static_cast<int>(kRegular)] = "03151920";
    input.end[static_cast<int>(kRegular)] = "03152000";
    PrivilegesPresenter p(input);
    EXPECT_EQ(p.Start(kElder), (PickerDate{9, 1, 2015}));
    EXPECT_EQ(p.Start(kRegular), (PickerDate{3, 15, 0}));
    EXPECT_FALSE(p.EndVisible(kRegular)); // start lacks its year
    EXPECT_TRUE(p.End(kRegular).IsBlank());
}

TEST(Privileges, EndPickersShowForACompleteStartWithTheBoxClear) {
    PrivilegesInput input = Brother();
    input.start[static_cast<int>(kServant)] = "05012010";
    input.end[static_cast<int>(kServant)] = "06012012";
    input.start[static_cast<int>(kElder)] = "06022012";
    input.boxes.rows[static_cast<int>(kElder)] = true;
    PrivilegesPresenter p(input);
    EXPECT_TRUE(p.EndVisible(kServant));
    EXPECT_EQ(p.EndText(kServant), "06012012");
    EXPECT_FALSE(p.EndVisible(kElder));

    p.SetStart(kServant, {5, 0, 2010}); // a start without its day hides the end and blanks it
    EXPECT_FALSE(p.EndVisible(kServant));
    EXPECT_EQ(p.EndText(kServant), "        ");
    EXPECT_EQ(p.StartText(kServant), "05  2010");
}

TEST(Privileges, TickingElderClearsServantAndEmptiesTheElderStart) {
    PrivilegesInput input = Brother();
    input.boxes.rows[static_cast<int>(kServant)] = true;
    input.start[static_cast<int>(kServant)] = "05012010";
    input.start[static_cast<int>(kElder)] = "01012001";
    PrivilegesPresenter p(input);
    p.SetBox(kElder, true);
    EXPECT_TRUE(p.Box(kElder));
    EXPECT_FALSE(p.Box(kServant));
    EXPECT_TRUE(p.Start(kElder).IsBlank());
    EXPECT_EQ(p.Start(kServant), (PickerDate{5, 1, 2010}));
    EXPECT_TRUE(p.EndVisible(kServant)); // the servant row now ended
}

TEST(Privileges, PioneerRowsExcludeEachOther) {
    PrivilegesPresenter p(Brother());
    p.SetSpecialFullTime(true);
    p.SetBox(kContinuous, true);
    p.SetBox(kRegular, true);
    EXPECT_TRUE(p.Box(kRegular));
    EXPECT_FALSE(p.Box(kContinuous));
    EXPECT_FALSE(p.SpecialFullTime());
    p.SetBox(kContinuous, true);
    EXPECT_FALSE(p.Box(kRegular));
    p.SetBox(kSpecial, true);
    EXPECT_FALSE(p.Box(kContinuous));
    p.SetSpecialFullTime(true);
    EXPECT_FALSE(p.Box(kSpecial));
    EXPECT_TRUE(p.SpecialFullTime());
    p.SetBox(kContinuous, true); // continuous auxiliary leaves special full-time service alone
    EXPECT_TRUE(p.SpecialFullTime());
}

TEST(Privileges, PrivilegesTickedInTheEditorOpenWithABlankStart) {
    PrivilegesInput input = Brother();
    input.start[static_cast<int>(kRegular)] = "09012019";
    input.boxes.rows[static_cast<int>(kRegular)] = true;
    input.tickedThisEdit[static_cast<int>(kRegular)] = true;
    PrivilegesPresenter p(input);
    EXPECT_TRUE(p.Start(kRegular).IsBlank());
    EXPECT_EQ(p.StartText(kRegular), "        ");
}

} // namespace
} // namespace vardo
