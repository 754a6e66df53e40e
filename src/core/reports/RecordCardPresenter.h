#pragma once

// The rules of the record-card dialog (117): the list of persons (active or inactive, whole or one part of
// it), the toggles, what a card is drawn from and the batches printed from the dialog.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/reports/RecordCard.h"

namespace vardo {

/// One line of the dialog's list.
struct CardListEntry {
    std::string text;
    RecordNumber record = 0;
};

class RecordCardPresenter {
public:
    /// `source` gives the data and the card options; `groups` may be null in it (no groups).
    explicit RecordCardPresenter(const CardSource& source);

    /// The inactive list instead of the active one ("Nieczynni głosiciele"). Shows the whole list again.
    bool Inactive() const { return m_inactive; }
    void SetInactive(bool on);
    /// Only the previous service year ("Poprzedni rok służbowy").
    bool PreviousYear() const { return m_previousYear; }
    void SetPreviousYear(bool on) { m_previousYear = on; }
    void SetOptions(const CardOptions& options) { m_source.options = options; }
    /// 1: the service-year card; 2: the last twelve months (24 with the previous-year toggle).
    int CardMode() const { return m_cardMode; }
    void SetCardMode(int mode) { m_cardMode = mode == 2 ? 2 : 1; }

    /// The totals view ("Sumy"): the list then holds the three categories and the card shows the chosen
    /// category's monthly sums. Turning it on or off shows the whole list again with its first line selected.
    bool Totals() const { return m_totals; }
    void SetTotals(bool on);
    /// Where the sums come from: the active file or what was reported to the branch office (`history`,
    /// which must outlive the presenter; without it the reported sums are all 0).
    CardTotalsSource TotalsSource() const { return m_totalsSource; }
    void SetTotalsSource(CardTotalsSource source) { m_totalsSource = source; }
    void SetHistory(const CardTotals* history) { m_history = history; }
    /// The category of the selected line in the totals view; nullopt outside it.
    std::optional<CardTotalsCategory> SelectedCategory() const;
    /// True when the selected line is a person whose card can be printed or edited (not a totals category).
    bool PersonSelected() const { return !m_totals && m_selected >= 0; }

    /// The parts of the list the two list buttons step through: 0 the whole list, 1 the pioneers of the
    /// working month, 2..N+1 groups 1..N without their pioneers, N+2 the persons without a group.
    int PartCount() const;
    int Part() const { return m_part; }
    /// Shows part `part` (taken modulo PartCount); the first person is selected.
    void ShowPart(int part);
    void StepPart(int delta) { ShowPart(m_part + delta); }
    /// The name of a part ("Wszyscy", "Pionierzy (Peł i Spe)", the group's name, "Nie przydzieleni do Grup").
    std::string PartName(int part) const;
    /// The group of the part shown: 1..N, 0 for the persons without a group, nullopt for the whole list and
    /// the pioneers.
    std::optional<int> PartGroup() const;

    const std::vector<CardListEntry>& Entries() const { return m_entries; }
    /// The selected line, -1 when the list is empty. In the totals view the lines are the categories and
    /// SelectedRecord is nullopt.
    int Selected() const { return m_selected; }
    void Select(int row);
    std::optional<RecordNumber> SelectedRecord() const;
    /// The list text of the selected line (the document name of its print); empty without one.
    std::string SelectedText() const;

    /// What the preview draws with the toggles as they stand (the chosen category's sums in the totals view).
    CardSource Source() const;
    /// What persons' cards are printed from: as Source, never the totals view.
    CardSource CardsSource() const;
    /// The report the preview shows and "Wydrukuj to sprawozdanie" prints: the selected person's card or the
    /// chosen category's sums; nullptr when nothing is selected.
    std::unique_ptr<Report> SelectedReport() const;

    /// The records of the part shown; for a group part with `withPioneers` the group's pioneers come first.
    std::vector<RecordNumber> PartRecords(bool withPioneers) const;
    /// Every card of the active or the inactive list: the pioneers, then each group, then the rest.
    std::vector<RecordNumber> BatchRecords(bool inactive) const;
    /// The document name of such a batch: "Głosiciele czynni" or "Nieczynni głosiciele", followed by the
    /// previous service year while that toggle is on.
    std::string BatchName(bool inactive) const;
    /// The same as a file name ending in ".pdf" (characters a file name cannot hold replaced by "_").
    std::string BatchFileName(bool inactive) const;

private:
    const CategoryList& List() const;
    bool InPart(const PublisherRecord& person, int part) const;
    void Rebuild();

    CardSource m_source;
    bool m_inactive = false;
    bool m_previousYear = false;
    int m_cardMode = 1;
    bool m_totals = false;
    CardTotalsSource m_totalsSource = CardTotalsSource::Register;
    const CardTotals* m_history = nullptr;
    int m_part = 0;
    std::vector<CardListEntry> m_entries;
    int m_selected = -1;
};

} // namespace vardo
