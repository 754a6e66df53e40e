#pragma once

// The report commands of the view: which report each menu command shows, whether the field-service-group
// chooser runs first, and the font commands.

#include <optional>
#include <string_view>
#include <vector>

#include "core/reports/ReportFonts.h"
#include "core/reports/ReportKind.h"

namespace vardo {

/// One command of the Reports menu.
struct ReportCommand {
    int id = 0;
    ReportKind kind = ReportKind::CongregationAnalysis;
    /// The group chooser runs first; the report shows only when it returns a group.
    bool chooseGroup = false;
    /// The chooser also offers to print all groups or the selected one unattended.
    bool printButtons = false;
};

/// Every report command, in menu order.
const std::vector<ReportCommand>& ReportCommandTable();
/// The report command with this id, or nullptr.
const ReportCommand* FindReportCommand(int id);

/// True when the report of this kind can be drawn by this build (its drawing routine exists).
bool ReportKindAvailable(ReportKind kind);

/// A font command: the font it edits and the title of its font dialog.
struct FontCommand {
    int id = 0;
    ReportFontId font = ReportFontId::Text;
    std::string_view menuText;
    std::string_view dialogTitle;
};

const std::vector<FontCommand>& FontCommandTable();
const FontCommand* FindFontCommand(int id);

namespace viewcmd {
inline constexpr int kFontTitle = 32788;
inline constexpr int kFontSubtitle = 32789;
inline constexpr int kFontHeader = 32790;
inline constexpr int kFontText = 32791;
inline constexpr int kFontSmall = 32803;
inline constexpr int kFontsHighResolution = 32813;
inline constexpr int kInactiveContactCongregation = 32882;
inline constexpr int kCardLabelsChosen = 32822;
inline constexpr int kAveragesUserCategory = 32836;
inline constexpr int kHoursUserCategory = 32844;
} // namespace viewcmd

} // namespace vardo
