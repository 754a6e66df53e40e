#pragma once

// The status dialog of the publisher editor: how a person came to the active list, and in which month.

#include <optional>
#include <string>
#include <vector>

#include "core/store/MonthMath.h"

namespace vardo {

class PublisherRecord;

/// The five choices of the status dialog.
enum class StatusKind {
    NewPublisher,     ///< "Nowy głosiciel (pierwszy raz w służbie)": bit 1, status ordinal = month
    RegularMovedIn,   ///< "Regularny - przejście z innego zboru": bit 4
    IrregularMovedIn, ///< "Nieregularny - przejście z innego zboru": month only
    Reactivated,      ///< "Głosiciel uaktywniony": bit 2, status ordinal = month
    Clear,            ///< "Wyczyść status dla tego głosiciela": everything 0
};

/// Months the dialog offers: the working month and the 23 before it.
inline constexpr int kStatusMonthChoices = 24;

/// The dialog's state over one record's status fields.
class StatusChoice {
public:
    /// Reads the status month byte and the status ordinal of `record`.
    StatusChoice(const PublisherRecord& record, MonthCount workingMonth, bool newPerson);

    /// Months offered, newest first: entry i is the working month − i.
    MonthCount MonthAt(int index) const { return static_cast<MonthCount>(m_working - index); }
    /// "marzec 2024" texts of the offered months, newest first.
    std::vector<std::string> MonthTexts() const;

    std::optional<StatusKind> Kind() const { return m_kind; }
    void SetKind(StatusKind kind) { m_kind = kind; }
    int MonthIndexChosen() const { return m_monthIndex; }
    void SetMonthIndexChosen(int index);
    /// The month list is of no use for Clear.
    bool MonthEnabled() const { return m_kind != StatusKind::Clear; }

    /// Writes the choice into the record: status month byte, status year byte (a copy of it) and, for new and
    /// reactivated publishers, the status ordinal. A month more than 11 months back keeps only the bits.
    /// Nothing is written while no choice is made.
    void Apply(PublisherRecord& record) const;

private:
    MonthCount m_working;
    std::optional<StatusKind> m_kind;
    int m_monthIndex = 0;
};

} // namespace vardo
