#pragma once

#include "core/reports/Analysis.h"

namespace vardo {

class CMainFrame;
class CVardoDoc;
class Clock;
class Prompter;

/// Brings the record cards, the attendance entry, the attendance record and its CSV export into the main
/// frame (menus and main panel), and the working month's totals onto the main panel.
void RegisterAnalysisCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

/// What the analysis kinds draw from: the document's register, groups, remarks, late reports and attendance.
AnalysisSource AnalysisSourceOf(const CVardoDoc& doc);

} // namespace vardo
