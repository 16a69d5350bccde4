// The main window at the screen density the prefix runs at (PENLET_TEST_DPI, set with the
// prefix's LogPixels by scripts/at-dpi.sh; 96 without it): every designed figure scaled, no text
// cut off, the settings file in designed pixels, and the window laid out again when it moves to
// a screen of another density.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/system/Dpi.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"
#include "ui/About_win32.h"
#include "ui/CommandTable.h"
#include "ui/ImageArt.h"
#include "ui/MessageDialog_win32.h"
#include "ui/MainWindow_win32.h"

#include <ostream>

inline bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

namespace penlet::wintest {
namespace {

// The test reads the program's windows in real pixels, as penlet.exe's manifest makes it draw.
const bool kAware = [] {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
  if (set && set(reinterpret_cast<HANDLE>(-4))) return true;  // per-monitor v2
  return SetProcessDPIAware() != FALSE;
}();

// "ＭＳ Ｐゴシック"
constexpr char kGothic[] = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

int AskedDpi() {
  const char* value = std::getenv("PENLET_TEST_DPI");
  return value ? std::atoi(value) : 96;
}

// Panel 2's text: "%d 行　%d 列   ".
std::string LineColumn(int line, int column) {
  return std::to_string(line) + " \x8d\x73\x81\x40" + std::to_string(column) + " \x97\xf1   ";
}

int Width(const RECT& r) {
  return r.right - r.left;
}
int Height(const RECT& r) {
  return r.bottom - r.top;
}

// The width and height of `text` in the font of `control`.
SIZE Extent(HWND control, const std::string& text) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size;
}

TEST(Density, PenletRunsAtTheScreensDensity) {
  ASSERT_TRUE(kAware);
  const int dpi = AskedDpi();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi) << "the prefix is not at the density asked";
  ReleaseDC(nullptr, screen);
  // penlet.exe declares itself aware: its window is scaled, not left at 96-DPI pixels.
  PenletProcess penlet;
  ASSERT_TRUE(penlet.Ready());
  const RECT outer = WindowRect(penlet.Main());
  EXPECT_EQ(Width(outer), ScaleForDpi(670, dpi));
  EXPECT_EQ(Height(outer), ScaleForDpi(324, dpi));
  EXPECT_EQ(penlet.Close(), 0u);
}

class DensityTest : public ::testing::Test {
 protected:
  DensityTest()
      : main_(window_->Handle()),
        toolBar_(FindToolBar(main_)),
        statusBar_(FindStatusBar(main_)),
        memo1_(FindCounterBox(main_)) {}
  void TearDown() override { EXPECT_TRUE(window_.errors.empty()) << window_.errors.front(); }

