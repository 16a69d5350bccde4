// ToolBar1.
#include "ui/ToolBar_win32.h"

#include <algorithm>

#include "platform/system/Dpi.h"
#include "platform/system/Win32Support_win32.h"
#include "ui/CommandTable.h"
#include "ui/ImageArt.h"

namespace penlet {
namespace {

constexpr int kToolBar1Id = 100;
constexpr int kToolButtonWidth = 23;
constexpr int kToolButtonHeight = 22;

}  // namespace

ToolBar::ToolBar(HWND parent, HIMAGELIST images, int dpi) {
  // Not wrapable, not flat; the divider is the etched line along the top edge. The window
  // places it.
  hwnd_ =
      CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
                      0, ScaleForDpi(662, dpi), ScaleForDpi(30, dpi), parent,
                      ControlId(kToolBar1Id), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  for (const ToolBarChild& child : ToolBar1()) {
    if (child.kind == ToolKind::Button) commands_.push_back(child.command);
  }
  enabled_.assign(commands_.size(), true);
  SetDpi(images, dpi);
}

void ToolBar::SetDpi(HIMAGELIST images, int dpi) {
  // The bar takes its sizes only with its buttons: they are built again, in the states they had.
  while (SendMessageA(hwnd_, TB_DELETEBUTTON, 0, 0)) {
  }
  const int imageSize = ScaleForDpi(kImageSize, dpi);
  SendMessageA(hwnd_, TB_SETIMAGELIST, 0, AsParam(images));
  SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELONG(imageSize, imageSize));
  SendMessageA(hwnd_, TB_SETINDENT, ScaleForDpi(kToolBarIndent, dpi), 0);

  std::vector<TBBUTTON> buttons;
  size_t next = 0;
  for (const ToolBarChild& child : ToolBar1()) {
    if (child.kind == ToolKind::Panel) continue;
    TBBUTTON button{};
    if (child.kind == ToolKind::Separator) {
      button.iBitmap = ScaleForDpi(child.width, dpi);  // a separator's bitmap index is its width
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = child.image;
      button.idCommand = child.command;
      button.fsState = enabled_[next++] ? TBSTATE_ENABLED : 0;
      button.fsStyle = BTNS_BUTTON;
      button.iString = -1;
    }
    buttons.push_back(button);
  }
  SendMessageA(hwnd_, TB_ADDBUTTONSA, buttons.size(), AsParam(buttons.data()));
  SendMessageA(hwnd_, TB_SETBUTTONSIZE, 0,
               MAKELONG(ScaleForDpi(kToolButtonWidth, dpi), ScaleForDpi(kToolButtonHeight, dpi)));
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
  const auto at = std::find(commands_.begin(), commands_.end(), command);
  if (at == commands_.end()) return;
  // Every keystroke asks for the clipboard buttons' states; most of the time they stand.
  auto shown = enabled_.begin() + (at - commands_.begin());
  if (*shown == enabled) return;
  *shown = enabled;
  SendMessageA(hwnd_, TB_ENABLEBUTTON, command, MAKELONG(enabled, 0));
}

}  // namespace penlet
