#pragma once

// The entry list of the working month (dialog 105): the active publishers, by group or all, optionally
// only those without a report, from which the report window opens.

#include <functional>
#include <string>
#include <vector>

#include "core/reporting/ReportingContext.h"
#include "core/store/GroupTable.h"

namespace vardo {

class EntryList {
public:
    struct Item {
        RecordNumber record;
        std::string name;
    };

    /// Opening sets the month two after the working month to NotInitialised. `lastEntered` is the id of
    /// the last publisher whose report was stored (0 = none).
    EntryList(const ReportingContext& context, const GroupTable& groups, PublisherId lastEntered);

    /// "<month> Księgowanie Czasu - <n> Głosiciele czynni".
    std::string Title() const;
    /// "Zbór", then one entry per field service group.
    std::vector<std::string> GroupItems() const;
    int GroupChoice() const { return m_group; }
    void SetGroupChoice(int choice);
    bool MissingOnly() const { return m_missingOnly; }
    /// "Brak sprawozdań": only publishers with neither a report nor a remark for the working month.
    void SetMissingOnly(bool on);

    const std::vector<Item>& Items() const { return m_items; }
    /// Selected row; -1 when the list is empty.
    int Selection() const { return m_selection; }
    void Select(int row);
    /// Record of the selected row; 0 when none.
    RecordNumber SelectedRecord() const;

    /// The name in " Ostatnia wpisana osoba " (empty when none).
    std::string LastEnteredName() const;
    void SetLastEntered(PublisherId id) { m_lastEntered = id; }
    /// "Dodaj raport z <month> ->".
    std::string ImportLabel() const;
    /// "ZAMKNIJ listę raportów za <month> (raportowanie ZAKOŃCZONE)".
    std::string CloseButtonText() const;

    /// After the report window closed: the list is refreshed when only missing reports are shown.
    void AfterReport();
    /// Rebuilds the rows, keeping the selection when it is still in range.
    void Refresh();

private:
    const ReportingContext& m_context;
    const GroupTable& m_groups;
    PublisherId m_lastEntered;
    int m_group = 0;
    bool m_missingOnly = false;
    std::vector<Item> m_items;
    int m_selection = -1;
};

} // namespace vardo
