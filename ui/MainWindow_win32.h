// The main window "TPenletForm": creates its controls and routes its messages to the
// handlers of TPenletForm.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FormView.h"
#include "core/PenletForm.h"
#include "platform/FileDialogs_win32.h"
#include "platform/Clipboard_win32.h"
#include "platform/Files.h"
#include "platform/Printer_win32.h"
#include "platform/Profile_win32.h"
#include "platform/ReplaceDialog_win32.h"
#include "platform/ScintillaEdit_win32.h"
#include "ui/CommandIds.h"
#include "ui/Hints.h"
#include "ui/MessageDialog.h"

namespace penlet {

inline constexpr char kMainWindowClass[] = "TPenletForm";

class MainWindow : public FormView {
 public:
  using ErrorReporter = std::function<void(const std::string& cp932Message)>;

  // Creates the window, hidden, owned by the application window.
  MainWindow(HWND appWindow, MessageBoxes& boxes, ErrorReporter reportError);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  TPenletForm& Form() { return *form_; }
  ScintillaEdit& Editor() { return *richEdit1_; }

  // Shows the window; the first time, opens `paths` and centres the window first.
  void Show(int showCommand, const std::vector<std::string>& paths);
  bool Shown() const { return shown_; }

  // Offered each message before it is dispatched; true when it was taken.
  bool PreTranslateMessage(MSG& msg);
  // Runs when the message queue has run empty.
  void Idle();

  // FormView
  void SetCaption(const std::string& cp932) override;
  std::string Caption() const override;
  void SetSaveEnabled(bool enabled) override;
  void Close() override;
  void SetToolButtonEnabled(ToolButton button, bool enabled) override;
  std::string Memo1Text() const override;
  void SetMemo1Text(const std::string& cp932) override;
  void SetMemo1Color(Color color) override;
  std::string Memo2Text() const override;
  void SetMemo2Text(const std::string& cp932) override;
  void HideCaret() override;
  std::string StatusText(int panel) const override;
  void SetStatusText(int panel, const std::string& cp932) override;
  void SetWindowSize(int width, int height) override;
  WindowRect RememberedRect() const override;
  void BeepQuestion() override;
  void BringMainWindowToFront() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Layout();
  void Centre();
  // The document commands by their identifiers; false for other identifiers.
  bool RunDocumentCommand(int id);
  // Runs a handler, reporting an error it raises; false when it raised one.
  bool Guard(const std::function<void()>& handler);

  // The window's face (Layout_win32.cpp, ToolBar_win32.cpp, Menus_win32.cpp,
  // Tooltips_win32.cpp) and its commands (Commands_win32.cpp).
  void CreateToolBar();
  void CreateCounter(int y);
  void CreateStatusBar();
  void CreateMenus();
  void CreateTooltips();
  // Messages of the controls, menus and commands; true when `result` answers the message.
  bool HandleUiMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT CounterMessage(HWND memo, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CounterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
  // Refreshes the command's enabled state, then runs it if it is enabled.
  void RunCommand(int id);
  void Execute(int id);
  void SetCommandEnabled(int id, bool enabled);
  void RefreshCommand(int id);
  void RefreshMenu(HMENU menu);
  void RichEdit1MouseDown(UINT button, int x, int y);
  void MenuSelect(UINT item, UINT flags, HMENU menu);
  void DrawMenuImage(const DRAWITEMSTRUCT& item);
  // The long hint of the control under the pointer, for the idle moment.
  std::string HintUnderPointer() const;
  void SetHint(const std::string& longHint);
  void PopTooltip();

  HWND hwnd_ = nullptr;
  HWND appWindow_;
  MessageBoxes& boxes_;
  ErrorReporter reportError_;
  std::unique_ptr<ScintillaEdit> richEdit1_;
  std::unique_ptr<Files> files_;
  std::unique_ptr<Win32FileDialogs> dialogs_;
  Win32Clipboard clipboard_;
  Win32Profile profile_;
  std::unique_ptr<Win32ReplaceDialog> replaceDialog1_;
  std::unique_ptr<TPenletForm> form_;
  HFONT editFont_ = nullptr;
  bool shown_ = false;
  bool saveEnabled_ = false;
  std::string status_[3];
  std::string memoText_[2];
  std::unique_ptr<Win32PrintSurface> richEdit2_;
  std::unique_ptr<Win32Printer> printer_;
  HWND toolBar1_ = nullptr;
  HWND panel1_ = nullptr;
  HWND memo1_ = nullptr;
  HWND memo2_ = nullptr;
  HWND statusBar_ = nullptr;
  HWND tooltip_ = nullptr;
  HMENU mainMenu1_ = nullptr;
  HMENU popupMenu1_ = nullptr;
  HIMAGELIST imageList1_ = nullptr;
  HFONT counterFont_ = nullptr;
  HFONT printFont_ = nullptr;
  HBRUSH blackBrush_ = nullptr;
  Color memo1Color_ = Rgb(255, 255, 0);
  bool memoPressed_ = false;
  bool commandEnabled_[kCommandCount] = {true, true, true, true, true, true, true, true,
                                         true, true, true, true, true, true, true};
  CurrentHint hint_;
};

}  // namespace penlet
