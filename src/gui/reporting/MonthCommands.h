#pragma once

namespace vardo {

class CMainFrame;
class CVardoDoc;
class Clock;
class Prompter;

/// Brings the month commands into the main frame: "Czas" (menu, toolbar and main panel) runs the month
/// dialog when the working month is not open and then the entry list; "Wymaż Stare Sprawozdania" erases the
/// late-report marks once F11 has been pressed in the report view while late reports are listed.
void RegisterMonthCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

/// The time-accounting command: the month dialog when needed, then the entry list of an opened month.
void OnTimeAccounting(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

} // namespace vardo
