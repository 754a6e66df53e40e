#pragma once

#include "gui/registry/RegistryHooks.h"

namespace vardo {

class CMainFrame;
class CVardoDoc;
class Prompter;

/// Brings the list commands into the main frame: "Zainteresowani" (the interested persons and their editor),
/// "&Nieczynni", "Usuniętych" and "Przeprowadzeni" (the list windows, also main-panel buttons), and the moves
/// from the interested and inactive lists that the publisher chooser's "Dodaj głosiciela" offers.
void RegisterListCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter);

/// `hooks` with the moves of "Dodaj głosiciela" filled in: a person chosen from the interested list becomes a
/// new publisher, one chosen from the inactive list is reactivated, each in the month asked.
RegistryHooks WithListMoveHooks(RegistryHooks hooks, CVardoDoc& doc, Prompter& prompter);

} // namespace vardo
