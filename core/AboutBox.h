// The About box as the main window's logic sees it.
#pragma once

namespace penlet {

class AboutBox {
 public:
  virtual ~AboutBox() = default;
  // Shows the box modally; returns 1 (OK) when closed by OK or Enter, 2 (Cancel) when closed
  // by the caption's close button or Alt+F4.
  virtual int ShowModal() = 0;
};

}  // namespace penlet
