#include "core/exchange/Restore.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

#include "core/platform/Strings.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/PublisherRecord.h"

namespace vardo {
namespace {

constexpr std::string_view kJournalMagic = "vardo-restore 1";
constexpr std::string_view kPhaseStage = "stage";
constexpr std::string_view kPhaseSwitch = "switch";

// What the journal records: the phase, the files of the incoming set, and whether (and with which months)
// its snapshots replace the data folder's.
struct Journal {
    std::string phase;
    std::vector<std::string> files;
    bool replaceRoll = false;
    std::vector<int> rollNumbers;
};

std::string SerializeJournal(const Journal& journal) {
    std::string text(kJournalMagic);
    text.append("\nphase ").append(journal.phase).append("\nfiles");
    for (const std::string& file : journal.files)
        text.append(" ").append(file);
    text.append(journal.replaceRoll ? "\nroll yes" : "\nroll no");
    for (int n : journal.rollNumbers)
        text.append(" ").append(std::to_string(n));
    text.append("\nend\n");
    return text;
}

std::optional<Journal> ParseJournal(std::string_view bytes) {
    std::istringstream in{std::string(bytes)};
    std::string line;
    if (!std::getline(in, line) || line != kJournalMagic)
        return std::nullopt;
    Journal journal;
    bool complete = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "phase") {
            words >> journal.phase;
        } else if (key == "files") {
            for (std::string file; words >> file;)
                journal.files.push_back(file);
        } else if (key == "roll") {
            std::string flag;
            words >> flag;
            journal.replaceRoll = flag == "yes";
            for (int n = 0; words >> n;)
                journal.rollNumbers.push_back(n);
        } else if (key == "end") {
            complete = true;
        }
    }
    if (!complete || (journal.phase != kPhaseStage && journal.phase != kPhaseSwitch))
        return std::nullopt;
    return journal;
}

std::string StagePath(std::string_view relative) {
    return std::string(kRestoreStageFolder) + "/" + std::string(relative);
}

// The switch: every step can be repeated, so an interrupted switch is completed by running it again.
Status Switch(const DataFolder& data, const Journal& journal) {
    for (const std::string_view name : BackupFileNames()) {
        const bool incoming = std::find(journal.files.begin(), journal.files.end(), name) != journal.files.end();
        if (!incoming) {
            if (Status removed = data.Remove(name); !removed)
                return removed;
        } else if (data.Exists(StagePath(name))) {
            if (Status moved = data.Rename(StagePath(name), name); !moved)
                return moved;
        }
    }
    if (journal.replaceRoll) {
        if (Status created = data.CreateFolder("Roll"); !created)
            return created;
        for (int n = 1; n <= 12; ++n) {
            const std::string folder = SnapshotFolderName(n);
            const bool incoming =
                std::find(journal.rollNumbers.begin(), journal.rollNumbers.end(), n) != journal.rollNumbers.end();
            if (incoming && data.IsFolder(StagePath(folder))) {
                if (Status removed = data.RemoveFolder(folder, true); !removed)
                    return removed;
                if (Status moved = data.Rename(StagePath(folder), folder); !moved)
                    return moved;
            } else if (!incoming && std::find(journal.rollNumbers.begin(), journal.rollNumbers.end(), -n) !=
                                        journal.rollNumbers.end()) {
                if (Status removed = data.RemoveFolder(folder, true); !removed)
                    return removed;
            }
        }
        (void)data.SyncFolder("Roll");
    }
    if (data.IsFolder(kUndoRestoreTempFolder)) {
        if (Status removed = data.RemoveFolder(kUndoRestoreFolder, true); !removed)
            return removed;
        if (Status moved = data.Rename(kUndoRestoreTempFolder, kUndoRestoreFolder); !moved)
            return moved;
    }
    if (Status removed = data.RemoveFolder(kRestoreStageFolder, true); !removed)
        return removed;
    (void)data.SyncFolder();
    return data.Remove(kRestoreJournal);
}

Status RollBack(const DataFolder& data) {
    if (Status removed = data.RemoveFolder(kRestoreStageFolder, true); !removed)
        return removed;
    if (Status removed = data.RemoveFolder(kUndoRestoreTempFolder, true); !removed)
        return removed;
    (void)data.SyncFolder();
    return data.Remove(kRestoreJournal);
}

// Completes or undoes what an interrupted restore's journal describes.
Status Recover(const DataFolder& data, RecoveryResult& result) {
    result = RecoveryResult::Nothing;
    if (!data.Exists(kRestoreJournal))
        return Status::Ok();
    result = RecoveryResult::Failed;
    const auto bytes = data.ReadAll(kRestoreJournal);
    if (!bytes)
        return bytes.status();
    const std::optional<Journal> journal = ParseJournal(bytes.value());
    if (!journal)
        return Status::Fail(data.Resolve(kRestoreJournal).string());
    const bool forward = journal->phase == kPhaseSwitch;
    if (Status status = forward ? Switch(data, *journal) : RollBack(data); !status)
        return status;
    result = forward ? RecoveryResult::Completed : RecoveryResult::RolledBack;
    return Status::Ok();
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1;
    std::error_code ec2;
    const auto left = std::filesystem::weakly_canonical(a, ec1);
    const auto right = std::filesystem::weakly_canonical(b, ec2);
    if (ec1 || ec2)
        return a == b;
    return left == right;
}

