#pragma once

// Data folders and backup sets for the backup tests: twelve files whose bytes name the version they belong to.

#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "TempDataFolder.h"
#include "core/exchange/BackupFileSet.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/PublisherRecord.h"

namespace vardo::test {

/// A register file: a header (plain storage, the given password; " " for none) and two records of filler.
inline std::string RegisterBytes(std::string_view tag, std::string_view password = " ", bool scrambled = false) {
    HeaderRecord header = HeaderRecord::Empty();
    header.SetPassword(password);
    if (scrambled) {
        header.SetStorageMarker(HeaderRecord::kScrambledMarker);
        ScrambleRecord(header, +1);
    }
    std::string bytes(kRecordSize, '\0');
    std::memcpy(bytes.data(), &header, kRecordSize);
    for (int r = 0; r < 2; ++r)
        for (std::size_t i = 0; i < kRecordSize; ++i)
            bytes += static_cast<char>(tag[i % tag.size()] + r);
    return bytes;
}

/// Bytes of one file of a version.
inline std::string FileBytes(std::string_view tag, std::string_view name) {
    if (name == "tdat9.bin")
        return RegisterBytes(tag);
    return std::string(tag) + ":" + std::string(name) + std::string(37 + name.size(), static_cast<char>(tag[0]));
}

/// Writes the twelve files of version `tag` into `relative` below the temporary folder.
inline void WriteSet(const TempDir& dir, std::string_view relative, std::string_view tag) {
    const std::string prefix = relative.empty() ? std::string() : std::string(relative) + "/";
    for (const std::string_view name : BackupFileNames())
        dir.WriteFile(prefix + std::string(name), FileBytes(tag, name));
}

/// Empty when `relative` holds exactly the twelve files of version `tag`; otherwise what differs.
inline std::string SetDifference(const TempDir& dir, std::string_view relative, std::string_view tag) {
    const std::string prefix = relative.empty() ? std::string() : std::string(relative) + "/";
    std::string differences;
    for (const std::string_view name : BackupFileNames()) {
        const std::string path = prefix + std::string(name);
        if (!dir.Exists(path))
            differences += path + " missing; ";
        else if (dir.ReadFile(path) != FileBytes(tag, name))
            differences += path + " differs; ";
    }
    return differences;
}

} // namespace vardo::test
