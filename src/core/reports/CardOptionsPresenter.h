#pragma once

// The rules of the record-card options dialog (153).

#include "core/reports/ReportOptions.h"
#include "core/store/Settings.h"

namespace vardo {

/// The four parts of the record card that dialog 153 can hide, as bits of `CardOptions::hiddenAverages`.
enum class CardHiddenPart {
    CurrentYearAverages = 0,
    PreviousYearAverages = 1,
    CurrentYearTotals = 2,
    PreviousYearTotals = 3,
};

/// The dialog's values while it is open.
class CardOptionsPresenter {
public:
    explicit CardOptionsPresenter(const CardOptions& current);

    const CardOptions& Values() const { return m_values; }
    void SetShowGroups(bool on) { m_values.showGroups = on; }
    void SetOnePerPage(bool on) { m_values.onePerPage = on; }
    void SetHideBirthDay(bool on) { m_values.hideBirthDay = on; }
    bool Hidden(CardHiddenPart part) const;
    void SetHidden(CardHiddenPart part, bool on);

    /// OK: the values into `settings`. True when any of them changed (the document is then marked
    /// modified).
    bool Store(Settings& settings) const;

private:
    CardOptions m_values;
};

} // namespace vardo
