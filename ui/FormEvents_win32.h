// What the main window's messages, keys, commands and idle moments mean: each is handed to its
// handler of TPenletForm. Attaches itself to the window for as long as it lives.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/PenletForm.h"
#include "platform/system/Clipboard.h"
#include "platform/system/ReplaceDialog_win32.h"
#include "ui/Hints.h"
#include "ui/MainWindow_win32.h"

namespace penlet {

class FormEvents : public WindowMessages {
 public:
  using ErrorReporter = std::function<void(const std::string& cp932Message)>;

  // Runs the form's start-up handler, then takes the window's messages.
  FormEvents(MainWindow& window, TPenletForm& form, Win32ReplaceDialog& replaceDialog1,
             const Clipboard& clipboard, ErrorReporter reportError);
  ~FormEvents() override;
  FormEvents(const FormEvents&) = delete;
  FormEvents& operator=(const FormEvents&) = delete;

  // Shows the window; the first time, opens `paths` and centres the window first.
  void Show(int showCommand, const std::vector<std::string>& paths);
  bool Shown() const { return shown_; }

  // Offered each message of the loop before it is dispatched; true when it was taken.
  bool PreTranslateMessage(MSG& msg);
  // Runs when the message queue has run empty: the tool buttons' states and the hint.
  void Idle();

  // WindowMessages
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Runs a handler, reporting an error it raises; false when it raised one.
  bool Guard(const std::function<void()>& handler);
  // Refreshes the command's enabled state, then runs its handler if it is enabled.
  void RunCommand(int id);
  void RefreshCommand(int id, const ClipboardTarget& target);
  void RefreshMenu(HMENU menu);
  void RichEdit1MouseDown(UINT button, int x, int y);
  void SetHint(const std::string& longHint);

  MainWindow& window_;
  TPenletForm& form_;
  Win32ReplaceDialog& replaceDialog1_;
  const Clipboard& clipboard_;
  ErrorReporter reportError_;
  bool shown_ = false;
  CurrentHint hint_;
};

}  // namespace penlet
