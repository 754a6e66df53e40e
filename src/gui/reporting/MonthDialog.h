#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/reporting/MonthDialogPresenter.h"

namespace Ui {
class MonthDialog;
}

namespace vardo {

class Prompter;

/// Dialog "Księgowanie czasu": continue the working month, initialise it, or start the next month early.
class MonthDialog : public QDialog {
    Q_OBJECT

public:
    MonthDialog(const MonthDialogInput& input, Prompter& prompter, QWidget* parent = nullptr);
    ~MonthDialog() override;

    /// The month chosen, or nullopt when the dialog was cancelled.
    static std::optional<MonthChoice> Run(QWidget* parent, const MonthDialogInput& input, Prompter& prompter);

    const std::optional<MonthChoice>& Choice() const { return m_choice; }

private:
    void Finish(std::optional<MonthChoice> choice);

    std::unique_ptr<Ui::MonthDialog> m_ui;
    MonthDialogPresenter m_presenter;
    Prompter& m_prompter;
    std::optional<MonthChoice> m_choice;
};

} // namespace vardo
