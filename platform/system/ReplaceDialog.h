// The system's modeless find/replace dialog as the main window's logic sees it: the two texts
// the user typed, the button that was pressed, and where the dialog stands.
#pragma once

#include <string>

namespace penlet {

// What the dialog reports with each notification (the platform's FR_ values).
enum ReplaceDialogFlag : unsigned {
  kFindNextFlag = 0x8,
  kReplaceFlag = 0x10,
  kReplaceAllFlag = 0x20,
  kDialogTermFlag = 0x40,
};

// A point on the screen, in pixels from its top-left corner.
struct ScreenPoint {
  int x = 0, y = 0;
  bool operator==(const ScreenPoint& o) const { return x == o.x && y == o.y; }
};

// A control's rectangle in its parent's client area.
struct ControlBounds {
  int left = 0, top = 0, width = 0, height = 0;
};

class ReplaceDialog {
 public:
  virtual ~ReplaceDialog() = default;

  // The editing area the dialog is placed against, in the main window's client area.
  virtual ControlBounds EditAreaBounds() const = 0;

  // The stored top-left corner. Setting a different point stores it and, when the dialog is
  // open, moves it there at once; setting the same point does nothing.
  virtual ScreenPoint Position() const = 0;
  virtual void SetPosition(ScreenPoint point) = 0;

  virtual bool IsOpen() const = 0;
  // Creates the dialog at the stored position, or brings it to the top when it is open.
  virtual void Open() = 0;

  // Code page 932 bytes, at most 255 of each; both outlive the dialog's closing.
  virtual std::string FindWhat() const = 0;
  virtual std::string ReplaceWith() const = 0;
  // The ReplaceDialogFlag bits of the last notification.
  virtual unsigned Flags() const = 0;
};

}  // namespace penlet
