#pragma once

// The history editor (dialog 152): any of the 24 stored months of an active publisher (or of one inactive
// person) in the report format of that month, and the stored monthly totals of the congregation.

#include <string>
#include <vector>

#include "core/reporting/Plausibility.h"
#include "core/reporting/ReportingContext.h"

namespace vardo {

class HistoryEditor {
public:
    enum class Mode { Publisher, Totals, Inactive };
    struct Item {
        RecordNumber record;
        std::string name;
    };
    /// The fields of the window as text, and its checkboxes.
    struct Fields {
        std::string placements = "0";
        std::string videos = "0";
        std::string hours = "0"; ///< whole hours, optionally ".25", ".5" or ".75"
        std::string returnVisits = "0";
        std::string studies = "0";
        std::string credit = "0"; ///< pioneer credit; number of reports (or active publishers) in totals mode
        std::string remark;
        bool flag = false; ///< "Uczestniczył(a) w służbie" (newer format) or "<1 g." (older format)
        bool auxiliary = false;
        bool regular = false;
        bool special = false;
        bool late = false; ///< "Spóźnione sprawozdania"
    };

    /// Publisher mode over the active publishers (the first selected), or inactive-person mode for one
    /// inactive person (`record`), whose years are counted from the year of becoming inactive.
    explicit HistoryEditor(const ReportingContext& context, Mode mode = Mode::Publisher, RecordNumber record = 0);

    Mode GetMode() const { return m_mode; }
    /// "Sumy": enters or leaves totals mode (the shown month is stored first; leaving commits the totals).
    bool SetTotalsMode(bool on);

    // --- Persons (publisher mode) -----------------------------------------------------------------------
    const std::vector<Item>& Persons() const { return m_persons; }
    int PersonChoice() const { return m_person; }
    /// Stores the shown month, then shows another person; false when the store was refused.
    bool SetPersonChoice(int row);
    RecordNumber Record() const;

    // --- Years and months -------------------------------------------------------------------------------
    /// Two years back, the year before and the working year ("%d", four digits).
    std::vector<std::string> YearItems() const;
    int YearChoice() const { return m_year; }
    /// Stores, then chooses a year (December: two years back gives the year before; January: the working
    /// year gives the year before). The month stays when the year offers it, else its first month.
    bool SetYearChoice(int choice);
    /// Months of the chosen year: the working year those before the working month, the year before all,
    /// two years back those after the working month (plus the working month while it is NotInitialised, in
    /// publisher mode).
    std::vector<MonthIndex> MonthItems() const { return MonthsOfYear(m_year); }
    MonthIndex MonthChoice() const { return m_month; }
    bool SetMonthChoice(MonthIndex month);
    /// Chooses a stored month by its MonthCount (no store); false when it is not one of the 24.
    bool ChooseMonthCount(MonthCount count);
    MonthCount ChosenCount() const;
    YearSlot ChosenSlot() const;
    /// The month uses the newer report format.
    bool NewFormat() const;

    // --- Fields -----------------------------------------------------------------------------------------
    Fields& Edit() { return m_fields; }
    const Fields& View() const { return m_fields; }
    /// Older format: the five counts and "<1 g."; newer: participation, studies and hours.
    bool CountsVisible() const { return m_mode == Mode::Totals || !NewFormat(); }
    bool HoursVisible() const;
    /// Remark, the pioneer checkboxes and the late box belong to the persons' modes.
    bool PersonFieldsVisible() const { return m_mode != Mode::Totals; }
    /// The late box shows when the month's marker names the working month.
    bool LateVisible() const { return m_lateShown; }
    /// Warnings about unlikely values as they stand in the fields (persons' modes).
    std::vector<Warning> Warnings() const;

    // --- Totals mode ------------------------------------------------------------------------------------
    /// "Głosiciele", "Pionierzy Pomocniczy", "Pionierzy (Peł i Spe)", "Głosiciele czynni".
    static std::vector<std::string> TotalsRows();
    int TotalsRow() const { return m_totalsRow; }
    bool SetTotalsRow(int row);
    /// "Pionierzy stali" / "Pionierzy specjalni" choose the category of row 2.
    bool SetTotalsPioneerKind(PioneerCode code);
    /// The fields stay disabled on row 2 until a kind is chosen; row 3 uses only the credit field.
    bool TotalsFieldsEnabled() const;
    /// The hint shown in totals mode.
    static std::string TotalsHint();

    // --- Storing ----------------------------------------------------------------------------------------
    /// Stores the shown month (or totals row) by the storing rules; a bad field is refused with a message
    /// and nothing changes. True when stored.
    bool Store();
    /// "-> +" under the person list / under the month list (mutually exclusive).
    void SetWalkPersons(bool on);
    void SetWalkMonths(bool on);
    bool WalkPersons() const { return m_walkPersons; }
    bool WalkMonths() const { return m_walkMonths; }
    /// Enter: stores, then moves to the next person or month when a walk is on.
    bool Enter();
    /// Closing the window: stores and commits the totals copy.
    bool Close();

private:
    std::vector<MonthIndex> MonthsOfYear(int k) const;
    int YearIndexOfChoice(int k) const;
    void Load();
    bool StorePerson();
    bool StoreTotals();
    void CommitTotals();
    int TotalsCategory() const;

    const ReportingContext& m_context;
    Mode m_mode;
    Mode m_personMode;
    std::vector<Item> m_persons;
    int m_person = -1;
    int m_anchorYear; // year − 2000 of the year choice 2
    int m_year = 2;
    MonthIndex m_month = 0;
    Fields m_fields;
    Fields m_loaded;
    bool m_lateShown = false;
    CardTotals m_totals;
    int m_totalsRow = 0;
    PioneerCode m_totalsKind = PioneerCode::None;
    bool m_walkPersons = false;
    bool m_walkMonths = false;
};

} // namespace vardo
