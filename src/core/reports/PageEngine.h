#pragma once

#include "core/reports/Canvas.h"
#include "core/reports/ReportEnvironment.h"

namespace vardo {

/// One printable report: a drawing routine over its data that draws the whole report as one tall sheet,
/// the pages standing one below the other, and the page-count pass that goes with it. Implementations
/// hold (references to) the document data they draw and their filter.
class Report {
public:
    virtual ~Report() = default;
    /// Counts the pages the drawing produces on this canvas, with the same rules it draws with; ≥ 1.
    virtual int CountPages(Canvas& canvas, const ReportEnvironment& environment) const = 0;
    /// Draws every page of the report on the sheet.
    virtual void Draw(Canvas& canvas, const ReportEnvironment& environment) const = 0;

    /// Brackets a run of page drawings on canvases of one resolution (printing, a PDF, images) during which
    /// the data does not change: a report may lay itself out once at the start and keep the layout until
    /// EndPages.
    virtual void BeginPages(Canvas& canvas, const ReportEnvironment& environment) const {
        (void)canvas;
        (void)environment;
    }
    virtual void EndPages() const {}
};

/// BeginPages on construction, EndPages on destruction.
class PageRun {
public:
    PageRun(const Report& report, Canvas& canvas, const ReportEnvironment& environment) : m_report(report) {
        m_report.BeginPages(canvas, environment);
    }
    ~PageRun() { m_report.EndPages(); }
    PageRun(const PageRun&) = delete;
    PageRun& operator=(const PageRun&) = delete;

private:
    const Report& m_report;
};

/// Height of one page band on the sheet: whole inches of the page height times the device's pixels per
/// inch (11 inches, or 12 on A4 paper).
int PageBandHeight(const Canvas& canvas, const ReportEnvironment& environment);

/// Prints page `page` (1-based): clips the sheet to the page's band, moves the band to the top of the
/// device and draws the report. Leaves the canvas unclipped at the origin.
void DrawReportPage(const Report& report, Canvas& canvas, const ReportEnvironment& environment, int page);

/// The scroll geometry of the report window for a report of `pageCount` pages, in screen pixels.
struct ScrollSizes {
    int totalWidth = 0;
    int totalHeight = 0;
    int pageStepX = 0;
    int pageStepY = 0;
    int lineStepX = 0;
    int lineStepY = 0;
};
ScrollSizes ReportScrollSizes(int pageCount, const ReportEnvironment& environment);

} // namespace vardo
