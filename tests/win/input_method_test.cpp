// Typing Japanese through a real input method (uim with Anthy, over XIM; scripts/with-ime.sh
// starts it), as the user types: keys go to the X display through xdotool while the program
// runs here. The composition must be drawn at the caret and be no part of the document until it
// is committed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Scintilla.h"
#include "core/Texts.h"
#include "ui/CommandIds.h"
#include "tests/win/support/WinTest.h"

// After windows.h, which it needs.
#include <imm.h>

namespace penlet::wintest {
namespace {

const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";              // 日本語
const std::string kNihongoKana = "\x82\xC9\x82\xD9\x82\xF1\x82\xB2";  // にほんご
// 今日はいい天気です
const std::string kFineDay =
    "\x8D\xA1\x93\xFA\x82\xCD\x82\xA2\x82\xA2\x93\x56\x8B\x43\x82\xC5\x82\xB7";

class InputMethod : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("PENLET_TEST_IME")) GTEST_SKIP() << "run by scripts/with-ime.sh";
    window.boxes.answer = DialogResult::No;
    // The window's own X window, which the keys are sent to.
    const auto x11 = reinterpret_cast<std::uintptr_t>(
        GetPropA(window->Window().Handle(), "__wine_x11_whole_window"));
    ASSERT_NE(x11, 0u) << "no X window";
    SetForegroundWindow(window->Window().Handle());
    window->Editor().SetFocus();
    ASSERT_TRUE(XDoTool("windowfocus " + std::to_string(x11)));
    WaitUntil([] { return false; }, 300);
  }
  void TearDown() override {
    if (std::getenv("PENLET_TEST_IME")) window->Form().FileNew1Execute();
  }

  // Has xdotool run on the display with `arguments`, the window answering meanwhile: the script
  // that started this test runs what it finds in its folder.
  bool XDoTool(const std::string& arguments) {
    const std::string request =
        std::string(std::getenv("PENLET_TEST_IME")) + "\\" + std::to_string(++runs_);
    const std::string part = request + ".part";
    const std::string done = request + ".done";
    const HANDLE file =
        CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::string line = arguments + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    if (!MoveFileA(part.c_str(), (request + ".req").c_str())) return false;
    const bool ended = WaitUntil([&] { return FileExists(done); }, 40000);
    const std::string code = ReadFileBytes(done);
    DeleteFileA(done.c_str());
    window.Pump();
    return ended && code.substr(0, 1) == "0";
  }
  bool Type(const std::string& romaji) { return XDoTool("type --delay 90 " + romaji); }
  bool Press(const std::string& key) { return XDoTool("key --delay 90 " + key); }

  ScintillaEdit& Edit() { return window->Editor(); }
  // The composition as drawn in the text, waited for until it reads `bytes`.
  bool DraftBecomes(const std::string& bytes) {
    return WaitUntil([&] { return Draft() == bytes; }, 10000);
  }
  std::string Draft() {
    const Selection draft = Edit().Draft();
    if (draft.Length() == 0) return {};
    const auto* raw = reinterpret_cast<const char*>(
        SendMessageW(Edit().Handle(), SCI_GETRANGEPOINTER, draft.start, draft.Length()));
    return std::string(raw, draft.Length());
  }
  bool TextBecomes(const std::string& bytes) {
    return WaitUntil([&] { return Edit().Text() == bytes; }, 10000);
  }
  // Whether anything but the background is drawn in the composition's place on its row.
  bool CompositionDrawn() {
    const Selection draft = Edit().Draft();
    const HWND area = Edit().Handle();
    RedrawWindow(area, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto at = [&](UINT message, ByteOffset p) {
      return static_cast<int>(SendMessageW(area, message, 0, p));
    };
    const int left = at(SCI_POINTXFROMPOSITION, draft.start);
    const int right = at(SCI_POINTXFROMPOSITION, draft.end);
    const int top = at(SCI_POINTYFROMPOSITION, draft.start);
    const int height = static_cast<int>(SendMessageW(area, SCI_TEXTHEIGHT, 0, 0));
    const HDC dc = GetDC(area);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int drawn = 0;
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < right; ++x) drawn += GetPixel(dc, x, y) != background;
    }
    ReleaseDC(area, dc);
    return right > left && drawn > 20;
  }

  InProcessPenlet window;
  int runs_ = 0;
};

