#pragma once

#include <memory>

#include <QDialog>

#include "core/reporting/PioneerList.h"

class QListWidget;

namespace Ui {
class PioneerListDialog;
}

namespace vardo {

/// The pioneer list (dialog 111) over PioneerList: for a stored month, the persons holding the mode's pioneer
/// code on the left and those holding none on the right; the move button (or Enter) moves the selected person
/// across. Each move is a change of its own.
class PioneerListDialog : public QDialog {
    Q_OBJECT

public:
    /// `mode`: Auxiliary (command 32769) or Regular (command 32833, with the special pioneers' box).
    PioneerListDialog(const ReportingContext& context, PioneerCode mode, QWidget* parent = nullptr);
    ~PioneerListDialog() override;

    static void Run(QWidget* parent, const ReportingContext& context, PioneerCode mode);

    PioneerList& List() { return m_list; }
    Ui::PioneerListDialog& Widgets() { return *m_ui; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Connect();
    /// The presenter → every widget; the selection follows the presenter's.
    void Show();
    void ShowSelection();
    void Move();

    std::unique_ptr<Ui::PioneerListDialog> m_ui;
    PioneerList m_list;
};

} // namespace vardo
