#pragma once

#include <memory>

#include <QDialog>

#include "core/reporting/EntryList.h"
#include "core/reporting/ReportingContext.h"

namespace Ui {
class EntryListDialog;
}

namespace vardo {

class CVardoDoc;
class Clock;
class Prompter;

/// The entry list of the working month: the active publishers, by group and optionally only those still
/// without a report; OK, Enter or a double click opens the report window, the bottom button closes the month.
class EntryListDialog : public QDialog {
    Q_OBJECT

public:
    /// `clock` dates the mail and the backup question of the file buttons (the system clock when null).
    EntryListDialog(CVardoDoc& doc, Prompter& prompter, QWidget* parent = nullptr, const Clock* clock = nullptr);
    ~EntryListDialog() override;

    /// Runs the list until it is closed.
    static void Run(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock* clock = nullptr);

    const EntryList& List() const { return *m_list; }

private:
    void ShowRows();
    void OpenReport();
    void CloseMonth();
    /// The group of the group report file: the chosen group, else the selected person's, else the first.
    int GroupForFile() const;
    /// After an import: the list shows the stored reports.
    void AfterImport();

    std::unique_ptr<Ui::EntryListDialog> m_ui;
    CVardoDoc& m_doc;
    Prompter& m_prompter;
    const Clock& m_clock;
    ReportingContext m_context;
    std::unique_ptr<EntryList> m_list;
};

} // namespace vardo
