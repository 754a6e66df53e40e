#pragma once

// Load and save of the side files made of fixed-size records or of one fixed-size block of bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

/// Reads the file `name` of exactly N bytes into `record` (zeroed first; a missing file leaves it zero). A file
/// that cannot be read, or has another size, is kept aside through `guard` (the user is told) before its bytes,
/// cut or zero-filled to N, are taken.
template <std::size_t N>
void LoadFixedFile(const DataFolder& folder, std::string_view name, FixedRecord<N>& record, WriteGuard& guard,
                   Prompter& prompter) {
    record.Clear();
    guard.Reset();
    auto content = ReadDataFile(folder, name);
    if (!content) {
        guard.Preserve(folder, name, ReasonUnreadable(content.error()), prompter);
        return;
    }
    if (!content.value())
        return;
    const std::string& bytes = *content.value();
    if (!bytes.empty() && bytes.size() != N)
        guard.Preserve(folder, name, ReasonWrongSize(bytes.size(), N), prompter);
    record = FixedRecord<N>::FromBytes(bytes);
}

/// Reads a file of whole records of `recordSize` bytes for loading, after resetting `guard`. nullopt when the
/// file does not exist or cannot be read; a file that cannot be read, or ends inside a record, is kept aside
/// through `guard` first (the user is told). The bytes are returned as read, a partial last record included.
std::optional<std::string> ReadRecordsForLoad(const DataFolder& folder, std::string_view name, std::size_t recordSize,
                                              WriteGuard& guard, Prompter& prompter);

/// Writes `bytes` atomically as the file `name`, unless `guard` holds the file back because its damaged content
/// could not be kept; failures are shown through `prompter` and returned.
Status SaveFixedFile(const DataFolder& folder, std::string_view name, std::string_view bytes, const WriteGuard& guard,
                     Prompter& prompter);

} // namespace vardo
