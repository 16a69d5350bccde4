// The end of a wrapped row on the real editing area: the offset where a row ends is also where
// the next row starts, and the caret put there by End, a click or Up and Down stays on its row,
// as in a Windows edit control, for every key, click and drawing that follows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"

namespace penlet {
namespace {

// 吾輩は猫である。名前はまだ無い。: full-width characters only, so that every row of a paragraph
// holds as many as the next.
const std::string kSentence =
    "\x8C\xE1\x94\x79\x82\xCD\x94\x4C\x82\xC5\x82\xA0\x82\xE9\x81\x42"
    "\x96\xBC\x91\x4F\x82\xCD\x82\xDC\x82\xBE\x96\xB3\x82\xA2\x81\x42";

std::string Paragraph(int sentences) {
  std::string text;
  for (int i = 0; i < sentences; ++i) text += kSentence;
  return text;
}

// Holds Shift down for the thread while it lives.
class HeldShift {
 public:
  HeldShift() { Set(0x80); }
  ~HeldShift() { Set(0); }

 private:
  static void Set(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = state;
    SetKeyboardState(keys);
  }
};

// The area alone in a top-level window, focused, with a caret that does not blink and shows in
// a colour of its own.
class Area {
 public:
  static constexpr COLORREF kCaretColour = RGB(255, 0, 0);

  Area() {
    parent_ = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 420, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    edit_ = std::make_unique<ScintillaEdit>(parent_, 1, WS_CHILD | WS_VISIBLE, 0);
    MoveWindow(edit_->Handle(), 0, 0, 400, 260, FALSE);
    ShowWindow(parent_, SW_SHOWNORMAL);
    ::SetFocus(edit_->Handle());
    Send(SCI_SETCARETPERIOD, 0);
    Send(SCI_SETCARETWIDTH, 3);
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_CARET, kCaretColour | 0xFF000000u);
  }
  ~Area() {
    edit_.reset();
    DestroyWindow(parent_);
  }

  ScintillaEdit& Edit() { return *edit_; }
  HWND Handle() const { return edit_->Handle(); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(Handle(), message, wParam, lParam);
  }
  void Key(WPARAM key, bool shift = false) const {
    if (shift) {
      HeldShift held;
      Send(WM_KEYDOWN, key, 1);
    } else {
      Send(WM_KEYDOWN, key, 1);
    }
  }
  void Click(int x, int y) const {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  int LineHeight() const { return static_cast<int>(Send(SCI_TEXTHEIGHT, 0)); }
  // The top of display row `row` (the first shown being row 0).
  int RowTop(int row) const {
    return (row - static_cast<int>(Send(SCI_GETFIRSTVISIBLELINE))) * LineHeight();
  }
  int X(ByteOffset offset) const {
    return static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, offset));
  }

  // Where the system caret stands, which input methods and accessibility tools follow.
  POINT SystemCaret() const {
    POINT at{-1, -1};
    GetCaretPos(&at);
    return at;
  }
  // The display rows on which the caret is drawn, as a mask: bit r for row r on screen.
  unsigned DrawnCaretRows() const {
    RECT client;
    GetClientRect(Handle(), &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    unsigned rows = 0;
    const int height = LineHeight();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; bits && y < client.bottom && y / height < 32; ++y) {
      for (int x = 0; x < client.right; ++x) {
        // A DIB's pixel is 0x00RRGGBB.
        if ((pixels[y * client.right + x] & 0xFFFFFFu) == 0xFF0000u) rows |= 1u << (y / height);
      }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return rows;
  }

 private:
  HWND parent_ = nullptr;
  std::unique_ptr<ScintillaEdit> edit_;
};

class RowEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    edit_.SetText(text_);
    // The scroll bar that the long text brings narrows the rows: they are read once it is there.
    for (int i = 0; i < 5; ++i) {
      wintest::Pump();
      Sleep(10);
    }
    ASSERT_GT(edit_.LineCount(), 4);
    for (int row = 0; row < 5; ++row) starts_[row] = edit_.LineIndex(row);
    // Every row holds the same number of characters, more than a few.
    ASSERT_GT(starts_[2] - starts_[1], 8);
    ASSERT_EQ(starts_[3] - starts_[2], starts_[2] - starts_[1]);
    ASSERT_EQ(starts_[4] - starts_[3], starts_[2] - starts_[1]);
    middle_ = starts_[1] + 6;
  }
  // The caret, drawn and the system's, on display row `row` (after its last character when
  // `atEnd`).
  void ExpectCaretOnRow(int row, bool atEnd) {
    const POINT caret = area_.SystemCaret();
    EXPECT_EQ(caret.y, area_.RowTop(row));
    if (atEnd) {
      EXPECT_GT(caret.x, area_.X(edit_.LineIndex(row + 1) - 2))
          << "the caret is not after the last character";
    }
    const auto first = static_cast<int>(area_.Send(SCI_GETFIRSTVISIBLELINE));
    EXPECT_EQ(area_.DrawnCaretRows(), 1u << (row - first));
  }

  Area area_;
  ScintillaEdit& edit_ = area_.Edit();
  const std::string text_ = Paragraph(60) + "\r\n" + Paragraph(3);
  ByteOffset starts_[5] = {};
  ByteOffset middle_ = 0;
};

