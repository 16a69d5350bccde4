// The message boxes on Win32: a window of our own, measured, laid out, created and then run in
// the program's modal loop, so that the keys, the close box and Ctrl+C answer exactly as the
// program wants and the idle step goes on; the exception box is the system's MessageBox.
#include "ui/MessageDialog_win32.h"

#include "ui/MessageBoxKeys_win32.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <vector>

#include "core/Error.h"
#include "platform/system/Locale.h"
#include "platform/system/Dpi_win32.h"
#include "ui/MessageDialogLayout.h"
#include "core/Texts.h"

namespace penlet {
namespace {

using message_box::BoxState;
using message_box::Finish;
using message_box::HandleKey;
using message_box::Press;
using message_box::ShowFocus;

constexpr int kTextControlId = 0xFFFF;
constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

std::string LabelOf(MessageButton button) {
  switch (button) {
    case kButtonYes:
      return Ansi(texts::kYesButton);
    case kButtonNo:
      return Ansi(texts::kNoButton);
    case kButtonOk:
      return Ansi(texts::kOkButton);
    case kButtonCancel:
      break;
  }
  return Ansi(texts::kCancelButton);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  BoxState* s = WindowObject<BoxState>(hwnd, message, lParam);
  if (s == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const auto it = std::find(s->buttons.begin(), s->buttons.end(), FromParam<HWND>(lParam));
      if (it == s->buttons.end()) break;
      const size_t index = it - s->buttons.begin();
      if (HIWORD(wParam) == BN_CLICKED) Press(*s, s->row.buttons[index]);
      if (HIWORD(wParam) == BN_SETFOCUS) ShowFocus(*s, index);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && s->focus < s->buttons.size()) {
        SetFocus(s->buttons[s->focus]);
        return 0;
      }
      break;
    case WM_CLOSE:
      Finish(*s, DialogResult::Cancel);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (s->icon != nullptr) {
        DrawIconEx(dc, s->iconRect.left, s->iconRect.top, s->icon, s->iconRect.Width(),
                   s->iconRect.Height(), 0, nullptr, DI_NORMAL);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterBoxClass() {
  WindowClass box;
  box.name = kMessageBoxClassName;
  box.procedure = BoxProc;
  box.cursor = ArrowCursor();
  box.background = SystemColourBackground(COLOR_3DFACE);
  RegisterWindowClass(box);
}

// The system's message font, as it is on a screen of `dpi`.
HFONT CreateMessageFont(int dpi) {
  const NONCLIENTMETRICSA metrics = NonClientMetricsForDpi(dpi);
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

// The system's icon in the size a box on a screen of `dpi` draws it, picked, not stretched.
HICON SystemIcon(const char* name, int dpi) {
  const int size = ScaleForDpi(kMessageIconSize, dpi);
  if (size == kMessageIconSize) return LoadIconA(nullptr, name);
  return static_cast<HICON>(LoadImageA(nullptr, name, IMAGE_ICON, size, size, LR_SHARED));
}

// What a box of `kind` shows: caption, icon and the labels of `buttons`.
void SetContent(BoxState& s, const std::string& text, MessageKind kind, unsigned buttons, int dpi) {
  s.text = text;
  s.row = MakeButtonRow(buttons);
  for (MessageButton b : s.row.buttons) s.labels.push_back(LabelOf(b));
  switch (kind) {
    case MessageKind::Confirmation:
      s.caption = Ansi(texts::kConfirmCaption);
      s.icon = SystemIcon(IDI_QUESTION, dpi);
      break;
    case MessageKind::Error:
      s.caption = Ansi(texts::kErrorCaption);
      s.icon = SystemIcon(IDI_HAND, dpi);
      break;
    case MessageKind::Plain:
      s.caption = Ansi(texts::kAppTitle);
      break;
  }
}

HWND CreateChild(HWND parent, const char* cls, const std::string& text, DWORD style, int id,
                 const PixelRect& r, HFONT font) {
  HWND child =
      CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.Width(),
                      r.Height(), parent, ControlId(id), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, AsParam<WPARAM>(font), FALSE);
  return child;
}

// The box window with its text and buttons where `layout` puts them, hidden, centred on the
// screen and owned by `owner`; null when it could not be made.
OwnedWindow CreateBox(BoxState& s, const MessageLayout& layout, HFONT font, HWND owner, int dpi) {
  RECT frame{0, 0, layout.client.width, layout.client.height};
  AdjustWindowRectForDpi(frame, kBoxStyle, false, kBoxExStyle, dpi);
  OwnedWindow box(CreateWindowExA(kBoxExStyle, kMessageBoxClassName, s.caption.c_str(), kBoxStyle,
                                  0, 0, frame.right - frame.left, frame.bottom - frame.top, owner,
                                  nullptr, GetModuleHandleA(nullptr), &s));
  if (!box) return box;
  s.box = box.Get();
  s.iconRect = layout.icon;
  PlaceWindow(s.box, nullptr, Placement::kCentred);
  HMENU menu = GetSystemMenu(s.box, FALSE);
  for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
    DeleteMenu(menu, command, MF_BYCOMMAND);
  }
  CreateChild(s.box, "STATIC", s.text, SS_LEFT | SS_NOPREFIX, kTextControlId, layout.text, font);
  for (size_t i = 0; i < s.row.buttons.size(); ++i) {
    const DWORD style = WS_TABSTOP | BS_NOTIFY | (i == 0 ? WS_GROUP | BS_DEFPUSHBUTTON : 0);
    const int id = static_cast<int>(ResultOfButton(s.row.buttons[i]));
    s.buttons.push_back(
        CreateChild(s.box, "BUTTON", s.labels[i], style, id, layout.buttons[i], font));
  }
  return box;
}

// Shows the box and runs its loop until a button or the close box ends it. An error raised by
// a key (Ctrl+C) goes to `reportError` and the box stays open.
void RunBox(BoxState& s, const IdleStep& idle,
            const std::function<void(const std::string&)>& reportError) {
  ShowWindow(s.box, SW_SHOW);
  SetActiveWindow(s.box);
  if (!s.buttons.empty()) SetFocus(s.buttons[0]);
  ShowFocus(s, 0);
  RunModalLoop([&s] { return s.done; },
               [&s, &reportError](MSG& msg) {
                 if (msg.hwnd != s.box && !IsChild(s.box, msg.hwnd)) return false;
                 try {
                   return HandleKey(s, msg);
                 } catch (const std::exception& e) {
                   reportError(e.what());
                   return true;
                 }
               },
               idle);
}

}  // namespace

Win32MessageBoxes::Win32MessageBoxes(HWND appWindow, IdleStep idle, ErrorReporter reportError)
    : appWindow_(appWindow), idle_(std::move(idle)), reportError_(std::move(reportError)) {}

int Win32MessageBoxes::LabelWidth(HDC dc, const std::string& label, int dpi) {
  const std::string key = std::to_string(dpi) + " " + label;
  const auto found = labelWidths_.find(key);
  if (found != labelWidths_.end()) return found->second;
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  labelWidths_[key] = r.right - r.left;
  return r.right - r.left;
}

void Win32MessageBoxes::ReportError(const std::string& cp932Message) {
  if (reportError_) {
    reportError_(cp932Message);
  } else {
    ShowExceptionBox(appWindow_, cp932Message, AnsiLeadBytes());
  }
}

MessageLayoutInput Win32MessageBoxes::Measure(const std::string& text,
                                              const std::vector<std::string>& labels, bool hasIcon,
                                              HFONT font, int dpi) {
  MessageLayoutInput in;
  in.hasIcon = hasIcon;
  in.dpi = dpi;
  const WindowDc screen(nullptr, font);
  SIZE sample{};
  GetTextExtentPoint32A(screen.Get(), kAverageWidthSample.data(),
                        static_cast<int>(kAverageWidthSample.size()), &sample);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen.Get(), &tm);
  in.averageLetterWidth = AverageLetterWidth(sample.cx);
  in.charHeight = tm.tmHeight;
  RECT r{0, 0, MessageTextWidthLimit(GetSystemMetrics(SM_CXSCREEN)), 0};
  DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
            kTextFormat | DT_CALCRECT);
  in.text = {r.right - r.left, r.bottom - r.top};
  for (const std::string& label : labels) {
    in.labelWidths.push_back(LabelWidth(screen.Get(), label, dpi));
  }
  return in;
}

