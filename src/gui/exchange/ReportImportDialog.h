#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "core/exchange/ReportImport.h"

namespace Ui {
class ReportImportDialog;
}

namespace vardo {

/// The preview and import of received reports (group report file, XML or CSV): the list of what would be
/// added or replaced, each entry's values beside the ones they replace, and the import of the ticked entries.
class ReportImportDialog : public QDialog {
    Q_OBJECT

public:
    /// `source` names the file in the caption ("<file>  -  <month>").
    ReportImportDialog(const ReportingContext& context, ImportSource kind, std::vector<IncomingPerson> persons,
                       const std::string& source, QWidget* parent = nullptr);
    ~ReportImportDialog() override;

    /// Shows the dialog; the number of reports stored, or nullopt on Cancel or a failed import (its message
    /// is shown through the context's prompter; nothing is stored then).
    static std::optional<int> Run(QWidget* parent, const ReportingContext& context, ImportSource kind,
                                  std::vector<IncomingPerson> persons, const std::string& source);

    ReportImport& Presenter() { return m_import; }
    Ui::ReportImportDialog& Widgets() { return *m_ui; }
    /// Reports stored by the last import.
    int Stored() const { return m_stored; }

private:
    void FillList();
    void ShowPreview(int row);
    void ImportSelected();

    std::unique_ptr<Ui::ReportImportDialog> m_ui;
    const ReportingContext& m_context;
    ReportImport m_import;
    int m_stored = 0;
};

} // namespace vardo