TEST_F(RowEnd, EndStaysOnItsRowAndHomeGoesToThatRowsStart) {
  edit_.SetSelection({middle_, middle_});
  area_.Key(VK_END);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  ExpectCaretOnRow(1, true);
  area_.Key(VK_END);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]})) << "End again moved on";
  ExpectCaretOnRow(1, true);
  area_.Key(VK_HOME);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[1], starts_[1]}));
  ExpectCaretOnRow(1, false);

  // Shift+End selects to the row's end, and again changes nothing; Shift+Home from there takes
  // the row's start.
  edit_.SetSelection({middle_, middle_});
  area_.Key(VK_END, true);
  EXPECT_EQ(edit_.GetSelection(), (Selection{middle_, starts_[2]}));
  area_.Key(VK_END, true);
  EXPECT_EQ(edit_.GetSelection(), (Selection{middle_, starts_[2]}));
  EXPECT_EQ(area_.SystemCaret().y, area_.RowTop(1));
  area_.Key(VK_HOME, true);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[1], middle_}));

  // Any other move to that offset puts the caret at the start of the next row, as before.
  edit_.SetSelection({middle_, middle_});
  area_.Key(VK_END);
  area_.Key(VK_LEFT);
  area_.Key(VK_RIGHT);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  ExpectCaretOnRow(2, false);
  area_.Key(VK_END);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[3], starts_[3]}));
  ExpectCaretOnRow(2, true);
  // So does the program's own choice of that offset. (The system caret follows it at the next
  // blink, as it always has.)
  edit_.SetSelection({starts_[3], starts_[3]});
  EXPECT_EQ(area_.DrawnCaretRows(), 1u << 3);
  EXPECT_TRUE(edit_.Text() == text_) << "the text changed";

  // So does an edit that leaves the offset as it was: Delete at the row's end.
  edit_.SetSelection({middle_, middle_});
  area_.Key(VK_END);
  area_.Key(VK_DELETE);
  std::string deleted = text_;
  deleted.erase(static_cast<size_t>(starts_[2]), 2);
  EXPECT_TRUE(edit_.Text() == deleted) << "Delete took something else";
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  EXPECT_EQ(area_.DrawnCaretRows(), 1u << 2);
}

// Up and Down go from the row the caret ends, to the end of the row above or below.
TEST_F(RowEnd, UpAndDownGoFromTheRowTheCaretEnds) {
  edit_.SetSelection({middle_, middle_});
  area_.Key(VK_END);
  area_.Key(VK_DOWN);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[3], starts_[3]}));
  ExpectCaretOnRow(2, true);
  area_.Key(VK_UP);
  area_.Key(VK_UP);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[1], starts_[1]}));
  ExpectCaretOnRow(0, true);
  area_.Key(VK_DOWN, true);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[1], starts_[2]}));
  EXPECT_EQ(area_.SystemCaret().y, area_.RowTop(1));

  // The page keys too: from the end of row 1 a page down lands at the end of the row a page
  // below, and a page up back at the end of row 1.
  edit_.SetSelection({middle_, middle_});
  area_.Key(VK_END);
  area_.Key(VK_NEXT);
  const ByteOffset landed = edit_.GetSelection().end;
  const int below = edit_.LineFromOffset(landed) - 1;
  EXPECT_GT(below, 2);
  EXPECT_EQ(edit_.LineIndex(below + 1), landed) << "the page stopped inside a row";
  ExpectCaretOnRow(below, true);
  area_.Key(VK_PRIOR);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  ExpectCaretOnRow(1, true);
  EXPECT_TRUE(edit_.Text() == text_) << "the text changed";
}

