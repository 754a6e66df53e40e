#pragma once

// The one place that wires every command of the program to the main window; the program and the tests
// that check the whole menu call it alike.

namespace vardo {

class CMainFrame;
class CVardoDoc;
class CVardoView;
class Clock;
class Prompter;

/// Registers the commands of every dialog and report with `frame` (the view must already be attached).
void RegisterEveryCommand(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock, CVardoView& view);

} // namespace vardo