DialogResult Win32MessageBoxes::ShowMessageDialog(const std::string& text, MessageKind kind,
                                                  unsigned buttons) {
  RegisterBoxClass();
  // The box takes the density of the window the user works in.
  HWND active = GetActiveWindow();
  const int dpi = WindowDpi(active ? active : appWindow_);
  BoxState s;
  SetContent(s, text, kind, buttons, dpi);
  const OwnedFont font(CreateMessageFont(dpi));
  const MessageLayout layout =
      LayOutMessageBox(Measure(s.text, s.labels, s.icon != nullptr, font.Get(), dpi));

  ModalScope modal;
  OwnedWindow box = CreateBox(s, layout, font.Get(), appWindow_, dpi);
  if (!box) return DialogResult::Cancel;
  RunBox(s, idle_, [this](const std::string& message) { ReportError(message); });
  // The owner is enabled and active again before the box goes, so that activation does not
  // pass to some other program.
  modal.Restore();
  ClearWindowData(box.Get());
  box.Reset();
  modal.Restore();
  return s.result;
}

void Win32MessageBoxes::ShowPlainMessage(const std::string& text) {
  ShowMessageDialog(text, MessageKind::Plain, kButtonOk);
}

void ShowExceptionBox(HWND appWindow, const std::string& message, const LeadByteSet& leadBytes) {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  const std::string text = WithFullStop(message, leadBytes);
  ModalScope modal;

  // The system opens the box on its owner's monitor; bring the owner to the user's.
  RECT home{};
  const bool moved = modal.Active() != nullptr && appWindow != nullptr &&
                     GetWindowRect(appWindow, &home) &&
                     MonitorFromWindow(modal.Active(), MONITOR_DEFAULTTONEAREST) !=
                         MonitorFromWindow(appWindow, MONITOR_DEFAULTTONEAREST);
  if (moved) PlaceWindow(appWindow, modal.Active(), Placement::kCentred);

  const std::string caption = Ansi(texts::kAppTitle);
  MessageBoxA(appWindow, text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK);

  if (moved) {
    SetWindowPos(appWindow, nullptr, home.left, home.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  modal.Restore();
}

}  // namespace penlet
