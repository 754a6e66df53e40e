#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "core/reports/ActivitySummary.h"
#include "core/reports/ReportEnvironment.h"

class QPrinter;

namespace Ui {
class ActivitySummaryDialog;
}

namespace vardo {

class Prompter;

/// The activity summary (dialog 134) over ActivitySummaryPresenter: source, category, the period of the
/// sums and averages, and the chart's measure; the table and the bar chart side by side, both drawn by the
/// report code on the dialog's font. "Drukuj" prints the page on the default printer; the page can also be
/// saved as a PDF.
class ActivitySummaryDialog : public QDialog {
    Q_OBJECT

public:
    /// `environment` is that of the screen (fonts, options, today); printing derives its own from it.
    ActivitySummaryDialog(const ActivityData& activity, const ReportEnvironment& environment, Prompter& prompter,
                          QWidget* parent = nullptr);
    ~ActivitySummaryDialog() override;

    static void Run(QWidget* parent, const ActivityData& activity, const ReportEnvironment& environment,
                    Prompter& prompter);

    ActivitySummaryPresenter& Presenter() { return m_presenter; }
    Ui::ActivitySummaryDialog& Widgets() { return *m_ui; }
    QWidget& TableView() { return *m_table; }
    QWidget& ChartView() { return *m_chart; }

    /// "Drukuj": the page on the default printer; without one, the message that no printer is chosen.
    void Print();
    /// Prints the page on `printer`; false (after a message) when the printer refused it.
    bool PrintOn(QPrinter& printer);
    /// Writes the page as a PDF file and says where; false (after a message) when it cannot be written.
    bool SaveAsPdf(const std::string& path);

private:
    void Connect();
    void Show();
    void AskPdfPath();

    std::unique_ptr<Ui::ActivitySummaryDialog> m_ui;
    ActivitySummaryPresenter m_presenter;
    ReportEnvironment m_environment;
    Prompter& m_prompter;
    QWidget* m_table = nullptr;
    QWidget* m_chart = nullptr;
};

} // namespace vardo
