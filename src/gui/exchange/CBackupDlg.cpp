#include "gui/exchange/CBackupDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QSignalBlocker>

#include "core/exchange/Restore.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "gui/app/SaveWaitWindow.h"
#include "ui_CBackupDlg.h"

namespace vardo {

// Passes everything on to the caller's host; the prompt line is repainted at once for every file copied, the
// copy running on this thread.
class CBackupDlg::ProgressHost final : public BackupHost {
public:
    ProgressHost(BackupHost& host, CBackupDlg& dialog) : m_host(host), m_dialog(dialog) {}

    void SaveAll() override { m_host.SaveAll(); }
    void RecordBackup(std::string_view destination, const Date& date) override {
        m_host.RecordBackup(destination, date);
    }
    bool CheckPassword(std::string_view storedPassword) override { return m_host.CheckPassword(storedPassword); }
    void ReloadAll() override { m_host.ReloadAll(); }
    void Progress(std::string_view line) override {
        // The wait cursor comes with the first file, after any password dialog.
        if (!m_dialog.m_waitCursor) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_dialog.m_waitCursor = true;
        }
        m_dialog.m_ui->promptLabel->setText(ToQt(line));
        m_host.Progress(line);
        // Paint the line and keep the window alive; clicks wait until the copy is over.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    BackupHost& m_host;
    CBackupDlg& m_dialog;
};

CBackupDlg::CBackupDlg(BackupDialogPresenter::Mode mode, const DataFolder& dataFolder, const IniFile& settings,
                       const Clock& clock, int workingMonthIndex, std::uint16_t snapshotMask, BackupHost& host,
                       Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CBackupDlg>()), m_host(std::make_unique<ProgressHost>(host, *this)),
      m_data(dataFolder) {
    m_ui->setupUi(this);
    {
        // Checking the history looks at every folder it names, which may sit on a slow or absent drive.
        SaveWaitWindow wait(ToQt(Str(StrId::CheckingBackups)), parent);
        m_presenter = std::make_unique<BackupDialogPresenter>(mode, dataFolder, settings, clock, workingMonthIndex,
                                                              snapshotMask, *m_host, prompter);
    }

    connect(m_ui->historyRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            m_presenter->ChooseHistoryList();
            Show();
        }
    });
    connect(m_ui->folderRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            m_presenter->ChooseFolderSearch();
            Show();
        }
    });
    connect(m_ui->useLastCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter->SetUseLastBackup(on);
        Show();
    });
    connect(m_ui->undoCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter->SetUndoLastRestore(on);
        Show();
    });
    connect(m_ui->listWidget, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        m_presenter->SelectItem(row);
        Show();
    });
    connect(m_ui->browseButton, &QPushButton::clicked, this, &CBackupDlg::OnBrowse);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CBackupDlg::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CBackupDlg::reject);
    Show();
}

CBackupDlg::~CBackupDlg() = default;

bool CBackupDlg::Run(QWidget* parent, BackupDialogPresenter::Mode mode, const DataFolder& dataFolder,
                     const IniFile& settings, const Clock& clock, int workingMonthIndex, std::uint16_t snapshotMask,
                     BackupHost& host, Prompter& prompter) {
    CBackupDlg dialog(mode, dataFolder, settings, clock, workingMonthIndex, snapshotMask, host, prompter, parent);
    dialog.exec();
    return dialog.Presenter().Done();
}

