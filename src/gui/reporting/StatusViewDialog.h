#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QDialog>

#include "core/reporting/StatusViewPresenter.h"

namespace Ui {
class StatusViewDialog;
}

namespace vardo {

/// The status view (dialog 115) over StatusViewPresenter: the kind list, the period, month, group, class and
/// privilege lists the kind has, the persons with what the view shows and why each is listed (column and
/// tooltip), printing through the report view, copying to the clipboard, and dialling in the missing-reports
/// list.
class StatusViewDialog : public QDialog {
    Q_OBJECT

public:
    struct Actions {
        /// Prints the view (the report view shows it and prints); the dialog closes first.
        std::function<void(const StatusQuery&)> print;
        /// Dials a number for the named person.
        std::function<void(const std::string& number, const std::string& name)> dial;
    };

    StatusViewDialog(StatusViewPresenter presenter, Actions actions, QWidget* parent = nullptr);
    ~StatusViewDialog() override;

    /// ShowStatusView: modal, with `kind` preselected.
    static void Run(QWidget* parent, StatusViewPresenter presenter, StatusViewKind kind, Actions actions);

    StatusViewPresenter& Presenter() { return m_presenter; }
    Ui::StatusViewDialog& Widgets() { return *m_ui; }

    void Print();
    void CopyToClipboard();
    void Dial();

private:
    void Connect();
    /// The presenter → every widget.
    void Show();
    void ShowLines();
    void ShowContact();

    std::unique_ptr<Ui::StatusViewDialog> m_ui;
    StatusViewPresenter m_presenter;
    Actions m_actions;
};

} // namespace vardo
