// The real rich edit control behind the byte-offset editing area, on Shift-JIS text.
#include <gtest/gtest.h>

#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/RichEdit_win32.h"

namespace penlet {
namespace {

const std::string kNihonAbc = "\x93\xFA\x96\x7B\r\nabc";  // 日本 CR LF abc

struct Counter : EditAreaListener {
  int changes = 0, selections = 0;
  void EditAreaChanged() override { ++changes; }
  void EditAreaSelectionChanged() override { ++selections; }
};

class RichEditTest : public ::testing::Test {
 protected:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (current) {
      if (msg == WM_COMMAND && current->HandleCommand(wParam, lParam)) return 0;
      if (msg == WM_NOTIFY && current->HandleNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RichEditTestParent";
    RegisterClassA(&wc);
    parent = CreateWindowA("RichEditTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    edit = std::make_unique<RichEdit>(
        parent, 1, WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0);
    MoveWindow(edit->Handle(), 0, 0, 380, 260, FALSE);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    current = edit.get();
    edit->SetListener(&counter);
  }
  void TearDown() override {
    current = nullptr;
    edit.reset();
    DestroyWindow(parent);
  }

  static inline RichEdit* current = nullptr;
  HWND parent = nullptr;
  std::unique_ptr<RichEdit> edit;
  Counter counter;
};

TEST_F(RichEditTest, LengthsSelectionAndLinesAreInBytes) {
  edit->SetText(kNihonAbc);
  EXPECT_EQ(edit->Text(), kNihonAbc);
  EXPECT_EQ(edit->TextLength(), 9);
  EXPECT_FALSE(edit->Modified());

  edit->SetSelection({2, 4});  // 本
  EXPECT_EQ(edit->GetSelection(), (Selection{2, 4}));
  edit->SetSelection({9, 9});
  EXPECT_EQ(edit->GetSelection(), (Selection{9, 9}));
  edit->SetSelection({6, 6});
  EXPECT_EQ(edit->GetSelection(), (Selection{6, 6}));

  EXPECT_EQ(edit->LineCount(), 2);
  EXPECT_EQ(edit->LineFromOffset(4), 0);
  EXPECT_EQ(edit->LineFromOffset(6), 1);
  EXPECT_EQ(edit->LineFromOffset(9), 1);
  EXPECT_EQ(edit->LineIndex(1), 6);
  EXPECT_EQ(edit->Line(0), "\x93\xFA\x96\x7B");
  EXPECT_EQ(edit->Line(1), "abc");

  edit->SelectAll();
  EXPECT_EQ(edit->GetSelection(), (Selection{0, 9}));
}

TEST_F(RichEditTest, ReplacementsAndNotifications) {
  edit->SetText(kNihonAbc);
  const int selectionsBefore = counter.selections;
  edit->SetSelection({2, 4});
  EXPECT_GT(counter.selections, selectionsBefore);  // also when the program moves it

  const int changesBefore = counter.changes;
  edit->ReplaceSelection("\x83\x5C\x83\x5C");  // ソソ in place of 本
  EXPECT_GT(counter.changes, changesBefore);
  EXPECT_EQ(edit->Text(), "\x93\xFA\x83\x5C\x83\x5C\r\nabc");
  EXPECT_EQ(edit->GetSelection(), (Selection{6, 6}));
  // A replacement is not recorded for undo.
  edit->Undo();
  EXPECT_EQ(edit->Text(), "\x93\xFA\x83\x5C\x83\x5C\r\nabc");

  // 0x5C trail bytes are no backslash; a real one is found after them.
  edit->SetText("\x83\x5C\\");
  EXPECT_EQ(edit->Find("\\", 0, -1), 2);
  EXPECT_EQ(edit->Find("\\", 0, 2), -1);
}

TEST_F(RichEditTest, ReplacingALongTextLeavesExactlyTheNewOne) {
  std::string longText;
  // 96,000 bytes, more than the control is trusted to delete quickly.
  for (int i = 0; i < 8000; ++i) longText += "\x93\xFA\x96\x7B line\r\n";
  edit->SetText(longText);
  ASSERT_EQ(edit->TextLength(), static_cast<ByteOffset>(longText.size()));
  const int changesBefore = counter.changes;
  edit->SetText("abc\r\n\x83\x5C");
  EXPECT_EQ(edit->Text(), "abc\r\n\x83\x5C");
  EXPECT_FALSE(edit->Modified());
  // The text is cleared in blocks, but the owner hears of one replacement only.
  EXPECT_LE(counter.changes - changesBefore, 1);
  edit->Undo();
  EXPECT_EQ(edit->Text(), "abc\r\n\x83\x5C");
}

// Many replacements in a long text are made by filling a new control, few in place; either
// way the text is exact and the control looks and answers as before.
TEST_F(RichEditTest, ReplacingRangesOfALongText) {
  HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                           "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
  edit->SetFont(font);
  edit->SetTextLimit(0x7FFFFFF0);
  std::string text;
  for (int i = 0; i < 8000; ++i) text += "\x93\xFA\x96\x7B ab line\r\n";  // 日本 ab line
  edit->SetText(text);
  ::SetFocus(edit->Handle());
  CHARFORMATA before{};
  before.cbSize = sizeof before;
  SendMessageA(edit->Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&before));
  RECT placeBefore;
  GetWindowRect(edit->Handle(), &placeBefore);

