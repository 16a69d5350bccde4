// The main window "TPenletForm": its face (tool bar, counter boxes, editing area, status bar,
// menus, tooltips) at their designed places scaled to the screen's density, and the view of
// them that the logic uses. What
// its messages mean belongs to the handler that attaches itself (FormEvents).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/FormView.h"
#include "platform/system/Clipboard.h"
#include "platform/system/Dpi.h"
#include "platform/print/Printer_win32.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "platform/system/Win32Support_win32.h"
#include "ui/CommandIds.h"
#include "ui/CommandState.h"
#include "ui/CounterBoxes_win32.h"
#include "ui/Menus_win32.h"
#include "ui/StatusBar_win32.h"
#include "ui/ToolBar_win32.h"
#include "ui/Tooltips_win32.h"

namespace penlet {

inline constexpr char kMainWindowClass[] = "TPenletForm";

// What the window's messages mean, beyond its face.
class WindowMessages {
 public:
  virtual ~WindowMessages() = default;
  // True when `result` answers the message.
  virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

class MainWindow : public FormView {
 public:
  // Creates the window, hidden, owned by `owner`.
  explicit MainWindow(HWND owner);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  ScintillaEdit& Editor() { return richEdit1_; }
  Win32PrintSurface& PrintSurface() { return richEdit2_; }
  ToolBar& ToolBar1() { return toolBar1_; }
  CounterBoxes& Counter() { return counter_; }
  Menus& Menus1() { return menus_; }
  Tooltips& Tips() { return tooltips_; }

  // Destroys the window (and so its controls), telling the handler.
  void Destroy();
  // The handler of the window's messages, for as long as it lives.
  void Attach(WindowMessages* messages) { messages_ = messages; }

  // Centres the window on the screen.
  void Centre();
  // The command's enabled state, shown on its menu items and tool button.
  bool CommandEnabled(int id) const { return commandEnabled_[id - kFirstCommandId]; }
  void SetCommandEnabled(int id, bool enabled);
  // What the clipboard commands would work on: the focused edit control of the window, if any,
  // and whether `clipboard` holds text to paste there.
  ClipboardTarget FocusedEditTarget(const Clipboard& clipboard) const;
  // The long hint of the control under the pointer: a tool button's or a counter box's.
  std::string HintUnderPointer() const;

  // FormView
  void SetCaption(const std::string& cp932) override;
  std::string Caption() const override;
  void SetSaveEnabled(bool enabled) override { SetCommandEnabled(FileSave1, enabled); }
  void Close() override;
  void SetToolButtonEnabled(ToolButton button, bool enabled) override;
  std::string Memo1Text() const override { return counter_.Text(0); }
  void SetMemo1Text(const std::string& cp932) override { counter_.SetText(0, cp932); }
  void SetMemo1Color(Color color) override { counter_.SetMemo1Color(color); }
  std::string Memo2Text() const override { return counter_.Text(1); }
  void SetMemo2Text(const std::string& cp932) override { counter_.SetText(1, cp932); }
  void HideCaret() override;
  void SendToFocusedEdit(EditCommand command) override;
  std::string StatusText(int panel) const override { return statusBar_.Text(panel); }
  void SetStatusText(int panel, const std::string& cp932) override {
    statusBar_.SetText(panel, cp932);
  }
  void SetCaretPanels(const std::string& offset, const std::string& line) override {
    statusBar_.SetCaretTexts(offset, line);
  }
  void SetWindowSize(int width, int height) override;
  WindowRect RememberedRect() const override;
  int Dpi() const override { return dpi_; }
  void BeepQuestion() override;
  void BringMainWindowToFront() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The face's own messages; true when `result` answers the message.
  bool HandleFaceMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Layout();
  void PlacePrintSurface();
  void SetEditFont();
  // A designed figure on the window's screen.
  int Scaled(int designed) const { return ScaleForDpi(designed, dpi_); }
  // Lays the window out again for a screen of `dpi`, in the rectangle the system suggests.
  void ChangeDpi(int dpi, const RECT& suggested);

  HWND hwnd_;
  int dpi_;  // of the screen the window is on
  OwnedImageList imageList1_;
  ToolBar toolBar1_;
  CounterBoxes counter_;
  ScintillaEdit richEdit1_;
  Win32PrintSurface richEdit2_;
  OwnedFont editFont_;
  OwnedFont printFont_;
  StatusBar statusBar_;
  Menus menus_;
  Tooltips tooltips_;
  WindowMessages* messages_ = nullptr;
  bool commandEnabled_[kCommandCount];
};

}  // namespace penlet
