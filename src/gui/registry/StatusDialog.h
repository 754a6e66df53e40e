#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/registry/StatusChoice.h"

namespace Ui {
class StatusDialog;
}

namespace vardo {

/// The status dialog: how the person came to the active list, and the month.
class StatusDialog : public QDialog {
    Q_OBJECT

public:
    StatusDialog(const StatusChoice& choice, QWidget* parent = nullptr);
    ~StatusDialog() override;

    /// The choice made, or nullopt on Cancel.
    static std::optional<StatusChoice> Run(QWidget* parent, const StatusChoice& choice);

    const StatusChoice& Choice() const { return m_choice; }
    Ui::StatusDialog& Widgets() { return *m_ui; }

private:
    void Show();

    std::unique_ptr<Ui::StatusDialog> m_ui;
    StatusChoice m_choice;
};

} // namespace vardo
