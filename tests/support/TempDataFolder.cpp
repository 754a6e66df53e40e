#include "TempDataFolder.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <unistd.h>

namespace vardo::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto candidate =
            base / ("vardo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void TempDir::WriteFile(std::string_view relative, std::string_view bytes) const {
    const auto path = m_path / std::filesystem::path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write fixture file");
}

std::string TempDir::ReadFile(std::string_view relative) const {
    std::ifstream in(m_path / std::filesystem::path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(std::string_view relative) const {
    return std::filesystem::exists(m_path / std::filesystem::path(relative));
}

} // namespace vardo::test
