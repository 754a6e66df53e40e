#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Result.h"

namespace vardo {

/// File access inside one folder (the data folder, a snapshot folder, a backup folder). Names are relative
/// to the root and may contain '/' ("Roll/Vd9_300/tdat9.bin"; a backslash counts as '/' too); an absolute path
/// is used as it stands.
/// Every component of a name is resolved case-insensitively against what exists (folders copied from
/// Windows); components that do not exist keep the spelling given. Bytes are passed as std::string.
/// No exception leaves this class: failures come back as Status/Result with a message naming the file.
class DataFolder {
public:
    using FileTime = std::filesystem::file_time_type;

    DataFolder() = default;
    explicit DataFolder(std::filesystem::path root);

    const std::filesystem::path& Root() const { return m_root; }
    /// A folder below this one, resolved case-insensitively.
    DataFolder Sub(std::string_view name) const;

    /// The existing path that `name` names (case-insensitive), or the path as given when none exists.
    std::filesystem::path Resolve(std::string_view name) const;
    bool Exists(std::string_view name) const;
    bool IsFolder(std::string_view name) const;

    /// Whole content of a file.
    Result<std::string> ReadAll(std::string_view name) const;
    /// Replaces the file atomically: writes a temporary file in the same folder, flushes and fsyncs it, then
    /// renames it over the old one (and fsyncs the folder). An interruption leaves the old or the new file.
    /// An existing file without write permission (no write bit, or not writable for this user) is refused and
    /// left as it is; the same holds for WriteAt and Append.
    Status WriteAtomic(std::string_view name, std::string_view bytes) const;
    /// Overwrites bytes at `offset` of an existing file in place (the file grows if needed). Not synced to disk.
    Status WriteAt(std::string_view name, std::uint64_t offset, std::string_view bytes) const;
    /// Appends bytes, creating the file when missing. Not synced to disk.
    Status Append(std::string_view name, std::string_view bytes) const;
    /// Copies a file (replacing the target atomically, keeping the source's modification time); `to` may be
    /// absolute.
    Status Copy(std::string_view from, std::string_view to) const;
    /// Deletes a file; a missing file is not an error.
    Status Remove(std::string_view name) const;
    /// Renames a file or folder, replacing an existing target file; a change of case alone renames too. A
    /// file is copied and then deleted when the target is on another file system.
    Status Rename(std::string_view from, std::string_view to) const;
    /// Creates the folder and any missing parents.
    Status CreateFolder(std::string_view name) const;
    /// Removes a folder; with `recursive` its contents too. A missing folder is not an error; an empty name
    /// (the root itself) is refused.
    Status RemoveFolder(std::string_view name, bool recursive) const;

    Result<std::uint64_t> Size(std::string_view name) const;
    Result<FileTime> ModificationTime(std::string_view name) const;
    /// Names of the entries of a folder ("" = the root), sorted byte-wise.
    Result<std::vector<std::string>> List(std::string_view folder = {}) const;

    /// Removes the temporary files that atomic writes of processes no longer running left in a folder ("" =
    /// the root) when they were killed half-way; returns how many went. Files of a running process stay.
    int RemoveStaleTemporaries(std::string_view folder = {}) const;

    /// Flushes a folder's entries (creations, renames, deletions) to disk; "" = the root.
    Status SyncFolder(std::string_view name = {}) const;
    /// A 64-bit checksum of a file's bytes (not cryptographic; for comparing a copy with its source).
    Result<std::uint64_t> Checksum(std::string_view name) const;

    /// Test hook for crash tests: when set, called once before every change any DataFolder makes on disk
    /// (writes, renames, deletions, folder creation and removal, and between writing a temporary file and
    /// renaming it into place). Null by default; process-wide.
    using StepHook = void (*)();
    static void SetStepHook(StepHook hook);

private:
    std::filesystem::path m_root;
};

} // namespace vardo
