#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/reporting/ListWindows.h"

namespace Ui {
class MoveMonthDialog;
}

namespace vardo {

/// Dialog "Wybierz miesiąc": the month (and, for some moves, the year) of a move between the lists.
class MoveMonthDialog : public QDialog {
    Q_OBJECT

public:
    MoveMonthDialog(const MoveMonthChoice& choice, QWidget* parent = nullptr);
    ~MoveMonthDialog() override;

    /// The choice made, or nullopt on Cancel.
    static std::optional<MoveMonthChoice> Run(QWidget* parent, const MoveMonthChoice& choice);
    /// A month asker running this dialog over `parent`.
    static MonthAsker Asker(QWidget* parent);

    const MoveMonthChoice& Choice() const { return m_choice; }
    Ui::MoveMonthDialog& Widgets() { return *m_ui; }

private:
    std::unique_ptr<Ui::MoveMonthDialog> m_ui;
    MoveMonthChoice m_choice;
};

} // namespace vardo
