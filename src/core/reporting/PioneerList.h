#pragma once

// The pioneer list (dialog 111): for a month of the stored two years, the active publishers who hold a
// pioneer code and those who hold none, and moving persons between the two.

#include <string>
#include <vector>

#include "core/reporting/ReportingContext.h"

namespace vardo {

class PioneerList {
public:
    struct Item {
        RecordNumber record;
        std::string name;
    };
    /// Which list a selection is in: the code holders (left) or the persons without a code (right).
    enum class Side { None, Holders, Others };

    /// `mode` is the code the list sets: Auxiliary, Regular or Special (None is taken as Auxiliary). The
    /// working year and the working month are chosen.
    PioneerList(const ReportingContext& context, PioneerCode mode);

    PioneerCode Mode() const { return m_mode; }
    /// "Pionierzy specjalni" (regular mode only): switches between Regular and Special.
    bool SpecialBoxVisible() const { return m_mode != PioneerCode::Auxiliary; }
    void SetSpecial(bool on);

    /// "%s - %s %d ( %d )": the mode's title, the month name, the two-digit year, the holders' count.
    std::string Title() const;
    /// The two-digit years of the three year choices (working year − 2, − 1, 0).
    std::vector<std::string> YearItems() const;
    int YearChoice() const { return m_year; }
    /// Changing the year offers its months and selects the first.
    void SetYearChoice(int choice);
    /// The month indexes the chosen year offers: the working year January up to the working month, the year
    /// before all twelve, two years back the months after the working month.
    std::vector<MonthIndex> MonthItems() const;
    MonthIndex MonthChoice() const { return m_monthIndex; }
    /// Chooses a month among MonthItems(); another month is ignored.
    void SetMonthChoice(MonthIndex month);
    /// Chooses the year and month of a MonthCount; false when it is not one of the 24 stored months.
    bool ChooseMonthCount(MonthCount count);
    MonthCount ChosenCount() const;
    YearSlot ChosenSlot() const;

    const std::vector<Item>& Holders() const { return m_holders; }
    const std::vector<Item>& Others() const { return m_others; }
    void SelectHolder(int row);
    void SelectOther(int row);
    Side Selected() const { return m_side; }
    int SelectedRow() const { return m_row; }
    /// "<<<    &Dodaj    <<<" after a selection on the right, ">>>  &Usuń  >>>" after one on the left.
    std::string ButtonText() const;
    /// The selected person's name, first name first.
    std::string SelectedName() const;

    /// The move button: adds the selected person of the right list (the code becomes the mode) or removes
    /// the selected code holder (code 0; for auxiliary and special pioneers in the working month the
    /// continuous-auxiliary flag goes too). Data marked modified. False when nothing is selected.
    bool Move();
    /// Adds or removes one person directly (command line); false when the person is not an active
    /// publisher or already is where asked.
    bool Add(RecordNumber record);
    bool Remove(RecordNumber record);

private:
    void Refill();

    const ReportingContext& m_context;
    PioneerCode m_mode;
    int m_year = 2;
    MonthIndex m_monthIndex = 0;
    std::vector<Item> m_holders;
    std::vector<Item> m_others;
    Side m_side = Side::None;
    int m_row = -1;
};

} // namespace vardo
