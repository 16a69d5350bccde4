// The main window's controls as its logic sees them: texts, colours and enabled states only.
#pragma once

#include <string>

namespace penlet {

class FormView {
 public:
  virtual ~FormView() = default;
  virtual void SetCaption(const std::string& cp932) = 0;
  virtual std::string Caption() const = 0;
  // The command FileSave1: its menu item, tool button and Ctrl+S.
  virtual void SetSaveEnabled(bool enabled) = 0;
  // Asks the window to close, through the close query.
  virtual void Close() = 0;
};

}  // namespace penlet
