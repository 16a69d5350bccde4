// The main window's messages, keys, commands and idle moments.
#include "ui/FormEvents_win32.h"

#include <shellapi.h>

#include "platform/files/Drops_win32.h"
#include "platform/system/Win32Support_win32.h"
#include "ui/CommandState.h"
#include "ui/CommandTable.h"

namespace penlet {
namespace {

bool Down(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

FormEvents::FormEvents(MainWindow& window, TPenletForm& form, Win32ReplaceDialog& replaceDialog1,
                       const Clipboard& clipboard, ErrorReporter reportError)
    : window_(window),
      form_(form),
      replaceDialog1_(replaceDialog1),
      clipboard_(clipboard),
      reportError_(std::move(reportError)) {
  window_.Attach(this);
  Guard([this] { form_.FormCreate(); });
  DragAcceptFiles(window_.Handle(), TRUE);
}

FormEvents::~FormEvents() {
  window_.Attach(nullptr);
}

void FormEvents::Show(int showCommand, const std::vector<std::string>& paths) {
  if (!shown_) {
    shown_ = true;
    Guard([&] { form_.FormShow(paths); });
    window_.Centre();
  }
  ShowWindow(window_.Handle(), showCommand);
  if (showCommand != SW_HIDE && showCommand != SW_SHOWMINNOACTIVE) {
    SetForegroundWindow(window_.Handle());
    window_.Editor().SetFocus();
  }
}

bool FormEvents::Guard(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    reportError_(e.what());
  } catch (...) {
    reportError_("?");
  }
  return false;
}

bool FormEvents::PreTranslateMessage(MSG& msg) {
  // The modeless find/replace dialog: Tab, Enter and Esc.
  if (replaceDialog1_.IsDialogMessage(msg)) return true;
  const HWND hwnd = window_.Handle();
  const bool ours = msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      window_.Tips().Pop();
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
      return key == VK_TAB && msg.message == WM_KEYDOWN && !Down(VK_CONTROL) && !Down(VK_MENU);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_NCMOUSEMOVE:
      window_.Tips().Pop();
      return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      window_.Tips().Pop();
      if (msg.hwnd == window_.Editor().Handle()) {
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

void FormEvents::Idle() {
  const HWND hwnd = window_.Handle();
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    // One look at the focused control serves every button.
    const ClipboardTarget target = window_.FocusedEditTarget(clipboard_);
    for (int id : window_.ToolBar1().Commands()) RefreshCommand(id, target);
  }
  Guard([this] { SetHint(window_.HintUnderPointer()); });
}

void FormEvents::SetHint(const std::string& longHint) {
  if (hint_.Set(longHint)) form_.ApplicationEvents1Hint(hint_.Text());
}

void FormEvents::RefreshCommand(int id, const ClipboardTarget& target) {
  window_.SetCommandEnabled(id, RefreshedEnabled(id, window_.CommandEnabled(id), target));
}

void FormEvents::RefreshMenu(HMENU menu) {
  const ClipboardTarget target = window_.FocusedEditTarget(clipboard_);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (FindCommand(id)) RefreshCommand(id, target);
  }
}

void FormEvents::RunCommand(int id) {
  window_.Tips().Pop();
  RefreshCommand(id, window_.FocusedEditTarget(clipboard_));
  const Command* command = FindCommand(id);
  if (window_.CommandEnabled(id) && command->execute) (form_.*command->execute)();
}

void FormEvents::RichEdit1MouseDown(UINT button, int x, int y) {
  if (button == WM_RBUTTONDOWN) window_.Menus1().TrackPopupMenu1(x, y);
}

bool FormEvents::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  // A registered message: no case label can name it.
  if (msg == replaceDialog1_.NotificationMessage()) {
    if (replaceDialog1_.TakeNotification(lParam)) Guard([this] { form_.ReplaceDialog1Notify(); });
    return true;
  }
  switch (msg) {
    case WM_COMMAND: {
      const HWND from = FromParam<HWND>(lParam);
      const CounterBoxes& counter = window_.Counter();
      if ((from == nullptr || from == window_.ToolBar1().Handle()) && FindCommand(LOWORD(wParam))) {
        Guard([&] { RunCommand(LOWORD(wParam)); });
      } else if (from == counter.Memo1() || from == counter.Memo2()) {
        const bool memo1 = from == counter.Memo1();
        if (HIWORD(wParam) == kCounterPressed) {
          Guard([&] { memo1 ? form_.Memo1MouseDown() : form_.Memo2MouseDown(); });
        } else if (HIWORD(wParam) == kCounterClicked) {
          Guard([&] { memo1 ? form_.Memo1Click() : form_.Memo2Click(); });
        }
      } else {
        Guard([&] { window_.Editor().HandleCommand(wParam, lParam); });
      }
      return true;
    }
    case WM_NOTIFY: {
      bool handled = false;
      Guard([&] { handled = window_.Editor().HandleNotify(*FromParam<NMHDR*>(lParam)); });
      return handled;
    }
    case WM_SETFOCUS:
      window_.Editor().SetFocus();
      return true;
    case WM_DROPFILES:
      Guard([&] {
        Win32DroppedFiles drop(FromParam<HDROP>(wParam));
        form_.WMDropFiles(drop);
      });
      return true;
    case WM_CLOSE:
      Guard([&] {
        if (form_.FormCloseQuery()) {
          PostQuitMessage(0);
          ShowWindow(window_.Handle(), SW_HIDE);
        }
      });
      return true;
    case WM_QUERYENDSESSION:
      Guard([&] { result = form_.FormCloseQuery(); });
      return true;
    case WM_DESTROY:
      Guard([&] { form_.FormDestroy(); });
      return true;
    case WM_INITMENUPOPUP:
      RefreshMenu(FromParam<HMENU>(wParam));
      return true;
    case WM_MENUSELECT:
      Guard([&] {
        SetHint(window_.Menus1().HintOf(LOWORD(wParam), HIWORD(wParam), FromParam<HMENU>(lParam)));
      });
      return true;
    case WM_CONTEXTMENU:
      // Only the right-button press opens PopupMenu1; neither the release nor the key does.
      return true;
    case WM_ACTIVATE:
    case WM_NCMOUSEMOVE:
    case WM_ENTERMENULOOP:
      window_.Tips().Pop();
      return false;
  }
  return false;
}

}  // namespace penlet
