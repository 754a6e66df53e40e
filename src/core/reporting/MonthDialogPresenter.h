#pragma once

// The month dialog ("Księgowanie czasu"): which month the secretary continues or initialises, the early
// start of the next month from the 25th and the continuation of the previous month in the first week.

#include <array>
#include <optional>
#include <string>

#include "core/platform/Prompter.h"
#include "core/store/PublisherRecord.h"

namespace vardo {

/// What the dialog is opened with.
struct MonthDialogInput {
    /// MonthCount of the working month.
    MonthCount monthCount = 0;
    std::array<MonthState, kMonthsPerYear> states{};
    /// Day of the month today (1..31).
    int day = 1;
    /// An early start of the next month is in force already.
    bool earlyStartInForce = false;
    std::string languageTag = "polish";
};

/// The dialog's result when it closes with OK.
struct MonthChoice {
    MonthIndex month = 0;
    int yearIndex = 0; ///< year − 2000
    MonthCount monthCount = 0;
    /// "Rozpocznij": initialise the month (after its snapshot).
    bool initialise = false;
    /// The month states after the dialog.
    std::array<MonthState, kMonthsPerYear> states{};
    /// The early start to keep in the settings (year − 2000, month 1..12) when the next month was started early.
    std::optional<std::pair<int, int>> earlyStart;
};

class MonthDialogPresenter {
public:
    explicit MonthDialogPresenter(const MonthDialogInput& input);

    /// "Uwaga !" (id 272) is shown from day 21 on; it shows WarningText().
    bool ShowsWarning() const { return m_input.day > 20; }
    static std::string WarningText();
    /// "Kontynuuj" (id 1) is shown for a Closed working month or when the previous month may be continued.
    bool ShowsContinue() const;
    std::string ContinueText() const;
    /// "Rozpocznij" (id 129) is always shown.
    std::string StartText() const;
    /// The early start (id 130): from day 25 on, while no early start is in force.
    bool ShowsEarlyStart() const { return m_input.day > 24 && !m_input.earlyStartInForce; }
    std::string EarlyStartText() const;
    /// The previous month may be continued (first week, working month not initialised, previous Open).
    bool ContinuesPrevious() const { return m_continuePrevious; }

    /// "Kontynuuj": the dialog closes with the month reopened.
    MonthChoice Continue();
    /// "Rozpocznij": from day 6 on, a month that holds data is initialised only after the confirmation
    /// (string 1296, OK/Cancel, Cancel the default); Cancel keeps the dialog open (nullopt).
    std::optional<MonthChoice> Start(Prompter& prompter);
    /// The early start: initialises the month after the working month and keeps it as the early start.
    std::optional<MonthChoice> StartEarly(Prompter& prompter);

private:
    void SetMonthOf(MonthCount count);
    void Advance();
    std::string MonthNameForQuestion(MonthIndex month) const;

    MonthDialogInput m_input;
    MonthCount m_count = 0;
    MonthIndex m_month = 0;
    int m_yearIndex = 0;
    std::array<MonthState, kMonthsPerYear> m_states{};
    std::optional<std::pair<int, int>> m_earlyStart;
    bool m_continuePrevious = false;
    bool m_earlyNext = false;
    bool m_initialise = false;
};

} // namespace vardo