// "nihongo" is drawn as kana at the caret, converted and committed; until then the document,
// the counter, the caret panel, the modified state and the Save command know nothing of it.
TEST_F(InputMethod, KanaAndKanjiAreDrawnAtTheCaretAndCountOnlyOnceCommitted) {
  const std::string caption = window->Window().Caption();
  const std::string offset = window->Window().StatusText(1);
  ASSERT_TRUE(Type("nihongo"));
  ASSERT_TRUE(DraftBecomes(kNihongoKana)) << "drawn: " << Draft();
  EXPECT_TRUE(CompositionDrawn());
  EXPECT_EQ(Edit().Text(), "");
  EXPECT_EQ(window->Window().Memo1Text(), "0");
  EXPECT_EQ(window->Window().StatusText(1), offset);
  EXPECT_FALSE(Edit().Modified());
  EXPECT_EQ(window->Window().Caption(), caption);
  EXPECT_FALSE(window->Window().CommandEnabled(FileSave1));
  // The input method's list is placed below the composition.
  CANDIDATEFORM candidates{};
  const HIMC imc = ImmGetContext(Edit().Handle());
  ImmGetCandidateWindow(imc, 0, &candidates);
  ImmReleaseContext(Edit().Handle(), imc);
  EXPECT_EQ(candidates.dwStyle, static_cast<DWORD>(CFS_EXCLUDE));
  EXPECT_GT(candidates.ptCurrentPos.y, 0);

  ASSERT_TRUE(Press("space"));
  ASSERT_TRUE(DraftBecomes(kNihongo)) << "drawn: " << Draft();
  EXPECT_TRUE(CompositionDrawn());
  EXPECT_EQ(Edit().Text(), "");
  ASSERT_TRUE(Press("Return"));
  ASSERT_TRUE(TextBecomes(kNihongo)) << Edit().Text();
  EXPECT_EQ(Edit().Draft().Length(), 0);
  EXPECT_EQ(window->Window().Memo1Text(), "3");
  EXPECT_TRUE(Edit().Modified());
  EXPECT_TRUE(window->Window().CommandEnabled(FileSave1));

  // One Rescue takes the commit back.
  window->Form().EditUndoExecute();
  EXPECT_EQ(Edit().Text(), "");
  EXPECT_EQ(window->Window().Memo1Text(), "0");
}

// Escape drops the composition: nothing was typed, and nothing can be taken back.
TEST_F(InputMethod, EscapeLeavesTheDocumentAsItWas) {
  const std::string caption = window->Window().Caption();
  ASSERT_TRUE(Type("kana"));
  ASSERT_TRUE(DraftBecomes("\x82\xA9\x82\xC8")) << "drawn: " << Draft();  // かな
  ASSERT_TRUE(Press("Escape"));
  ASSERT_TRUE(WaitUntil([&] { return Edit().Draft().Length() == 0; }, 10000));
  window.Pump();
  EXPECT_EQ(Edit().Text(), "");
  EXPECT_EQ(SendMessageW(Edit().Handle(), SCI_GETLENGTH, 0, 0), 0);
  EXPECT_FALSE(Edit().Modified());
  EXPECT_FALSE(SendMessageW(Edit().Handle(), SCI_CANUNDO, 0, 0));
  EXPECT_EQ(window->Window().Caption(), caption);
  EXPECT_FALSE(window->Window().CommandEnabled(FileSave1));
  EXPECT_EQ(window->Window().Memo1Text(), "0");
}

// A commit over a selection replaces it, and one Rescue brings the selection's text back.
TEST_F(InputMethod, ACommitReplacesTheSelection) {
  const std::string before = "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8";  // あいうえお
  Edit().SetText(before);
  Edit().SetSelection({2, 6});
  window.Pump();
  ASSERT_TRUE(Type("nihongo"));
  ASSERT_TRUE(Press("space"));
  ASSERT_TRUE(DraftBecomes(kNihongo)) << "drawn: " << Draft();
  ASSERT_TRUE(Press("Return"));
  const std::string after = "\x82\xA0" + kNihongo + "\x82\xA6\x82\xA8";
  ASSERT_TRUE(TextBecomes(after)) << Edit().Text();
  EXPECT_EQ(window->Window().Memo1Text(), "6");
  window->Form().EditUndoExecute();
  EXPECT_EQ(Edit().Text(), before);
}

