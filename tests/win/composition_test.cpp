// The editing area while the user composes through an input method, driven through the system's
// input method calls: the composition is drawn at the caret but is no part of the text, a
// cancelled one leaves nothing behind, and a commit is one edit.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "tests/win/support/WinTest.h"

// After windows.h, which it needs.
#include <imm.h>

namespace penlet {
namespace {

// Every report of the area, counted.
struct Reports : EditAreaListener {
  void EditAreaTextChanged(const TextEdit& edit) override {
    ++steps;
    if (edit.removed > 0) ++removals;
  }
  void EditAreaChanged() override { ++changes; }
  void EditAreaSelectionChanged() override { ++selections; }
  int steps = 0;
  int removals = 0;
  int changes = 0;
  int selections = 0;
};

// The area in a window of its own with the focus, and the input method's context of it.
class ComposingHost {
 public:
  ComposingHost() {
    static const bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ParentProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "CompositionTestParent";
      return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    parent_ = CreateWindowA("CompositionTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit_ = std::make_unique<ScintillaEdit>(parent_, 1, WS_CHILD | WS_VISIBLE, 0);
    current = edit_.get();
    MoveWindow(edit_->Handle(), 0, 0, 380, 260, FALSE);
    ShowWindow(parent_, SW_SHOW);
    SetForegroundWindow(parent_);
    ::SetFocus(edit_->Handle());
    wintest::Pump();
  }
  ~ComposingHost() {
    edit_->SetListener(nullptr);
    current = nullptr;
    edit_.reset();
    DestroyWindow(parent_);
  }

  ScintillaEdit& Edit() { return *edit_; }
  HWND Handle() const { return edit_->Handle(); }
  std::intptr_t Call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(Handle(), message, wParam, lParam);
  }

  // The input method's composition becomes `text`, as when the user types or converts.
  bool Compose(const std::wstring& text) {
    const HIMC imc = ImmGetContext(Handle());
    if (!imc) return false;
    ImmSetOpenStatus(imc, TRUE);
    const BOOL set =
        ImmSetCompositionStringW(imc, SCS_SETSTR, const_cast<wchar_t*>(text.c_str()),
                                 static_cast<DWORD>(text.size() * sizeof(wchar_t)), nullptr, 0);
    ImmReleaseContext(Handle(), imc);
    wintest::Pump();
    return set != FALSE;
  }
  // CPS_COMPLETE commits the composition, CPS_CANCEL drops it.
  void Finish(DWORD how) {
    const HIMC imc = ImmGetContext(Handle());
    ImmNotifyIME(imc, NI_COMPOSITIONSTR, how, 0);
    ImmReleaseContext(Handle(), imc);
    wintest::Pump();
  }
  CANDIDATEFORM Candidates() const {
    CANDIDATEFORM form{};
    const HIMC imc = ImmGetContext(Handle());
    ImmGetCandidateWindow(imc, 0, &form);
    ImmReleaseContext(Handle(), imc);
    return form;
  }
  // Whether the row at the top of the area shows anything but the background from `left` to
  // `right`.
  bool DrawnBetween(int left, int right) const {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC dc = GetDC(Handle());
    const COLORREF background = GetPixel(dc, 370, 2);
    const int height = static_cast<int>(Call(SCI_TEXTHEIGHT, 0));
    bool drawn = false;
    for (int y = 0; y < height && !drawn; ++y) {
      for (int px = left; px < right && !drawn; ++px) drawn = GetPixel(dc, px, y) != background;
    }
    ReleaseDC(Handle(), dc);
    return drawn;
  }

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (current && msg == WM_NOTIFY && current->HandleNotify(*reinterpret_cast<NMHDR*>(lParam))) {
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  static inline ScintillaEdit* current = nullptr;
  HWND parent_ = nullptr;
  std::unique_ptr<ScintillaEdit> edit_;
};

const std::wstring kNihongoKana = L"\u306B\u307B\u3093\u3054";  // にほんご
const std::wstring kNihongo = L"\u65E5\u672C\u8A9E";            // 日本語
const std::string kNihongoBytes = "\x93\xFA\x96\x7B\x8C\xEA";

// While the user composes, the composition is drawn at the caret and the text, its length, the
// caret, the modified flag and the undo history are those of before; a cancel leaves them so.
TEST(Composition, TheDraftIsDrawnButIsNoPartOfTheText) {
  ComposingHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText("ab\r\ncd");
  edit.SetSelection({2, 2});
  Reports reports;
  edit.SetListener(&reports);
  const int caretX = static_cast<int>(host.Call(SCI_POINTXFROMPOSITION, 0, 2));
  ASSERT_FALSE(host.DrawnBetween(caretX + 2, caretX + 60));
  ASSERT_TRUE(host.Compose(kNihongoKana));
  ASSERT_EQ(host.Call(SCI_GETLENGTH), 6 + 8) << "the composition is not drawn in the text";
  EXPECT_TRUE(host.DrawnBetween(caretX + 2, caretX + 60));
  EXPECT_EQ(edit.Text(), "ab\r\ncd");
  EXPECT_EQ(edit.TextLength(), 6);
  EXPECT_EQ(edit.TextRange(1, 5), "b\r\nc");
  EXPECT_EQ(edit.GetSelection(), (Selection{2, 2}));
  EXPECT_EQ(edit.LineFromOffset(4), 1);
  EXPECT_EQ(edit.LineIndex(1), 4);
  EXPECT_EQ(edit.Draft(), (Selection{2, 10}));
  EXPECT_FALSE(edit.Modified());
  EXPECT_EQ(reports.steps + reports.changes + reports.selections, 0);
  // Wine follows every change with a message that only moves the input method's cursor: the
  // draft stays.
  host.Call(WM_IME_COMPOSITION, 0, GCS_CURSORPOS);
  EXPECT_EQ(host.Call(SCI_GETLENGTH), 6 + 8);
  // The input method's list goes below the composition's row, not to the window's corner.
  const CANDIDATEFORM candidates = host.Candidates();
  EXPECT_EQ(candidates.dwStyle, static_cast<DWORD>(CFS_EXCLUDE));
  EXPECT_EQ(candidates.ptCurrentPos.y, host.Call(SCI_TEXTHEIGHT, 0));
  EXPECT_EQ(candidates.ptCurrentPos.x, host.Call(SCI_POINTXFROMPOSITION, 0, 10));

  host.Finish(CPS_CANCEL);
  EXPECT_EQ(host.Call(SCI_GETLENGTH), 6);
  EXPECT_EQ(edit.Text(), "ab\r\ncd");
  EXPECT_EQ(edit.Draft().Length(), 0);
  EXPECT_FALSE(edit.Modified());
  EXPECT_FALSE(host.Call(SCI_CANUNDO));
  EXPECT_EQ(reports.steps + reports.changes + reports.selections, 0);
}

// A commit is one edit of the user's: reported as such, and taken back by one undo without what
// was typed before it.
TEST(Composition, ACommitIsOneEditThatOneUndoTakesBack) {
  ComposingHost host;
  ScintillaEdit& edit = host.Edit();
  Reports reports;
  edit.SetListener(&reports);
  host.Call(WM_CHAR, 'x', 1);
  ASSERT_TRUE(host.Compose(kNihongoKana));
  ASSERT_TRUE(host.Compose(kNihongo));
  const int changes = reports.changes;
  host.Finish(CPS_COMPLETE);
  EXPECT_EQ(edit.Text(), "x" + kNihongoBytes);
  EXPECT_EQ(edit.GetSelection(), (Selection{7, 7}));
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(reports.changes, changes + 1);
  host.Call(WM_CHAR, 'y', 1);
  edit.Undo();
  EXPECT_EQ(edit.Text(), "x" + kNihongoBytes);
  edit.Undo();
  EXPECT_EQ(edit.Text(), "x");
  EXPECT_EQ(edit.GetSelection(), (Selection{1, 1}));
}

// A commit over a selection replaces it; one undo brings the selection's text back.
TEST(Composition, ACommitReplacesTheSelection) {
  ComposingHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText("abcdef");
  edit.SetSelection({1, 4});
  ASSERT_TRUE(host.Compose(kNihongo));
  EXPECT_EQ(edit.Text(), "aef") << "the composition takes the selection's place";
  host.Finish(CPS_COMPLETE);
  EXPECT_EQ(edit.Text(), "a" + kNihongoBytes + "ef");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "abcdef");
}

// Wine ends the composition before it hands over the commit; a cancelled composition over a
// selection leaves it removed, as the system's edit controls do. Either way one undo brings the
// selection back.
TEST(Composition, TheSelectionsRemovalJoinsTheCommitThatFollowsTheEnd) {
  ComposingHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText("abcdef");
  edit.SetSelection({1, 4});
  ASSERT_TRUE(host.Compose(kNihongo));
  host.Call(WM_IME_ENDCOMPOSITION);
  EXPECT_EQ(edit.Text(), "aef");
  host.Finish(CPS_COMPLETE);
  EXPECT_EQ(edit.Text(), "a" + kNihongoBytes + "ef");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "abcdef");

