#pragma once

// Writing a report straight into a PDF file (no PDF printer needed), page by page with progress that can
// stop the run. The file appears only when every page was written.

#include <filesystem>
#include <functional>
#include <string>

#include "core/platform/Result.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportEnvironment.h"

namespace vardo {

struct PdfRun {
    bool a4 = true;
    int dpi = 300;
    std::string title;
    /// Called after each page with (pages done, pages in all); returning false stops the run.
    std::function<bool(int, int)> progress;
};

/// Writes every page of `report` to `path` (replacing a file there only when the run completes). A run
/// stopped by `progress` fails with Failure::Cancelled and leaves no file behind (an older file at `path`
/// stays as it was). Returns the number of pages.
Result<int> WritePdfFile(const Report& report, const ReportEnvironment& environment, const std::filesystem::path& path,
                         const PdfRun& run);

} // namespace vardo
