// ToolBar1: raised 23 x 22 buttons from the command table, separators of 8, never wrapping,
// an etched line along its top, and the counter panel at its end.
#include <vector>

#include "ui/CommandTable.h"
#include "ui/MainWindow_win32.h"

namespace penlet {
namespace {

constexpr int kToolBar1Id = 100;

}  // namespace

void MainWindow::CreateToolBar() {
  // Not wrapable, not flat; the divider is the etched line along the top edge. Layout places it.
  toolBar1_ =
      CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
                      0, 662, 30, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBar1Id)),
                      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(toolBar1_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolBar1_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList1_));
  SendMessageA(toolBar1_, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
  SendMessageA(toolBar1_, TB_SETINDENT, 5, 0);

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
    }
    buttons.push_back(button);
  }
  SendMessageA(toolBar1_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolBar1_, TB_SETBUTTONSIZE, 0, MAKELONG(23, 22));
  SendMessageA(toolBar1_, TB_AUTOSIZE, 0, 0);

  RECT first{};
  SendMessageA(toolBar1_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  CreateCounter(first.top);
}

}  // namespace penlet
