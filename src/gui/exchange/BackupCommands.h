#pragma once

// File > "Kopia i Przywracanie": the backup and restore commands over the document, and the host that gives
// the backup dialog the document's save, settings, password dialog and reload.

#include <optional>
#include <string>
#include <string_view>

#include "core/exchange/BackupDialogPresenter.h"

namespace vardo {

class CMainFrame;
class CVardoDoc;

/// The document side of the backup dialog.
class DocumentBackupHost final : public BackupHost {
public:
    DocumentBackupHost(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

    /// Saves behind the wait window when something is modified (failures are shown).
    void SaveAll() override;
    /// One change of the settings, written to the settings file at once: the backup it records is on disk
    /// already. When nothing else was modified the document stays unmodified.
    void RecordBackup(std::string_view destination, const Date& date) override;
    /// The password dialog (120); a password accepted here is not asked again by the reload that follows.
    bool CheckPassword(std::string_view storedPassword) override;
    /// Releases the document and opens it again from the data folder (through the main window's start-up,
    /// without the start-up note).
    void ReloadAll() override;

private:
    CMainFrame& m_frame;
    CVardoDoc& m_doc;
    Prompter& m_prompter;
    const Clock& m_clock;
    std::optional<std::string> m_acceptedPassword;
};

/// Opens the backup dialog (185) in `mode` over the document; true when a backup was made or a restore done.
/// Nothing happens without an opened document or while a past month is viewed.
bool RunBackupDialog(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                     BackupDialogPresenter::Mode mode);

/// Registers the commands 32863 (backup) and 32864 (restore) with the main window.
void RegisterBackupCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

} // namespace vardo
