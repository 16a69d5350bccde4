// The message boxes on Win32: a window of our own with a modal loop of our own, so that the
// keys, the close box and Ctrl+C answer exactly as the program wants; the exception box is the
// system's MessageBox.
#include "ui/MessageDialog_win32.h"

#include "platform/DisabledWindows_win32.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <vector>

#include "core/Error.h"
#include "platform/Locale.h"
#include "ui/MessageDialogLayout.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr int kTextControlId = 0xFFFF;
constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

struct BoxState {
  HWND box = nullptr;
  std::string caption;
  std::string text;
  ButtonRow row;
  std::vector<std::string> labels;
  std::vector<HWND> buttons;
  HICON icon = nullptr;
  PixelRect iconRect;
  size_t focus = 0;
  bool trailByteNext = false;
  bool done = false;
  DialogResult result = DialogResult::Cancel;
};

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

BoxState* StateOf(HWND hwnd) {
  return reinterpret_cast<BoxState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Finish(BoxState& s, DialogResult result) {
  if (s.done) return;
  s.done = true;
  s.result = result;
}

void Press(BoxState& s, unsigned button) {
  if (button != 0) Finish(s, ResultOfButton(static_cast<MessageButton>(button)));
}

// The focused button looks like the default one, as in the system's dialogs.
void ShowFocus(BoxState& s, size_t index) {
  s.focus = index;
  for (size_t i = 0; i < s.buttons.size(); ++i) {
    SendMessageA(s.buttons[i], BM_SETSTYLE, i == index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

int FocusedButton(const BoxState& s) {
  HWND focus = GetFocus();
  for (size_t i = 0; i < s.buttons.size(); ++i) {
    if (s.buttons[i] == focus) return static_cast<int>(i);
  }
  return -1;
}

void MoveFocus(BoxState& s, int step) {
  const int n = static_cast<int>(s.buttons.size());
  if (n == 0) return;
  const int focused = FocusedButton(s);
  const int from = focused >= 0 ? focused : static_cast<int>(s.focus);
  const int next = (from + step % n + n) % n;
  SetFocus(s.buttons[next]);
  ShowFocus(s, next);
}

bool PressAccessLetter(BoxState& s, WPARAM ch) {
  // A double-byte character typed into the box comes as two bytes; its second byte may look
  // like a letter and must not press a button.
  if (s.trailByteNext) {
    s.trailByteNext = false;
    return false;
  }
  if (ch <= 0xFF && IsDBCSLeadByte(static_cast<BYTE>(ch))) {
    s.trailByteNext = true;
    return false;
  }
  if (ch > 0x7F) return false;
  const char letter = static_cast<char>(std::tolower(static_cast<int>(ch)));
  for (size_t i = 0; i < s.labels.size(); ++i) {
    const char access = AccessLetter(s.labels[i]);
    if (access != 0 && access == letter) {
      Press(s, s.row.buttons[i]);
      return true;
    }
  }
  return false;
}

class ClipboardLock {
 public:
  explicit ClipboardLock(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardLock() {
    if (open_) CloseClipboard();
  }
  bool Open() const { return open_; }

 private:
  bool open_;
};

void CopyContent(const BoxState& s) {
  MessageBeep(0);
  const std::string content = MessageBoxClipboardText(s.caption, s.text, s.labels);
  ClipboardLock lock(s.box);
  if (!lock.Open()) throw Error(Ansi(texts::kClipboardOpenError));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, content.size() + 1);
  if (memory == nullptr) return;
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, content.c_str(), content.size() + 1);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_TEXT, memory) != nullptr) return;
  }
  GlobalFree(memory);
}

