#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/Result.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportEnvironment.h"

namespace vardo {

/// Paper and resolution of a rendered report.
struct OutputOptions {
    bool a4 = true;    ///< A4 paper (12-inch page bands); otherwise US letter (11-inch bands)
    int dpi = 600;     ///< device resolution of the PDF or image
    std::string title; ///< PDF document title
    /// Called after each page with (page, page count); long reports show progress with it.
    std::function<void(int, int)> progress;
};

/// Renders every page of a report into a PDF file at `path` (replaced). The environment is taken as for
/// printing on the chosen paper. Returns the page count.
Result<int> RenderReportToPdf(const Report& report, const ReportEnvironment& environment,
                              const std::filesystem::path& path, const OutputOptions& options = {});

/// Renders every page as a PNG image "<baseName>-<NNN>.png" in `folder` (created when missing). Returns
/// the files written.
Result<std::vector<std::filesystem::path>> RenderReportToPng(const Report& report, const ReportEnvironment& environment,
                                                             const std::filesystem::path& folder,
                                                             const std::string& baseName = "page",
                                                             const OutputOptions& options = {});

/// Keeps a Qt GUI application alive for headless rendering (fonts need one): creates it on the offscreen
/// platform (unless QT_QPA_PLATFORM says otherwise) when none exists; does nothing when one already runs.
class RenderRuntime {
public:
    RenderRuntime();
    ~RenderRuntime();
    RenderRuntime(const RenderRuntime&) = delete;
    RenderRuntime& operator=(const RenderRuntime&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace vardo
