// The system's find/replace dialog (ReplaceText of comdlg32), modeless and owned by the main
// window, which passes it the dialog's notifications and the messages of its loop.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "platform/system/ReplaceDialog.h"

namespace penlet {

class Win32ReplaceDialog : public ReplaceDialog {
 public:
  // `owner` receives the notifications; its child `editAreaId` is the control the dialog is
  // placed against (found each time: the control may be renewed).
  Win32ReplaceDialog(HWND owner, int editAreaId);
  ~Win32ReplaceDialog() override;
  Win32ReplaceDialog(const Win32ReplaceDialog&) = delete;
  Win32ReplaceDialog& operator=(const Win32ReplaceDialog&) = delete;

  HWND Handle() const { return hwnd_; }
  // The registered message "commdlg_FindReplace".
  UINT NotificationMessage() const { return message_; }
  // Takes the notification's record; false when it was not this dialog's.
  bool TakeNotification(LPARAM lParam);
  // Tab, Enter and Esc in the dialog; true when the message was the dialog's and is done.
  bool IsDialogMessage(MSG& msg);

  ControlBounds EditAreaBounds() const override;
  ScreenPoint Position() const override { return position_; }
  void SetPosition(ScreenPoint point) override;
  bool IsOpen() const override { return hwnd_ != nullptr; }
  void Open() override;
  std::string FindWhat() const override { return findText_; }
  std::string ReplaceWith() const override { return replaceText_; }
  unsigned Flags() const override { return flags_; }

 private:
  static UINT_PTR CALLBACK Hook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  int editAreaId_;
  HWND hwnd_ = nullptr;
  UINT message_;
  ScreenPoint position_;
  unsigned flags_ = 0;
  // The dialog reads and writes these while it lives; they outlive each closing.
  FINDREPLACEA record_{};
  char findText_[256] = {};
  char replaceText_[256] = {};
};

}  // namespace penlet