  // Every figure of the face, scaled to `dpi`.
  void ExpectScaledFace(int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dots per inch");
    const auto at = [dpi](int designed) { return ScaleForDpi(designed, dpi); };
    RECT client;
    GetClientRect(main_, &client);
    const int w = client.right, h = client.bottom;
    EXPECT_EQ(RectIn(toolBar_, main_), (RECT{0, 0, w, at(30)}));
    EXPECT_EQ(RectIn(window_->Editor().Handle(), main_), (RECT{0, at(30), w, h - at(17)}));
    EXPECT_EQ(RectIn(statusBar_, main_), (RECT{0, h - at(17), w, h}));

    // Buttons and separators one after the other from the indent, the images at their size.
    ASSERT_EQ(SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0), 18);
    for (int i = 0; i < 18; ++i) {
      RECT rc{};
      SendMessageA(toolBar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
      EXPECT_EQ(rc.left, ToolBarX(i, dpi)) << i;
      EXPECT_EQ(Width(rc), at(ToolBar1()[i].width)) << i;
      EXPECT_EQ(Height(rc), at(22)) << i;
    }
    int cx = 0, cy = 0;
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendMessageA(toolBar_, TB_GETIMAGELIST, 0, 0)), &cx, &cy);
    EXPECT_EQ(cx, at(16));
    EXPECT_EQ(cy, at(16));

    // The counter panel after the last separator, its boxes filling its inside.
    HWND panel = GetParent(memo1_);
    HWND memo2 = GetWindow(memo1_, GW_HWNDNEXT);
    const RECT p = RectIn(panel, toolBar_);
    EXPECT_EQ(p.left, ToolBarX(18, dpi));
    EXPECT_EQ(Width(p), at(147));
    EXPECT_EQ(Height(p), at(22));
    RECT inside;
    GetClientRect(panel, &inside);
    EXPECT_EQ(RectIn(memo1_, panel), (RECT{0, 0, at(93), inside.bottom}));
    EXPECT_EQ(RectIn(memo2, panel), (RECT{at(93), 0, inside.right, inside.bottom}));
    for (HWND memo : {memo1_, memo2}) {
      LOGFONTA font{};
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(memo, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_EQ(font.lfHeight, -at(15));
    }

    int parts[3] = {};
    SendMessageA(statusBar_, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    EXPECT_EQ(parts[0], at(240));
    EXPECT_EQ(parts[1], at(240) + at(135));

    // The editing area's text at 16 designed pixels, in the component's lines; printing keeps
    // its 14 points for the printer's own density.
    HWND edit = window_->Editor().Handle();
    const OwnedFont designed(
        CreateFontA(-at(16), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, kGothic));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, designed.Get());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(SendMessageA(edit, SCI_TEXTHEIGHT, 0, 0), tm.tmHeight);
    EXPECT_EQ(
        SendMessageA(window_->Window().PrintSurface().Handle(), SCI_STYLEGETSIZE, STYLE_DEFAULT, 0),
        14);
  }

  // The longest texts of the counter and panel 1, and `lineColumn` in panel 2, stand inside
  // their controls (the panels less their borders).
  void ExpectNothingClipped(int dpi, const std::string& lineColumn) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dots per inch");
    MainWindow& window = window_->Window();
    int borders[3] = {};
    SendMessageA(statusBar_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const struct {
      HWND control;
      int panel;  // of the status bar, or -1
      std::string text;
    } shown[] = {{memo1_, -1, "12345678"},
                 {GetWindow(memo1_, GW_HWNDNEXT), -1, " \x95\xb6\x8e\x9a"},         // " 文字"
                 {GetWindow(memo1_, GW_HWNDNEXT), -1, "\x83\x6f\x83\x43\x83\x67"},  // "バイト"
                 {statusBar_, 1, " 1234567\x83\x6f\x83\x43\x83\x67\x96\xda"},  // "バイト目"
                 {statusBar_, 2, lineColumn}};
    for (const auto& s : shown) {
      RECT room{};
      if (s.panel < 0) {
        (s.control == memo1_ ? window.SetMemo1Text(s.text) : window.SetMemo2Text(s.text));
        GetClientRect(s.control, &room);
      } else {
        window.SetStatusText(s.panel, s.text);
        SendMessageA(statusBar_, SB_GETRECT, s.panel, reinterpret_cast<LPARAM>(&room));
        InflateRect(&room, -borders[0], 0);
      }
      const SIZE size = Extent(s.control, s.text);
      EXPECT_LE(size.cx, Width(room)) << s.text;
      EXPECT_LE(size.cy, Height(room)) << s.text;
    }
  }

  InProcessPenlet window_;
  HWND main_, toolBar_, statusBar_, memo1_;
};

TEST_F(DensityTest, EveryFigureIsTheDesignedOneScaledAndNoTextIsCut) {
  const int dpi = AskedDpi();
  EXPECT_EQ(window_->Window().Dpi(), dpi);
  const RECT outer = WindowRect(main_);
  EXPECT_EQ(Width(outer), ScaleForDpi(670, dpi));
  EXPECT_EQ(Height(outer), ScaleForDpi(324, dpi));
  ExpectScaledFace(dpi);
  ExpectNothingClipped(dpi, LineColumn(99999, 9999));

  // The settings file keeps the size in designed pixels.
  SetWindowPos(main_, nullptr, 0, 0, ScaleForDpi(800, dpi), ScaleForDpi(400, dpi),
               SWP_NOMOVE | SWP_NOZORDER);
  window_.End();
  char path[MAX_PATH];
  std::string ini(path, GetModuleFileNameA(nullptr, path, sizeof path));
  ini = ini.substr(0, ini.find_last_of('.')) + ".ini";
  EXPECT_EQ(GetPrivateProfileIntA("Form", "Width", 0, ini.c_str()), 800);
  EXPECT_EQ(GetPrivateProfileIntA("Form", "Height", 0, ini.c_str()), 400);
}