  struct Pass {
    std::string around;  // the range is what stands between its first and last byte
    size_t every;
  };
  for (const Pass& pass : {Pass{" ab ", 1}, Pass{" line\r", 3000}}) {  // 8,000 ranges, then 3
    std::vector<Selection> ranges;
    std::string expected;
    ByteOffset copied = 0;
    const std::string current = edit->Text();
    for (size_t at = current.find(pass.around), n = 0; at != std::string::npos;
         at = current.find(pass.around, at + 1), ++n) {
      if (n % pass.every != 0) continue;
      const auto start = static_cast<ByteOffset>(at + 1);
      expected += current.substr(copied, start - copied) + "\x83\x5C";  // ソ
      copied = static_cast<ByteOffset>(at + pass.around.size() - 1);
      ranges.push_back({start, copied});
    }
    ASSERT_FALSE(ranges.empty());
    const ByteOffset caret = static_cast<ByteOffset>(expected.size());
    expected += current.substr(copied);
    const int changesBefore = counter.changes;
    const int selectionsBefore = counter.selections;
    edit->ReplaceRanges(ranges, "\x83\x5C");
    EXPECT_TRUE(edit->Text() == expected) << ranges.size();
    EXPECT_EQ(edit->TextLength(), static_cast<ByteOffset>(expected.size()));
    EXPECT_EQ(edit->GetSelection(), (Selection{caret, caret}));
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(counter.changes, changesBefore);
    EXPECT_EQ(counter.selections, selectionsBefore);
  }

  HWND control = edit->Handle();
  EXPECT_EQ(FindWindowExA(parent, nullptr, "RICHEDIT", nullptr), control);
  EXPECT_EQ(FindWindowExA(parent, control, "RICHEDIT", nullptr), nullptr);  // the old one is gone
  EXPECT_EQ(GetDlgCtrlID(control), 1);
  EXPECT_TRUE(IsWindowVisible(control));
  EXPECT_EQ(GetFocus(), control);
  RECT placeAfter;
  GetWindowRect(control, &placeAfter);
  EXPECT_TRUE(EqualRect(&placeBefore, &placeAfter));
  CHARFORMATA after{};
  after.cbSize = sizeof after;
  SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&after));
  EXPECT_STREQ(after.szFaceName, before.szFaceName);
  EXPECT_EQ(after.yHeight, before.yHeight);
  EXPECT_EQ(SendMessageA(control, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFF0);
  // The new control reports to the owner as the old one did.
  const int changesBefore = counter.changes;
  SendMessageA(control, WM_CHAR, 'z', 0);
  EXPECT_GT(counter.changes, changesBefore);
  edit.reset();
  DeleteObject(font);
}

TEST_F(RichEditTest, WrappedParagraphIsSeveralLines) {
  std::string paragraph;
  for (int i = 0; i < 60; ++i) paragraph += "\x93\xFA\x96\x7B";  // 日本 x 60
  edit->SetText(paragraph + "\r\nz");
  const int lines = edit->LineCount();
  ASSERT_GT(lines, 2);
  std::string joined;
  for (int i = 0; i + 1 < lines; ++i) {
    const ByteOffset start = edit->LineIndex(i);
    EXPECT_EQ(start % 2, 0) << "line " << i << " starts inside a character";
    EXPECT_EQ(edit->LineFromOffset(start), i);
    joined += edit->Line(i);
  }
  EXPECT_EQ(joined, paragraph);
  EXPECT_EQ(edit->Line(lines - 1), "z");
  EXPECT_EQ(edit->LineIndex(lines - 1), static_cast<ByteOffset>(paragraph.size()) + 2);
}

TEST_F(RichEditTest, StreamingInAndOutKeepsTheBytes) {
  const std::string text =
      "\x82\xA0\x82\xA2\r\n\r\nline\r\n\x81\x40"
      "end\r\n";
  // Blocks of every small size split double-byte characters and CR LF pairs somewhere.
  for (size_t block = 1; block <= 7; ++block) {
    size_t offset = 0;
    ASSERT_TRUE(edit->StreamIn([&](char* buffer, std::int32_t size, std::int32_t& got) {
      got = static_cast<std::int32_t>(std::min({block, text.size() - offset, size_t(size)}));
      std::copy_n(text.data() + offset, got, buffer);
      offset += got;
      return true;
    }));
    std::string out;
    ASSERT_TRUE(edit->StreamOut([&](const char* data, std::int32_t size) {
      out.append(data, size);
      return true;
    }));
    EXPECT_EQ(out, text) << "blocks of " << block;
    EXPECT_EQ(edit->TextLength(), static_cast<ByteOffset>(text.size()));
  }

  // A read that fails part-way leaves the text as it was.
  edit->SetModified(true);
  int calls = 0;
  EXPECT_FALSE(edit->StreamIn([&](char* buffer, std::int32_t size, std::int32_t& got) {
    if (++calls > 1) return false;
    got = 4;
    std::copy_n("half", 4, buffer);
    return true;
  }));
  EXPECT_EQ(edit->Text(), text);
  EXPECT_TRUE(edit->Modified());
}

}  // namespace
}  // namespace penlet
