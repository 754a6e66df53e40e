// Renders the backup dialog on a demo congregation into PNG files, for looking at the layout: backup mode,
// restore from the history list, restore from a searched folder and the undo of a restore. Not a test and not
// shipped: vardo_backup_dialog_screenshots WORK_DIR OUT_DIR (WORK_DIR must not exist yet).

#include <cstdio>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/doc/DemoCongregation.h"
#include "core/exchange/Backup.h"
#include "core/exchange/Restore.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/store/Settings.h"
#include "gui/exchange/CBackupDlg.h"
#include "ScreenshotKit.h"

using vardo::screenshots::SaveAdjusted;

namespace {

class NoHost final : public vardo::BackupHost {
public:
    void SaveAll() override {}
    void RecordBackup(std::string_view, const vardo::Date&) override {}
    bool CheckPassword(std::string_view) override { return true; }
    void ReloadAll() override {}
};

vardo::BackupOutcome Backup(const vardo::DataFolder& data, const std::string& destination, int minute) {
    vardo::BackupRequest request;
    request.data = data;
    request.destination = destination;
    request.now = vardo::DateTime{vardo::Date{2024, 3, 10}, 9, minute, 0};
    request.workingMonthIndex = 1;
    return vardo::MakeBackup(request);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto out =
        vardo::screenshots::ReadOutFolder(argc, argv, 2, "vardo_backup_dialog_screenshots WORK_DIR OUT_DIR");
    if (!out)
        return 2;
    const std::filesystem::path work(argv[1]);
    vardo::FixedClock clock(vardo::Date{2024, 3, 10}, 9, 30, 0);
    vardo::ScriptedPrompter prompter;
    const vardo::DataFolder data(work / "data");
    const std::string drive = (work / "drive").string();
    std::filesystem::create_directories(drive);
    vardo::DemoOptions demo;
    demo.people = 150;
    if (!vardo::screenshots::WriteDemo(data, clock, prompter, demo))
        return 1;
    Backup(data, drive, 10);
    const vardo::BackupOutcome last = Backup(data, drive, 20);
    auto settings = vardo::LoadSettingsFile(data);
    if (!settings)
        return 1;
    vardo::RecordBackupInSettings(settings.value(), drive, clock.Today());
    NoHost host;
    using Mode = vardo::BackupDialogPresenter::Mode;
    {
        vardo::CBackupDlg dialog(Mode::Backup, data, settings.value(), clock, 1, 0, host, prompter);
        SaveAdjusted(dialog, *out, "backup-dialog-backup.png");
    }
    {
        vardo::CBackupDlg dialog(Mode::Restore, data, settings.value(), clock, 1, 0, host, prompter);
        SaveAdjusted(dialog, *out, "backup-dialog-restore-history.png");
        dialog.findChild<QRadioButton*>(QStringLiteral("folderRadio"))->click();
        SaveAdjusted(dialog, *out, "backup-dialog-restore-folder.png");
    }
    vardo::RestoreRequest restore;
    restore.data = data;
    restore.source = last.folder;
    restore.workingMonthIndex = 1;
    if (vardo::RestoreBackup(restore).kind == vardo::RestoreOutcome::Kind::Restored) {
        vardo::CBackupDlg dialog(Mode::Restore, data, settings.value(), clock, 1, 0, host, prompter);
        dialog.findChild<QCheckBox*>(QStringLiteral("undoCheck"))->click();
        SaveAdjusted(dialog, *out, "backup-dialog-restore-undo.png");
    }
    return 0;
}
