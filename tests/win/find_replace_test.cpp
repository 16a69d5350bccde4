// Find and replace in penlet.exe as a user meets it: the real dialog opened from the command,
// typed into, its buttons pressed, the plain message box read and the editing area checked.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Locale.h"
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

HWND Gone(HWND window) {
  return IsWindow(window) ? nullptr : reinterpret_cast<HWND>(1);
}

class FindReplace : public ::testing::Test {
 protected:
  void Start(const std::string& text) {
    path_ = dir_.Write("find.txt", text);
    process_ = std::make_unique<PenletProcess>("\"" + path_ + "\"");
    main_ = process_->MainWindow();
    ASSERT_TRUE(main_);
    WaitFor([this] { return IsWindowVisible(main_) ? main_ : nullptr; });
    edit_ = FindEditArea(main_);
    ASSERT_TRUE(edit_);
  }
  void Sync() {
    DWORD_PTR ignored;
    for (int i = 0; i < 2; ++i) {
      SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    }
  }
  HWND OpenDialog() {
    PostMessageA(main_, WM_COMMAND, EditReplace, 0);
    Sync();
    return WaitFor([this] {
      HWND dialog = FindProcessWindow(process_->Pid(), "#32770");
      return dialog && GetDlgItem(dialog, kReplaceField) && IsWindowVisible(dialog) ? dialog
                                                                                    : nullptr;
    });
  }
  static void Type(HWND dialog, int field, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // The dialog enables its buttons when the find field reports a change.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(field, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, field)));
  }
  static void Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  // The text of the plain box that the last press brought up, which is then dismissed; empty
  // when none came.
  std::string TakeMessage(DWORD timeoutMs = 15000) {
    HWND box = WaitForMessageBox(process_->Pid(), kMessageBoxClassName, nullptr, timeoutMs);
    if (!box) return "";
    const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([box] { return Gone(box); })) << "the box did not close";
    Sync();
    return text;
  }
  std::string Text() { return WindowText(edit_); }
  // The whole text of a document under 2 MB.
  static std::string LongText(HWND edit) {
    std::string text(2 << 20, '\0');
    text.resize(static_cast<size_t>(
        SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
  }
  CHARRANGE Selection() {
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<LONG>(start), static_cast<LONG>(end)};
  }

  TempDir dir_;
  std::string path_;
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
  RECT area, placed;
  GetWindowRect(edit_, &area);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&area), 2);
  GetWindowRect(dialog, &placed);
  EXPECT_EQ(placed.left, area.left + (area.right - area.left) / 4);
  EXPECT_EQ(placed.top, area.top);

  Type(dialog, kFindField, "ab\x94\x4C");
  Type(dialog, kReplaceField, "X");
  Press(dialog, kFindNextButton);
  Sync();
  CHARRANGE sel = Selection();
  EXPECT_EQ(sel.cpMin, 0);
  EXPECT_EQ(sel.cpMax, 4);  // bytes
  Press(dialog, kReplaceButton);
  Sync();
  EXPECT_EQ(Text(), "X cd ab\x94\x4C\r\nab\x94\x4C");
  sel = Selection();
  EXPECT_EQ(sel.cpMin, 5);
  EXPECT_EQ(sel.cpMax, 9);

  Press(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage(),
            "2  \x89\xD3\x8F\x8A\x82\xCC  \x81\x77 ab\x94\x4C \x81\x78 \x82\xF0\x81\x41"
            "\r\n\r\n \x81\x77 X \x81\x78 \x82\xC9\x81\x41\x92\x75\x82\xAB\x8A\xB7"
            "\x82\xA6\x82\xDC\x82\xB5\x82\xBD\x81\x42");
  EXPECT_EQ(Text(), "X cd X\r\nX");

  // Rescue does not take the replacements back.
  PostMessageA(main_, WM_COMMAND, EditUndo, 0);
  Sync();
  EXPECT_EQ(Text(), "X cd X\r\nX");

  // Nothing left: Find Next says so and moves the caret to the start.
  Press(dialog, kFindNextButton);
  EXPECT_EQ(TakeMessage(),
            "\x82\xB1\x82\xB1\x82\xA9\x82\xE7\x8C\xE3\x82\xCC\x95\xB6\x8F\x91\x82\xC9\x82\xCD"
            "\x81\x41\r\n\r\n\x81\x77 ab\x94\x4C \x81\x78\r\n\r\n\x82\xCD\x81\x41\x8C\xA9\x82\xC2"
            "\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49");
  sel = Selection();
  EXPECT_EQ(sel.cpMin, 0);
  EXPECT_EQ(sel.cpMax, 0);

  // Closed and opened again, the dialog shows the last texts.
  Press(dialog, IDCANCEL);
  WaitFor([dialog] { return Gone(dialog); });
  dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kFindField)), "ab\x94\x4C");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kReplaceField)), "X");

  Type(dialog, kFindField, "zz");
  Press(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage(),
            "\x82\xB1\x82\xCC\x95\xB6\x8F\x91\x82\xA9\x82\xE7\x81\x40\r\n\r\n\x81\x77 zz \x81\x78"
            "\r\n\r\n\x82\xCD\x81\x41\x94\xAD\x8C\xA9\x82\xB3\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x82"
            "\xC5\x82\xB5\x82\xBD\x81\x49");
  Press(dialog, IDCANCEL);
  WaitFor([dialog] { return Gone(dialog); });
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
  Press(dialog, kFindNextButton);
  HWND box = WaitForMessageBox(process_->Pid(), kMessageBoxClassName);
  ASSERT_TRUE(box);
  RECT face;
  GetWindowRect(box, &face);
  EXPECT_EQ(PanelZeroWithPointerAt(main_, {(face.left + face.right) / 2, face.top + 30}, ""), "");
  EXPECT_EQ(PanelZeroWithPointerAt(main_, ToolButtonCentre(main_, 1), openHint), openHint);
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([box] { return Gone(box); }));
}

