#pragma once

#include <memory>

#include <QDialog>

#include "core/exchange/DataExportChoice.h"

namespace Ui {
class DataExportDialog;
}

namespace vardo {

/// "Eksport danych o głosicielu": comma or tab, the month and the header line of the monthly export.
class DataExportDialog : public QDialog {
    Q_OBJECT

public:
    explicit DataExportDialog(const WorkingMonth& month, QWidget* parent = nullptr);
    ~DataExportDialog() override;

    const DataExportChoice& Choice() const { return m_choice; }

private:
    void ShowFile();

    std::unique_ptr<Ui::DataExportDialog> m_ui;
    DataExportChoice m_choice;
};

} // namespace vardo
