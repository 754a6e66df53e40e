#pragma once

#include <memory>

#include <QDialog>

#include "core/exchange/ExportCleanup.h"

namespace Ui {
class ExportCleanupDialog;
}

namespace vardo {

/// "Uwaga !!": the export files left from earlier runs; OK deletes the selected ones.
class ExportCleanupDialog : public QDialog {
    Q_OBJECT

public:
    ExportCleanupDialog(ExportCleanup cleanup, QWidget* parent = nullptr);
    ~ExportCleanupDialog() override;

    const ExportCleanup& Cleanup() const { return m_cleanup; }

private:
    std::unique_ptr<Ui::ExportCleanupDialog> m_ui;
    ExportCleanup m_cleanup;
};

} // namespace vardo
