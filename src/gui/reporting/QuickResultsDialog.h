#pragma once

#include <memory>
#include <vector>

#include <QDialog>

#include "core/reporting/StatusViewPresenter.h"

class QPushButton;

namespace Ui {
class QuickResultsDialog;
}

namespace vardo {

/// The quick results (dialog 119) over QuickResultsPresenter: every figure in its box; a click on a figure
/// lists the persons behind it with the reason each is counted.
class QuickResultsDialog : public QDialog {
    Q_OBJECT

public:
    explicit QuickResultsDialog(QuickResultsPresenter presenter, QWidget* parent = nullptr);
    ~QuickResultsDialog() override;

    static void Run(QWidget* parent, QuickResultsPresenter presenter);

    QuickResultsPresenter& Presenter() { return m_presenter; }
    Ui::QuickResultsDialog& Widgets() { return *m_ui; }
    /// The button of figure `index` (its value).
    QPushButton* FigureButton(int index) const;

    /// Opens a figure: its persons fill the list.
    void OpenFigure(int index);

private:
    void BuildBoxes();
    void ShowPersons();

    std::unique_ptr<Ui::QuickResultsDialog> m_ui;
    QuickResultsPresenter m_presenter;
    std::vector<QPushButton*> m_figureButtons;
};

} // namespace vardo
