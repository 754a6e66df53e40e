#pragma once

// The card and attendance reports of `vardo-cli report` beyond one person's card: the rolling card
// (`card`/`cards` with `--months 12`), the card totals view (`card --totals CATEGORY [--reported]`), the card-header
// labels (`card-labels [--person P]... [--first N]
// [--sorted]`) and the attendance record (`attendance-record`).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/doc/CVardoDoc.h"
#include "core/reports/CardTotalsView.h"
#include "core/reports/PageEngine.h"

namespace vardo::cli {

struct CardExtras {
    std::optional<CardTotalsCategory> totals; ///< --totals publishers|auxiliary|pioneers
    bool reported = false;                    ///< --reported: the sums reported to the branch office
    bool labels = false;                      ///< the kind card-labels was named
    std::vector<std::string> labelPersons;    ///< --person of card-labels, in the order given
    int firstLabel = 1;                       ///< --first N
    bool sortedLabels = false;                ///< --sorted
    bool attendanceRecord = false;            ///< the kind attendance-record was named
    int cardMode = 1;                         ///< --months 12: the last twelve months (24 with --previous-year)
};

/// Takes the options above (and the word attendance-record) out of `args`, leaving the rest for the common
/// report options. Prints what is wrong and returns false on bad usage.
bool TakeCardExtras(std::vector<std::string>& args, CardExtras& extras);

/// The report the extras ask for, or null when they ask for none (the caller then makes its own). On a
/// refusal `error` holds the message and null is returned.
std::unique_ptr<Report> MakeCardExtraReport(const CVardoDoc& doc, const CardExtras& extras, bool previousYear,
                                            std::string& error);

} // namespace vardo::cli
