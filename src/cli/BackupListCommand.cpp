// vardo-cli backups: the valid entries of the backup history, newest first.

#include <cstdio>
#include <string>

#include "cli/CliCommand.h"
#include "cli/ConsolePrompter.h"
#include "core/exchange/BackupHistory.h"
#include "core/exchange/Restore.h"

namespace vardo::cli {
namespace {

int RunBackups(const CliContext& context) {
    if (!context.args.empty()) {
        std::fprintf(stderr, "vardo-cli backups: unexpected argument '%s'\n", context.args.front().c_str());
        return 2;
    }
    const DataFolder folder(context.dataFolder);
    if (!folder.IsFolder("")) {
        std::fprintf(stderr, "vardo-cli backups: Folder danych %s nie istnieje.\n", context.dataFolder.c_str());
        return 1;
    }
    ConsolePrompter prompter;
    if (RecoverInterruptedRestore(folder, prompter) == RecoveryResult::Failed)
        return 1;
    const BackupHistory history = BackupHistory::Load(folder);
    std::string out;
    for (const int index : history.ValidIndexes())
        out += std::to_string(index) + "\t" + history.Entry(index).text + "\t" + history.Entry(index).path + "\n";
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"backups", "backups", "list the backups and snapshots of the history that can be restored (index, text, path)",
     RunBackups});

} // namespace
} // namespace vardo::cli
