// The About box on Win32: a window of its own, painted from AboutLayout's data scaled to its
// screen's density, run in the program's modal loop, where Enter presses O K and Escape does
// nothing.
#include "ui/About_win32.h"

#include "platform/system/Dpi_win32.h"
#include "platform/system/Locale.h"
#include "ui/AboutLayout.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kCommentsHeight = 12;

HFONT MakeFont(int height, bool bold, std::string_view face) {
  LOGFONTA font{};
  font.lfHeight = -height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(font.lfFaceName, Ansi(face).c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

// A designed rectangle on a screen of `dpi`.
AboutRect Scaled(const AboutRect& r, int dpi) {
  return {ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.width, dpi),
          ScaleForDpi(r.height, dpi)};
}

// `r` is relative to Panel1, both scaled.
void DrawLabel(HDC dc, HFONT font, COLORREF color, const AboutRect& panel, const AboutRect& r,
               const std::string& text) {
  SelectObject(dc, font);
  SetTextColor(dc, color);
  TextOutA(dc, panel.left + r.left, panel.top + r.top, text.data(), static_cast<int>(text.size()));
}

}  // namespace

TAboutBox::TAboutBox(HWND owner, IdleStep idle) : idle_(std::move(idle)) {
  WindowClass box;
  box.name = kAboutBoxClass;
  box.procedure = &TAboutBox::WindowProc;
  box.cursor = ArrowCursor();
  box.background = SystemColourBackground(COLOR_BTNFACE);
  RegisterWindowClass(box);

  window_.Reset(CreateWindowExA(kExStyle, kAboutBoxClass, Ansi(texts::kAboutCaption).c_str(),
                                kStyle, 0, 0, 0, 0, owner, nullptr, GetModuleHandleA(nullptr),
                                this));
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
    DeleteMenu(menu, command, MF_BYCOMMAND);
  }
  okButton_ =
      CreateWindowExA(0, "BUTTON", Ansi(texts::kAboutOkButton).c_str(),
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                      Handle(), ControlId(IDOK), GetModuleHandleA(nullptr), nullptr);
  SetDpi(WindowDpi(owner));
}