  edit.SetSelection({1, 4});
  ASSERT_TRUE(host.Compose(kNihongo));
  host.Finish(CPS_CANCEL);
  host.Call(WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(edit.Text(), "aef");
  EXPECT_TRUE(edit.Modified());
  edit.Undo();
  EXPECT_EQ(edit.Text(), "abcdef");
}

// The program's own edit while the user composes commits the composition first, so that no
// offset of the program's falls inside it.
TEST(Composition, TheProgramsOwnEditCommitsTheCompositionFirst) {
  ComposingHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText("ab");
  edit.SetSelection({1, 1});
  ASSERT_TRUE(host.Compose(kNihongo));
  edit.ReplaceSelection("X");
  EXPECT_EQ(edit.Text(), "a" + kNihongoBytes + "Xb");
  EXPECT_EQ(edit.Draft().Length(), 0);
}

// A commit over a selection of megabytes removes it in steps, as typing over it does, and one
// undo takes the whole of it back.
TEST(Composition, ACommitOverMegabytesGoesInSteps) {
  ComposingHost host;
  ScintillaEdit& edit = host.Edit();
  std::string line;
  for (int i = 0; i < 40; ++i) line += "\x93\xFA";
  line += "\r\n";
  std::string text;
  while (text.size() < (10u << 20)) text += line;
  edit.SetText(text);
  edit.SelectAll();
  Reports reports;
  edit.SetListener(&reports);
  ASSERT_TRUE(host.Compose(kNihongo));
  host.Finish(CPS_COMPLETE);
  EXPECT_EQ(edit.Text(), kNihongoBytes);
  EXPECT_GE(reports.removals, 3) << "the selection went at once";
  edit.Undo();
  EXPECT_EQ(edit.TextLength(), static_cast<ByteOffset>(text.size()));
  EXPECT_TRUE(edit.Text() == text);
}

}  // namespace
}  // namespace penlet
