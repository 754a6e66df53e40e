#include "gui/exchange/BackupCommands.h"

#include <QApplication>

#include "core/doc/CVardoDoc.h"
#include "core/exchange/Backup.h"
#include "core/exchange/MonthlySnapshot.h"
#include "core/store/DocumentChange.h"
#include "core/store/Settings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/PasswordDialog.h"
#include "gui/exchange/CBackupDlg.h"

namespace vardo {

DocumentBackupHost::DocumentBackupHost(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock)
    : m_frame(frame), m_doc(doc), m_prompter(prompter), m_clock(clock) {}

void DocumentBackupHost::SaveAll() {
    if (m_doc.CanSave())
        m_frame.SaveCommand();
}

void DocumentBackupHost::RecordBackup(std::string_view destination, const Date& date) {
    if (!m_doc.IsLoaded())
        return;
    const bool wasModified = m_doc.IsModified();
    DocumentChange change(m_doc.Changes(), "Kopia zapasowa");
    change.Touch(DataArea::Settings);
    RecordBackupInSettings(m_doc.SettingsFile(), destination, date);
    // The document's settings are what its next save writes back into the file.
    Settings& settings = m_doc.GetSettings();
    settings.lastBackupFolder = LastBackupDestination(m_doc.SettingsFile());
    settings.lastBackupDate = LastBackupDate(m_doc.SettingsFile());
    change.Commit();
    if (const Status saved = SaveSettingsFile(m_doc.SettingsFile(), m_doc.Folder()); !saved)
        m_prompter.Message(saved.message(), Severity::Warning);
    else if (!wasModified)
        m_doc.Changes().MarkSaved();
}

bool DocumentBackupHost::CheckPassword(std::string_view storedPassword) {
    const std::string stored(storedPassword);
    if (!PasswordDialog::Check(QApplication::activeModalWidget(), stored, false))
        return false;
    m_acceptedPassword = stored;
    return true;
}

void DocumentBackupHost::ReloadAll() {
    const DataFolder folder = m_doc.Folder();
    const std::optional<std::string> accepted = m_acceptedPassword;
    // Close drops the start-up copy of the remark file, which belongs to the data that was replaced.
    m_doc.Close();
    (void)m_frame.OpenDocument(folder, m_clock, false, [accepted](std::string_view stored) {
        if (accepted && *accepted == stored)
            return true;
        return PasswordDialog::Check(nullptr, std::string(stored), false);
    });
}

bool RunBackupDialog(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                     BackupDialogPresenter::Mode mode) {
    if (!doc.IsLoaded() || doc.PastMonthMode())
        return false;
    DocumentBackupHost host(frame, doc, prompter, clock);
    const int month = doc.GetWorkingMonth().monthIndex;
    const DataFolder folder = doc.Folder();
    const bool done = CBackupDlg::Run(&frame, mode, folder, doc.SettingsFile(), clock, month,
                                      ComputeSnapshotMask(folder, month), host, prompter);
    frame.UpdateCommands();
    return done;
}

void RegisterBackupCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    Prompter* prompts = &prompter;
    const Clock* time = &clock;
    frame.RegisterDocumentCommand(cmd::kBackup, [window, document, prompts, time] {
        (void)RunBackupDialog(*window, *document, *prompts, *time, BackupDialogPresenter::Mode::Backup);
    });
    frame.RegisterDocumentCommand(cmd::kRestore, [window, document, prompts, time] {
        (void)RunBackupDialog(*window, *document, *prompts, *time, BackupDialogPresenter::Mode::Restore);
    });
}

} // namespace vardo
