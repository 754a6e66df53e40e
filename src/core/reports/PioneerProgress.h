#pragma once

// The pioneer progress window: each regular pioneer's hours of the service year against the year's
// requirement, the chosen pioneer's months as bars, and the page that prints the same.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/reports/HoursReports.h"

namespace vardo {

/// One month of the chosen pioneer's service year.
struct PioneerMonthBar {
    MonthIndex month = 0;
    int hours = 0;  ///< quarter hours carried into hours
    int credit = 0; ///< pioneer credit hours
    bool regular = false;
    bool future = false; ///< after the working month: no report yet
    int Total() const { return hours + credit; }
};

/// What the window shows and prints.
struct PioneerProgressView {
    std::string caption; ///< the window's title, with " - " and the pioneer's name once one is chosen
    std::string name;
    int serviceYear = 0; ///< the year the shown service year ends in
    int goal = 50;       ///< monthly requirement of the shown year
    std::array<PioneerMonthBar, 12> months{};
    std::array<std::string, 3> lines;
    std::vector<PioneerProgress> pioneers; ///< every regular pioneer of the working month
    bool chosen = false;
};

/// The rules behind the window: the list of regular pioneers, the chosen one, the previous-year toggle and
/// the three lines under the month bars.
class PioneerProgressPresenter {
public:
    PioneerProgressPresenter(const PublisherDatabase& database, const WorkingMonth& month, bool lastNameFirst);

    /// The names of the combo, in list order.
    std::vector<std::string> PioneerNames() const;
    bool HasPioneers() const { return !m_progress.empty(); }
    /// Chooses the pioneer at `index` of PioneerNames (out of range chooses nobody).
    void Choose(int index);
    int Chosen() const { return m_chosen; }
    void SetPreviousYear(bool on);
    bool PreviousYear() const { return m_previousYear; }

    const PioneerProgressView& View() const { return m_view; }

private:
    void Rebuild();

    const PublisherDatabase& m_database;
    WorkingMonth m_month;
    std::vector<PioneerProgress> m_progress;
    int m_chosen = -1;
    bool m_previousYear = false;
    PioneerProgressView m_view;
};

/// Draws the view on one sheet: the title, the chosen pioneer's month bars against the monthly requirement,
/// the three lines, and one bar per pioneer of hours done against the year's requirement. Returns the pages.
int DrawPioneerProgress(Canvas& canvas, const ReportEnvironment& environment, const PioneerProgressView& view,
                        bool draw = true);
/// Height in device pixels of the sheet the view needs on one page (the window's drawing area).
int PioneerProgressHeight(Canvas& canvas, const ReportEnvironment& environment, const PioneerProgressView& view);

/// The printable report of a view (copied).
std::unique_ptr<Report> MakePioneerProgressReport(const PioneerProgressView& view);

} // namespace vardo
