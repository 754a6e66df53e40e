#pragma once

// The exchange commands of the File menu ("Eksportu lub Importu": XML export and import, the monthly data
// export, the emergency-contact and attendance exports), the entry list's file buttons (group report file,
// .t19, .xml and .csv imports through the preview) and the start-up clean-up of export files.

#include <functional>
#include <optional>
#include <string>

#include <QWidget>

#include "core/doc/CVardoDoc.h"
#include "core/exchange/MailMessage.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"

namespace vardo {

class CMainFrame;

/// Asks for a file to open: (parent, title, filter, start folder) → the path, empty on Cancel. The
/// commands use a file dialog; tests put their own chooser in its place.
using OpenFileChooser =
    std::function<std::string(QWidget*, const std::string&, const std::string&, const std::string&)>;
void SetOpenFileChooser(OpenFileChooser chooser);
/// Starts the mail program for the group report dialog (tests replace it); RunProgram by default.
void SetMailRunner(ProgramRunner runner);

/// The group report dialog for `group` (1-based) over the document.
void OpenGroupReport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock, int group);

/// The three imports of the entry list: the file is chosen, read and matched, then shown in the preview.
/// Return the number of reports stored; nullopt when nothing was (a message says why, or the user
/// cancelled).
std::optional<int> ImportGroupFile(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock);
std::optional<int> ImportXmlReports(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock);
std::optional<int> ImportCsvReports(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

/// File > "Eksport do XML": the pick dialog, then Exports/<list>.xml. True when written.
bool RunXmlExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock);
/// File > "Import z XML": backup question, file, pick dialog, import. Returns the persons imported.
std::optional<int> RunXmlImport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock);
/// File > "&Eksport danych": the choices dialog, then the monthly export.
void RunDataExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter);
/// File > "Eksportuj kontakty ALARMOWE": Exports/3rdparty.tsv.
void RunEmergencyExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter);
/// File > "Eksport frekwencja z zebran": Exports/Frekwencja.csv.
void RunAttendanceExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter);

/// After an export: 1015 with the path; Yes opens Exports/ in the desktop's file manager.
void OfferExportsFolder(CVardoDoc& doc, Prompter& prompter, const std::string& path);

/// The start-up clean-up: the warning about monthly exports left behind (deleting the selected ones), then
/// the deletion of the contact, emergency-contact and card-header exports and publist.xml.
void CleanUpExportsAtStartup(QWidget* parent, CVardoDoc& doc, Prompter& prompter);

/// Registers the File menu's exchange commands (32878, 32880, 32829, 32865, 32911) with the main window.
void RegisterExchangeCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

} // namespace vardo
