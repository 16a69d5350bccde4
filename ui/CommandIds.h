// The main window's command identifiers, in the order of its command list; the menu items,
// tool buttons and key combinations send these as WM_COMMAND.
#pragma once

namespace penlet {

enum CommandId : int {
  FileNew1 = 1001,
  FileOpen1,
  FileSave1,
  FileSaveAs1,
  FileSend1,
  FileExit1,
  EditCut1,
  EditCopy1,
  EditPaste1,
  HelpAbout1,
  FilePrint,
  EditUndo,
  EditReplace,
  EditSelectAll,
  FilePageSet,
};

inline constexpr int kFirstCommandId = FileNew1;
inline constexpr int kCommandCount = FilePageSet - kFirstCommandId + 1;

}  // namespace penlet
