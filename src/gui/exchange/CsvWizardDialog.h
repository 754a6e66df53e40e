#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/exchange/CsvWizard.h"

namespace Ui {
class CsvWizardDialog;
}

namespace vardo {

/// The CSV import wizard: the column mapping page, then the name mapping page; "Kontynuuj" on the last page
/// ends with the reports for the import preview.
class CsvWizardDialog : public QDialog {
    Q_OBJECT

public:
    CsvWizardDialog(const ReportingContext& context, const DataFolder& folder, CsvTable table,
                    QWidget* parent = nullptr);
    ~CsvWizardDialog() override;

    /// The reports of the file, or nullopt on Cancel.
    static std::optional<CsvReports> Run(QWidget* parent, const ReportingContext& context, const DataFolder& folder,
                                         CsvTable table);

    CsvWizard& Presenter() { return m_wizard; }
    /// The reports made by the last page (valid after the dialog was accepted).
    const CsvReports& Reports() const { return m_reports; }

private:
    void ShowColumns();
    void ShowNames();
    void Next();

    std::unique_ptr<Ui::CsvWizardDialog> m_ui;
    CsvWizard m_wizard;
    CsvReports m_reports;
};

} // namespace vardo
