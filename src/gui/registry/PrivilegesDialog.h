#pragma once

#include <array>
#include <memory>
#include <optional>

#include <QDialog>

#include "core/registry/Privileges.h"

class QCheckBox;

namespace Ui {
class PrivilegesDialog;
}

namespace vardo {

class DatePickerWidget;

/// Dialog "Przywileje służby": five privileges with their start and end dates.
class PrivilegesDialog : public QDialog {
    Q_OBJECT

public:
    PrivilegesDialog(const PrivilegesInput& input, QWidget* parent = nullptr);
    ~PrivilegesDialog() override;

    /// The dialog's state after OK, or nullopt on Cancel.
    static std::optional<PrivilegesPresenter> Run(QWidget* parent, const PrivilegesInput& input);

    const PrivilegesPresenter& Presenter() const { return m_presenter; }
    Ui::PrivilegesDialog& Widgets() { return *m_ui; }

private:
    struct Row {
        QCheckBox* box;
        DatePickerWidget* start;
        DatePickerWidget* end;
    };

    void Show();

    std::unique_ptr<Ui::PrivilegesDialog> m_ui;
    PrivilegesPresenter m_presenter;
    std::array<Row, kPrivilegeRows> m_rows{};
};

} // namespace vardo
