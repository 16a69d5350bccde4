// Running the main window's commands from menus, buttons and keys; their enabled states; and
// the messages of the window's face (counter colours, menu images and hints, tooltips).
#include <richedit.h>

#include "ui/CommandState.h"
#include "ui/CommandTable.h"
#include "ui/MainWindow_win32.h"

namespace penlet {
namespace {

bool Down(int key) {
  return GetKeyState(key) < 0;
}

bool IsEdit(HWND hwnd) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpiA(name, "EDIT") == 0 || lstrcmpiA(name, "Scintilla") == 0;
}

}  // namespace

bool MainWindow::PreTranslateMessage(MSG& msg) {
  // The modeless find/replace dialog: Tab, Enter and Esc.
  if (replaceDialog1_ && replaceDialog1_->IsDialogMessage(msg)) return true;
  const bool ours = msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      PopTooltip();
      if (!ours) return false;
      const int key = static_cast<int>(msg.wParam);
      // The window sees the key before the focused control; a command key is always used up,
      // whether or not its command is enabled.
      if (const Command* command =
              CommandForKey(key, Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU))) {
        Guard([&] { RunCommand(command->id); });
        return true;
      }
      // Tab moves the focus to the next tab stop; the editing area is the only one.
      if (key == VK_TAB && msg.message == WM_KEYDOWN && !Down(VK_CONTROL) && !Down(VK_MENU)) {
        return true;
      }
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_NCMOUSEMOVE:
      PopTooltip();
      return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      PopTooltip();
      if (richEdit1_ && msg.hwnd == richEdit1_->Handle()) {
        // The control takes the press first; the pop-up follows a right press only.
        DispatchMessageA(&msg);
        Guard([&] {
          RichEdit1MouseDown(msg.message, static_cast<short>(LOWORD(msg.lParam)),
                             static_cast<short>(HIWORD(msg.lParam)));
        });
        return true;
      }
      return false;
  }
  return false;
}

void MainWindow::Idle() {
  if (IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_)) {
    const int count = static_cast<int>(SendMessageA(toolBar1_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TBBUTTON button{};
      SendMessageA(toolBar1_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
      if (FindCommand(button.idCommand)) RefreshCommand(button.idCommand);
    }
  }
  Guard([this] { SetHint(HintUnderPointer()); });
}

void MainWindow::RefreshCommand(int id) {
  ClipboardTarget target;
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus) && IsEdit(focus)) {
    target.editFocused = true;
    DWORD start = 0, end = 0;
    SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    target.selectionLength = static_cast<int>(end > start ? end - start : start - end);
    target.clipboardHasText = IsClipboardFormatAvailable(CF_TEXT) != 0;
  }
  SetCommandEnabled(id, RefreshedEnabled(id, commandEnabled_[id - kFirstCommandId], target));
}

void MainWindow::SetCommandEnabled(int id, bool enabled) {
  commandEnabled_[id - kFirstCommandId] = enabled;
  const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(mainMenu1_, id, state);
  EnableMenuItem(popupMenu1_, id, state);
  const bool shown = SendMessageA(toolBar1_, TB_ISBUTTONENABLED, id, 0) != 0;
  if (shown != enabled) SendMessageA(toolBar1_, TB_ENABLEBUTTON, id, MAKELONG(enabled, 0));
}

void MainWindow::RunCommand(int id) {
  PopTooltip();
  RefreshCommand(id);
  if (commandEnabled_[id - kFirstCommandId]) Execute(id);
}

void MainWindow::Execute(int id) {
  if (RunDocumentCommand(id)) return;
  HWND focus = GetFocus();
  const bool editTarget = focus && IsChild(hwnd_, focus) && IsEdit(focus);
  switch (id) {
    case EditCut1:
      if (editTarget) SendMessageA(focus, WM_CUT, 0, 0);
      break;
    case EditCopy1:
      if (editTarget) SendMessageA(focus, WM_COPY, 0, 0);
      break;
    case EditPaste1:
      if (editTarget) SendMessageA(focus, WM_PASTE, 0, 0);
      break;
    case EditUndo:
      form_->EditUndoExecute();
      break;
    case EditSelectAll:
      form_->EditSelectAllExecute();
      break;
    case HelpAbout1:
      form_->HelpAbout1Execute();
      break;
  }
}

void MainWindow::SetSaveEnabled(bool enabled) {
  saveEnabled_ = enabled;
  SetCommandEnabled(FileSave1, enabled);
}

void MainWindow::SetToolButtonEnabled(ToolButton button, bool enabled) {
  const int id = button == ToolButton::Cut    ? EditCut1
                 : button == ToolButton::Copy ? EditCopy1
                                              : EditPaste1;
  const bool shown = SendMessageA(toolBar1_, TB_ISBUTTONENABLED, id, 0) != 0;
  if (shown != enabled) SendMessageA(toolBar1_, TB_ENABLEBUTTON, id, MAKELONG(enabled, 0));
}

bool MainWindow::HandleUiMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      if ((from == nullptr || from == toolBar1_) && FindCommand(LOWORD(wParam))) {
        RunCommand(LOWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const HWND control = reinterpret_cast<HWND>(lParam);
      if (control != memo1_ && control != memo2_) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, control == memo1_ ? memo1Color_ : Rgb(0, 255, 0));
      SetBkColor(dc, RGB(0, 0, 0));
      result = reinterpret_cast<LRESULT>(blackBrush_);
      return true;
    }
    case WM_INITMENUPOPUP:
      RefreshMenu(reinterpret_cast<HMENU>(wParam));
      result = 0;
      return true;
    case WM_MENUSELECT:
      MenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      result = 0;
      return true;
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) return false;
      item.itemWidth = 16;
      item.itemHeight = 16;
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) return false;
      DrawMenuImage(item);
      result = TRUE;
      return true;
    }
    case WM_CONTEXTMENU:
      // Only the right-button press opens PopupMenu1; neither the release nor the key does.
      result = 0;
      return true;
    case WM_ACTIVATE:
    case WM_NCMOUSEMOVE:
    case WM_ENTERMENULOOP:
      PopTooltip();
      return false;
  }
  return false;
}

}  // namespace penlet
