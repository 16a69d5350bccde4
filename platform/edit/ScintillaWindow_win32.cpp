// A Scintilla window set up for plain text, and the direct calls into it.
#include "platform/edit/ScintillaWindow_win32.h"

#include <cstring>

#include "Scintilla.h"

namespace penlet {
namespace {

// A face name as Scintilla wants it: UTF-8.
std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(std::strlen(result.c_str()));
  return result;
}

}  // namespace

ScintillaWindow::ScintillaWindow(HWND parent, int id, DWORD style, DWORD exStyle) {
  static const bool registered = [] {
    Scintilla_RegisterClasses(GetModuleHandleW(nullptr));
    return true;
  }();
  (void)registered;
  hwnd_ = CreateWindowExW(exStyle, L"Scintilla", L"", style, 0, 0, 0, 0, parent, ControlId(id),
                          GetModuleHandleW(nullptr), nullptr);
  direct_ = FromParam<DirectFunction>(SendMessageW(hwnd_, SCI_GETDIRECTFUNCTION, 0, 0));
  directPointer_ = FromParam<void*>(SendMessageW(hwnd_, SCI_GETDIRECTPOINTER, 0, 0));

  // Plain text in black on white (the editing area takes the system's colours), lines wrapped at
  // the right edge, nothing in the margins, no menu of the component's own (the window has one), no
  // horizontal bar.
  Call(SCI_SETWRAPMODE, SC_WRAP_WORD);
  Call(SCI_SETHSCROLLBAR, 0);
  Call(SCI_SETSCROLLWIDTHTRACKING, 0);
  for (int margin = 0; margin < 5; ++margin) Call(SCI_SETMARGINWIDTHN, margin, 0);
  Call(SCI_USEPOPUP, SC_POPUP_NEVER);
  Call(SCI_SETPASTECONVERTENDINGS, 1);
  Call(SCI_SETCARETLINEVISIBLE, 0);
  Call(SCI_SETVIEWWS, SCWS_INVISIBLE);
  Call(SCI_SETVIEWEOL, 0);
  Call(SCI_SETENDATLASTLINE, 1);
  Call(SCI_STYLESETFORE, STYLE_DEFAULT, RGB(0, 0, 0));
  Call(SCI_STYLESETBACK, STYLE_DEFAULT, RGB(255, 255, 255));
  Call(SCI_STYLECLEARALL);
  SetUpDocument();
}

ScintillaWindow::~ScintillaWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

std::intptr_t ScintillaWindow::Call(unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) const {
  return direct_(directPointer_, message, wParam, lParam);
}

void ScintillaWindow::SetFont(HFONT font, int dpi) {
  LOGFONTW face{};
  GetObjectW(font, sizeof face, &face);
  // A height in pixels taken in whole points; the component turns them into pixels for its own
  // window's density, or for the printer's.
  const int height = face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;
  const int points = MulDiv(height, 72, dpi > 0 ? dpi : 96);
  const std::string name = Utf8(face.lfFaceName);
  CallWithPointer(SCI_STYLESETFONT, STYLE_DEFAULT, name.c_str());
  Call(SCI_STYLESETSIZE, STYLE_DEFAULT, points);
  Call(SCI_STYLESETWEIGHT, STYLE_DEFAULT, face.lfWeight ? face.lfWeight : FW_NORMAL);
  Call(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, face.lfCharSet);
  Call(SCI_STYLECLEARALL);
}

void ScintillaWindow::SetUpDocument() {
  // The document's bytes are the system's ANSI code page; every line break is CR LF.
  Call(SCI_SETCODEPAGE, GetACP());
  Call(SCI_SETEOLMODE, SC_EOL_CRLF);
  if (tabPixels_ > 0) {
    Call(SCI_SETTABWIDTH,
         static_cast<std::uintptr_t>(-tabPixels_));  // pixels (patch 0016)
    Call(SCI_SETINDENT, 8);
  }
  DrawBytesAsTheFontDoes();
}

void ScintillaWindow::SetTabStops(int pixels) {
  tabPixels_ = pixels;
  SetUpDocument();
}

void ScintillaWindow::DrawBytesAsTheFontDoes() {
  // The platform's controls draw an old file's end-of-file mark, escapes and form feeds as the
  // font draws those characters; the component's inverted boxes with names would make the file
  // look broken. Without a representation they are text like any other. Tab, CR and LF keep
  // theirs: the component lays them out by them.
  for (int byte = 0; byte < 0x20; ++byte) {
    if (byte == '\t' || byte == '\r' || byte == '\n') continue;
    const char bytes[2] = {static_cast<char>(byte), '\0'};  // NUL's is the empty key
    Call(SCI_CLEARREPRESENTATION, AsParam<std::uintptr_t>(bytes));
  }
  Call(SCI_CLEARREPRESENTATION, AsParam<std::uintptr_t>("\x7F"));
  // A byte that starts no character of the code page (a lead byte without its trail byte among
  // them), drawn as what the code page makes of it, as a control of the platform draws it.
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) return;
  for (int byte = 0x80; byte < 0x100; ++byte) {
    const char bytes[2] = {static_cast<char>(byte), '\0'};
    if (!Call(SCI_GETREPRESENTATION, AsParam<std::uintptr_t>(bytes), 0)) continue;
    wchar_t wide[2] = {};
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes, 1, wide, 2);
    char utf8[8] = {};
    if (units <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8, sizeof utf8 - 1, nullptr,
                                          nullptr) <= 0) {
      continue;
    }
    CallWithPointer(SCI_SETREPRESENTATION, AsParam<std::uintptr_t>(bytes), utf8);
    Call(SCI_SETREPRESENTATIONAPPEARANCE, AsParam<std::uintptr_t>(bytes), SC_REPRESENTATION_PLAIN);
  }
}

void ScintillaWindow::StyleTo(std::intptr_t position) {
  // Every byte keeps style 0, as plain text has one look; the layout breaks Japanese between any
  // two characters without styles to tell it where (patches/scintilla/0011).
  Call(SCI_STARTSTYLING, position);
}

void ScintillaWindow::UseDocument(void* document) {
  CallWithPointer(SCI_SETDOCPOINTER, 0, document);
  CallWithPointer(SCI_RELEASEDOCUMENT, 0, document);
  SetUpDocument();
}

}  // namespace penlet
