#pragma once

#include <array>
#include <memory>

#include <QDialog>

#include "core/reporting/AttendanceEntry.h"

class QLineEdit;

namespace Ui {
class AttendanceDialog;
}

namespace vardo {

class CVardoDoc;

/// Dialog 109 "Frekwencja": the five weeks of both meetings for one month of the last 24 (or of the month
/// in progress). The month shown is stored when another is chosen and when the dialog closes.
class AttendanceDialog : public QDialog {
    Q_OBJECT

public:
    explicit AttendanceDialog(CVardoDoc& doc, QWidget* parent = nullptr);
    ~AttendanceDialog() override;

    static void Run(QWidget* parent, CVardoDoc& doc);

    AttendanceEntryPresenter& Presenter() { return m_presenter; }
    Ui::AttendanceDialog& Widgets() { return *m_ui; }
    /// The week field 0..9 (midweek weeks 1..5, weekend weeks 1..5).
    QLineEdit* WeekField(int field) const { return m_fields[static_cast<std::size_t>(field)]; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillMonths();
    void ShowMonth();
    void ShowFigures();
    void Focus(int field);
    int FieldOf(QObject* object) const;

    std::unique_ptr<Ui::AttendanceDialog> m_ui;
    AttendanceEntryPresenter m_presenter;
    std::array<QLineEdit*, kWeekFieldCount> m_fields{};
    bool m_filling = false;
};

} // namespace vardo
