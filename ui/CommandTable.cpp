// The command list, the menus and the tool bar of the main window.
#include "ui/CommandTable.h"

#include "platform/system/Dpi.h"

#include "core/Texts.h"

namespace penlet {
namespace {

using namespace texts;

constexpr std::array<Command, kCommandCount> kCommands = {{
    {FileNew1, "FileNew1", kFileCategory, kFileNew1Caption, kFileNew1Hint, 'N', 6,
     &TPenletForm::FileNew1Execute},
    {FileOpen1, "FileOpen1", kFileCategory, kFileOpen1Caption, kFileOpen1Hint, 'O', 7,
     &TPenletForm::FileOpen1Execute},
    {FileSave1, "FileSave1", kFileCategory, kFileSave1Caption, kFileSave1Hint, 'S', 8,
     &TPenletForm::FileSave1Execute},
    {FileSaveAs1, "FileSaveAs1", kFileCategory, kFileSaveAs1Caption, kFileSaveAs1Hint, 0, kNoImage,
     &TPenletForm::FileSaveAs1Execute},
    {FileSend1, "FileSend1", kFileCategory, kFileSend1Caption, kFileSend1Hint, 0, 15,
     &TPenletForm::FileSend1Execute},
    {FileExit1, "FileExit1", kFileCategory, kFileExit1Caption, kFileExit1Hint, 0, kNoImage,
     &TPenletForm::FileExit1Execute},
    {EditCut1, "EditCut1", kEditCategory, kEditCut1Caption, kEditCut1Hint, 'X', 0,
     &TPenletForm::EditCut1Execute},
    {EditCopy1, "EditCopy1", kEditCategory, kEditCopy1Caption, kEditCopy1Hint, 'C', 1,
     &TPenletForm::EditCopy1Execute},
    {EditPaste1, "EditPaste1", kEditCategory, kEditPaste1Caption, kEditPaste1Hint, 'V', 2,
     &TPenletForm::EditPaste1Execute},
    {HelpAbout1, "HelpAbout1", kHelpCategory, kHelpAbout1Caption, kHelpAbout1Hint, 0, kNoImage,
     &TPenletForm::HelpAbout1Execute},
    {FilePrint, "FilePrint", kFileCategory, kFilePrintCaption, kFilePrintHint, 'P', kNoImage,
     &TPenletForm::FilePrintExecute},
    {EditUndo, "EditUndo", kEditCategory, kEditUndoCaption, kEditUndoHint, 'U', 16,
     &TPenletForm::EditUndoExecute},
    {EditReplace, "EditReplace", kEditCategory, kEditReplaceCaption, kEditReplaceHint, 0, 13,
     &TPenletForm::EditReplaceExecute},
    {EditSelectAll, "EditSelectAll", kEditCategory, kEditSelectAllCaption, kEditSelectAllHint, 'A',
     10, &TPenletForm::EditSelectAllExecute},
    {FilePageSet, "FilePageSet", kFileCategory, kFilePageSetCaption, "", 0, 18, nullptr},
}};

constexpr MenuItem kFileItems[] = {
    {"FileNewItem", FileNew1},
    {"FileOpenItem", FileOpen1},
    {"FileSaveItem", FileSave1},
    {"FileSaveAsItem", FileSaveAs1},
    {"N1", 0},
    {"FileSendItem", FileSend1},
    {"N2", 0},
    {"P1", FilePrint},
    {"N3", 0},
    {"FileExitItem", FileExit1},
};
constexpr MenuItem kEditItems[] = {
    {"N4", EditUndo},          {"N5", 0}, {"CutItem", EditCut1}, {"CopyItem", EditCopy1},
    {"PasteItem", EditPaste1}, {"N6", 0}, {"N7", EditReplace},   {"N8", 0},
    {"N9", EditSelectAll},
};
constexpr MenuItem kHelpItems[] = {{"HelpAboutItem", HelpAbout1}};

template <size_t N>
constexpr int Count(const MenuItem (&)[N]) {
  return static_cast<int>(N);
}

const std::array<MenuTitle, 3> kMainMenu = {{
    {"File1", kFileMenuCaption, kFileMenuHint, kFileItems, Count(kFileItems)},
    {"Edit1", kEditMenuCaption, kEditMenuHint, kEditItems, Count(kEditItems)},
    {"Help1", kHelpMenuCaption, kHelpMenuHint, kHelpItems, Count(kHelpItems)},
}};

constexpr std::array<MenuItem, 9> kPopupMenu = {{
    {"N10", EditUndo},
    {"N11", 0},
    {"Cut1", EditCut1},
    {"Copy1", EditCopy1},
    {"Paste1", EditPaste1},
    {"N12", 0},
    {"N13", EditReplace},
    {"N14", 0},
    {"N15", EditSelectAll},
}};

constexpr std::array<ToolBarChild, 19> kToolBar = {{
    {"ToolButton9", ToolKind::Button, FileNew1, 6, 23},
    {"ToolButton1", ToolKind::Button, FileOpen1, 7, 23},
    {"ToolButton2", ToolKind::Button, FileSave1, 8, 23},
    {"ToolButton3", ToolKind::Separator, 0, kNoImage, 8},
    {"ToolButton7", ToolKind::Button, FileSend1, 15, 23},
    {"ToolButton8", ToolKind::Separator, 0, kNoImage, 8},
    // Print has no image as a command; its button carries one of its own.
    {"ToolButton10", ToolKind::Button, FilePrint, 14, 23},
    {"ToolButton11", ToolKind::Separator, 0, kNoImage, 8},
    {"ToolButton12", ToolKind::Button, EditUndo, 16, 23},
    {"ToolButton13", ToolKind::Separator, 0, kNoImage, 8},
    {"Cut", ToolKind::Button, EditCut1, 0, 23},
    {"Copy", ToolKind::Button, EditCopy1, 1, 23},
    {"Paste", ToolKind::Button, EditPaste1, 2, 23},
    {"ToolButton15", ToolKind::Separator, 0, kNoImage, 8},
    {"ToolButton14", ToolKind::Button, EditReplace, 13, 23},
    {"ToolButton17", ToolKind::Separator, 0, kNoImage, 8},
    {"ToolButton16", ToolKind::Button, EditSelectAll, 10, 23},
    {"ToolButton18", ToolKind::Separator, 0, kNoImage, 8},
    {"Panel1", ToolKind::Panel, 0, kNoImage, 147},
}};

}  // namespace

const std::array<Command, kCommandCount>& Commands() {
  return kCommands;
}

const Command* FindCommand(int id) {
  if (id < kFirstCommandId || id >= kFirstCommandId + kCommandCount) return nullptr;
  return &kCommands[id - kFirstCommandId];
}

const Command* CommandForKey(int virtualKey, bool shift, bool ctrl, bool alt) {
  if (!ctrl || shift || alt) return nullptr;
  for (const Command& command : kCommands) {
    if (command.ctrlKey != 0 && command.ctrlKey == virtualKey) return &command;
  }
  return nullptr;
}

std::string ShortcutText(const Command& command) {
  if (command.ctrlKey == 0) return {};
  return std::string(kCtrlPrefix) + command.ctrlKey;
}

const std::array<MenuTitle, 3>& MainMenu1() {
  return kMainMenu;
}
const std::array<MenuItem, 9>& PopupMenu1() {
  return kPopupMenu;
}
const std::array<ToolBarChild, 19>& ToolBar1() {
  return kToolBar;
}

int ToolBarX(size_t index, int dpi) {
  // Each child is scaled on its own, as the bar sizes it.
  int x = ScaleForDpi(kToolBarIndent, dpi);
  for (size_t i = 0; i < index && i < kToolBar.size(); ++i)
    x += ScaleForDpi(kToolBar[i].width, dpi);
  return x;
}

}  // namespace penlet
