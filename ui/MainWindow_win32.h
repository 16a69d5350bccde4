// The main window "TPenletForm": creates its controls and routes its messages to the
// handlers of TPenletForm.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FormView.h"
#include "core/PenletForm.h"
#include "platform/FileDialogs_win32.h"
#include "platform/Clipboard_win32.h"
#include "platform/Files.h"
#include "platform/Profile_win32.h"
#include "platform/RichEdit_win32.h"
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
  RichEdit& Editor() { return *richEdit1_; }

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

  HWND hwnd_ = nullptr;
  HWND appWindow_;
  MessageBoxes& boxes_;
  ErrorReporter reportError_;
  std::unique_ptr<RichEdit> richEdit1_;
  std::unique_ptr<Files> files_;
  std::unique_ptr<Win32FileDialogs> dialogs_;
  Win32Clipboard clipboard_;
  Win32Profile profile_;
  std::unique_ptr<TPenletForm> form_;
  HFONT editFont_ = nullptr;
  bool shown_ = false;
  bool saveEnabled_ = false;
  // Until the counter and status bar controls exist, their texts are kept here.
  std::string memo1_, memo2_, status_[3];
};

}  // namespace penlet
