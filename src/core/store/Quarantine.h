#pragma once

// Keeping damaged data files safe: a file that exists but cannot be loaded as laid down is copied aside
// before anything writes over it, and the user is told which file it is and where the copy is.

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"

namespace vardo {

/// Content of a data file for loading: nullopt when the file does not exist; a failure (with the system's
/// message) when it exists but cannot be read.
Result<std::optional<std::string>> ReadDataFile(const DataFolder& folder, std::string_view name);

/// Copies the file `name` of `folder` to "<name>.uszkodzony" in the same folder ("<name>.uszkodzony2",
/// "...3" and so on when that name is taken by different content; a copy with the same content is reused)
/// and shows the user a warning that names the file, the `reason` (Polish, e.g. "rozmiar 100 B zamiast
/// 1728 B") and the copy's full path. Returns the copy's name relative to the folder. When no copy can be
/// made the user is told that the file will not be written, and the result is a failure: the caller must
/// then refuse to write over the file.
Result<std::string> PreserveUnreadableFile(const DataFolder& folder, std::string_view name, std::string_view reason,
                                           Prompter& prompter);

/// Reason texts for PreserveUnreadableFile.
std::string ReasonPartialRecord(std::size_t fileSize, std::size_t recordSize);
std::string ReasonWrongSize(std::size_t fileSize, std::size_t expectedSize);
std::string ReasonUnreadable(std::string_view systemMessage);
std::string ReasonTooManyRecords(std::size_t records, std::size_t capacity);

/// Shows message 1231 (cannot create the file, with its full path) and returns the failure with the same
/// text.
Status ReportCannotCreate(const DataFolder& folder, std::string_view name, Prompter& prompter);

/// Remembers whether a table may write its file. A table preserves a damaged file through Preserve(); when
/// no copy could be made, Check() refuses every later write of that file.
class WriteGuard {
public:
    /// Preserves `name` (see PreserveUnreadableFile); blocks writing when that fails.
    void Preserve(const DataFolder& folder, std::string_view name, std::string_view reason, Prompter& prompter);
    /// Ok, or the message that the file is not written because its damaged content could not be kept.
    Status Check(std::string_view name) const;
    bool Blocked() const { return m_blocked; }
    /// Name of the preserved copy, empty when none was made.
    const std::string& CopyName() const { return m_copyName; }
    void Reset() { *this = WriteGuard(); }

private:
    bool m_blocked = false;
    std::string m_copyName;
};

} // namespace vardo
