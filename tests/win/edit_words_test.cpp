// The editing area's words, paragraphs and look on the real window: double-clicks and the word
// keys in Japanese, Ctrl with Up, Down, Page Up and Page Down, tab stops, and the bytes of old
// files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/system/Encoding.h"
#include "tests/win/support/ScintillaHost.h"

namespace penlet {
namespace {

std::string Sjis(const char* utf8) {
  return Cp932FromUtf8(utf8);
}

// The client point in the middle of the character at `offset` of the first row.
LPARAM Middle(ScintillaHost& host, int offset) {
  const auto call = [&](UINT m, WPARAM w, LPARAM l) {
    return SendMessageW(host.Handle(), m, w, l);
  };
  const auto left = static_cast<int>(call(SCI_POINTXFROMPOSITION, 0, offset));
  const auto right = static_cast<int>(call(SCI_POINTXFROMPOSITION, 0, offset + 1));
  const auto top = static_cast<int>(call(SCI_POINTYFROMPOSITION, 0, offset));
  const int x = right > left ? (left + right) / 2 : left + 3;
  return MAKELPARAM(x, top + 4);
}

// Two clicks in a row, as the system gives them, leaving the button down when `hold`.
void DoubleClick(ScintillaHost& host, LPARAM at, bool hold = false) {
  SendMessageW(host.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(host.Handle(), WM_LBUTTONUP, 0, at);
  SendMessageW(host.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  if (!hold) SendMessageW(host.Handle(), WM_LBUTTONUP, 0, at);
}

void Key(ScintillaHost& host, WPARAM key, std::initializer_list<int> held = {VK_CONTROL}) {
  HeldKeys keys(held);
  SendMessageW(host.Handle(), WM_KEYDOWN, key, 1);
  SendMessageW(host.Handle(), WM_KEYUP, key, 0xC0000001);
}

ByteOffset Caret(ScintillaEdit& edit) {
  return static_cast<ByteOffset>(SendMessageW(edit.Handle(), SCI_GETCURRENTPOS, 0, 0));
}

const char kSentence[] = "日本語のテキストです。Penletは小さな編集具。";

TEST(EditWords, ADoubleClickSelectsOneRunOfAClass) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  const std::string text = Sjis(kSentence);
  edit.SetText(text);
  DoubleClick(host, Middle(host, 2));  // 本
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 6}));
  DoubleClick(host, Middle(host, 10));  // キ
  EXPECT_EQ(edit.GetSelection(), (Selection{8, 16}));
  DoubleClick(host, Middle(host, 24));  // the n of Penlet
  EXPECT_EQ(edit.GetSelection(), (Selection{22, 28}));
  edit.SetText("alpha beta");
  DoubleClick(host, Middle(host, 1));
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 6})) << "the space after the word goes with it";
}

TEST(EditWords, ADragAfterADoubleClickGoesByWholeWords) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText(Sjis(kSentence));
  DoubleClick(host, Middle(host, 2), true);  // 本, the button kept down
  ASSERT_EQ(edit.GetSelection(), (Selection{0, 6}));
  SendMessageW(host.Handle(), WM_MOUSEMOVE, MK_LBUTTON, Middle(host, 10));  // onto キ
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 16}));
  SendMessageW(host.Handle(), WM_MOUSEMOVE, MK_LBUTTON, Middle(host, 4));  // back onto 語
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 6}));
  SendMessageW(host.Handle(), WM_LBUTTONUP, 0, Middle(host, 4));
  // A plain drag afterwards goes by characters again.
  SendMessageW(host.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Middle(host, 30));
  SendMessageW(host.Handle(), WM_MOUSEMOVE, MK_LBUTTON, Middle(host, 32));
  SendMessageW(host.Handle(), WM_LBUTTONUP, 0, Middle(host, 32));
  const Selection plain = edit.GetSelection();
  EXPECT_EQ(plain.Length(), 2) << plain.start << "-" << plain.end;
}

TEST(EditWords, CtrlArrowsStopAtEveryChangeOfClass) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText(Sjis(kSentence));
  std::vector<ByteOffset> stops;
  for (int i = 0; i < 6; ++i) {
    Key(host, VK_RIGHT);
    stops.push_back(Caret(edit));
  }
  EXPECT_EQ(stops, (std::vector<ByteOffset>{6, 8, 16, 20, 22, 28}));
  Key(host, VK_LEFT);
  Key(host, VK_LEFT);
  EXPECT_EQ(Caret(edit), 20);
  Key(host, VK_RIGHT, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), (Selection{20, 22}));
  Key(host, VK_LEFT, {VK_CONTROL, VK_SHIFT});
  Key(host, VK_LEFT, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), (Selection{16, 20}));
  EXPECT_EQ(Caret(edit), 16) << "the caret is the moving end";
}

