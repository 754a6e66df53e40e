#pragma once

// The history editor, the pioneer lists and the past-month view in the main window: their commands, the
// Options submenu of past months and the main panel's button back to the working month.

#include "core/reporting/HistoryEditor.h"

class QWidget;

namespace vardo {

class CMainFrame;
class CVardoDoc;
class Prompter;

/// Registers commands 32887 (history, panel 128), 32769 (auxiliary pioneers, panel 109), 32833 (regular
/// pioneers), 32894..32900 (the submenu "Zobacz poprzednie raporty" joined to the Options menu) and panel
/// button 129. While a past month is viewed the window's title and status bar say so, and the report view
/// shows that month. The frame and the document must outlive the registration's use.
void RegisterHistoryCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter);

/// OpenHistoryEditor: the late-report list goes into the records' late markers, the editor runs, and the list
/// is rebuilt from the markers. Does nothing without a person in the register or while a past month is viewed.
void EditHistory(QWidget* parent, CVardoDoc& doc, Prompter& prompter,
                 HistoryEditor::Mode mode = HistoryEditor::Mode::Publisher, RecordNumber record = 0);

} // namespace vardo
