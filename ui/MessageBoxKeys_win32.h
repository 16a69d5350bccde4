// The state of a program-drawn message box while it is open, and its keys: Enter, Escape, Tab
// and the arrows among the buttons, access letters, and Ctrl+C for the box's content.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/MessageBoxes.h"
#include "ui/MessageDialogLayout.h"

namespace penlet::message_box {

// What a box shows, and where it stands while it is open.
struct BoxState {
  HWND box = nullptr;
  std::string caption;
  std::string text;
  ButtonRow row;
  std::vector<std::string> labels;
  std::vector<HWND> buttons;
  HICON icon = nullptr;
  PixelRect iconRect;
  size_t focus = 0;
  bool trailByteNext = false;
  bool done = false;
  DialogResult result = DialogResult::Cancel;
};

// Ends the box with `result`, once.
void Finish(BoxState& s, DialogResult result);
// Ends the box as `button` (a MessageButton; 0 presses nothing) does.
void Press(BoxState& s, unsigned button);
// The button at `index` takes the default button's look.
void ShowFocus(BoxState& s, size_t index);
// The box's keys, taken before the focused button sees them. True when the key was used.
// May raise an error (Ctrl+C); the box stays as it was.
bool HandleKey(BoxState& s, const MSG& msg);

}  // namespace penlet::message_box
