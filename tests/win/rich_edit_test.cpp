// The real rich edit control behind the byte-offset editing area, on Shift-JIS text.
#include <gtest/gtest.h>

#include <richedit.h>

#include <memory>

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
  for (int i = 0; i < 3000; ++i) longText += "\x93\xFA\x96\x7B line\r\n";  // 36,000 bytes
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
  const std::string text = "\x82\xA0\x82\xA2\r\n\r\nline\r\n\x81\x40" "end\r\n";
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