// A click or a drag right of a row's last character puts the caret at that row's end; typed
// text goes in at that offset.
TEST_F(RowEnd, AClickRightOfARowEndsItAndTypingGoesThere) {
  RECT client;
  GetClientRect(area_.Handle(), &client);
  const int y = area_.RowTop(1) + area_.LineHeight() / 2;
  area_.Click(client.right - 4, y);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  ExpectCaretOnRow(1, true);
  area_.Key(VK_END);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  // A click at the start of the next row is on that row.
  area_.Click(area_.X(starts_[2]) + 1, area_.RowTop(2) + area_.LineHeight() / 2);
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2], starts_[2]}));
  ExpectCaretOnRow(2, false);

  area_.Click(client.right - 4, y);
  area_.Send(WM_IME_CHAR, 0x732B, 1);  // 猫
  std::string typed = text_;
  typed.insert(static_cast<size_t>(starts_[2]), "\x94\x4C");
  EXPECT_TRUE(edit_.Text() == typed) << "the text typed is not at the row's end";
  EXPECT_EQ(edit_.GetSelection(), (Selection{starts_[2] + 2, starts_[2] + 2}));

  // A drag from inside the row to right of its end selects to that end.
  area_.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(area_.X(middle_) + 1, y));
  area_.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right - 4, y));
  area_.Send(WM_LBUTTONUP, 0, MAKELPARAM(client.right - 4, y));
  EXPECT_EQ(edit_.GetSelection(), (Selection{middle_, starts_[2]}));
  EXPECT_EQ(area_.SystemCaret().y, area_.RowTop(1));
  EXPECT_EQ(area_.DrawnCaretRows(), 1u << 1);
}

// End on the last row shown leaves the view where it is: the caret stays on that row.
TEST_F(RowEnd, EndOnTheLastRowShownScrollsNothing) {
  RECT client;
  GetClientRect(area_.Handle(), &client);
  const int shown = client.bottom / area_.LineHeight();
  ASSERT_LT(edit_.LineIndex(shown), static_cast<ByteOffset>(Paragraph(60).size()))
      << "the last row shown is no wrapped one";
  const ByteOffset last = edit_.LineIndex(shown - 1);
  edit_.SetSelection({last + 2, last + 2});
  const LRESULT top = area_.Send(SCI_GETFIRSTVISIBLELINE);
  area_.Key(VK_END);
  EXPECT_EQ(area_.Send(SCI_GETFIRSTVISIBLELINE), top);
  EXPECT_EQ(edit_.GetSelection(), (Selection{edit_.LineIndex(shown), edit_.LineIndex(shown)}));
  EXPECT_EQ(area_.SystemCaret().y, area_.RowTop(shown - 1));
}

// The journey: a Shift-JIS file of long paragraphs opened, End twice, a character typed, taken
// back with Rescue and typed again, saved and opened again: the file holds what was typed at the
// row's end and nothing else.
TEST(RowEndJourney, WhatIsTypedAtARowsEndIsSavedThereAndNothingElse) {
  using wintest::PenletProcess;
  wintest::TempDir dir;
  const std::string original = Paragraph(10) + "\r\n" + Paragraph(6) + "\r\n";
  const std::string path = dir.Write("wagahai.txt", original);
  std::string expected;
  {
    PenletProcess penlet(wintest::Quoted(path));
    ASSERT_TRUE(penlet.Ready());
    const HWND edit = penlet.Edit();
    SendMessageA(edit, EM_SETSEL, 0, 0);
    penlet.Key(VK_END);
    const auto rowEnd = static_cast<ByteOffset>(SendMessageA(edit, SCI_GETCURRENTPOS, 0, 0));
    ASSERT_GT(rowEnd, 0);
    ASSERT_LT(rowEnd, static_cast<ByteOffset>(Paragraph(10).size()))
        << "the paragraph did not wrap";
    penlet.Key(VK_END);
    EXPECT_EQ(SendMessageA(edit, SCI_GETCURRENTPOS, 0, 0), rowEnd);
    SendMessageW(edit, WM_IME_CHAR, 0x732B, 1);  // 猫
    penlet.Sync();
    penlet.CommandAndWait(EditUndo);
    EXPECT_EQ(penlet.Text(), original);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    penlet.Key(VK_END);
    SendMessageW(edit, WM_IME_CHAR, 0x732B, 1);
    penlet.Sync();
    expected = original;
    expected.insert(static_cast<size_t>(rowEnd), "\x94\x4C");
    penlet.Command(FileSave1);
    ASSERT_TRUE(
        wintest::WaitUntil([&] { return wintest::ReadFileBytes(path) == expected; }, 10000));
    EXPECT_EQ(penlet.Close(), 0u);
  }
  PenletProcess again(wintest::Quoted(path));
  ASSERT_TRUE(again.Ready());
  EXPECT_EQ(again.Text(), expected);
  EXPECT_EQ(again.Close(), 0u);
}

}  // namespace
}  // namespace penlet
