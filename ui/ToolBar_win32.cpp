// ToolBar1.
#include "ui/ToolBar_win32.h"

#include "platform/Win32Support_win32.h"
#include "ui/CommandTable.h"

namespace penlet {
namespace {

constexpr int kToolBar1Id = 100;

}  // namespace

ToolBar::ToolBar(HWND parent, HIMAGELIST images) {
  // Not wrapable, not flat; the divider is the etched line along the top edge. The window
  // places it.
  hwnd_ = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, "",
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0, 662, 30,
      parent, ControlId(kToolBar1Id), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(hwnd_, TB_SETIMAGELIST, 0, AsParam(images));
  SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
  SendMessageA(hwnd_, TB_SETINDENT, kToolBarIndent, 0);

  std::vector<TBBUTTON> buttons;
  for (const ToolBarChild& child : ToolBar1()) {
    if (child.kind == ToolKind::Panel) continue;
    TBBUTTON button{};
    if (child.kind == ToolKind::Separator) {
      button.iBitmap = child.width;  // a separator's bitmap index is its width
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = child.image;
      button.idCommand = child.command;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
      button.iString = -1;
      commands_.push_back(child.command);
    }
    buttons.push_back(button);
  }
  SendMessageA(hwnd_, TB_ADDBUTTONSA, buttons.size(), AsParam(buttons.data()));
  SendMessageA(hwnd_, TB_SETBUTTONSIZE, 0, MAKELONG(23, 22));
  SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
}

int ToolBar::ButtonTop() const {
  RECT first{};
  SendMessageA(hwnd_, TB_GETITEMRECT, 0, AsParam(&first));
  return first.top;
}

RECT ToolBar::ButtonRect(int command) const {
  RECT rect{};
  SendMessageA(hwnd_, TB_GETRECT, command, AsParam(&rect));
  return rect;
}

int ToolBar::CommandAt(POINT screen) const {
  ScreenToClient(hwnd_, &screen);
  const int index = static_cast<int>(SendMessageA(hwnd_, TB_HITTEST, 0, AsParam(&screen)));
  TBBUTTON button{};
  if (index < 0 || !SendMessageA(hwnd_, TB_GETBUTTON, index, AsParam(&button)) ||
      (button.fsStyle & BTNS_SEP)) {
    return 0;
  }
  return button.idCommand;
}

void ToolBar::SetEnabled(int command, bool enabled) {
  const bool shown = SendMessageA(hwnd_, TB_ISBUTTONENABLED, command, 0) != 0;
  if (shown != enabled) SendMessageA(hwnd_, TB_ENABLEBUTTON, command, MAKELONG(enabled, 0));
}

}  // namespace penlet
