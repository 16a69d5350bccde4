// Settings of the document commands that do not depend on the window: the file dialogs as
// they start, and the Save As default extension taken from the filter chosen.
#pragma once

#include <string>

#include "platform/FileDialogs.h"

namespace penlet {

// The open dialog: every file, default extension "rtf" (which never changes).
FileDialogMemory InitialOpenDialog();
// The save dialog: text, C source, HTML, every file; default extension "txt".
FileDialogMemory InitialSaveDialog();

// The default extension for the save dialogs after a Save As in which filter `filterIndex`
// was chosen: "txt", "c", "htm", or none for every file; `current` for an index outside 1-4.
std::string SaveDefaultExtension(int filterIndex, const std::string& current);

}  // namespace penlet
