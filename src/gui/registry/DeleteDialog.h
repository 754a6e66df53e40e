#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QDialog>

#include "core/registry/PersonRemoval.h"

namespace Ui {
class DeleteDialog;
}

namespace vardo {

/// Dialog "Usuń": permanent deletion, or temporary removal with a month and year.
class DeleteDialog : public QDialog {
    Q_OBJECT

public:
    DeleteDialog(const WorkingMonth& month, const std::string& personName, QWidget* parent = nullptr);
    ~DeleteDialog() override;

    /// The choice made, or nullopt on Cancel.
    static std::optional<RemovalChoice> Run(QWidget* parent, const WorkingMonth& month, const std::string& personName);

    const RemovalChoice& Choice() const { return m_choice; }
    Ui::DeleteDialog& Widgets() { return *m_ui; }

private:
    void Show();

    std::unique_ptr<Ui::DeleteDialog> m_ui;
    RemovalChoice m_choice;
};

} // namespace vardo
