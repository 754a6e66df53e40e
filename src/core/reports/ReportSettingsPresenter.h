#pragma once

// The rules of the print-settings dialog (123): what each control shows and changes, and what OK stores.

#include <string>
#include <string_view>

#include "core/reports/ReportOptions.h"
#include "core/store/Settings.h"

namespace vardo {

class Prompter;

/// String-table id of the congregation-name field's label in messages ("Nazwa zboru").

/// The dialog's values while it is open, with the rules that tie its controls together.
class ReportSettingsPresenter {
public:
    /// Longest congregation name the edit accepts, in characters.
    static constexpr int kMaxCongregationName = 25;
    /// Highest entry of the two margin lists.
    static constexpr int kMaxMargin = 99;

    /// `current`: the options in force; `firstNameFirstOrder`: the name-order switch, which hides the
    /// surname-first box.
    ReportSettingsPresenter(const ReportOptions& current, bool firstNameFirstOrder);

    const ReportOptions& Values() const { return m_values; }
    bool SurnameFirstVisible() const { return !m_firstNameFirstOrder; }

    void SetSurnameFirst(bool on) { m_values.surnameFirst = on; }
    void SetDatesInStatistics(bool on) { m_values.datesInStatistics = on; }
    void SetDayFirstDates(bool on) { m_values.dayFirstDates = on; }
    /// Clearing the birth date clears the second label layout.
    void SetBirthDateOnCards(bool on) { vardo::SetBirthDateOnCards(m_values, on); }
    /// Ticking the second label layout ticks the birth date.
    void SetOtherLabelLayout(bool on) { vardo::SetOtherLabelLayout(m_values, on); }
    void SetGridLines(bool on) { m_values.gridLines = on; }
    void SetMissingReportFrames(bool on) { m_values.missingReportFrames = on; }
    void SetDateStamp(bool on) { m_values.dateStamp = on; }
    void SetEmergencyWitnessLine(bool on) { m_values.emergencyWitnessLine = on; }
    /// Margins in hundredths of an inch, kept in 0..99.
    void SetTopMargin(int value);
    void SetLabelLeftMargin(int value);
    /// The text of the name edit as typed (trimmed and cut on OK).
    void SetCongregationName(std::string_view name) { m_values.congregationName = std::string(name); }

    /// The margin list entry `delta` steps from `value`, wrapping round from 99 to 0 and back.
    static int StepMargin(int value, int delta);

    /// OK's check: a congregation name with a character the settings file cannot hold (outside
    /// Windows-1250) is refused with a message naming the field; the dialog then stays open with what was
    /// typed. True when the values may be stored.
    bool Validate(Prompter& prompter) const;

    /// OK's store: the stored options into `settings`, the options of the run (surname first, dates in the
    /// statistics, day-first dates) into `runOptions`, names trimmed and cut, margins kept in 0..99. True
    /// when any value differs from before: the document is then marked modified and the reports redrawn.
    bool Store(ReportOptions& runOptions, Settings& settings) const;

private:
    ReportOptions m_values;
    bool m_firstNameFirstOrder = false;
};

/// The options the reports draw with: the stored ones from the settings, the run's own from `runOptions`.
ReportOptions EffectiveReportOptions(const Settings& settings, const ReportOptions& runOptions);

} // namespace vardo