// Replace All on a long document: every occurrence in one operation, the editing area in its
// place with the focus, the document modified.
TEST_F(FindReplace, ReplaceAllOnALongDocument) {
  std::string text;
  for (int i = 0; i < 5000; ++i) {
    text += "ab\x94\x4C line " + std::to_string(i) + (i % 2000 == 1 ? " zz" : "") + "\r\n";
  }
  Start(text);
  RECT before;
  GetWindowRect(edit_, &before);
  HWND dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  Type(dialog, kFindField, "ab\x94\x4C");
  Type(dialog, kReplaceField, "X");
  Press(dialog, kReplaceAllButton);
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
  EXPECT_TRUE(LongText(edit_) == expected);
  EXPECT_EQ(Selection().cpMin, lastInsertion);
  EXPECT_EQ(Selection().cpMax, lastInsertion);
  HWND toolBar = FindChild(main_, TOOLBARCLASSNAMEA);
  EXPECT_NE(SendMessageA(toolBar, TB_ISBUTTONENABLED, FileSave1, 0), 0);
  RECT after;
  GetWindowRect(edit_, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  GUITHREADINFO focus{sizeof focus};
  GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &focus);
  EXPECT_EQ(focus.hwndFocus, edit_);

  // Opened again, the dialog is placed against the editing area that stands there now.
  Press(dialog, IDCANCEL);
  WaitFor([dialog] { return Gone(dialog); });
  dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  RECT placed;
  GetWindowRect(dialog, &placed);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&after), 2);
  EXPECT_EQ(placed.left, after.left + (after.right - after.left) / 4);
  EXPECT_EQ(placed.top, after.top);

  Type(dialog, kFindField, "zz");
  Type(dialog, kReplaceField, "\x94\x4C");
  Press(dialog, kReplaceAllButton);
  EXPECT_EQ(TakeMessage().substr(0, 3), "3  ");
  size_t at = 0;
  while ((at = expected.find("zz", at)) != std::string::npos) expected.replace(at, 2, "\x94\x4C");
  EXPECT_TRUE(LongText(edit_) == expected);
  Press(dialog, IDCANCEL);
}

}  // namespace
}  // namespace penlet::wintest
