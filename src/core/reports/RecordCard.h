#pragma once

// The publisher record card: personal header and the month-by-month table of one service year (new report
// format after the 2023 service year, the older five-value format before), one card per page.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/reports/CardTotalsView.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportOptions.h"
#include "core/store/GroupTable.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// What the cards draw from; everything must outlive the report. `groups` and `remarks` may be null.
struct CardSource {
    const PublisherDatabase* database = nullptr;
    const GroupTable* groups = nullptr;
    const RemarkTable* remarks = nullptr;
    WorkingMonth workingMonth;
    /// The working month's MonthState is not NotInitialised (its row is filled).
    bool workingMonthInitialised = true;
    CardOptions options;
    /// Only the previous service year (on one page with OnePerPage, else both years are drawn). In the
    /// rolling card mode it adds the twelve months before the last twelve (24 months in two tables).
    bool previousYear = false;
    /// 1: the service year (September to August); 2: the twelve months ending with the working month.
    int cardMode = 1;
    /// The totals view: the card shows one category's monthly sums instead of a person's reports; the
    /// person passed to the drawing is then ignored.
    std::optional<CardTotalsChoice> totals;
};

/// DrawCardHeader: title, name, dates, the gender, hope and service boxes of one person, from `top`.
void DrawCardHeader(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top,
                    int width);
/// DrawCardTable: the table of service year `serviceYear` (ends in August of that year) from `top`, `height`
/// device pixels tall.
void DrawCardTable(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top,
                   int width, int height, int serviceYear);
/// The table of the twelve months from `firstMonth` on (the rolling card mode). `latest` says it is the table
/// that ends with the working month (its totals follow the current year's hiding option).
void DrawCardTableFrom(const CardSource& source, Canvas& canvas, const PublisherRecord& person, int left, int top,
                       int width, int height, MonthCount firstMonth, bool latest);
/// The card's title: the card's name in the service-year mode, else the caption of the rolling mode
/// ("12 ost. mies.", "24 ost. mies." with the previous-year toggle).
std::string CardTitleText(const CardSource& source);
/// PrintCard: one card on the page starting at `pageTop`.
void PrintCard(const CardSource& source, Canvas& canvas, const ReportEnvironment& environment,
               const PublisherRecord& person, int pageTop);
/// The cards of the given records, one per page, in the given order.
std::unique_ptr<Report> MakeCardsReport(const CardSource& source, std::vector<RecordNumber> records);
/// The totals view of `source.totals` (which must be set) on one page.
std::unique_ptr<Report> MakeCardTotalsReport(const CardSource& source);
/// The records of a batch print: the list's pioneers of the working month first, then each group 1..N, then
/// the persons without a group. `inactive` takes the inactive list instead of the active one.
std::vector<RecordNumber> CardBatchOrder(const PublisherDatabase& database, const WorkingMonth& month, bool inactive);

} // namespace vardo
