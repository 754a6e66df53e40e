#include "PdfText.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace vardo::test {

std::optional<std::string> PdfToText(const std::filesystem::path& pdf) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        return std::nullopt;
    const std::string command = "pdftotext -enc UTF-8 -layout '" + pdf.string() + "' - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string text;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        text.append(buffer.data(), n);
    if (pclose(pipe) != 0)
        return std::nullopt;
    return text;
}

} // namespace vardo::test
