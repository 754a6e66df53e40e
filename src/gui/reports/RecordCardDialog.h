#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QDialog>
#include <QImage>

#include "core/reports/RecordCardPresenter.h"
#include "core/reports/ReportEnvironment.h"

class QPrinter;

namespace Ui {
class RecordCardDialog;
}

namespace vardo {

class CVardoDoc;
class Clock;
class Prompter;

/// The card of the selected person as it prints, scaled into the dialog.
class CardPreviewWidget : public QWidget {
    Q_OBJECT

public:
    explicit CardPreviewWidget(QWidget* parent = nullptr);
    /// Draws the first page of `report` (nullptr: an empty sheet).
    void SetCard(const Report* report, const ReportEnvironment& environment);
    /// The page as last drawn (white without a card).
    const QImage& Page() const { return m_page; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_page;
};

/// The header of the selected card (name, dates and boxes) at a readable size (control 1103).
class CardHeaderPreviewWidget : public QWidget {
    Q_OBJECT

public:
    explicit CardHeaderPreviewWidget(QWidget* parent = nullptr);
    /// Draws the header of `person` (the category's name in the totals view); nullptr: an empty strip.
    void SetHeader(const CardSource* source, const PublisherRecord* person);
    const QImage& Strip() const { return m_strip; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_strip;
};

/// Dialog 117 "Zborowe Zestawienie Sprawozdań Głosiciela": the list of persons with the preview of the
/// selected card, printing one card, chosen cards or the cards of the list part shown, and every card of the
/// active or the inactive list written into one PDF file in the data folder's Exports folder.
class RecordCardDialog : public QDialog {
    Q_OBJECT

public:
    /// `edit` opens the publisher editor on a person (button "Edytuj"); the dialog re-reads the list after it.
    RecordCardDialog(CVardoDoc& doc, Prompter& prompter, const Clock& clock, std::function<void(PublisherId)> edit = {},
                     QWidget* parent = nullptr);
    ~RecordCardDialog() override;

    static void Run(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                    std::function<void(PublisherId)> edit = {});

    RecordCardPresenter& Presenter() { return *m_presenter; }
    Ui::RecordCardDialog& Widgets() { return *m_ui; }
    const CardPreviewWidget& Preview() const { return *m_preview; }
    const CardHeaderPreviewWidget& HeaderPreview() const { return *m_header; }

    /// Replaces the print dialog (tests point the printer at a PDF file); returns false to cancel.
    void SetPrinterChooser(std::function<bool(QPrinter&)> choose) { m_choosePrinter = std::move(choose); }
    /// Replaces opening the folder of a written PDF file.
    void SetFolderOpener(std::function<void(const QString&)> open) { m_openFolder = std::move(open); }
    /// The PDF file the last "Czynni (PDF)" / "Nieczynni (PDF)" run wrote or was to write.
    const QString& LastPdfPath() const { return m_lastPdf; }

    /// The buttons' actions.
    bool PrintSelected();
    bool PrintChosen();
    bool PrintPart();
    bool WriteBatchPdf(bool inactive);
    void ChooseOutputDevice();
    void EditSelected();
    void EditOptions();

private:
    CardSource MakeSource() const;
    ReportEnvironment Environment() const;
    void Fill();
    void ShowSelection();
    bool PrintRecords(QPrinter& printer, const std::vector<RecordNumber>& records, const QString& documentName);
    bool PrintReport(QPrinter& printer, const Report& report, const QString& documentName);
    void RebuildPresenter();
    void ShowToggles();
    QPrinter& Printer();

    std::unique_ptr<Ui::RecordCardDialog> m_ui;
    CVardoDoc& m_doc;
    Prompter& m_prompter;
    const Clock& m_clock;
    std::function<void(PublisherId)> m_edit;
    std::unique_ptr<RecordCardPresenter> m_presenter;
    CardPreviewWidget* m_preview = nullptr;
    CardHeaderPreviewWidget* m_header = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    bool m_printerChosen = false;
    std::function<bool(QPrinter&)> m_choosePrinter;
    std::function<void(const QString&)> m_openFolder;
    QString m_lastPdf;
    bool m_filling = false;
};

} // namespace vardo
