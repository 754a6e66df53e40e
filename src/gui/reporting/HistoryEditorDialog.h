#pragma once

#include <memory>

#include <QDialog>

#include "core/reporting/HistoryEditor.h"

class QLineEdit;

namespace Ui {
class HistoryEditorDialog;
}

namespace vardo {

/// The history editor (dialog 152) over HistoryEditor: the 24 stored months of a person in the report format
/// of each month, or the congregation's stored totals. Every change of person, year, month or mode and every
/// Enter stores the shown month; closing stores it and commits the totals.
class HistoryEditorDialog : public QDialog {
    Q_OBJECT

public:
    HistoryEditorDialog(const ReportingContext& context, HistoryEditor::Mode mode, RecordNumber record,
                        QWidget* parent = nullptr);
    ~HistoryEditorDialog() override;

    /// Runs the editor modally; what it stores goes through the context's change path.
    static void Run(QWidget* parent, const ReportingContext& context,
                    HistoryEditor::Mode mode = HistoryEditor::Mode::Publisher, RecordNumber record = 0);

    HistoryEditor& Editor() { return m_editor; }
    Ui::HistoryEditorDialog& Widgets() { return *m_ui; }

public slots:
    /// Closing by the button, Escape or the window's close box: stores, and stays open when that is refused.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Connect();
    /// Widgets → the presenter's fields.
    void Collect();
    /// The presenter → every widget.
    void Show();
    /// Which fields show, which are enabled, and the warnings, as the fields now stand.
    void ShowFieldState();
    void OnEnter();
    void FocusFirstField();

    std::unique_ptr<Ui::HistoryEditorDialog> m_ui;
    HistoryEditor m_editor;
    PioneerCode m_totalsKind = PioneerCode::None;
};

} // namespace vardo
