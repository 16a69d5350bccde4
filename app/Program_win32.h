// Every part of the program, built and wired in one place: the main window and its face, the
// system's services, the objects of the logic, the form that hands them its events, and the
// events that reach the form.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/PenletForm.h"
#include "platform/system/Clipboard_win32.h"
#include "platform/files/FileDialogs_win32.h"
#include "platform/files/Files.h"
#include "platform/system/Mail.h"
#include "platform/print/Printer_win32.h"
#include "platform/files/Profile_win32.h"
#include "platform/system/ReplaceDialog_win32.h"
#include "ui/About_win32.h"
#include "ui/FormEvents_win32.h"
#include "ui/MainWindow_win32.h"

namespace penlet {

// The About box, made when it is first shown and kept from then on (it opens again where it was
// left): nobody waits for it at start-up.
class AboutBoxOnFirstUse : public AboutBox {
 public:
  AboutBoxOnFirstUse(HWND owner, IdleStep idle) : owner_(owner), idle_(std::move(idle)) {}
  int ShowModal() override {
    if (!box_) box_ = std::make_unique<TAboutBox>(owner_, idle_);
    return box_->ShowModal();
  }

 private:
  HWND owner_;
  IdleStep idle_;
  std::unique_ptr<TAboutBox> box_;
};

class Program {
 public:
  // The main window is owned by `owner` (the application window), hidden until Show.
  Program(HWND owner, MessageBoxes& boxes, FormEvents::ErrorReporter reportError);
  // The window ends first, while the parts that hear of its end still live; then the form hears
  // no more of the clipboard.
  ~Program() {
    window_.Destroy();
    clipboard_.StopListening();
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HWND Handle() const { return window_.Handle(); }
  MainWindow& Window() { return window_; }
  ScintillaEdit& Editor() { return window_.Editor(); }
  TPenletForm& Form() { return form_; }

  // Shows the main window; the first time, opens `paths` and centres the window first.
  void Show(int showCommand, const std::vector<std::string>& paths) {
    events_.Show(showCommand, paths);
  }
  bool Shown() const { return events_.Shown(); }
  // The loop's two steps: a message before it is dispatched, and the empty queue.
  bool PreTranslateMessage(MSG& msg) { return events_.PreTranslateMessage(msg); }
  void Idle() { events_.Idle(); }

 private:
  MainWindow window_;
  std::unique_ptr<Files> files_;
  Win32FileDialogs dialogs_;
  Win32Clipboard clipboard_;
  Win32Profile profile_;
  Win32ReplaceDialog replaceDialog1_;
  Win32Printer printer_;
  // Simple MAPI is loaded at the first Send and released when this goes.
  std::unique_ptr<MailSystem> mail_;
  AboutBoxOnFirstUse aboutBox_;
  Counter counter_;
  DocumentCommands documents_;
  FindReplace findReplace_;
  PrintCommand print_;
  SendCommand send_;
  TPenletForm form_;
  FormEvents events_;
};

}  // namespace penlet
