// vardo-cli backup: a backup set of the data folder (with the recent monthly snapshots) in a destination folder.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/exchange/Backup.h"
#include "core/exchange/BackupFileSet.h"
#include "core/store/Settings.h"

namespace vardo::cli {
namespace {

int RunBackup(const CliContext& context) {
    OpenedDocument opened("backup");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::string destination;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--to" && i + 1 < args.size()) {
            destination = args[++i];
        } else {
            opened.Error("unexpected argument '" + args[i] + "'");
            return 2;
        }
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    if (destination.empty())
        destination = LastBackupDestination(doc.SettingsFile());
    if (destination.empty())
        destination = doc.Folder().Root().string();

    BackupRequest request;
    request.data = doc.Folder();
    request.destination = destination;
    request.now = opened.GetClock().Now();
    request.workingMonthIndex = doc.GetWorkingMonth().monthIndex;
    request.snapshotMask = ComputeSnapshotMask(doc.Folder(), request.workingMonthIndex);
    const BackupOutcome outcome = MakeBackup(request);
    if (outcome.kind != BackupOutcome::Kind::Created) {
        opened.Error(outcome.kind == BackupOutcome::Kind::FolderExists ? outcome.folder + ": " + outcome.message
                                                                       : outcome.message);
        return 1;
    }
    if (!outcome.message.empty())
        opened.Error(outcome.message);
    RecordBackupInSettings(doc.SettingsFile(), destination, request.now.date);
    if (Status saved = SaveSettingsFile(doc.SettingsFile(), doc.Folder()); !saved)
        opened.Error(saved.message());
    opened.Close();
    std::printf("%s\n", outcome.folder.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"backup", "backup [--to DIR] [--password TEXT]",
                     "make a backup set in DIR (default: the last destination) and print its folder", RunBackup});

} // namespace
} // namespace vardo::cli
