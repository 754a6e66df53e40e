#include "core/exchange/Backup.h"

#include <filesystem>
#include <system_error>

#include "core/exchange/BackupHistory.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::string_view kLastKey = "Last";

// The destination as a full path (the history records where the set is), without a final separator.
std::string WithoutFinalSeparator(std::string_view path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.remove_suffix(1);
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(std::string(path)), ec);
    return ec ? std::string(path) : full.string();
}

BackupOutcome Failed(std::string folder, const std::string& reason) {
    return {BackupOutcome::Kind::Failed, std::move(folder), FormatArgs(Str(StrId::BackupFailed), {reason})};
}

// Removes temporary sets that an interrupted backup left in the destination.
void RemoveLeftovers(const DataFolder& destination) {
    const auto names = destination.List();
    if (!names)
        return;
    for (const std::string& name : names.value())
        if (name.starts_with(kBackupTempPrefix))
            (void)destination.RemoveFolder(name, true);
}

} // namespace

std::string BackupSetPath(std::string_view destination, const DateTime& now) {
    std::string path = WithoutFinalSeparator(destination);
    if (path != "/")
        path += '/';
    return path + BackupSetName(now);
}

BackupOutcome MakeBackup(const BackupRequest& request) {
    const std::string name = BackupSetName(request.now);
    const std::string folder = BackupSetPath(request.destination, request.now);
    const DataFolder destination{std::filesystem::path(WithoutFinalSeparator(request.destination))};
    if (destination.Exists(name))
        return {BackupOutcome::Kind::FolderExists, folder, std::string(Str(StrId::RetryInOneMinute))};
    if (!destination.IsFolder(""))
        return Failed(folder, FormatPrintf("Folder %s nie istnieje.", destination.Root().string().c_str()));

    RemoveLeftovers(destination);
    const std::string tempName = std::string(kBackupTempPrefix) + name;
    const DataFolder temp = destination.Sub(tempName);
    const auto abandon = [&](const Status& why) {
        (void)destination.RemoveFolder(tempName, true);
        return Failed(folder, why.message());
    };
    if (Status created = destination.CreateFolder(tempName); !created)
        return abandon(created);
    if (Status copied = CopyFileSet(request.data, temp, request.progress); !copied)
        return abandon(copied);
    if (request.snapshotMask != 0) {
        if (Status rolled =
                CopyRollOut(request.data, temp, request.workingMonthIndex, request.snapshotMask, request.progress);
            !rolled)
            return abandon(rolled);
        for (int i = 1; i <= kRollMonths; ++i)
            if ((request.snapshotMask & (1u << i)) != 0)
                (void)temp.SyncFolder(SnapshotFolderName(SnapshotNumber(request.workingMonthIndex, i)));
        (void)temp.SyncFolder("Roll");
    }
    (void)temp.SyncFolder();
    // Another backup of the same minute may have appeared meanwhile; never merge into it.
    if (destination.Exists(name)) {
        (void)destination.RemoveFolder(tempName, true);
        return {BackupOutcome::Kind::FolderExists, folder, std::string(Str(StrId::RetryInOneMinute))};
    }
    if (Status renamed = destination.Rename(tempName, name); !renamed)
        return abandon(renamed);

    BackupOutcome outcome{BackupOutcome::Kind::Created, folder, {}};
    if (Status pushed = BackupHistory::Push(request.data, {BackupHistoryText(request.now), folder}); !pushed)
        outcome.message = pushed.message();
    return outcome;
}

std::string LastBackupDestination(const IniFile& settings) {
    return settings.GetString(Str(StrId::BackupSection), Str(StrId::BackupPathKey), "");
}

std::string LastBackupDate(const IniFile& settings) {
    return settings.GetString(Str(StrId::BackupSection), kLastKey, "");
}

void RecordBackupInSettings(IniFile& settings, std::string_view destination, const Date& date) {
    settings.SetString(Str(StrId::BackupSection), Str(StrId::BackupPathKey), destination);
    settings.SetString(Str(StrId::BackupSection), kLastKey, date.ToIso());
}

bool AskBackupBeforeImport(const Clock& clock, const IniFile& settings, Prompter& prompter) {
    if (LastBackupDate(settings) == clock.Today().ToIso())
        return false;
    return prompter.Ask(Str(StrId::BackupFirst), Buttons::YesNo, Answer::Yes) == Answer::Yes;
}

} // namespace vardo
