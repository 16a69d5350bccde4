// Find and replace in penlet.exe as a user meets it: the real dialog opened from the command,
// typed into, its buttons pressed, the plain message box read and the editing area checked.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/system/Locale.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"
#include "ui/Hints.h"
#include "ui/MessageDialog_win32.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

// Controls of the system's find/replace dialog.
constexpr int kFindField = 0x480;
constexpr int kReplaceField = 0x481;
constexpr int kFindNextButton = IDOK;
constexpr int kReplaceButton = 0x400;
constexpr int kReplaceAllButton = 0x401;

class FindReplace : public ::testing::Test {
 protected:
  void Start(const std::string& text) {
    process_ = std::make_unique<PenletProcess>(Quoted(dir_.Write("find.txt", text)));
    ASSERT_TRUE(process_->Ready());
    main_ = process_->Main();
    edit_ = process_->Edit();
  }
  HWND OpenDialog() {
    process_->Command(EditReplace);
    process_->Sync();
    return process_->Dialog({kReplaceField});
  }
  static void Type(HWND dialog, int field, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // The dialog enables its buttons when the find field reports a change.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(field, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, field)));
  }
  // The text of the plain box that the last press brought up, which is then dismissed; empty
  // when none came.
  std::string TakeMessage() {
    HWND box = process_->Box();
    if (!box) return "";
    const std::string text = BoxMessage(box);
    EXPECT_TRUE(Answer(box, DialogResult::Ok)) << "the box did not close";
    process_->Sync();
    return text;
  }
  std::string Text() { return WindowText(edit_); }
  CHARRANGE Selection() {
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<LONG>(start), static_cast<LONG>(end)};
  }

  TempDir dir_;
  std::unique_ptr<PenletProcess> process_;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(FindReplace, FindNextReplaceAndReplaceAllThroughTheDialog) {
  // "猫" in code page 932 is 0x94 0x4C; "ab猫" is matched whole.
  Start("ab\x94\x4C cd ab\x94\x4C\r\nab\x94\x4C");
  HWND dialog = OpenDialog();
  ASSERT_TRUE(dialog);

  // The dialog's corner stands at the editing area's point, taken as a screen position.
  const RECT area = RectIn(edit_, main_), placed = WindowRect(dialog);
  EXPECT_EQ(placed.left, area.left + (area.right - area.left) / 4);
  EXPECT_EQ(placed.top, area.top);

  Type(dialog, kFindField, "ab\x94\x4C");
  Type(dialog, kReplaceField, "X");
  PressButtonAndWait(dialog, kFindNextButton);
  CHARRANGE sel = Selection();
  EXPECT_EQ(sel.cpMin, 0);
  EXPECT_EQ(sel.cpMax, 4);  // bytes
  PressButtonAndWait(dialog, kReplaceButton);
  EXPECT_EQ(Text(), "X cd ab\x94\x4C\r\nab\x94\x4C");
  sel = Selection();
  EXPECT_EQ(sel.cpMin, 5);
  EXPECT_EQ(sel.cpMax, 9);

  PressButton(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage(),
            "2  \x89\xD3\x8F\x8A\x82\xCC  \x81\x77 ab\x94\x4C \x81\x78 \x82\xF0\x81\x41"
            "\r\n\r\n \x81\x77 X \x81\x78 \x82\xC9\x81\x41\x92\x75\x82\xAB\x8A\xB7"
            "\x82\xA6\x82\xDC\x82\xB5\x82\xBD\x81\x42");
  EXPECT_EQ(Text(), "X cd X\r\nX");

  // Rescue does not take the replacements back.
  process_->CommandAndWait(EditUndo);
  EXPECT_EQ(Text(), "X cd X\r\nX");

  // Nothing left: Find Next says so and moves the caret to the start.
  PressButton(dialog, kFindNextButton);
  EXPECT_EQ(TakeMessage(),
            "\x82\xB1\x82\xB1\x82\xA9\x82\xE7\x8C\xE3\x82\xCC\x95\xB6\x8F\x91\x82\xC9\x82\xCD"
            "\x81\x41\r\n\r\n\x81\x77 ab\x94\x4C \x81\x78\r\n\r\n\x82\xCD\x81\x41\x8C\xA9\x82\xC2"
            "\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49");
  sel = Selection();
  EXPECT_EQ(sel.cpMin, 0);
  EXPECT_EQ(sel.cpMax, 0);

  // Closed and opened again, the dialog shows the last texts.
  PressButton(dialog, IDCANCEL);
  WaitGone(dialog);
  dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kFindField)), "ab\x94\x4C");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kReplaceField)), "X");

  Type(dialog, kFindField, "zz");
  PressButton(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage(),
            "\x82\xB1\x82\xCC\x95\xB6\x8F\x91\x82\xA9\x82\xE7\x81\x40\r\n\r\n\x81\x77 zz \x81\x78"
            "\r\n\r\n\x82\xCD\x81\x41\x94\xAD\x8C\xA9\x82\xB3\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x82"
            "\xC5\x82\xB5\x82\xBD\x81\x49");
  PressButton(dialog, IDCANCEL);
  WaitGone(dialog);
}

