#pragma once

// Text of a PDF as pdftotext lays it out, for tests that read what was printed.

#include <filesystem>
#include <optional>
#include <string>

namespace vardo::test {

/// The text of every page ("-layout" mode, a form feed after each page), or nullopt when pdftotext is not
/// installed or fails.
std::optional<std::string> PdfToText(const std::filesystem::path& pdf);

} // namespace vardo::test
