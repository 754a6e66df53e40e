#pragma once

#include <memory>

#include <QDialog>

#include "core/exchange/GroupReportPresenter.h"
#include "core/platform/Prompter.h"

namespace Ui {
class CGroupReportDlg;
}

namespace vardo {

/// The group report file of a field service group: month, blank list, recipient, and the buttons that
/// write the .t09 into the data folder or write and mail it.
class CGroupReportDlg : public QDialog {
    Q_OBJECT

public:
    /// `mailDate` is the Date header of a message written to Outbox/; `runner` starts the mail program.
    CGroupReportDlg(GroupReportContext context, int group, Prompter& prompter, std::string mailDate,
                    ProgramRunner runner = RunProgram, QWidget* parent = nullptr);
    ~CGroupReportDlg() override;

    GroupReportPresenter& Presenter() { return m_presenter; }

private:
    void Refresh();
    void Save();
    void Send();

    std::unique_ptr<Ui::CGroupReportDlg> m_ui;
    GroupReportPresenter m_presenter;
    Prompter& m_prompter;
    std::string m_mailDate;
    ProgramRunner m_runner;
};

} // namespace vardo
