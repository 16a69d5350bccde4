// MainMenu1 and PopupMenu1 built from the command table: captions with "Ctrl+X" at their right
// end, the commands' images beside the items, and their hints while they are highlighted.
#include "platform/Locale.h"
#include "ui/CommandState.h"
#include "ui/CommandTable.h"
#include "ui/MainWindow_win32.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

void AppendItem(HMENU menu, const MenuItem& item) {
  if (item.command == 0) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const Command& command = *FindCommand(item.command);
  std::string text = Ansi(command.caption);
  const std::string shortcut = ShortcutText(command);
  if (!shortcut.empty()) text += "\t" + shortcut;
  AppendMenuA(menu, MF_STRING, command.id, text.c_str());
  if (command.image != kNoImage) {
    // The image is drawn by the window (WM_DRAWITEM), transparent on any highlight.
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = HBMMENU_CALLBACK;
    SetMenuItemInfoA(menu, command.id, FALSE, &info);
  }
}

}  // namespace

void MainWindow::CreateMenus() {
  mainMenu1_ = CreateMenu();
  for (const MenuTitle& title : MainMenu1()) {
    HMENU sub = CreatePopupMenu();
    for (int i = 0; i < title.count; ++i) AppendItem(sub, title.items[i]);
    AppendMenuA(mainMenu1_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Ansi(title.caption).c_str());
  }
  // The menu bar takes its height from the client area: the outer size stays as designed.
  SetMenu(hwnd_, mainMenu1_);
  popupMenu1_ = CreatePopupMenu();
  for (const MenuItem& item : PopupMenu1()) AppendItem(popupMenu1_, item);
}

void MainWindow::RefreshMenu(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (FindCommand(id)) RefreshCommand(id);
  }
}

void MainWindow::RichEdit1MouseDown(UINT button, int x, int y) {
  if (button != WM_RBUTTONDOWN) return;
  RECT window;
  GetWindowRect(hwnd_, &window);
  const PopupPoint at = PopupMenu1Origin(window.left, window.top, x, y);
  TrackPopupMenu(popupMenu1_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_,
                 nullptr);
}

void MainWindow::MenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && menu == nullptr) {  // the menu closed
    SetHint("");
    return;
  }
  std::string hint;
  if (flags & MF_POPUP) {
    // A title of the menu bar, highlighted as its menu opens.
    if (menu == mainMenu1_ && item < MainMenu1().size()) hint = Ansi(MainMenu1()[item].hint);
  } else if (!(flags & MF_SEPARATOR)) {
    if (const Command* command = FindCommand(item)) hint = Ansi(command->hint);
  }
  SetHint(LongHint(hint, AnsiLeadBytes()));
}

void MainWindow::DrawMenuImage(const DRAWITEMSTRUCT& item) {
  const Command* command = FindCommand(item.itemID);
  if (!command || command->image == kNoImage) return;
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 16) / 2;
  const bool grey = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  ImageList_DrawEx(imageList1_, command->image, item.hDC, item.rcItem.left, top, 16, 16, CLR_NONE,
                   grey ? GetSysColor(COLOR_MENU) : CLR_DEFAULT,
                   ILD_TRANSPARENT | (grey ? ILD_BLEND50 : 0));
}

}  // namespace penlet
