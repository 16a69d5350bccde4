// The About box: opened in penlet.exe by the About command and closed by keys and the caption
// as a user does, and its face painted by the box itself into a metafile and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/win/support/WinTest.h"
#include "ui/About_win32.h"
#include "platform/system/Locale.h"
#include "ui/CommandIds.h"
#include "ui/Hints.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

// "バージョン情報" in code page 932.
const std::string kCaption = "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1";

class AboutBoxProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    process_ = std::make_unique<PenletProcess>();
    ASSERT_TRUE(process_->Ready());
    main_ = process_->Main();
  }
  void TearDown() override {
    if (main_ && IsWindowEnabled(main_)) EXPECT_EQ(process_->Close(), 0u);
  }
  // The box, once it holds the focus: a key sent before would go to the window behind it.
  HWND Open() {
    process_->Command(HelpAbout1);
    HWND box = process_->Shown(kAboutBoxClass);
    WaitUntil([&] {
      HWND focus = FocusOf(main_);
      return box && focus && (focus == box || IsChild(box, focus));
    });
    return box;
  }
  bool WaitClosed(HWND box) {
    return WaitUntil([this, box] { return !IsWindowVisible(box) && IsWindowEnabled(main_); });
  }
  void Key(WORD key, bool alt = false) {
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | scan << 16 | (alt ? KF_ALTDOWN << 16 : 0);
    HWND target = FocusOf(main_);
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, down | 0xC0000000);
  }

  std::unique_ptr<PenletProcess> process_;
  HWND main_ = nullptr;
};

TEST_F(AboutBoxProcess, OpensModallyCentredAndOnlyEnterOrTheCaptionClosesIt) {
  HWND box = Open();
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), kCaption);
  EXPECT_FALSE(IsWindowEnabled(main_));
  RECT client;
  GetClientRect(box, &client);
  EXPECT_EQ(client.right, 252);
  EXPECT_EQ(client.bottom, 181);
  const LONG style = GetWindowLongA(box, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  const RECT frame = WindowRect(box);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

  HWND ok = FindChild(box, "Button");
  ASSERT_TRUE(ok);
  EXPECT_EQ(WindowText(ok), "O K");
  EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(FocusOf(main_), ok);
  const RECT button = RectIn(ok, box);
  EXPECT_EQ(button.left, 90);
  EXPECT_EQ(button.top, 151);
  EXPECT_EQ(button.right - button.left, 70);
  EXPECT_EQ(button.bottom - button.top, 22);

  // Escape: the box has no cancel button.
  Key(VK_ESCAPE);
  Sync(box, 4);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_FALSE(IsWindowEnabled(main_));

  Key(VK_RETURN);
  EXPECT_TRUE(WaitClosed(box));
  EXPECT_TRUE(IsWindow(box));  // hidden, not destroyed

  // The same box again, closed by the caption's close button, then by Alt+F4.
  ASSERT_EQ(Open(), box);
  EXPECT_FALSE(IsWindowEnabled(main_));
  PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitClosed(box));
  ASSERT_EQ(Open(), box);
  EXPECT_EQ(FocusOf(main_), ok);
  Key(VK_F4, true);
  EXPECT_TRUE(WaitClosed(box));

  // And by the button itself; the main window takes commands again.
  ASSERT_EQ(Open(), box);
  PostMessageA(ok, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitClosed(box));
  EXPECT_EQ(FindProcessWindow(process_->Pid(), "#32770"), nullptr);  // nothing went wrong
}

TEST_F(AboutBoxProcess, MovedBoxOpensAgainWhereItWasLeft) {
  HWND box = Open();
  ASSERT_TRUE(box);
  const RECT first = WindowRect(box);
  const int x = first.left > 150 ? 40 : first.left + 100;
  const int y = first.top > 150 ? 30 : first.top + 100;
  SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Sync(box, 4);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitClosed(box));

  ASSERT_EQ(Open(), box);
  const RECT again = WindowRect(box);
  EXPECT_EQ(again.left, x);
  EXPECT_EQ(again.top, y);
  EXPECT_EQ(again.right - again.left, first.right - first.left);
  EXPECT_EQ(again.bottom - again.top, first.bottom - first.top);
  Key(VK_RETURN);
  EXPECT_TRUE(WaitClosed(box));
}

// The program's idle step goes on while the box is open: panel 0 of the status bar follows the
// pointer, empty over the box, the long hint of a tool button of the main window behind it.
TEST_F(AboutBoxProcess, PanelZeroFollowsThePointerWhileTheBoxIsOpen) {
  const std::string newHint = LongHint(Ansi(texts::kFileNew1Hint), AnsiLeadBytes());
  const std::string openHint = LongHint(Ansi(texts::kFileOpen1Hint), AnsiLeadBytes());
  ASSERT_EQ(PanelZeroWithPointerAt(main_, ToolButtonCentre(main_, 0), newHint), newHint);
  HWND box = Open();
  ASSERT_TRUE(box);
  const RECT face = WindowRect(box);
  EXPECT_EQ(PanelZeroWithPointerAt(main_, {(face.left + face.right) / 2, face.top + 60}, ""), "");
  EXPECT_EQ(PanelZeroWithPointerAt(main_, ToolButtonCentre(main_, 1), openHint), openHint);
  EXPECT_FALSE(IsWindowEnabled(main_));
  Key(VK_RETURN);
  EXPECT_TRUE(WaitClosed(box));
}

