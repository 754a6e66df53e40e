// vardo-cli restore: brings a backup set back into the data folder, or undoes the last restore.

#include <cstdio>
#include <optional>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/exchange/BackupFileSet.h"
#include "core/exchange/BackupHistory.h"
#include "core/exchange/Restore.h"

namespace vardo::cli {
namespace {

int RunRestore(const CliContext& context) {
    OpenedDocument opened("restore");
    std::vector<std::string> args = context.args;
    // The password opens the data folder and, when the backup is protected, the backup.
    std::optional<std::string> password;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--password")
            password = args[i + 1];
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> from;
    std::optional<int> entry;
    bool undo = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--from" && i + 1 < args.size()) {
            from = args[++i];
        } else if (args[i] == "--entry" && i + 1 < args.size()) {
            const std::string& text = args[++i];
            if (text.size() != 1 || text[0] < '0' || text[0] > '9') {
                opened.Error("--entry needs a history index 0..9");
                return 2;
            }
            entry = text[0] - '0';
        } else if (args[i] == "--undo") {
            undo = true;
        } else {
            opened.Error("unexpected argument '" + args[i] + "'");
            return 2;
        }
    }
    if ((from ? 1 : 0) + (entry ? 1 : 0) + (undo ? 1 : 0) != 1) {
        opened.Error("give one of --from DIR, --entry N, --undo");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    const DataFolder data = opened.Doc().Folder();
    RestoreRequest request;
    request.data = data;
    request.workingMonthIndex = opened.Doc().GetWorkingMonth().monthIndex;
    if (undo) {
        if (!CanUndoRestore(data)) {
            opened.Error("nie ma przywracania do cofnięcia");
            return 1;
        }
        request.source = data.Resolve(kUndoRestoreFolder).string();
    } else if (entry) {
        const BackupHistory history = BackupHistory::Load(data);
        const BackupHistoryEntry& chosen = history.Entry(*entry);
        if (!chosen.IsValid()) {
            opened.Error("wpis " + std::to_string(*entry) + " historii kopii nie wskazuje kopii do przywrócenia");
            return 1;
        }
        request.source = chosen.path;
    } else {
        request.source = *from;
    }
    request.checkPassword = [&](std::string_view stored) { return password && *password == stored; };
    // The document read the files that are about to be replaced; it goes before the switch.
    opened.Close();
    const RestoreOutcome outcome = RestoreBackup(request);
    if (outcome.kind != RestoreOutcome::Kind::Restored) {
        opened.Error(outcome.message);
        if (outcome.kind == RestoreOutcome::Kind::WrongPassword && !password)
            opened.Error("podaj hasło kopii opcją --password");
        return 1;
    }
    std::printf("Przywrócono dane z %s\n", request.source.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"restore", "restore (--from DIR | --entry N | --undo) [--password TEXT]",
     "restore a backup set (or a history entry) into the data folder, or undo the last restore", RunRestore});

} // namespace
} // namespace vardo::cli