// The gate: the set's register header, unscrambled as the loader does, and its password.
RestoreOutcome CheckSource(const DataFolder& source, const RestoreRequest& request) {
    const auto bytes = source.ReadAll("tdat9.bin");
    if (!bytes || bytes.value().size() < kRecordSize)
        return {RestoreOutcome::Kind::NoDatabase, false, FormatArgs(Str(StrId::NoReadableBackup), {request.source})};
    HeaderRecord header = HeaderRecord::FromBytes(std::string_view(bytes.value()).substr(0, kRecordSize));
    if (header.StorageMarker() != HeaderRecord::kPlainMarker)
        ScrambleRecord(header, -1);
    if (header.HasPassword() && !(request.checkPassword && request.checkPassword(header.Password())))
        return {RestoreOutcome::Kind::WrongPassword, false, std::string(Str(StrId::WrongBackupPassword))};
    return {RestoreOutcome::Kind::Restored, false, {}};
}

} // namespace

bool CanUndoRestore(const DataFolder& data) {
    return HoldsDatabase(data.Sub(kUndoRestoreFolder));
}

RestoreOutcome RestoreBackup(const RestoreRequest& request) {
    const DataFolder& data = request.data;
    std::error_code ec;
    const DataFolder source{std::filesystem::absolute(std::filesystem::path(request.source), ec)};
    RestoreOutcome gate = CheckSource(source, request);
    if (gate.kind != RestoreOutcome::Kind::Restored)
        return gate;
    const bool undo = SamePath(source.Root(), data.Resolve(kUndoRestoreFolder));
    const auto fail = [&](const Status& why) {
        (void)RollBack(data);
        return RestoreOutcome{RestoreOutcome::Kind::Failed, undo,
                              FormatArgs(Str(StrId::RestoreFailed), {why.message()})};
    };

    // An interrupted restore is settled first; leftovers without a journal are no part of this restore.
    RecoveryResult earlier = RecoveryResult::Nothing;
    if (Status recovered = Recover(data, earlier); !recovered)
        return {RestoreOutcome::Kind::Failed, undo, FormatArgs(Str(StrId::RecoveryFailed), {recovered.message()})};
    if (Status cleared = RollBack(data); !cleared)
        return fail(cleared);
    Journal journal;
    journal.phase = std::string(kPhaseStage);
    if (Status written = data.WriteAtomic(kRestoreJournal, SerializeJournal(journal)); !written)
        return fail(written);

    // The incoming set.
    const DataFolder stage = data.Sub(kRestoreStageFolder);
    if (Status created = data.CreateFolder(kRestoreStageFolder); !created)
        return fail(created);
    if (Status copied = CopyFileSet(source, stage, request.progress); !copied)
        return fail(copied);
    for (const std::string_view name : BackupFileNames())
        if (stage.Exists(name))
            journal.files.emplace_back(name);
    journal.replaceRoll = source.IsFolder("Roll");
    if (journal.replaceRoll) {
        const auto copied = CopyRollIn(source, stage, request.workingMonthIndex, request.progress);
        if (!copied)
            return fail(copied.status());
        // Positive numbers: snapshots that come in; negative: months of the six the set lacks, which go.
        for (int i = 1; i <= kRollMonths; ++i) {
            const int n = SnapshotNumber(request.workingMonthIndex, i);
            const bool present = (copied.value() & (1u << i)) != 0;
            journal.rollNumbers.push_back(present ? n : -n);
            if (present)
                (void)stage.SyncFolder(SnapshotFolderName(n));
        }
        (void)stage.SyncFolder("Roll");
    }
    (void)stage.SyncFolder();

    // The data as it stands, for the undo.
    const DataFolder undoStage = data.Sub(kUndoRestoreTempFolder);
    if (Status created = data.CreateFolder(kUndoRestoreTempFolder); !created)
        return fail(created);
    if (Status copied = CopyFileSet(data, undoStage, request.progress); !copied)
        return fail(copied);
    const std::uint16_t mask = ComputeSnapshotMask(data, request.workingMonthIndex);
    if (Status rolled = CopyRollOut(data, undoStage, request.workingMonthIndex, mask, request.progress); !rolled)
        return fail(rolled);
    for (int i = 1; i <= kRollMonths; ++i)
        if ((mask & (1u << i)) != 0)
            (void)undoStage.SyncFolder(SnapshotFolderName(SnapshotNumber(request.workingMonthIndex, i)));
    (void)undoStage.SyncFolder("Roll");
    (void)undoStage.SyncFolder();
    (void)data.SyncFolder();

    // From here on the restore completes, now or at the next opening.
    journal.phase = std::string(kPhaseSwitch);
    if (Status written = data.WriteAtomic(kRestoreJournal, SerializeJournal(journal)); !written)
        return fail(written);
    if (Status switched = Switch(data, journal); !switched)
        return {RestoreOutcome::Kind::Failed, undo, FormatArgs(Str(StrId::RecoveryFailed), {switched.message()})};
    return {RestoreOutcome::Kind::Restored, undo, {}};
}

RecoveryResult RecoverInterruptedRestore(const DataFolder& data, Prompter& prompter) {
    RecoveryResult result = RecoveryResult::Nothing;
    if (Status status = Recover(data, result); !status) {
        prompter.Message(FormatArgs(Str(StrId::RecoveryFailed), {status.message()}), Severity::Error);
        return RecoveryResult::Failed;
    }
    if (result != RecoveryResult::Nothing)
        prompter.Message(
            Str(result == RecoveryResult::Completed ? StrId::RestoreRolledForward : StrId::RestoreRolledBack),
            Severity::Warning);
    return result;
}

} // namespace vardo
