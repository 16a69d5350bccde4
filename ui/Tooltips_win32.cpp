// Tooltips of the tool buttons and counter boxes, and the current hint taken from the control
// under the pointer at idle moments.
#include "platform/Locale.h"
#include "ui/CommandTable.h"
#include "ui/MainWindow_win32.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

void AddTool(HWND tooltip, HWND owner, UINT_PTR id, UINT flags, const RECT& rect,
             const std::string& text) {
  if (text.empty()) return;
  TTTOOLINFOA info{};
  // The version 2 layout, which every common-controls version accepts.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = flags | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = id;
  info.rect = rect;
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

std::string CommandTooltip(const Command& command) {
  return TooltipText(ShortHint(Ansi(command.hint), AnsiLeadBytes()), ShortcutText(command));
}

}  // namespace

void MainWindow::CreateTooltips() {
  // Without TTS_ALWAYSTIP the tooltips show only while a window of the program is active.
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
  SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
  SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2500);
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
  SendMessageA(tooltip_, TTM_SETTIPBKCOLOR, GetSysColor(COLOR_INFOBK), 0);

  const int count = static_cast<int>(SendMessageA(toolBar1_, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageA(toolBar1_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    const Command* command = FindCommand(button.idCommand);
    if (!command || (button.fsStyle & BTNS_SEP)) continue;
    RECT rect{};
    SendMessageA(toolBar1_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
    AddTool(tooltip_, toolBar1_, command->id, 0, rect, CommandTooltip(*command));
  }
  const RECT none{};
  AddTool(tooltip_, hwnd_, reinterpret_cast<UINT_PTR>(memo1_), TTF_IDISHWND, none,
          ShortHint(Ansi(texts::kMemo1Hint), AnsiLeadBytes()));
  AddTool(tooltip_, hwnd_, reinterpret_cast<UINT_PTR>(memo2_), TTF_IDISHWND, none,
          ShortHint(Ansi(texts::kMemo2Hint), AnsiLeadBytes()));
}

void MainWindow::PopTooltip() {
  if (tooltip_) SendMessageA(tooltip_, TTM_POP, 0, 0);
}

std::string MainWindow::HintUnderPointer() const {
  POINT pt;
  if (!GetCursorPos(&pt)) return {};
  HWND window = WindowFromPoint(pt);
  if (!window) return {};
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return {};
  // Innermost control, disabled ones included.
  for (HWND child = window; child;) {
    window = child;
    POINT local = pt;
    ScreenToClient(window, &local);
    child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE);
    if (child == window) break;
  }
  // A control's hint, else its parent's; only the boxes and the buttons have hints.
  std::string hint;
  for (HWND w = window; w && hint.empty(); w = GetParent(w)) {
    if (w == memo1_) {
      hint = Ansi(texts::kMemo1Hint);
    } else if (w == memo2_) {
      hint = Ansi(texts::kMemo2Hint);
    } else if (w == toolBar1_) {
      POINT local = pt;
      ScreenToClient(toolBar1_, &local);
      const int index = static_cast<int>(
          SendMessageA(toolBar1_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&local)));
      TBBUTTON button{};
      if (index >= 0 &&
          SendMessageA(toolBar1_, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) &&
          !(button.fsStyle & BTNS_SEP)) {
        if (const Command* command = FindCommand(button.idCommand)) hint = Ansi(command->hint);
      }
    }
    if (w == hwnd_) break;
  }
  return LongHint(hint, AnsiLeadBytes());
}

void MainWindow::SetHint(const std::string& longHint) {
  if (hint_.Set(longHint)) form_->ApplicationEvents1Hint(hint_.Text());
}

}  // namespace penlet
