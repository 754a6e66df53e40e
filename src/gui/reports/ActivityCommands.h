#pragma once

namespace vardo {

class CMainFrame;
class CVardoDoc;
class Clock;
class Prompter;

/// Brings the activity summary (command 32837, "Zestawienie aktywności od początku roku") into the main
/// frame: the dialog over the open document, enabled while a document is loaded.
void RegisterActivityCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock);

} // namespace vardo