// The box's keys, taken before the focused button sees them. True when the key was used.
// May raise an error (Ctrl+C); the box stays as it was.
bool HandleKey(BoxState& s, const MSG& msg) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  switch (msg.message) {
    case WM_KEYDOWN:
      switch (msg.wParam) {
        case VK_RETURN: {
          if (shift || ctrl || alt) return true;
          const int focused = FocusedButton(s);
          Press(s, focused >= 0 ? s.row.buttons[focused] : s.row.defaultButton);
          return true;
        }
        case VK_ESCAPE:
          if (!shift && !ctrl && !alt) Press(s, s.row.cancelButton);
          return true;
        case VK_TAB:
          MoveFocus(s, shift ? -1 : 1);
          return true;
        case VK_RIGHT:
        case VK_DOWN:
          MoveFocus(s, 1);
          return true;
        case VK_LEFT:
        case VK_UP:
          MoveFocus(s, -1);
          return true;
        case 'C':
          if (ctrl && !shift && !alt) {
            CopyContent(s);
            return true;
          }
          return false;
      }
      return false;
    case WM_CHAR:
    case WM_SYSCHAR:
      return PressAccessLetter(s, msg.wParam);
  }
  return false;
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  BoxState* s = StateOf(hwnd);
  if (s == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const auto it = std::find(s->buttons.begin(), s->buttons.end(), HWND(lParam));
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
        DrawIconEx(dc, s->iconRect.left, s->iconRect.top, s->icon, kMessageIconSize,
                   kMessageIconSize, 0, nullptr, DI_NORMAL);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterBoxClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kMessageBoxClassName;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return CreateFontIndirectA(&metrics.lfMessageFont);
  }
  // Older systems know the structure without its last member.
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    return CreateFontIndirectA(&metrics.lfMessageFont);
  }
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  return CreateFontIndirectA(&font);
}

struct ScreenDc {
  explicit ScreenDc(HFONT font) : dc(GetDC(nullptr)), old(SelectObject(dc, font)) {}
  ~ScreenDc() {
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  HDC dc;
  HGDIOBJ old;
};

// Activation and focus as they were, given back when this ends.
class SavedActivation {
 public:
  SavedActivation() : active_(GetActiveWindow()), focus_(GetFocus()) {}
  HWND Active() const { return active_; }
  void Restore() const {
    if (active_ != nullptr && IsWindow(active_)) SetActiveWindow(active_);
    if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
  }

 private:
  HWND active_;
  HWND focus_;
};

class FontHolder {
 public:
  explicit FontHolder(HFONT font) : font_(font) {}
  ~FontHolder() { DeleteObject(font_); }
  HFONT Get() const { return font_; }

 private:
  HFONT font_;
};

HWND CreateChild(HWND parent, const char* cls, const std::string& text, DWORD style, int id,
                 const PixelRect& r, HFONT font) {
  HWND child =
      CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.Width(),
                      r.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

Win32MessageBoxes::Win32MessageBoxes(HWND appWindow, ErrorReporter reportError)
    : appWindow_(appWindow), reportError_(std::move(reportError)) {}

int Win32MessageBoxes::LabelWidth(HDC dc, const std::string& label) {
  const auto found = labelWidths_.find(label);
  if (found != labelWidths_.end()) return found->second;
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  labelWidths_[label] = r.right - r.left;
  return r.right - r.left;
}

void Win32MessageBoxes::ReportError(const std::string& cp932Message) {
  if (reportError_) {
    reportError_(cp932Message);
  } else {
    ShowExceptionBox(appWindow_, cp932Message, AnsiLeadBytes());
  }
}

DialogResult Win32MessageBoxes::ShowMessageDialog(const std::string& text, MessageKind kind,
                                                  unsigned buttons) {
  RegisterBoxClass();
  BoxState s;
  s.text = text;
  s.row = MakeButtonRow(buttons);
  for (MessageButton b : s.row.buttons) s.labels.push_back(LabelOf(b));
  switch (kind) {
    case MessageKind::Confirmation:
      s.caption = Ansi(texts::kConfirmCaption);
      s.icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
      break;
    case MessageKind::Error:
      s.caption = Ansi(texts::kErrorCaption);
      s.icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND));
      break;
    case MessageKind::Plain:
      s.caption = Ansi(texts::kAppTitle);
      break;
  }

