#pragma once

// The rules of the status-view window (one window for every kind of status list) and of the quick results:
// which choice lists a kind shows, the lines with their reasons, the text copied to the clipboard and the
// contact shown for the selected person.

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/reporting/StatusViews.h"

namespace vardo {

class StatusViewPresenter {
public:
    struct KindEntry {
        StatusViewKind kind;
        std::string text;
    };
    /// What the window shows of the selected person of the missing-reports list.
    struct Contact {
        std::string phones;
        std::string email;
        /// The number a call goes to (the first telephone recorded); empty: nothing to dial.
        std::string dialNumber;
        /// "Dzwoń <number>".
        std::string dialText;
    };

    /// `groupNames` are the names of the field service groups 1..N; `emails` the persons' e-mail addresses.
    StatusViewPresenter(StatusData data, std::vector<std::string> groupNames,
                        std::unordered_map<PublisherId, std::string> emails = {});

    /// The kinds of the kind list: the fifteen fixed ones, then the special-needs list when somebody has a
    /// special need and the user category when it is enabled. The missing-reports list is named after its month.
    const std::vector<KindEntry>& Kinds() const { return m_kinds; }
    int KindIndex() const;
    StatusViewKind Kind() const { return m_query.kind; }
    /// Selects a kind (a kind the list does not offer selects the first); the choices go back to their
    /// defaults: the first period ("Wszyscy" for the inactive), the working month, the whole congregation.
    void SetKind(StatusViewKind kind);
    void SetKindIndex(int index);

    /// The choice lists the kind shows (empty when it shows none) and the index chosen in each.
    std::vector<std::string> PeriodTexts() const;
    std::vector<std::string> GroupTexts() const;
    /// The twelve months up to the working month, the working month first.
    std::vector<std::string> MonthTexts() const;
    std::vector<std::string> ClassTexts() const;
    std::vector<std::string> PrivilegeTexts() const;
    int PeriodIndex() const { return m_periodIndex; }
    int GroupIndex() const { return m_query.group; }
    int MonthIndexChosen() const { return m_monthIndex; }
    int ClassIndex() const { return m_query.baptismClass; }
    int PrivilegeIndex() const { return m_privilegeIndex; }
    void SetPeriodIndex(int index);
    void SetGroupIndex(int index);
    void SetMonthIndex(int index);
    void SetClassIndex(int index);
    void SetPrivilegeIndex(int index);

    /// The query the choices make.
    const StatusQuery& Query() const { return m_query; }
    const std::vector<StatusLine>& Lines() const { return m_lines; }
    /// The window's title: the kind's text, with " ( n )" whenever a choice list is shown.
    std::string Caption() const;

    /// The lines as text, each ending in CR LF: in the missing-reports list "name  (group)\ttelephones" (or
    /// "name\ttelephones" when a group is chosen), elsewhere "name\tdetail\treason".
    std::string ClipboardText() const;
    bool CanCopy() const { return !m_lines.empty(); }
    /// The contact of line `row` in the missing-reports list; nullopt in other kinds or for a bad row.
    std::optional<Contact> ContactOf(int row) const;

    /// Recomputes the lines after the data changed (kinds and choices kept where they still exist).
    void Refresh();

private:
    void Rebuild();
    void NameMonthKind();
    std::vector<StatusPeriod> Periods() const { return PeriodsOf(m_query.kind); }
    std::vector<PrivilegeChoice> OfferedPrivileges() const;
    void BuildKinds();

    StatusData m_data;
    std::vector<std::string> m_groupNames;
    std::unordered_map<PublisherId, std::string> m_emails;
    std::vector<KindEntry> m_kinds;
    StatusQuery m_query;
    int m_periodIndex = 0;
    int m_monthIndex = 0;
    int m_privilegeIndex = 0;
    std::vector<StatusLine> m_lines;
};

/// The quick results: the figures in their boxes, and the persons behind the figure clicked.
class QuickResultsPresenter {
public:
    explicit QuickResultsPresenter(const StatusData& data);

    const std::vector<QuickFigure>& Figures() const { return m_figures; }
    /// The boxes in order of appearance, and the figures (indices) of each.
    std::vector<std::string> Boxes() const;
    std::vector<int> FiguresOf(const std::string& box) const;

    /// A figure with persons behind it can be opened (an empty average cannot).
    bool CanOpen(int figure) const;
    /// Opens a figure: its persons become the list; false (nothing changes) for a figure that cannot open.
    bool Open(int figure);
    int Opened() const { return m_opened; }
    /// "<box> <label> (<value>)" of the opened figure; empty when none is open.
    std::string OpenedTitle() const;
    /// The persons of the opened figure with their reasons.
    const std::vector<StatusLine>& Persons() const;

private:
    std::vector<QuickFigure> m_figures;
    int m_opened = -1;
};

} // namespace vardo