void TAboutBox::SetDpi(int dpi) {
  dpi_ = dpi;
  // The button takes its new font before the old one goes.
  OwnedFont dialogFont(MakeFont(ScaleForDpi(11, dpi), false, texts::kSansSerifFace));
  SendMessageA(okButton_, WM_SETFONT, AsParam<WPARAM>(dialogFont.Get()), FALSE);
  dialogFont_ = std::move(dialogFont);
  productFont_.Reset(MakeFont(ScaleForDpi(21, dpi), true, texts::kSansSerifFace));
  versionFont_.Reset(MakeFont(ScaleForDpi(13, dpi), true, texts::kSansSerifFace));
  ownershipFont_.Reset(MakeFont(ScaleForDpi(15, dpi), false, texts::kSansSerifFace));
  commentsFont_.Reset(MakeFont(ScaleForDpi(kCommentsHeight, dpi), false, texts::kFixedGothicFace));

  // The picture pixel for pixel from its art, each pixel the nearest one: no blur.
  const IndexedPicture pic = AboutPicture();
  const AboutRect frame = Scaled(kAboutProgramIcon, dpi);
  picture_.clear();
  pictureClear_.clear();
  for (int y = 0; y < frame.height; ++y) {
    const int sy = (2 * y + 1) * pic.height / (2 * frame.height);
    for (int x = 0; x < frame.width; ++x) {
      const int sx = (2 * x + 1) * pic.width / (2 * frame.width);
      picture_.push_back(pic.ColorAt(sx, sy));
      pictureClear_.push_back(pic.Transparent(sx, sy));
    }
  }

  const int width = ScaleForDpi(kAboutClientWidth, dpi);
  const int height = ScaleForDpi(kAboutClientHeight, dpi);
  RECT box{0, 0, width, height};
  AdjustWindowRectForDpi(box, kStyle, false, kExStyle, dpi);
  SetWindowPos(Handle(), nullptr, 0, 0, box.right - box.left, box.bottom - box.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A frame still drawn at the old density (Wine keeps a window's) leaves the client area off
  // by its difference: put that right.
  RECT client, outer;
  GetClientRect(Handle(), &client);
  GetWindowRect(Handle(), &outer);
  if (client.right != width || client.bottom != height) {
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left + width - client.right,
                 outer.bottom - outer.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const AboutRect ok = Scaled(kAboutOkButton, dpi);
  MoveWindow(okButton_, ok.left, ok.top, ok.width, ok.height, TRUE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

TAboutBox::~TAboutBox() {
  // The window goes without calling back into the box.
  if (IsWindow(Handle())) ClearWindowData(Handle());
}

int TAboutBox::ShowModal() {
  const HWND box = Handle();
  // The box opens at the density of the window the user works in.
  const HWND active = GetActiveWindow();
  const int ownerDpi = WindowDpi(active ? active : GetWindow(box, GW_OWNER));
  if (ownerDpi != dpi_) SetDpi(ownerDpi);
  if (!shownBefore_) {
    shownBefore_ = true;
    PlaceWindow(box, nullptr, Placement::kCentred);
  }
  ModalScope modal;
  done_ = false;
  result_ = IDCANCEL;
  ShowWindow(box, SW_SHOW);
  SetActiveWindow(box);
  SetFocus(okButton_);
  RunModalLoop([this] { return done_; },
               [box](MSG& msg) { return IsDialogMessageA(box, &msg) != FALSE; }, idle_);
  // The owner is enabled and active again before the box hides, so that activation does not
  // pass to some other program.
  modal.Restore();
  ShowWindow(box, SW_HIDE);
  modal.Restore();
  return result_;
}

void TAboutBox::Finish(int result) {
  if (done_) return;
  done_ = true;
  result_ = result;
}

std::vector<std::string> TAboutBox::CommentsLines() const {
  // The lines break where the designed label breaks them, in the designed font: a font's
  // advances do not grow exactly with its height (a 15-pixel full-width character may take 16),
  // and a pixel more would move a break and show a fourth line.
  const OwnedFont designed(MakeFont(kCommentsHeight, false, texts::kFixedGothicFace));
  const WindowDc window(Handle(), designed.Get());
  return WrapLabel(Ansi(texts::kAboutComments), AnsiLeadBytes(), kAboutComments.width,
                   [dc = window.Get()](std::string_view ch) {
                     SIZE size{};
                     GetTextExtentPoint32A(dc, ch.data(), static_cast<int>(ch.size()), &size);
                     return static_cast<int>(size.cx);
                   });
}

void TAboutBox::Paint(HDC dc) const {
  const AboutRect panel1 = Scaled(kAboutPanel1, dpi_);
  RECT panel{panel1.left, panel1.top, panel1.left + panel1.width, panel1.top + panel1.height};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);

  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  DrawLabel(dc, productFont_.Get(), RGB(0, 0, 255), panel1, Scaled(kAboutProductName, dpi_),
            Ansi(texts::kAboutProductName));
  DrawLabel(dc, versionFont_.Get(), RGB(0, 128, 0), panel1, Scaled(kAboutVersion, dpi_),
            Ansi(texts::kAboutVersion));
  DrawLabel(dc, ownershipFont_.Get(), RGB(128, 0, 0), panel1, Scaled(kAboutOwnership, dpi_),
            Ansi(texts::kAboutOwnership));
  SelectObject(dc, commentsFont_.Get());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  // Lines follow each other at the character height, so that the three fill the label's 36
  // pixels even where the font that stands in for the designed one has internal leading.
  const int pitch = tm.tmHeight - tm.tmInternalLeading;
  const std::vector<std::string> lines = CommentsLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    AboutRect line = Scaled(kAboutComments, dpi_);
    line.top += static_cast<int>(i) * pitch;
    DrawLabel(dc, commentsFont_.Get(), RGB(0, 0, 0), panel1, line, lines[i]);
  }
  RestoreDC(dc, saved);

  // The picture with the face showing through its see-through pixels.
  const AboutRect frame = Scaled(kAboutProgramIcon, dpi_);
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
  SetDIBitsToDevice(dc, panel1.left + frame.left, panel1.top + frame.top, frame.width, frame.height,
                    0, 0, 0, frame.height, bits.data(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK TAboutBox::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TAboutBox* self = WindowObject<TAboutBox>(hwnd, msg, lParam);
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return self->HandleMessage(hwnd, msg, wParam, lParam);
}

LRESULT TAboutBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DPICHANGED: {
      const RECT& suggested = *FromParam<const RECT*>(lParam);
      SetDpi(HIWORD(wParam));
      SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(FromParam<HDC>(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace penlet