void CBackupDlg::Show() {
    const BackupDialogView& v = m_presenter->View();
    setWindowTitle(ToQt(v.caption));

    m_ui->spaceGroup->setVisible(v.spaceVisible);
    m_ui->spaceLabel->setText(ToQt(v.spaceText));

    m_ui->pathGroup->setTitle(ToQt(v.pathGroupText));
    m_ui->pathLabel->setText(ToQt(v.pathText));
    m_ui->pathLabel->setVisible(!v.pathText.empty());
    m_ui->historyRadio->setVisible(v.historyRadioVisible);
    m_ui->historyRadio->setEnabled(v.historyRadioEnabled);
    m_ui->folderRadio->setVisible(v.folderRadioVisible);
    {
        const QSignalBlocker blockHistory(m_ui->historyRadio);
        const QSignalBlocker blockFolder(m_ui->folderRadio);
        m_ui->historyRadio->setChecked(v.historyListMode);
        m_ui->folderRadio->setChecked(!v.historyListMode);
    }
    m_ui->browseButton->setVisible(v.browseVisible);
    m_ui->pathGroup->setVisible(!v.pathGroupText.empty() || !v.pathText.empty() || v.historyRadioVisible ||
                                v.folderRadioVisible || v.browseVisible);

    m_ui->promptLabel->setText(ToQt(v.prompt));

    m_ui->listGroup->setVisible(v.listVisible);
    ShowList();

    {
        const QSignalBlocker blockUseLast(m_ui->useLastCheck);
        const QSignalBlocker blockUndo(m_ui->undoCheck);
        m_ui->useLastCheck->setVisible(v.useLastVisible);
        m_ui->useLastCheck->setChecked(v.useLastChecked);
        m_ui->undoCheck->setVisible(v.undoVisible);
        m_ui->undoCheck->setChecked(v.undoChecked);
    }
    m_ui->okButton->setVisible(v.okVisible);
    m_ui->cancelButton->setText(ToQt(v.cancelText));
}

void CBackupDlg::ShowList() {
    const BackupDialogView& v = m_presenter->View();
    const QSignalBlocker block(m_ui->listWidget);
    // The list is rebuilt only when its entries change, so that a click in it is never answered by deleting the
    // item clicked.
    if (v.listItems != m_shownItems) {
        m_ui->listWidget->clear();
        for (const std::string& item : v.listItems)
            m_ui->listWidget->addItem(ToQt(item));
        m_shownItems = v.listItems;
    }
    m_ui->listWidget->setCurrentRow(v.selectedItem);
}

void CBackupDlg::SetBusy(bool busy) {
    m_busy = busy;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_ui->okButton, m_ui->cancelButton, m_ui->browseButton, m_ui->historyRadio,
                                         m_ui->folderRadio, m_ui->listWidget, m_ui->useLastCheck, m_ui->undoCheck})
        widget->setEnabled(!busy);
    if (!busy && m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
}

void CBackupDlg::OnOk() {
    if (m_busy)
        return;
    SetBusy(true);
    const BackupDialogPresenter::After after = m_presenter->Ok();
    SetBusy(false);
    if (after == BackupDialogPresenter::After::Close) {
        accept();
        return;
    }
    if (m_presenter->GetMode() == BackupDialogPresenter::Mode::Restore && m_data.Exists(kRestoreJournal)) {
        // The switch-over began and could not be finished: the document still holds the data it replaced. The
        // reload settles the folder (finishing or rolling back the restore, and saying so) before it reads it.
        m_host->ReloadAll();
        QDialog::reject();
        return;
    }
    Show();
}

void CBackupDlg::OnBrowse() {
    const bool backup = m_presenter->GetMode() == BackupDialogPresenter::Mode::Backup;
    std::string start = m_presenter->CurrentPath();
    if (start.empty())
        start = m_data.Root().string();
    QFileDialog picker(this, ToQt(Str(backup ? StrId::BackupDestGroup : StrId::RestoreSourceGroup)).trimmed(),
                       ToQt(start));
    picker.setObjectName(QStringLiteral("folderPicker"));
    picker.setFileMode(QFileDialog::Directory);
    picker.setOption(QFileDialog::ShowDirsOnly, true);
    picker.setOption(QFileDialog::DontUseNativeDialog, true);
    if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return;
    m_presenter->Browse(ToUtf8(picker.selectedFiles().constFirst()));
    Show();
}

void CBackupDlg::reject() {
    if (m_busy)
        return;
    QDialog::reject();
}

void CBackupDlg::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace vardo
