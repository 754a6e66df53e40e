#pragma once

// The pioneer progress window: a thin dialog over PioneerProgressPresenter; its chart is the report canvas
// drawing on the screen, and "Drukuj" prints the same drawing.

#include <memory>

#include <QDialog>

#include "core/reports/PioneerProgress.h"
#include "core/reports/ReportEnvironment.h"

class QPrinter;

namespace Ui {
class PioneerProgressDialog;
}

namespace vardo {

class CMainFrame;
class CVardoDoc;
class Clock;
class Prompter;

/// The chart area: draws the presenter's view through the report canvas at the screen's resolution.
class PioneerProgressChart : public QWidget {
    Q_OBJECT

public:
    PioneerProgressChart(const PioneerProgressPresenter& presenter, ReportEnvironment environment,
                         QWidget* parent = nullptr);
    /// Sizes the widget to the drawing (after the view changed).
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PioneerProgressPresenter& m_presenter;
    ReportEnvironment m_environment;
};

class PioneerProgressDialog : public QDialog {
    Q_OBJECT

public:
    PioneerProgressDialog(const CVardoDoc& doc, ReportEnvironment screen, Prompter& prompter,
                          QWidget* parent = nullptr);
    ~PioneerProgressDialog() override;

    /// Prints the shown data on `printer` (already set up); false when the printer could not start.
    bool PrintTo(QPrinter& printer);
    const PioneerProgressPresenter& Presenter() const { return *m_presenter; }

    /// Shows the window over the document's regular pioneers; a message instead when there are none.
    static void Run(QWidget* parent, const CVardoDoc& doc, const ReportEnvironment& screen, Prompter& prompter);

private:
    void ShowView();
    void Print();

    std::unique_ptr<Ui::PioneerProgressDialog> m_ui;
    std::unique_ptr<PioneerProgressPresenter> m_presenter;
    ReportEnvironment m_environment;
    Prompter& m_prompter;
    PioneerProgressChart* m_chart = nullptr;
};

/// The report environment of the screen for a document without a report view: its fonts and options.
ReportEnvironment DocumentScreenEnvironment(const CVardoDoc& doc, const Clock& clock, Resolution screen);

/// Brings the pioneer progress command (the "Godziny pionierów" menu item) into the main frame.
void RegisterPioneerProgressCommand(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

} // namespace vardo
