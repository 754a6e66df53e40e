#pragma once

#include <string>

#include "core/platform/Date.h"
#include "core/reports/ReportFonts.h"
#include "core/reports/ReportOptions.h"

namespace vardo {

/// What a drawing routine needs besides the document data and the canvas: the fonts, the options, the
/// screen's resolution (font heights are screen pixels), the page geometry of the view and today's date.
struct ReportEnvironment {
    ReportFonts fonts;
    ReportOptions options;
    /// Pixels per inch of the screen. A canvas whose resolution differs is a printer (or its preview, PDF,
    /// image): fonts are scaled to it and the date stamp is drawn.
    Resolution screen;
    /// Page height in tenths of an inch: 110, or 120 when printing on A4 paper.
    int pageHeightTenths = 110;
    int pageWidthTenths = 80;
    /// Printing (or previewing) on A4 paper.
    bool a4 = false;
    Date today;
    std::string languageTag = "polish";
    /// The field-service group of a group report (0 = whole congregation).
    int group = 0;
};

/// The environment for printing: A4 paper gives 12-inch pages, any other paper 11-inch ones.
inline ReportEnvironment ForPrinting(ReportEnvironment environment, bool a4Paper) {
    environment.a4 = a4Paper;
    environment.pageHeightTenths = a4Paper ? 120 : 110;
    return environment;
}

} // namespace vardo