// What the box paints, read back from a metafile: every text with where it stands, its font
// and colour, and where the picture goes.
struct PaintedText {
  std::string text;  // code page 932
  int x, y;
  std::string face;  // code page 932
  int height, weight;
  COLORREF color;
};

struct Painted {
  std::vector<PaintedText> texts;
  std::vector<RECT> pictures;
};

std::string Narrow(const wchar_t* text, int length) {
  std::string out(length * 2 + 1, '\0');
  const int n = WideCharToMultiByte(932, 0, text, length, out.data(), static_cast<int>(out.size()),
                                    nullptr, nullptr);
  out.resize(n);
  return out;
}

Painted PaintInto(HWND box) {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<BYTE> bits(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
  DeleteEnhMetaFile(emf);

  Painted painted;
  std::map<DWORD, LOGFONTW> fonts;
  LOGFONTW font{};
  COLORREF color = 0;
  for (size_t at = 0; at + sizeof(EMR) <= bits.size();) {
    const auto* record = reinterpret_cast<const EMR*>(bits.data() + at);
    if (record->nSize == 0) break;
    switch (record->iType) {
      case EMR_EXTCREATEFONTINDIRECTW: {
        const auto* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
        fonts[r->ihFont] = r->elfw.elfLogFont;
        break;
      }
      case EMR_SELECTOBJECT: {
        const auto* r = reinterpret_cast<const EMRSELECTOBJECT*>(record);
        if (fonts.count(r->ihObject)) font = fonts[r->ihObject];
        break;
      }
      case EMR_SETTEXTCOLOR:
        color = reinterpret_cast<const EMRSETTEXTCOLOR*>(record)->crColor;
        break;
      case EMR_EXTTEXTOUTW: {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) +
                                                             r->emrtext.offString);
        painted.texts.push_back({Narrow(chars, static_cast<int>(r->emrtext.nChars)),
                                 r->emrtext.ptlReference.x, r->emrtext.ptlReference.y,
                                 Narrow(font.lfFaceName, lstrlenW(font.lfFaceName)), font.lfHeight,
                                 font.lfWeight, color});
        break;
      }
      case EMR_SETDIBITSTODEVICE: {
        const auto* r = reinterpret_cast<const EMRSETDIBITSTODEVICE*>(record);
        painted.pictures.push_back({r->xDest, r->yDest, r->xDest + static_cast<LONG>(r->cxSrc),
                                    r->yDest + static_cast<LONG>(r->cySrc)});
        break;
      }
      case EMR_STRETCHDIBITS: {
        const auto* r = reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
        painted.pictures.push_back(
            {r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest});
        break;
      }
    }
    at += record->nSize;
  }
  return painted;
}

TEST(AboutBoxFace, PaintsItsLabelsAtTheirPlacesWithTheCommentInThreeLines) {
  TAboutBox about(nullptr, {});
  const Painted painted = PaintInto(about.Handle());
  // Labels stand at Panel1 (7, 7) plus their own place.
  const std::string sans = "MS Sans Serif";
  const std::string gothic =
      "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック
  const std::vector<PaintedText> expected = {
      {"Penlet", 14, 21, sans, -21, FW_BOLD, RGB(0, 0, 255)},
      {"\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x81\x40"
       "1.5",
       142, 25, sans, -13, FW_BOLD, RGB(0, 128, 0)},
      {Ansi(texts::kAboutOwnership), 37, 59, sans, -15, FW_NORMAL, RGB(128, 0, 0)},
      {"  \x92\xB4\x8A\xC8\x92\x50\x81\x45\x92\xB4\x8C\x79\x97\xCA", 14, 87, gothic, -12, FW_NORMAL,
       RGB(0, 0, 0)},
      {"\x83\x65\x83\x4C\x83\x58\x83\x67\x83\x47\x83\x66\x83\x42\x83\x5E\x81\x40", 14, 99, gothic,
       -12, FW_NORMAL, RGB(0, 0, 0)},
      {"\x8B\x43\x8C\x79\x82\xC9\x8E\x67\x82\xC1\x82\xC4\x82\xDD\x82\xC4\x82\xCB", 14, 111, gothic,
       -12, FW_NORMAL, RGB(0, 0, 0)},
  };
  ASSERT_EQ(painted.texts.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    const PaintedText& got = painted.texts[i];
    EXPECT_EQ(got.text, expected[i].text);
    EXPECT_EQ(got.x, expected[i].x);
    EXPECT_EQ(got.y, expected[i].y);
    EXPECT_EQ(got.face, expected[i].face);
    EXPECT_EQ(got.height, expected[i].height);
    EXPECT_EQ(got.weight, expected[i].weight);
    EXPECT_EQ(got.color, expected[i].color);
  }
  EXPECT_EQ(about.CommentsLines().size(), 3u);
  ASSERT_EQ(painted.pictures.size(), 1u);
  EXPECT_EQ(painted.pictures[0].left, 7 + 128);
  EXPECT_EQ(painted.pictures[0].top, 7 + 80);
  EXPECT_EQ(painted.pictures[0].right, 7 + 128 + 105);
  EXPECT_EQ(painted.pictures[0].bottom, 7 + 80 + 53);
}

}  // namespace
}  // namespace penlet::wintest
