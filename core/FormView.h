// The main window's controls as its logic sees them: texts, colours and enabled states only.
#pragma once

#include <cstdint>
#include <string>

namespace penlet {

// An RGB colour as the window system stores it: 0x00BBGGRR.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

// The tool buttons that the logic enables directly.
enum class ToolButton { Cut, Copy, Paste };

// What the clipboard commands ask of the focused edit control.
enum class EditCommand { kCut, kCopy, kPaste };

// The window's outer rectangle in screen pixels.
struct WindowRect {
  int left = 0, top = 0, width = 0, height = 0;
};

class FormView {
 public:
  virtual ~FormView() = default;

  // Caption and closing.
  virtual void SetCaption(const std::string& cp932) = 0;
  virtual std::string Caption() const = 0;
  // Asks the window to close, through the close query.
  virtual void Close() = 0;

  // The command FileSave1: its menu item, tool button and Ctrl+S.
  virtual void SetSaveEnabled(bool enabled) = 0;
  virtual void SetToolButtonEnabled(ToolButton button, bool enabled) = 0;

  // The counter boxes: Memo1 (figures) and Memo2 (unit label).
  virtual std::string Memo1Text() const = 0;
  virtual void SetMemo1Text(const std::string& cp932) = 0;
  virtual void SetMemo1Color(Color color) = 0;
  virtual std::string Memo2Text() const = 0;
  virtual void SetMemo2Text(const std::string& cp932) = 0;
  // Hides the caret of whichever window of the program owns it.
  virtual void HideCaret() = 0;
  // Cut, Copy or Paste in whichever edit control of the window has the focus, if any.
  virtual void SendToFocusedEdit(EditCommand command) = 0;

  // Status bar panels 0 (hint), 1 (offset) and 2 (line and column).
  virtual std::string StatusText(int panel) const = 0;
  virtual void SetStatusText(int panel, const std::string& cp932) = 0;
  // Panels 1 and 2 together, as a move of the caret changes both.
  virtual void SetCaretPanels(const std::string& offset, const std::string& line) {
    SetStatusText(1, offset);
    SetStatusText(2, line);
  }

  // Window geometry: the size given at creation, and the rectangle to remember at the end
  // (the restored one when minimised, the maximised one when maximised), in screen pixels; and
  // the dots per inch of the screen the window is on.
  virtual void SetWindowSize(int width, int height) = 0;
  virtual WindowRect RememberedRect() const = 0;
  virtual int Dpi() const = 0;

  // Documents.
  // Plays the system's question sound (MessageBeep with MB_ICONQUESTION).
  virtual void BeepQuestion() = 0;
  // Brings to the foreground the program's main window that the system finds by its window
  // class, which need not be this one when several copies run.
  virtual void BringMainWindowToFront() = 0;
};

}  // namespace penlet
