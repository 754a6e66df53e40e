#pragma once

// The totals view of the record card: per month, the reports of one category and the sums of their figures,
// either as the active file holds them now or as they were reported to the branch office (the month history).

#include <string>

#include "core/reporting/MonthTotals.h"
#include "core/store/CardTotals.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// The categories the totals view offers.
enum class CardTotalsCategory { Publishers = 0, Auxiliary = 1, Pioneers = 2 };

/// Where the totals view takes its sums from.
enum class CardTotalsSource { Register, Reported };

/// The view's choice; `history` is needed for CardTotalsSource::Reported and must outlive the report.
struct CardTotalsChoice {
    CardTotalsCategory category = CardTotalsCategory::Publishers;
    CardTotalsSource source = CardTotalsSource::Register;
    const CardTotals* history = nullptr;
};

/// One month of the totals view. Hours include the whole hours of the quarter-hour sum.
struct CardMonthFigures {
    int reports = 0;
    int placements = 0;
    int videos = 0;
    int hours = 0;
    int returnVisits = 0;
    int studies = 0;
    bool operator==(const CardMonthFigures&) const = default;
};

/// The category's line of month totals: publishers row 0, auxiliary pioneers row 1, regular and special
/// pioneers rows 2 and 3 together.
CardMonthFigures CategoryFigures(const MonthTotals& totals, CardTotalsCategory category);

/// The totals the active file holds for calendar month `month` of `year`, counted as for the branch report
/// of that month (active list, special-service and field-missionary persons left out, each report under its
/// own month's category).
MonthTotals RegisterMonthTotals(const PublisherDatabase& database, int year, MonthIndex month);

/// The figures of one month for the view's choice.
CardMonthFigures CardTotalsMonth(const PublisherDatabase& database, const CardTotalsChoice& choice, int year,
                                 MonthIndex month);

/// The category's name as the view's list shows it ("Głosiciele Zborowi", ...).
std::string CardTotalsCategoryName(CardTotalsCategory category);

} // namespace vardo
