// The find/replace dialog in memory: the texts and the pressed button are set by the test,
// the position follows the same rule as the real dialog.
#pragma once

#include <string>

#include "platform/system/ReplaceDialog.h"

namespace penlet {

class FakeReplaceDialog : public ReplaceDialog {
 public:
  ControlBounds EditAreaBounds() const override { return bounds; }
  ScreenPoint Position() const override { return position; }
  void SetPosition(ScreenPoint point) override {
    if (point == position) return;
    position = point;
    if (open) {
      at = point;
      ++moves;
    }
  }
  bool IsOpen() const override { return open; }
  void Open() override {
    if (open) {
      ++broughtToTop;
      return;
    }
    open = true;
    at = position;
    ++creations;
  }
  std::string FindWhat() const override { return findText; }
  std::string ReplaceWith() const override { return replaceText; }
  unsigned Flags() const override { return flags; }

  // The user closes the dialog where it stands.
  void Close() {
    open = false;
    position = at;
  }

  ControlBounds bounds{0, 30, 662, 200};
  ScreenPoint position;
  ScreenPoint at;  // where the open dialog stands
  bool open = false;
  int creations = 0, broughtToTop = 0, moves = 0;
  std::string findText, replaceText;
  unsigned flags = 0;
};

}  // namespace penlet