  FontHolder font(CreateMessageFont());
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  MessageLayoutInput in;
  in.hasIcon = s.icon != nullptr;
  {
    ScreenDc screen(font.Get());
    SIZE sample{};
    GetTextExtentPoint32A(screen.dc, kAverageWidthSample.data(),
                          static_cast<int>(kAverageWidthSample.size()), &sample);
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.dc, &tm);
    in.averageLetterWidth = AverageLetterWidth(sample.cx);
    in.charHeight = tm.tmHeight;
    RECT r{0, 0, MessageTextWidthLimit(screenWidth), 0};
    DrawTextA(screen.dc, text.c_str(), static_cast<int>(text.size()), &r,
              kTextFormat | DT_CALCRECT);
    in.text = {r.right - r.left, r.bottom - r.top};
    for (const std::string& label : s.labels)
      in.labelWidths.push_back(LabelWidth(screen.dc, label));
  }
  const MessageLayout layout = LayOutMessageBox(in);
  s.iconRect = layout.icon;

  RECT frame{0, 0, layout.client.width, layout.client.height};
  AdjustWindowRectEx(&frame, kBoxStyle, FALSE, kBoxExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (screenWidth - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  SavedActivation activation;
  DisabledWindows disabled;
  s.box = CreateWindowExA(kBoxExStyle, kMessageBoxClassName, s.caption.c_str(), kBoxStyle, x, y,
                          width, height, appWindow_, nullptr, GetModuleHandleA(nullptr), &s);
  if (s.box == nullptr) return DialogResult::Cancel;
  struct BoxCloser {
    BoxState& s;
    DisabledWindows& disabled;
    SavedActivation& activation;
    ~BoxCloser() {
      // The owner is enabled and active again before the box goes, so that activation does
      // not pass to some other program.
      disabled.Restore();
      activation.Restore();
      SetWindowLongPtrA(s.box, GWLP_USERDATA, 0);
      DestroyWindow(s.box);
      activation.Restore();
    }
  } closer{s, disabled, activation};

  HMENU menu = GetSystemMenu(s.box, FALSE);
  for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
    DeleteMenu(menu, command, MF_BYCOMMAND);
  }
  CreateChild(s.box, "STATIC", text, SS_LEFT | SS_NOPREFIX, kTextControlId, layout.text,
              font.Get());
  for (size_t i = 0; i < s.row.buttons.size(); ++i) {
    const DWORD style = WS_TABSTOP | BS_NOTIFY | (i == 0 ? WS_GROUP | BS_DEFPUSHBUTTON : 0);
    const int id = static_cast<int>(ResultOfButton(s.row.buttons[i]));
    s.buttons.push_back(
        CreateChild(s.box, "BUTTON", s.labels[i], style, id, layout.buttons[i], font.Get()));
  }

  ShowWindow(s.box, SW_SHOW);
  SetActiveWindow(s.box);
  if (!s.buttons.empty()) SetFocus(s.buttons[0]);
  ShowFocus(s, 0);

  while (!s.done) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      break;
    }
    if (got < 0) break;
    bool used = false;
    if (msg.hwnd == s.box || IsChild(s.box, msg.hwnd)) {
      try {
        used = HandleKey(s, msg);
      } catch (const std::exception& e) {
        ReportError(e.what());
        used = true;
      }
    }
    if (!used) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return s.result;
}

void Win32MessageBoxes::ShowPlainMessage(const std::string& text) {
  ShowMessageDialog(text, MessageKind::Plain, kButtonOk);
}

void ShowExceptionBox(HWND appWindow, const std::string& message, const LeadByteSet& leadBytes) {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  const std::string text = WithFullStop(message, leadBytes);
  SavedActivation activation;
  DisabledWindows disabled;

  // The system opens the box on its owner's monitor; bring the owner to the user's.
  RECT home{};
  bool moved = false;
  if (activation.Active() != nullptr && appWindow != nullptr && GetWindowRect(appWindow, &home)) {
    HMONITOR there = MonitorFromWindow(activation.Active(), MONITOR_DEFAULTTONEAREST);
    if (there != MonitorFromWindow(appWindow, MONITOR_DEFAULTTONEAREST)) {
      MONITORINFO info{};
      info.cbSize = sizeof(info);
      if (GetMonitorInfoA(there, &info)) {
        const RECT& m = info.rcMonitor;
        const int w = home.right - home.left;
        const int h = home.bottom - home.top;
        SetWindowPos(appWindow, nullptr, (m.left + m.right - w) / 2, (m.top + m.bottom - h) / 2, 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        moved = true;
      }
    }
  }

  const std::string caption = Ansi(texts::kAppTitle);
  MessageBoxA(appWindow, text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK);

  if (moved) {
    SetWindowPos(appWindow, nullptr, home.left, home.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  disabled.Restore();
  activation.Restore();
}

}  // namespace penlet