// The program's idle step goes on while the no-match box is open: panel 0 of the status bar
// follows the pointer, empty over the box, the long hint of a tool button behind it.
TEST_F(FindReplace, PanelZeroFollowsThePointerWhileTheNoMatchBoxIsOpen) {
  Start("abc");
  HWND dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  const std::string newHint = LongHint(Ansi(texts::kFileNew1Hint), AnsiLeadBytes());
  const std::string openHint = LongHint(Ansi(texts::kFileOpen1Hint), AnsiLeadBytes());
  ASSERT_EQ(PanelZeroWithPointerAt(main_, ToolButtonCentre(main_, 0), newHint), newHint);
  Type(dialog, kFindField, "xyz");
  PressButton(dialog, kFindNextButton);
  HWND box = process_->Box();
  ASSERT_TRUE(box);
  const RECT face = WindowRect(box);
  EXPECT_EQ(PanelZeroWithPointerAt(main_, {(face.left + face.right) / 2, face.top + 30}, ""), "");
  EXPECT_EQ(PanelZeroWithPointerAt(main_, ToolButtonCentre(main_, 1), openHint), openHint);
  EXPECT_TRUE(Answer(box, DialogResult::Ok));
}

// Replace All on a long document: every occurrence in one operation, the editing area in its
// place with the focus, the document modified.
TEST_F(FindReplace, ReplaceAllOnALongDocument) {
  std::string text;
  for (int i = 0; i < 5000; ++i) {
    text += "ab\x94\x4C line " + std::to_string(i) + (i % 2000 == 1 ? " zz" : "") + "\r\n";
  }
  Start(text);
  const RECT before = WindowRect(edit_);
  HWND dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  Type(dialog, kFindField, "ab\x94\x4C");
  Type(dialog, kReplaceField, "X");
  PressButton(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage().substr(0, 6), "5000  ");

  std::string expected;
  size_t copied = 0;
  for (size_t at = text.find("ab\x94\x4C"); at != std::string::npos;
       at = text.find("ab\x94\x4C", at + 4)) {
    expected += text.substr(copied, at - copied) + "X";
    copied = at + 4;
  }
  const LONG lastInsertion = static_cast<LONG>(expected.size());  // all single-byte before it
  expected += text.substr(copied);
  edit_ = FindEditArea(main_);
  ASSERT_TRUE(edit_ && IsWindowVisible(edit_));
  EXPECT_TRUE(Text() == expected);
  EXPECT_EQ(Selection().cpMin, lastInsertion);
  EXPECT_EQ(Selection().cpMax, lastInsertion);
  EXPECT_TRUE(ButtonEnabled(FindToolBar(main_), FileSave1));
  RECT after = WindowRect(edit_);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(FocusOf(main_), edit_);

  // Opened again, the dialog is placed against the editing area that stands there now.
  PressButton(dialog, IDCANCEL);
  WaitGone(dialog);
  dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  const RECT placed = WindowRect(dialog);
  after = RectIn(edit_, main_);
  EXPECT_EQ(placed.left, after.left + (after.right - after.left) / 4);
  EXPECT_EQ(placed.top, after.top);

  Type(dialog, kFindField, "zz");
  Type(dialog, kReplaceField, "\x94\x4C");
  PressButton(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage().substr(0, 3), "3  ");
  size_t at = 0;
  while ((at = expected.find("zz", at)) != std::string::npos) expected.replace(at, 2, "\x94\x4C");
  EXPECT_TRUE(Text() == expected);
  PressButton(dialog, IDCANCEL);
}

}  // namespace
}  // namespace penlet::wintest
