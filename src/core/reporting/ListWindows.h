#pragma once

// The list windows over the moves between the active list and the inactive, deleted and moved lists: the
// month dialog that dates a move, the inactive window (also in its deleted mode) and the moved window.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Result.h"
#include "core/registry/PersonRemoval.h"
#include "core/registry/RegistryContext.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reporting/ReportingContext.h"

namespace vardo {

/// Dialog "Wybierz miesiąc": the month of a move (default the working month) and, where the move keeps a
/// year, the year (1950 .. the working year, default the working year). The undo of a move of an active
/// publisher also offers "Regularny Głosiciel".
class MoveMonthChoice {
public:
    MoveMonthChoice(const WorkingMonth& working, std::string caption, bool withYear, bool withRegular = false);

    const std::string& Caption() const { return m_caption; }
    /// "styczeń" .. "grudzień".
    std::vector<std::string> MonthTexts() const;
    /// Entry 0..11 of the month combo.
    int MonthEntry() const { return m_month - 1; }
    void SetMonthEntry(int entry);
    bool YearVisible() const { return m_withYear; }
    /// "1950" .. the working year.
    std::vector<std::string> YearTexts() const;
    int YearEntry() const { return m_year - kFirstRemovalYear; }
    void SetYearEntry(int entry);
    bool RegularVisible() const { return m_withRegular; }
    bool Regular() const { return m_regular; }
    void SetRegular(bool regular) { m_regular = regular; }

    /// The month chosen, 1..12.
    int Month() const { return m_month; }
    /// The year chosen (the working year when the dialog has no year list).
    int Year() const { return m_year; }

private:
    std::string m_caption;
    bool m_withYear;
    bool m_withRegular;
    int m_month;
    int m_year;
    int m_lastYear;
    bool m_regular = false;
};

/// Runs the month dialog over a prepared choice: the choice made, or nullopt when cancelled.
using MonthAsker = std::function<std::optional<MoveMonthChoice>(const MoveMonthChoice&)>;

/// One line of a list window: the person and the text shown ("name\tdate" or "name\treason").
struct ListWindowLine {
    RecordNumber record = 0;
    PublisherId id = 0;
    std::string text;
};

enum class ListSide { Left, Right };

/// The window's two lists with their selection and which of them is active (the OK button's meaning
/// follows it). The lines are rebuilt after every move; the selection stays on the same row when it can.
class TwoListWindow {
public:
    const std::vector<ListWindowLine>& Lines(ListSide side) const;
    ListSide Active() const { return m_active; }
    void Activate(ListSide side) { m_active = side; }
    /// Selected row of a list, -1 when the list is empty.
    int Selected(ListSide side) const;
    void Select(ListSide side, int row);
    /// The person selected on the active list; 0 when none.
    RecordNumber SelectedRecord() const;
    std::string SelectedName() const;

    /// The period button's text and the next period on a press.
    StatusPeriod Period() const { return m_period; }
    std::string PeriodText() const;
    void NextPeriod();

    /// The register's data changed (a move here or elsewhere): the lists are rebuilt.
    void Refill();

protected:
    TwoListWindow(ReportingContext& reporting, RegistryContext& registry, std::vector<StatusPeriod> periods,
                  StatusPeriod period);
    virtual ~TwoListWindow() = default;
    TwoListWindow(const TwoListWindow&) = delete;
    TwoListWindow& operator=(const TwoListWindow&) = delete;

    virtual std::vector<ListWindowLine> BuildLeft() const = 0;
    virtual std::vector<ListWindowLine> BuildRight() const = 0;
    /// The side active when the window opens: the right list with its first entry when it has persons.
    void ActivateInitialSide();
    StatusBasis Basis() const;
    std::string NameOf(RecordNumber record) const;
    /// Asks string 1008 (OK/Cancel) for the selected person and removes the person for good.
    Status DeleteSelectedPermanently();

    ReportingContext& m_reporting;
    RegistryContext& m_registry;

private:
    std::vector<StatusPeriod> m_periods;
    StatusPeriod m_period;
    ListSide m_active = ListSide::Left;
    std::vector<ListWindowLine> m_left;
    std::vector<ListWindowLine> m_right;
    int m_leftRow = -1;
    int m_rightRow = -1;
};

/// Dialog 114: the inactive list with the candidates for it, or (deleted mode) the temporarily removed persons.
class InactiveListWindow : public TwoListWindow {
public:
    enum class Mode { Inactive, Deleted };

    InactiveListWindow(ReportingContext& reporting, RegistryContext& registry, Mode mode);

    Mode GetMode() const { return m_mode; }
    std::string Title() const;
    /// " Nieczynni głosiciele " / " Usuniętych ".
    std::string LeftTitle() const;
    /// " Brak spraw. przez 6 mies. "; the deleted mode has no right list.
    std::string RightTitle() const;
    bool RightVisible() const { return m_mode == Mode::Inactive; }
    bool PeriodVisible() const { return m_mode == Mode::Inactive; }
    /// "Przenieś do nieczynnych" (right list), "Uaktywnieni" (left list), "Przywracanie" (deleted mode).
    std::string OkText() const;
    /// "&Usuń" and "&Edytuj" are for the left list.
    bool LeftButtonsVisible() const { return Active() == ListSide::Left; }

    /// OK: the month dialog for the selected person, then MakeInactive (with the year), Reactivate or
    /// Restore. Full when the list has no room (the dialog does not open), Cancelled when the dialog was
    /// cancelled; nothing changes then.
    Status Ok(const MonthAsker& askMonth);
    /// "&Usuń" in the inactive mode: the delete dialog's choice for the selected inactive person (a
    /// permanent removal asks string 1008 once more).
    Status Remove(const RemovalChoice& choice);
    /// "&Usuń" in the deleted mode: string 1008, then the person is removed from the register.
    Status RemovePermanently() { return DeleteSelectedPermanently(); }

private:
    std::vector<ListWindowLine> BuildLeft() const override;
    std::vector<ListWindowLine> BuildRight() const override;

    Mode m_mode;
};

/// Dialog 112 "Przeprowadzeni": the moved persons, and the persons who may move away.
class MovedListWindow : public TwoListWindow {
public:
    MovedListWindow(ReportingContext& reporting, RegistryContext& registry);

    /// " Głosiciele, którzy się przeprowadzili ".
    std::string LeftTitle() const;
    /// "Brak raportu dla <working month> ".
    std::string RightTitle() const;
    /// The right list shows the inactive persons instead of the active ones without a report.
    bool FromInactive() const { return m_fromInactive; }
    void SetFromInactive(bool on);
    /// "< < &Przenieś < <" (right list) or "Skasuj" (left list).
    std::string OkText() const;
    /// "Wycofaj" is for the left list.
    bool UndoVisible() const { return Active() == ListSide::Left; }

    /// OK on the right list: the month dialog, then MoveAway. On the left list: string 1008, then the moved
    /// person is removed from the register. Full, Cancelled: nothing changes.
    Status Ok(const MonthAsker& askMonth);
    /// "Wycofaj": string 1293 (OK/Cancel); a person who was inactive goes back there with the kept month,
    /// anyone else is asked the month of return with "Regularny Głosiciel".
    Status Undo(const MonthAsker& askMonth);

private:
    std::vector<ListWindowLine> BuildLeft() const override;
    std::vector<ListWindowLine> BuildRight() const override;

    bool m_fromInactive = false;
};

} // namespace vardo
