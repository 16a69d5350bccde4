// The About box on Win32: a window of its own, painted from AboutLayout's data, with its own
// modal loop in which Enter presses O K and Escape does nothing.
#include "ui/About_win32.h"

#include "platform/DisabledWindows_win32.h"

#include "platform/Locale.h"
#include "ui/AboutLayout.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

HFONT MakeFont(int height, bool bold, std::string_view face) {
  LOGFONTA font{};
  font.lfHeight = -height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(font.lfFaceName, Ansi(face).c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

void DrawLabel(HDC dc, HFONT font, COLORREF color, const AboutRect& r, const std::string& text) {
  SelectObject(dc, font);
  SetTextColor(dc, color);
  TextOutA(dc, kAboutPanel1.left + r.left, kAboutPanel1.top + r.top, text.data(),
           static_cast<int>(text.size()));
}

}  // namespace

TAboutBox::TAboutBox(HWND owner) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TAboutBox::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kAboutBoxClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;

  dialogFont_ = MakeFont(11, false, texts::kSansSerifFace);
  productFont_ = MakeFont(21, true, texts::kSansSerifFace);
  versionFont_ = MakeFont(13, true, texts::kSansSerifFace);
  ownershipFont_ = MakeFont(15, false, texts::kSansSerifFace);
  commentsFont_ = MakeFont(12, false, texts::kFixedGothicFace);

  const IndexedPicture pic = AboutPicture();
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      picture_.push_back(pic.ColorAt(x, y));
      pictureClear_.push_back(pic.Transparent(x, y));
    }
  }

  RECT frame{0, 0, kAboutClientWidth, kAboutClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  hwnd_ = CreateWindowExA(kExStyle, kAboutBoxClass, Ansi(texts::kAboutCaption).c_str(), kStyle, 0,
                          0, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                          GetModuleHandleA(nullptr), this);
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
    DeleteMenu(menu, command, MF_BYCOMMAND);
  }
  const AboutRect& ok = kAboutOkButton;
  okButton_ = CreateWindowExA(0, "BUTTON", Ansi(texts::kAboutOkButton).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                              ok.left, ok.top, ok.width, ok.height, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(okButton_, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
}

TAboutBox::~TAboutBox() {
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (HFONT font : {dialogFont_, productFont_, versionFont_, ownershipFont_, commentsFont_}) {
    if (font) DeleteObject(font);
  }
}

int TAboutBox::ShowModal() {
  if (!shownBefore_) {
    shownBefore_ = true;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const HWND active = GetActiveWindow();
  const HWND focus = GetFocus();
  DisabledWindows disabled;
  done_ = false;
  result_ = IDCANCEL;
  ShowWindow(hwnd_, SW_SHOW);
  SetActiveWindow(hwnd_);
  SetFocus(okButton_);
  while (!done_) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  // The owner is enabled and active again before the box hides, so that activation does not
  // pass to some other program.
  disabled.Restore();
  if (active && IsWindow(active)) SetActiveWindow(active);
  ShowWindow(hwnd_, SW_HIDE);
  if (active && IsWindow(active)) SetActiveWindow(active);
  if (focus && IsWindow(focus)) SetFocus(focus);
  return result_;
}

void TAboutBox::Finish(int result) {
  if (done_) return;
  done_ = true;
  result_ = result;
}

std::vector<std::string> TAboutBox::CommentsLines() const {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, commentsFont_);
  const std::vector<std::string> lines =
      WrapLabel(Ansi(texts::kAboutComments), AnsiLeadBytes(), kAboutComments.width,
                [dc](std::string_view ch) {
                  SIZE size{};
                  GetTextExtentPoint32A(dc, ch.data(), static_cast<int>(ch.size()), &size);
                  return static_cast<int>(size.cx);
                });
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  return lines;
}

void TAboutBox::Paint(HDC dc) const {
  RECT panel{kAboutPanel1.left, kAboutPanel1.top, kAboutPanel1.left + kAboutPanel1.width,
             kAboutPanel1.top + kAboutPanel1.height};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);

  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  DrawLabel(dc, productFont_, RGB(0, 0, 255), kAboutProductName, Ansi(texts::kAboutProductName));
  DrawLabel(dc, versionFont_, RGB(0, 128, 0), kAboutVersion, Ansi(texts::kAboutVersion));
  DrawLabel(dc, ownershipFont_, RGB(128, 0, 0), kAboutOwnership, Ansi(texts::kAboutOwnership));
  SelectObject(dc, commentsFont_);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  // Lines follow each other at the character height, so that the three fill the label's 36
  // pixels even where the font that stands in for the designed one has internal leading.
  const int pitch = tm.tmHeight - tm.tmInternalLeading;
  const std::vector<std::string> lines = CommentsLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    AboutRect line = kAboutComments;
    line.top += static_cast<int>(i) * pitch;
    DrawLabel(dc, commentsFont_, RGB(0, 0, 0), line, lines[i]);
  }
  RestoreDC(dc, saved);

  // The picture with the face showing through its see-through pixels.
  const AboutRect& frame = kAboutProgramIcon;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
  std::vector<std::uint32_t> bits = picture_;
  for (size_t i = 0; i < bits.size(); ++i) {
    if (pictureClear_[i]) bits[i] = faceRgb;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = frame.width;
  info.bmiHeader.biHeight = -frame.height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, kAboutPanel1.left + frame.left, kAboutPanel1.top + frame.top, frame.width,
                    frame.height, 0, 0, 0, frame.height, bits.data(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK TAboutBox::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TAboutBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (!self->hwnd_) self->hwnd_ = hwnd;
  return self->HandleMessage(msg, wParam, lParam);
}

LRESULT TAboutBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      // Escape arrives as IDCANCEL; the box has no cancel button, so it stays open.
      if (LOWORD(wParam) == IDOK) Finish(IDOK);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
      Finish(IDCANCEL);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(okButton_);
        return 0;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace penlet
