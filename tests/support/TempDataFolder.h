#pragma once

// A fresh, empty folder under the system's temporary directory, removed with the fixture.

#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/platform/DataFolder.h"

namespace vardo::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    /// Writes a file below the folder (parents created), bypassing the code under test.
    void WriteFile(std::string_view relative, std::string_view bytes) const;
    /// Reads a file below the folder; empty when missing.
    std::string ReadFile(std::string_view relative) const;
    bool Exists(std::string_view relative) const;

private:
    std::filesystem::path m_path;
};

/// GoogleTest fixture with a temporary data folder.
class TempDataFolderTest : public ::testing::Test {
protected:
    TempDir m_dir;
    DataFolder m_folder{m_dir.Path()};
};

} // namespace vardo::test
