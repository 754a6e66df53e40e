#pragma once

// File > "Eksportu lub Importu": the tabular exports that need no choices of their own.

#include <QWidget>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Prompter.h"

namespace vardo {

enum class TabularExport { Contacts, CardHeaders, Summary };

/// Writes the export into Exports/ of the data folder, then asks 1015 ("Wyeksportowane ...\nPokaz w
/// folderze?"); Yes opens the folder in the desktop's file manager. A file that cannot be written shows 1231.
void RunTabularExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, TabularExport kind);

} // namespace vardo
