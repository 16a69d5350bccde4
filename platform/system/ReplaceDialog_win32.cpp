// The modeless find/replace dialog of comdlg32.
#include "platform/system/ReplaceDialog_win32.h"

#include "platform/system/Win32Support_win32.h"

namespace penlet {
namespace {

// FR_ENABLEHOOK | FR_DOWN | FR_HIDEUPDOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD.
constexpr DWORD kDialogFlags = 0x1C101;
constexpr DWORD kCommandFlags = FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM;

}  // namespace

Win32ReplaceDialog::Win32ReplaceDialog(HWND owner, int editAreaId)
    : owner_(owner), editAreaId_(editAreaId), message_(RegisterWindowMessageA(FINDMSGSTRINGA)) {}

Win32ReplaceDialog::~Win32ReplaceDialog() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

ControlBounds Win32ReplaceDialog::EditAreaBounds() const {
  RECT rc{};
  GetWindowRect(GetDlgItem(owner_, editAreaId_), &rc);
  rc = MapRect(nullptr, owner_, rc);
  return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

void Win32ReplaceDialog::SetPosition(ScreenPoint point) {
  if (point == position_) return;
  position_ = point;
  if (hwnd_) {
    SetWindowPos(hwnd_, nullptr, point.x, point.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32ReplaceDialog::Open() {
  if (hwnd_) {
    BringWindowToTop(hwnd_);
    return;
  }
  record_ = FINDREPLACEA{};
  record_.lStructSize = sizeof record_;
  record_.hwndOwner = owner_;
  record_.hInstance = GetModuleHandleA(nullptr);
  record_.Flags = kDialogFlags;
  record_.lpstrFindWhat = findText_;
  record_.lpstrReplaceWith = replaceText_;
  record_.wFindWhatLen = sizeof findText_;
  record_.wReplaceWithLen = sizeof replaceText_;
  record_.lCustData = AsParam(this);
  record_.lpfnHook = &Win32ReplaceDialog::Hook;
  static const auto replaceText =
      LibraryFunction<decltype(ReplaceTextA)>("comdlg32.dll", "ReplaceTextA");
  hwnd_ = replaceText ? replaceText(&record_) : nullptr;
}

UINT_PTR CALLBACK Win32ReplaceDialog::Hook(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
  static const char kProperty[] = "PenletReplaceDialog";
  if (msg == WM_INITDIALOG) {
    auto* self = FromParam<Win32ReplaceDialog*>(FromParam<const FINDREPLACEA*>(lParam)->lCustData);
    SetPropA(hwnd, kProperty, self);
    self->hwnd_ = hwnd;
    SetWindowPos(hwnd, nullptr, self->position_.x, self->position_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;  // show the dialog
  }
  if (msg == WM_DESTROY) {
    auto* self = static_cast<Win32ReplaceDialog*>(RemovePropA(hwnd, kProperty));
    if (self) {
      // Wherever it closes, with Cancel, the close box or its owner, its place is kept.
      RECT rc{};
      GetWindowRect(hwnd, &rc);
      self->position_ = {rc.left, rc.top};
      self->hwnd_ = nullptr;
    }
  }
  return FALSE;
}

bool Win32ReplaceDialog::TakeNotification(LPARAM lParam) {
  const auto* record = FromParam<const FINDREPLACEA*>(lParam);
  if (record != &record_) return false;
  flags_ = record->Flags & kCommandFlags;
  // The dialog's handle is no longer valid once it reports its end.
  if (flags_ & FR_DIALOGTERM) hwnd_ = nullptr;
  return true;
}

bool Win32ReplaceDialog::IsDialogMessage(MSG& msg) {
  return hwnd_ && IsWindow(hwnd_) && ::IsDialogMessageA(hwnd_, &msg);
}

}  // namespace penlet
