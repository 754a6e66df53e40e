#pragma once

// The print loop shared by printing, print preview and PDF output: every page is the report's tall sheet
// clipped to the page's band and moved to the top of the paper.

#include <functional>

#include "core/reports/PageEngine.h"
#include "core/reports/ReportEnvironment.h"

class QPainter;
class QPrinter;

namespace vardo {

/// True when the printer's paper is A4 (12-inch page bands; any other paper 11-inch ones).
bool PrinterPaperIsA4(const QPrinter& printer);

/// The pages and passes of one print job.
struct PrintRange {
    int firstPage = 1;
    int lastPage = 1;
    /// Copies the view produces itself by repeating the pages; 1 when the driver makes the copies.
    int passes = 1;
};

/// The range a printer asks for over a report of `pageCount` pages: the printer's page range clamped to
/// 1..pageCount (all pages without one), and its copies repeated here when the driver cannot make them.
PrintRange PrinterRange(const QPrinter& printer, int pageCount);

/// Draws pages range.firstPage..range.lastPage, range.passes times, through `painter` (active on `printer`).
/// `startsNewPage` says whether something was printed before in this job (a page break comes first); it is
/// set once a page was drawn. `progress` gets (pages done, pages in all) and returns false to stop. False
/// when the printer refused a page or printing was stopped.
bool PrintReportPages(QPrinter& printer, QPainter& painter, const Report& report, const ReportEnvironment& printing,
                      const PrintRange& range, bool& startsNewPage, const std::function<bool(int, int)>& progress = {});

} // namespace vardo
