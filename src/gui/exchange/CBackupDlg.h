#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "core/exchange/BackupDialogPresenter.h"

class QCloseEvent;

namespace Ui {
class CBackupDlg;
}

namespace vardo {

/// The backup and restore dialog (185): a backup into a time-stamped folder, or a restore from the history
/// list, from a folder searched for, or the undo of the last restore. The rules are the presenter's; the
/// dialog shows its view and, while files are copied, the prompt line file by file.
class CBackupDlg : public QDialog {
    Q_OBJECT

public:
    /// Reads the backup history behind the wait box, then shows the dialog in `mode`.
    CBackupDlg(BackupDialogPresenter::Mode mode, const DataFolder& dataFolder, const IniFile& settings,
               const Clock& clock, int workingMonthIndex, std::uint16_t snapshotMask, BackupHost& host,
               Prompter& prompter, QWidget* parent = nullptr);
    ~CBackupDlg() override;

    /// Opens the dialog modally; true when a backup was made or a restore done.
    static bool Run(QWidget* parent, BackupDialogPresenter::Mode mode, const DataFolder& dataFolder,
                    const IniFile& settings, const Clock& clock, int workingMonthIndex, std::uint16_t snapshotMask,
                    BackupHost& host, Prompter& prompter);

    const BackupDialogPresenter& Presenter() const { return *m_presenter; }
    Ui::CBackupDlg& Widgets() { return *m_ui; }
    /// Files are being copied: the dialog cannot be closed.
    bool Busy() const { return m_busy; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class ProgressHost;

    void Show();
    void ShowList();
    void SetBusy(bool busy);
    void OnOk();
    void OnBrowse();

    std::unique_ptr<Ui::CBackupDlg> m_ui;
    std::unique_ptr<ProgressHost> m_host;
    std::unique_ptr<BackupDialogPresenter> m_presenter;
    DataFolder m_data;
    std::vector<std::string> m_shownItems;
    bool m_busy = false;
    bool m_waitCursor = false;
};

} // namespace vardo
