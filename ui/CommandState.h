// When the main window's commands are enabled, and where its pop-up menu opens.
#pragma once

#include "ui/CommandIds.h"

namespace penlet {

// What the clipboard commands look at: the focused edit control of the main window, if any.
struct ClipboardTarget {
  bool editFocused = false;
  int selectionLength = 0;
  bool clipboardHasText = false;
};

// The enabled state of command `id` after a refresh, given its state before. Save keeps its
// state: only the document's modified flag moves it.
bool RefreshedEnabled(int id, bool current, const ClipboardTarget& target);

struct PopupPoint {
  int x = 0, y = 0;
};

// The top-left corner of PopupMenu1 for a right press at (x, y) in the editing area: fixed
// offsets from the window's outer corner, whatever its frame and bars measure.
PopupPoint PopupMenu1Origin(int windowLeft, int windowTop, int x, int y);

}  // namespace penlet
