#pragma once

#include <functional>
#include <memory>

#include <QDialog>

#include "core/reporting/AttendanceRecordTable.h"

class QPrinter;

namespace Ui {
class AttendanceRecordDialog;
}

namespace vardo {

class CVardoDoc;
class Prompter;

/// Dialog 135 "Frekwencja zebrań od początku roku": the attendance record of the chosen meeting for the
/// previous and the current service year; "Drukuj" prints both meetings, the midweek meeting first.
class AttendanceRecordDialog : public QDialog {
    Q_OBJECT

public:
    AttendanceRecordDialog(const CVardoDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~AttendanceRecordDialog() override;

    static void Run(QWidget* parent, const CVardoDoc& doc, Prompter& prompter);

    Ui::AttendanceRecordDialog& Widgets() { return *m_ui; }
    MeetingKind Meeting() const;
    /// Replaces the print dialog (tests point the printer at a PDF file); returns false to cancel.
    void SetPrinterChooser(std::function<bool(QPrinter&)> choose) { m_choosePrinter = std::move(choose); }

    /// PrintAttendanceRecord: the print dialog, then the drawn record of both meetings (the report page as
    /// every other report prints it). True when printed.
    bool Print();

private:
    void ShowMeeting();
    AttendanceRecordTable Table(MeetingKind kind) const;

    std::unique_ptr<Ui::AttendanceRecordDialog> m_ui;
    const CVardoDoc& m_doc;
    Prompter& m_prompter;
    std::function<bool(QPrinter&)> m_choosePrinter;
};

} // namespace vardo