TEST(EditWords, CtrlBackspaceAndCtrlDeleteRemoveOneRunAndRescueBringsItBack) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  const std::string text = Sjis(kSentence);
  edit.SetText(text);
  edit.SetSelection({16, 16});  // after テキスト
  Key(host, VK_BACK);
  // Ctrl+Backspace also brings DEL as a character; nothing of it is typed.
  SendMessageW(host.Handle(), WM_CHAR, 0x7F, 1);
  EXPECT_EQ(edit.Text(), Sjis("日本語のです。Penletは小さな編集具。"));
  EXPECT_EQ(edit.GetSelection(), (Selection{8, 8}));
  edit.Undo();
  EXPECT_EQ(edit.Text(), text);
  edit.SetSelection({8, 8});  // before テキスト
  Key(host, VK_DELETE);
  EXPECT_EQ(edit.Text(), Sjis("日本語のです。Penletは小さな編集具。"));
  // With a selection both remove the selection alone.
  edit.SetText(text);
  edit.SetSelection({2, 4});
  Key(host, VK_BACK);
  EXPECT_EQ(edit.Text(), Sjis("日語のテキストです。Penletは小さな編集具。"));
  // At a line's start Ctrl+Backspace takes the line break.
  edit.SetText("ab\r\ncd");
  edit.SetSelection({4, 4});
  Key(host, VK_BACK);
  EXPECT_EQ(edit.Text(), "abcd");
}

TEST(EditWords, CtrlUpAndDownGoByParagraphsAndCtrlPageKeysByPages) {
  ScintillaHost host;
  host.Narrow();
  ScintillaEdit& edit = host.Edit();
  std::string long_;
  for (int i = 0; i < 40; ++i) long_ += "\x93\xFA";  // a paragraph of several rows
  edit.SetText("abc\r\n" + long_ + "\r\nxyz");
  const ByteOffset second = 5, third = 5 + 80 + 2, end = third + 3;
  edit.SetSelection({second + 50, second + 50});
  Key(host, VK_UP);
  EXPECT_EQ(Caret(edit), second) << "to the start of its own paragraph";
  Key(host, VK_UP);
  EXPECT_EQ(Caret(edit), 0);
  Key(host, VK_UP);
  EXPECT_EQ(Caret(edit), 0);
  Key(host, VK_DOWN);
  EXPECT_EQ(Caret(edit), second);
  Key(host, VK_DOWN, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), (Selection{second, third}));
  Key(host, VK_DOWN);
  Key(host, VK_DOWN);
  EXPECT_EQ(Caret(edit), end);

  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\r\n";
  edit.SetText(lines);
  Key(host, VK_NEXT, {});
  const ByteOffset pageDown = Caret(edit);
  ASSERT_GT(pageDown, 0);
  edit.SetSelection({0, 0});
  Key(host, VK_NEXT);
  EXPECT_EQ(Caret(edit), pageDown);
  Key(host, VK_PRIOR, {VK_SHIFT});
  const Selection pageUp = edit.GetSelection();
  ASSERT_LT(pageUp.start, pageDown);
  edit.SetSelection({pageDown, pageDown});
  Key(host, VK_PRIOR, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), pageUp);
}

// Tab stops every half inch: 48 pixels at 96 dots per inch, whatever the font.
TEST(EditLook, TabStopsStandEveryHalfInch) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  const auto x = [&](int offset) {
    return static_cast<int>(SendMessageW(host.Handle(), SCI_POINTXFROMPOSITION, 0, offset));
  };
  edit.SetText("a\tb\t\tc\r\nabcdefghijklmnop\tq");
  const int left = x(0);
  EXPECT_EQ(x(2) - left, 48);
  EXPECT_EQ(x(5) - left, 144);
  const int line2 = 8;
  ASSERT_GT(x(line2 + 16) - left, 48) << "the text before the tab is wider than one stop";
  EXPECT_EQ((x(line2 + 17) - left) % 48, 0);
  // At 144 dots per inch the stops stand 72 pixels apart, in every text opened later too.
  HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                           L"ＭＳ Ｐゴシック");
  edit.SetFont(font, 144);
  edit.SetText("a\tb");
  EXPECT_EQ(x(2) - x(0), 72);
  std::string loaded = "\tz";
  edit.StreamIn([&](char* buffer, std::int32_t size, std::int32_t& got) {
    got = std::min<std::int32_t>(size, static_cast<std::int32_t>(loaded.size()));
    std::copy_n(loaded.data(), got, buffer);
    loaded.erase(0, static_cast<size_t>(got));
    return true;
  });
  EXPECT_EQ(x(1) - x(0), 72);
  DeleteObject(font);
}