// The user's journey: a Shift-JIS file of long Japanese paragraphs opened, a sentence composed
// at the end of its last, wrapped line, saved and opened again.
TEST_F(InputMethod, ASentenceComposedAtTheEndOfALongWrappedLineIsSavedAsShiftJis) {
  std::string paragraph;
  for (int i = 0; i < 300; ++i) paragraph += kFineDay.substr(2 * (i % 9), 2);
  const std::string text = paragraph + "\r\n" + paragraph + "\r\n" + paragraph;
  TempDir dir;
  const std::string path = dir.Write("long.txt", text);
  window->Form().OpenDocument(path);
  window.Pump();
  const ByteOffset end = static_cast<ByteOffset>(text.size());
  Edit().SetSelection({end, end});
  window.Pump();
  ASSERT_GT(Edit().LineFromOffset(end), 6) << "the paragraphs do not wrap";
  ASSERT_TRUE(Type("kyouhaiitenkidesu"));
  ASSERT_TRUE(WaitUntil([&] { return Edit().Draft().Length() >= 20; }, 10000)) << Draft();
  EXPECT_TRUE(CompositionDrawn());
  EXPECT_EQ(Edit().TextLength(), end);
  // Each line break counts two.
  EXPECT_EQ(window->Window().Memo1Text(), "904");
  ASSERT_TRUE(Press("space"));
  ASSERT_TRUE(DraftBecomes(kFineDay)) << "drawn: " << Draft();
  EXPECT_TRUE(CompositionDrawn());
  ASSERT_TRUE(Press("Return"));
  ASSERT_TRUE(TextBecomes(text + kFineDay));
  EXPECT_EQ(window->Window().Memo1Text(), "913");
  window->Form().FileSave1Execute();
  EXPECT_EQ(ReadFileBytes(path), text + kFineDay);
  EXPECT_FALSE(Edit().Modified());
  window->Form().FileNew1Execute();
  window->Form().OpenDocument(path);
  EXPECT_EQ(Edit().Text(), text + kFineDay);
  EXPECT_TRUE(window.errors.empty());
}

// The composition in the middle of a paragraph of a megabyte without a line break, opened just
// before: drawn at the caret among rows laid out a few at a time, and committed there.
TEST_F(InputMethod, AWordComposedInTheMiddleOfAOneLineParagraphOfAMegabyteIsCommittedThere) {
  std::string paragraph;
  while (paragraph.size() < (size_t{1} << 20)) paragraph += kFineDay;
  TempDir dir;
  const std::string path = dir.Write("paragraph.txt", paragraph);
  window->Form().OpenDocument(path);
  const ByteOffset middle = static_cast<ByteOffset>(paragraph.size() / 2) & ~ByteOffset{1};
  Edit().SetSelection({middle, middle});
  window.Pump();
  ASSERT_TRUE(Type("nihongo"));
  ASSERT_TRUE(DraftBecomes(kNihongoKana)) << "drawn: " << Draft();
  EXPECT_TRUE(CompositionDrawn());
  ASSERT_TRUE(Press("space"));
  ASSERT_TRUE(DraftBecomes(kNihongo)) << "drawn: " << Draft();
  ASSERT_TRUE(Press("Return"));
  const std::string committed = paragraph.substr(0, middle) + kNihongo + paragraph.substr(middle);
  ASSERT_TRUE(TextBecomes(committed));
  EXPECT_EQ(Edit().GetSelection().start, middle + static_cast<ByteOffset>(kNihongo.size()));
  window->Form().FileSave1Execute();
  EXPECT_TRUE(ReadFileBytes(path) == committed);
  EXPECT_TRUE(window.errors.empty());
}

}  // namespace
}  // namespace penlet::wintest
