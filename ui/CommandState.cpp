// Enabled states of the commands and the pop-up menu's position.
#include "ui/CommandState.h"

namespace penlet {

bool RefreshedEnabled(int id, bool current, const ClipboardTarget& target) {
  switch (id) {
    case FileSave1:
    case FilePageSet:
      return current;
    case EditCut1:
    case EditCopy1:
      return target.editFocused && target.selectionLength > 0;
    case EditPaste1:
      return target.editFocused && target.clipboardHasText;
    default:
      return true;
  }
}

PopupPoint PopupMenu1Origin(int windowLeft, int windowTop, int x, int y) {
  return {windowLeft + x - 153, windowTop + y - 70};
}

}  // namespace penlet
