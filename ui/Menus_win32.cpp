// The main window's menus.
#include "ui/Menus_win32.h"

#include "core/Texts.h"
#include "platform/system/Locale.h"
#include "ui/CommandState.h"
#include "ui/CommandTable.h"
#include "ui/Hints.h"

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

// Gives every item with an image its image again, which drops the size the menu keeps for it.
void RemeasureImages(HMENU menu) {
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
    if (info.hSubMenu) RemeasureImages(info.hSubMenu);
    if (info.hbmpItem == HBMMENU_CALLBACK) {
      info.fMask = MIIM_BITMAP;
      SetMenuItemInfoA(menu, i, TRUE, &info);
    }
  }
}

}  // namespace

void Menus::SetImages(HIMAGELIST images, int imageSize) {
  images_ = images;
  imageSize_ = imageSize;
  RemeasureImages(mainMenu1_);
  RemeasureImages(popupMenu1_.Get());
  DrawMenuBar(window_);
}

Menus::Menus(HWND window, HIMAGELIST images, int imageSize)
    : window_(window), images_(images), imageSize_(imageSize), mainMenu1_(CreateMenu()) {
  for (const MenuTitle& title : MainMenu1()) {
    HMENU sub = CreatePopupMenu();
    for (int i = 0; i < title.count; ++i) AppendItem(sub, title.items[i]);
    AppendMenuA(mainMenu1_, MF_POPUP, AsParam<UINT_PTR>(sub), Ansi(title.caption).c_str());
  }
  // The menu bar takes its height from the client area: the outer size stays as designed.
  SetMenu(window_, mainMenu1_);
  popupMenu1_ = OwnedMenu(CreatePopupMenu());
  for (const MenuItem& item : PopupMenu1()) AppendItem(popupMenu1_.Get(), item);
}

void Menus::SetEnabled(int command, bool enabled) {
  const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(mainMenu1_, command, state);
  EnableMenuItem(popupMenu1_.Get(), command, state);
}

void Menus::TrackPopupMenu1(int x, int y) {
  RECT window;
  GetWindowRect(window_, &window);
  const PopupPoint at = PopupMenu1Origin(window.left, window.top, x, y);
  TrackPopupMenu(popupMenu1_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                 window_, nullptr);
}

std::string Menus::HintOf(UINT item, UINT flags, HMENU menu) const {
  if (flags == 0xFFFF && menu == nullptr) return {};  // the menu closed
  std::string hint;
  if (flags & MF_POPUP) {
    // A title of the menu bar, highlighted as its menu opens.
    if (menu == mainMenu1_ && item < MainMenu1().size()) hint = Ansi(MainMenu1()[item].hint);
  } else if (!(flags & MF_SEPARATOR)) {
    if (const Command* command = FindCommand(item)) hint = Ansi(command->hint);
  }
  return LongHint(hint, AnsiLeadBytes());
}

bool Menus::Measure(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  item.itemWidth = imageSize_;
  item.itemHeight = imageSize_;
  return true;
}

bool Menus::DrawImage(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  const Command* command = FindCommand(item.itemID);
  if (!command || command->image == kNoImage) return true;
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - imageSize_) / 2;
  const bool grey = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  ImageList_DrawEx(images_, command->image, item.hDC, item.rcItem.left, top, imageSize_, imageSize_,
                   CLR_NONE, grey ? GetSysColor(COLOR_MENU) : CLR_DEFAULT,
                   ILD_TRANSPARENT | (grey ? ILD_BLEND50 : 0));
  return true;
}

}  // namespace penlet