// Control characters and a lead byte without its trail byte are drawn as the font draws what the
// code page makes of them, at the font's width, not as named boxes; the bytes stay.
TEST(EditLook, BytesOfOldFilesAreDrawnAsTheFontDrawsThem) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  const auto call = [&](UINT m, WPARAM w, LPARAM l) {
    return static_cast<int>(SendMessageW(host.Handle(), m, w, l));
  };
  const auto width = [&](const char* bytes) {
    return call(SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<LPARAM>(bytes));
  };
  const std::string text = "a\x1A\x1B\x0C\x82 b\r\n\x82";
  edit.SetText(text);
  EXPECT_EQ(edit.Text(), text);
  for (const char* control : {"\x1A", "\x1B", "\x0C"}) {
    EXPECT_EQ(call(SCI_GETREPRESENTATION, reinterpret_cast<WPARAM>(control), 0), 0);
  }
  const int x1 = call(SCI_POINTXFROMPOSITION, 0, 1);
  const int x2 = call(SCI_POINTXFROMPOSITION, 0, 2);
  EXPECT_EQ(x2 - x1, width("\x1A")) << "as wide as the font has it";
  EXPECT_LT(x2 - x1, width("SUB")) << "not a named box";
  // The lone lead byte: what the code page makes of it, the middle dot, without a box.
  char drawn[16] = {};
  call(SCI_GETREPRESENTATION, reinterpret_cast<WPARAM>("\x82"), reinterpret_cast<LPARAM>(drawn));
  EXPECT_EQ(std::string(drawn), "\xE3\x83\xBB");  // U+30FB in UTF-8
  EXPECT_EQ(call(SCI_GETREPRESENTATIONAPPEARANCE, reinterpret_cast<WPARAM>("\x82"), 0),
            SC_REPRESENTATION_PLAIN);
  const int lead = call(SCI_POINTXFROMPOSITION, 0, 5) - call(SCI_POINTXFROMPOSITION, 0, 4);
  EXPECT_EQ(lead, width("\x81\x45"));
  // A caret steps over each of them as over any character.
  edit.SetSelection({0, 0});
  for (int i = 0; i < 5; ++i) SendMessageW(host.Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(edit.GetSelection(), (Selection{5, 5}));
}

// A writer's journey through an old file of long Japanese paragraphs: a word double-clicked, two
// words on, to the end of the row and End again, typed, the row selected, Rescue, typed again,
// saved and opened again. The file holds what was typed last and every other byte as it was, the
// end-of-file mark included.
TEST(EditJourney, WordsTypingAndRescueInALongJapaneseFile) {
  wintest::TempDir dir;
  std::string original;
  for (int p = 0; p < 4; ++p) {
    for (int i = 0; i < 10; ++i) original += Sjis(kSentence);
    original += "\t" + std::to_string(p) + "\r\n";
  }
  original += "\x1A";
  const std::string path = dir.Write("old.txt", original);
  wintest::InProcessPenlet window;
  window->Form().OpenDocument(path);
  window.Pump();
  ScintillaEdit& edit = window->Editor();
  ASSERT_EQ(edit.Text(), original);
  const auto typeWide = [&](const wchar_t* text) {
    for (; *text; ++text) SendMessageW(edit.Handle(), WM_CHAR, *text, 1);
    window.Pump();
  };

  const auto x = static_cast<int>(SendMessageW(edit.Handle(), SCI_POINTXFROMPOSITION, 0, 10));
  const auto y = static_cast<int>(SendMessageW(edit.Handle(), SCI_POINTYFROMPOSITION, 0, 10));
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
    SendMessageW(edit.Handle(), m, m == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x + 3, y + 4));
  }
  EXPECT_EQ(edit.GetSelection(), (Selection{8, 16}));  // テキスト
  window.Key(VK_RIGHT, true);
  window.Key(VK_RIGHT, true);
  EXPECT_EQ(edit.GetSelection(), (Selection{22, 22}));  // です, 。, then the next 日本語
  // End, and End again, stay at the end of the caret's row, which is where the next one starts.
  const ByteOffset rowEnd = edit.LineIndex(edit.LineFromOffset(22) + 1);
  ASSERT_GT(rowEnd, 22);
  window.Key(VK_END);
  EXPECT_EQ(edit.GetSelection(), (Selection{rowEnd, rowEnd}));
  window.Key(VK_END);
  EXPECT_EQ(edit.GetSelection(), (Selection{rowEnd, rowEnd}));
  typeWide(L"追記");
  const std::string typed = Sjis("追記");
  const ByteOffset caret = rowEnd + static_cast<ByteOffset>(typed.size());
  EXPECT_EQ(edit.Text(), original.substr(0, rowEnd) + typed + original.substr(rowEnd));
  EXPECT_EQ(edit.GetSelection(), (Selection{caret, caret}));
  {
    HeldKeys shift({VK_SHIFT});
    window.Key(VK_HOME);
  }
  const ByteOffset rowStart = edit.LineIndex(edit.LineFromOffset(caret));
  EXPECT_LT(rowStart, caret);
  EXPECT_EQ(edit.GetSelection(), (Selection{rowStart, caret}));
  window->Form().EditUndoExecute();
  EXPECT_EQ(edit.Text(), original);
  EXPECT_EQ(edit.GetSelection(), (Selection{rowEnd, rowEnd}));
  typeWide(L"！");
  const std::string expected = original.substr(0, rowEnd) + Sjis("！") + original.substr(rowEnd);
  EXPECT_EQ(edit.Text(), expected);
  window->Form().FileSave1Execute();
  EXPECT_EQ(wintest::ReadFileBytes(path), expected);
  window->Form().OpenDocument(path);
  window.Pump();
  EXPECT_EQ(edit.Text(), expected);
  EXPECT_TRUE(window.errors.empty());
}

}  // namespace
}  // namespace penlet
