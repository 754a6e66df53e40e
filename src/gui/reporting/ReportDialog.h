#pragma once

#include <memory>

#include <QDialog>

#include "core/reporting/ReportEntry.h"

class QKeyEvent;

namespace Ui {
class ReportDialog;
}

namespace vardo {

/// The report window: one publisher's report for the working month, or for an earlier month after
/// "Zmień miesiąc". Typed without the mouse: Space gives "0", Delete empties a field, Left and Right walk
/// the fields in a ring, Enter walks on and on the studies field or OK stores the report.
class ReportDialog : public QDialog {
    Q_OBJECT

public:
    ReportDialog(const ReportingContext& context, RecordNumber record, QWidget* parent = nullptr);
    ~ReportDialog() override;

    /// Runs the window; true when a report was stored and changed the record.
    static bool Run(QWidget* parent, const ReportingContext& context, RecordNumber record);

    const ReportEntry& Entry() const { return m_entry; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowAll();
    void ShowVisibility();
    void ShowCredit();
    void ShowWarnings();
    void SetField(ReportEntry::Control control, const QString& text);
    void FocusControl(ReportEntry::Control control);
    bool ControlOf(const QObject* widget, ReportEntry::Control& control) const;
    bool FieldKey(ReportEntry::Control control, const QKeyEvent& key);
    void TakeRemark();
    void ShowRemarkEdit();
    void ShowMonthChoice(bool on);
    void ChooseMonth();
    void StoreAndClose();

    std::unique_ptr<Ui::ReportDialog> m_ui;
    ReportEntry m_entry;
};

} // namespace vardo
