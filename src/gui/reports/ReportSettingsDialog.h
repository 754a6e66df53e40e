#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/reports/ReportSettingsPresenter.h"

namespace Ui {
class ReportSettingsDialog;
}

namespace vardo {

class Prompter;

/// Dialog 123 "Opcje Drukowania": the report options over a `ReportSettingsPresenter`. The widgets show the
/// presenter's values after every change; OK closes only when the presenter accepts the values.
class ReportSettingsDialog : public QDialog {
    Q_OBJECT

public:
    ReportSettingsDialog(const ReportOptions& current, bool firstNameFirstOrder, Prompter& prompter,
                         QWidget* parent = nullptr);
    ~ReportSettingsDialog() override;

    /// The values accepted with OK, or nullopt on Cancel.
    static std::optional<ReportSettingsPresenter> Run(QWidget* parent, const ReportOptions& current,
                                                      bool firstNameFirstOrder, Prompter& prompter);

    const ReportSettingsPresenter& Presenter() const { return m_presenter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();
    void Accept();

    std::unique_ptr<Ui::ReportSettingsDialog> m_ui;
    ReportSettingsPresenter m_presenter;
    Prompter& m_prompter;
};

} // namespace vardo
