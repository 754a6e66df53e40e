#pragma once

namespace vardo {

class CMainFrame;
class CVardoDoc;
class CVardoView;

/// The status views' commands (quick results and the kinds of the status view, menu "Podgląd" and the main
/// panel's buttons), with printing through `view`, and the line of status counts on the main panel, recounted
/// after every change.
void RegisterStatusCommands(CMainFrame& frame, CVardoDoc& doc, CVardoView& view);

} // namespace vardo