TEST_F(DensityTest, MovedToAScreenOfAnotherDensityTheWindowIsLaidOutAgain) {
  const int home = AskedDpi();
  // Save stays disabled through the moves: the bar is built again in the states it had.
  window_->Window().SetSaveEnabled(false);
  for (int dpi : {96, 120, 144, 192, 240, home}) {
    // Wine leaves a window at the density it was made at, so the editing area's component goes
    // on drawing its points for that one: the moves go where 16 pixels are whole points there.
    if (dpi != home && 12 * dpi % home != 0) continue;
    RECT suggested = WindowRect(main_);
    suggested.right = suggested.left + ScaleForDpi(500, dpi);
    suggested.bottom = suggested.top + ScaleForDpi(300, dpi);
    SendMessageA(main_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    window_.Pump();
    EXPECT_EQ(WindowRect(main_), suggested);
    EXPECT_EQ(window_->Window().Dpi(), dpi);
    ExpectScaledFace(dpi);
    // The window is narrower than designed here, and so is the last panel.
    ExpectNothingClipped(dpi, LineColumn(1, 0));
    EXPECT_FALSE(ButtonEnabled(toolBar_, FileSave1));
    EXPECT_TRUE(ButtonEnabled(toolBar_, FileNew1));
  }
}

TEST_F(DensityTest, ImagesAreTheArtPixelForPixelWithoutBlur) {
  HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessageA(toolBar_, TB_GETIMAGELIST, 0, 0));
  ASSERT_EQ(ImageList_GetImageCount(list), kImageCount);
  for (int image = 0; image < kImageCount; ++image) {
    SCOPED_TRACE("image " + std::to_string(image));
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, image, &info));
    // The list keeps its images side by side in one bitmap.
    BITMAP whole{};
    GetObjectA(info.hbmImage, sizeof whole, &whole);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = whole.bmWidth;
    format.bmiHeader.biHeight = -whole.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(whole.bmWidth) * whole.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmImage, 0, whole.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    std::vector<std::uint32_t> mask(pixels.size());  // white where the image is see-through
    GetDIBits(dc, info.hbmMask, 0, whole.bmHeight, mask.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    std::set<std::uint32_t> art, scaled;
    for (int y = 0; y < kImageSize; ++y) {
      for (const char* c = ImageRow(image, y); c < ImageRow(image, y) + kImageSize; ++c) {
        if (ImageColor(*c) >= 0) art.insert(static_cast<std::uint32_t>(ImageColor(*c)));
      }
    }
    for (int y = info.rcImage.top; y < info.rcImage.bottom; ++y) {
      for (int x = info.rcImage.left; x < info.rcImage.right; ++x) {
        const size_t at = static_cast<size_t>(y) * whole.bmWidth + x;
        if ((mask[at] & 0xFFFFFF) == 0) scaled.insert(pixels[at] & 0xFFFFFF);
      }
    }
    // No colour that the art does not have (no blending), and none of its colours lost.
    EXPECT_EQ(scaled, art);
  }
}

TEST_F(DensityTest, FindDialogStandsAtTheScaledPlace) {
  const int dpi = AskedDpi();
  window_->Form().EditReplaceExecute();
  HWND dialog = WaitFor([] { return FindProcessWindow(GetCurrentProcessId(), "#32770"); });
  ASSERT_NE(dialog, nullptr);
  // A quarter of the editing area's width from the screen's left edge, as far down as the area.
  const RECT edit = RectIn(window_->Editor().Handle(), main_);
  const RECT placed = WindowRect(dialog);
  EXPECT_EQ(placed.left, Width(edit) / 4);
  EXPECT_EQ(placed.top, ScaleForDpi(30, dpi));
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  window_.Pump();
}

TEST(DensityBoxes, AMessageBoxsTextAndLabelsStandInsideTheirControls) {
  const int dpi = AskedDpi();
  const OwnedWindow app(CreateWindowExA(0, "STATIC", "Penlet", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr));
  bool seen = false;
  // The box's loop runs this once it is shown; the labels carry an "&" that is not drawn.
  Win32MessageBoxes boxes(app.Get(), [&seen, dpi] {
    HWND box = FindWindowA(kMessageBoxClassName, nullptr);
    if (!box || seen || !IsWindowVisible(box)) return;
    seen = true;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rc;
      GetClientRect(child, &rc);
      const SIZE size = Extent(child, WindowText(child));
      EXPECT_LE(size.cx, rc.right) << WindowText(child);
      EXPECT_LE(size.cy, rc.bottom) << WindowText(child);
    }
    // The question mark, 32 pixels at 96 dots per inch, stands before the text.
    EXPECT_GE(RectIn(GetWindow(box, GW_CHILD), box).left, ScaleForDpi(32 + 8, dpi));
    PostMessageA(box, WM_CLOSE, 0, 0);
  });
  // "C:\\文書\\メモ.txt を上書きしますか?"
  boxes.ShowMessageDialog(
      "C:\\\x95\xb6\x8f\x91\\\x83\x81\x83\x82.txt "
      "\x82\xf0\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xdc\x82\xb7\x82\xa9?",
      MessageKind::Confirmation, kButtonYes | kButtonNo | kButtonCancel);
  EXPECT_TRUE(seen);
}

TEST(DensityAbout, TheAboutBoxIsLaidOutForItsScreenAndAgainWhenItMoves) {
  const int home = AskedDpi();
  TAboutBox about(nullptr, {});
  int current = home;
  for (int dpi : {home, 192, 120, home}) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dots per inch");
    if (dpi != current) {
      current = dpi;
      RECT suggested = WindowRect(about.Handle());
      SendMessageA(about.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    }
    const auto at = [dpi](int designed) { return ScaleForDpi(designed, dpi); };
    RECT client;
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, at(252));
    EXPECT_EQ(client.bottom, at(181));
    EXPECT_EQ(RectIn(GetDlgItem(about.Handle(), IDOK), about.Handle()),
              (RECT{at(90), at(151), at(90) + at(70), at(151) + at(22)}));
    // The comment still breaks after "超軽量" and "テキストエディタ" in the scaled font.
    const std::vector<std::string> lines = about.CommentsLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "\x83\x65\x83\x4C\x83\x58\x83\x67\x83\x47\x83\x66\x83\x42\x83\x5E\x81\x40");
  }
}

}  // namespace
}  // namespace penlet::wintest
