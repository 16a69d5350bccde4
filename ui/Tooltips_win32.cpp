// The tooltips.
#include "ui/Tooltips_win32.h"

#include <commctrl.h>

#include <string>

#include "core/Texts.h"
#include "platform/system/Locale.h"
#include "platform/system/Win32Support_win32.h"
#include "ui/CommandTable.h"
#include "ui/CounterBoxes_win32.h"
#include "ui/Hints.h"
#include "ui/ToolBar_win32.h"

namespace penlet {
namespace {

void AddTool(HWND tooltip, HWND owner, UINT_PTR id, UINT flags, const RECT& rect,
             const std::string& text) {
  if (text.empty()) return;
  TTTOOLINFOA info{};
  // The version 2 layout, which every common-controls version accepts.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = flags;
  info.hwnd = owner;
  info.uId = id;
  info.rect = rect;
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tooltip, TTM_ADDTOOLA, 0, AsParam(&info));
}

std::string CommandTooltip(const Command& command) {
  return TooltipText(ShortHint(Ansi(command.hint), AnsiLeadBytes()), ShortcutText(command));
}

}  // namespace

Tooltips::Tooltips(HWND window, const ToolBar& toolBar1, CounterBoxes& counter) {
  // Without TTS_ALWAYSTIP the tooltips show only while a window of the program is active.
  hwnd_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd_, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
  SendMessageA(hwnd_, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
  SendMessageA(hwnd_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2500);
  SendMessageA(hwnd_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
  SendMessageA(hwnd_, TTM_SETTIPBKCOLOR, GetSysColor(COLOR_INFOBK), 0);

  for (int id : toolBar1.Commands()) {
    AddTool(hwnd_, toolBar1.Handle(), id, TTF_SUBCLASS, toolBar1.ButtonRect(id),
            CommandTooltip(*FindCommand(id)));
  }
  // The boxes relay the pointer themselves (CounterBoxes::RelayMouseTo).
  const RECT none{};
  AddTool(hwnd_, window, AsParam<UINT_PTR>(counter.Memo1()), TTF_IDISHWND, none,
          ShortHint(Ansi(texts::kMemo1Hint), AnsiLeadBytes()));
  AddTool(hwnd_, window, AsParam<UINT_PTR>(counter.Memo2()), TTF_IDISHWND, none,
          ShortHint(Ansi(texts::kMemo2Hint), AnsiLeadBytes()));
  counter.RelayMouseTo(hwnd_);
}

void Tooltips::FollowButtons(const ToolBar& toolBar1) {
  for (int id : toolBar1.Commands()) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = toolBar1.Handle();
    info.uId = id;
    info.rect = toolBar1.ButtonRect(id);
    SendMessageA(hwnd_, TTM_NEWTOOLRECTA, 0, AsParam(&info));
  }
}

void Tooltips::Pop() {
  SendMessageA(hwnd_, TTM_POP, 0, 0);
}

}  // namespace penlet
