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
class Prompter;

/// The entry list of the working month: the active publishers, by group and optionally only those still
/// without a report; OK, Enter or a double click opens the report window, the bottom button closes the month.
class EntryListDialog : public QDialog {
    Q_OBJECT

public:
    EntryListDialog(CVardoDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~EntryListDialog() override;

    /// Runs the list until it is closed.
    static void Run(QWidget* parent, CVardoDoc& doc, Prompter& prompter);

    const EntryList& List() const { return *m_list; }

private:
    void ShowRows();
    void OpenReport();
    void CloseMonth();

    std::unique_ptr<Ui::EntryListDialog> m_ui;
    CVardoDoc& m_doc;
    Prompter& m_prompter;
    ReportingContext m_context;
    std::unique_ptr<EntryList> m_list;
};

} // namespace vardo
