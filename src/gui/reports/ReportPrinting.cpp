#include "gui/reports/ReportPrinting.h"

#include <algorithm>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "render/QPainterCanvas.h"

namespace vardo {

bool PrinterPaperIsA4(const QPrinter& printer) {
    return printer.pageLayout().pageSize().id() == QPageSize::A4;
}

PrintRange PrinterRange(const QPrinter& printer, int pageCount) {
    PrintRange range;
    const int last = std::max(pageCount, 1);
    range.lastPage = last;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        range.firstPage = std::clamp(printer.fromPage(), 1, last);
        range.lastPage = std::clamp(printer.toPage() > 0 ? printer.toPage() : last, range.firstPage, last);
    }
    range.passes = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    return range;
}

bool PrintReportPages(QPrinter& printer, QPainter& painter, const Report& report, const ReportEnvironment& printing,
                      const PrintRange& range, bool& startsNewPage, const std::function<bool(int, int)>& progress) {
    QPainterCanvas canvas(painter);
    const PageRun run(report, canvas, printing);
    const int perPass = range.lastPage - range.firstPage + 1;
    const int total = perPass * range.passes;
    int done = 0;
    for (int pass = 0; pass < range.passes; ++pass) {
        for (int page = range.firstPage; page <= range.lastPage; ++page) {
            if (progress && !progress(done, total))
                return false;
            if (startsNewPage && !printer.newPage())
                return false;
            DrawReportPage(report, canvas, printing, page);
            startsNewPage = true;
            ++done;
        }
    }
    if (progress)
        progress(done, total);
    return true;
}

} // namespace vardo
