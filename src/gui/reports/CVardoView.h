#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QString>

#include "core/reports/Analysis.h"
#include "core/reports/CardLabels.h"
#include "core/reports/Lists.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportEnvironment.h"
#include "core/reports/ReportKind.h"
#include "core/store/DocumentChange.h"
#include "core/reporting/StatusViews.h"
#include "gui/reports/ReportGroupDialog.h"

class QAction;
class QMenu;
class QPrinter;

namespace vardo {

class CVardoDoc;
class Clock;
class CommandRouter;
class Prompter;

/// The report view: in main-panel mode the frame shows its main panel; in report mode the view shows one
/// report of the Reports menu as a tall sheet of pages, and prints it, previews it and writes it to PDF
/// with the same drawing. It owns the five report fonts and the display state only.
class CVardoView : public QAbstractScrollArea {
    Q_OBJECT

public:
    CVardoView(CVardoDoc& doc, Prompter& prompter, const Clock& clock, QWidget* parent = nullptr);
    ~CVardoView() override;

    ViewMode Mode() const { return m_mode; }
    ReportKind Kind() const { return m_kind; }
    /// The group of a group report (0 = whole congregation).
    int Group() const { return m_group; }
    /// Pages of the report on the screen (≥ 1).
    int PageCount() const { return m_pageCount; }
    /// Screen pixels per inch, read at creation.
    Resolution ScreenResolution() const { return m_screen; }
    /// The environment the screen view draws with (11-inch pages, today, fonts, options, group).
    ReportEnvironment ScreenEnvironment() const;
    /// The report being shown; nullptr in main-panel mode.
    const Report* CurrentReport() const { return m_report.get(); }

    /// Registers every command of the view (reports, return to the panel, printing, fonts) with the router.
    void RegisterCommands(CommandRouter& router);
    /// The command is one of the view's.
    static bool HandlesCommand(int id);
    bool IsCommandEnabled(int id) const;
    /// A caption set at run time (the user category's name); nullopt keeps the menu's text.
    std::optional<QString> CommandText(int id) const;
    /// Runs a view command when it is enabled.
    void OnCommand(int id);

    /// The submenu "Czcionki" with the five font commands and the high-resolution reset.
    QMenu* CreateFontMenu(QWidget* parent);
    /// "Zapisz jako PDF…": the report to a PDF file chosen by the user (enabled in report mode).
    QAction* SaveAsPdfAction() const { return m_saveAsPdf; }

    /// ShowReport: report mode with this kind (and group), page count and scroll sizes recomputed.
    void ShowReport(ReportKind kind, int group = 0);
    /// A status view as a report (its kind, period and filters); redrawn with the data like any report.
    void ShowStatusReport(const StatusQuery& query);
    /// The status view shown (or last shown).
    const StatusQuery& StatusReportQuery() const { return m_statusQuery; }
    /// ReturnToMainPanel.
    void ReturnToMainPanel();
    /// Redraws after a change of the data or the options (page count and scroll sizes too).
    void UpdateView();

    /// ChooseGroup: dialog "Wybierz Grupę Służby Polowej". The choice, or nullopt when cancelled or when the
    /// chosen group has nobody to list.
    std::optional<ReportGroupChoice> ChooseGroup(ReportKind kind, bool printButtons);

    /// LoadReportFonts at start-up (after the document is loaded): the high-resolution defaults unless the
    /// default printer has fewer than 300 dpi.
    void LoadReportFonts();
    /// SaveReportFonts at exit: the changed keys into the settings file, written to the data folder.
    void SaveReportFonts();
    /// ResetReportFonts to the high-resolution defaults and redraw.
    void ResetReportFonts();
    const ReportFonts& Fonts() const { return m_fonts; }
    /// Replaces a font; redraws when it differs. True when it changed.
    bool ChangeFont(ReportFontId id, const LogicalFont& font);
    /// The font dialog for one font; true when the font changed.
    bool EditFont(ReportFontId id, const QString& title);

    /// The options the reports draw with: the stored ones from the settings, the run's own kept here.
    ReportOptions CurrentReportOptions() const;
    /// Dialog 123 "Opcje Drukowania": on OK with a change the document is marked modified, the report
    /// redrawn and ReportOptionsChanged emitted. True when anything changed.
    bool EditReportSettings();
    /// Dialog 153, the record-card options: on OK with a change the document is marked modified.
    bool EditCardOptions();

    /// Print: the print dialog (pages, copies, printers and the PDF file printer), then the job.
    bool Print();
    /// Print preview of the report on the current printer's paper.
    void PrintPreview();
    bool PreviewActive() const { return m_previewActive; }
    /// Prints every page on `printer` without asking (page range and copies as the printer says).
    bool PrintTo(QPrinter& printer);
    /// Prints the groups' reports of `kind` in one job without asking again: on `printer` when given, else
    /// on the default printer (the print dialog runs once when there is none). Returns to the main panel.
    bool PrintGroups(ReportKind kind, const std::vector<int>& groups, QPrinter* printer = nullptr);
    /// Writes the report as a PDF file (the current printer's paper); failures are shown. True on success.
    bool ExportPdf(const QString& path);
    /// Asks for a file name and writes the PDF.
    bool SaveAsPdf();
    /// PrinterName: the default printer, or message 1234 when there is none.
    static std::string PrinterName();
    /// The printer the view prints on (its paper and settings are kept for the run).
    QPrinter& Printer();

    /// Pages printed last (the print dialog's last page).
    int LastPagePrinted() const { return m_lastPagePrinted; }

signals:
    /// The mode changed: the frame shows its main panel or this view.
    void ModeChanged(vardo::ViewMode mode);
    /// The report options changed (the congregation name among them): headings that show them refresh.
    void ReportOptionsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    std::unique_ptr<Report> MakeReport(ReportKind kind, int group);
    void RebuildSource();
    void UpdateScrollBars();
    void RunReportCommand(int id);
    bool GroupHasPeople(ReportKind kind, int group) const;
    ReportEnvironment PrintingEnvironment(const QPrinter& printer) const;
    struct JobPart {
        const Report* report = nullptr;
        int group = 0;
    };
    bool PrintJob(QPrinter& printer, const std::vector<JobPart>& parts, bool asPrinted, bool showProgress,
                  const std::string& failure);
    void EnsureFontsLoaded();

    CVardoDoc& m_doc;
    Prompter& m_prompter;
    const Clock& m_clock;
    ViewMode m_mode = ViewMode::MainPanel;
    ReportKind m_kind = ReportKind::CongregationAnalysis;
    int m_group = 0;
    int m_pageCount = 1;
    int m_lastPagePrinted = 0;
    Resolution m_screen;
    ReportFonts m_fonts;
    /// Surname first, dates in the statistics and day-first dates: options of the run, never stored.
    ReportOptions m_runOptions;
    ListSource m_source;
    AnalysisSource m_analysis;
    /// The persons chosen for the filled contact forms.
    std::vector<PublisherId> m_formPersons;
    /// The choices of the status view shown as a report.
    StatusQuery m_statusQuery;
    /// The persons (by id, records move when the register is sorted) and the first free position of the
    /// card-header labels shown.
    std::vector<PublisherId> m_labelPersons;
    int m_labelFirstPosition = 1;
    std::unique_ptr<Report> m_report;
    std::unique_ptr<QPrinter> m_printer;
    QAction* m_saveAsPdf = nullptr;
    bool m_previewActive = false;
    bool m_fontsLoaded = false;
    /// A report on the screen is drawn again after every change of the data (and after a reload).
    ChangeHub::Subscription m_changeSubscription;
};

} // namespace vardo
