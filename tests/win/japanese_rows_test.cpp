// Japanese paragraphs on the real editing area: rows broken by the rules of Japanese line
// breaking at several widths, as the fake area breaks them; and
// the keys that the platform's controls decide (Up on the first row, Down on the last, a page,
// one Rescue for typing over a selection), side by side with the system's EDIT and RICHEDIT
// controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/system/Encoding.h"
#include "platform/system/Kinsoku.h"
#include "tests/win/support/JapaneseRows.h"
#include "tests/win/support/ScintillaHost.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"

namespace penlet {
namespace {

// Full-width characters only, in a font that gives them all one width (ＭＳ ゴシック), so that a
// row of the real area holds as many characters as a row of bytes in the fake holds pairs, where
// no rule moves a character down.
const char* const kProse =
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした"
    "所でニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを見た。"
    "しかもあとで聞くとそれは書生という人間中で一番獰悪な種族であったそうだ。「この書生というのは"
    "時々我々を捕えて煮て食う」という話である。『しかしその当時は何という考もなかった』から別段"
    "恐しいとも思わなかった。ただ彼の掌に載せられてスーと持ち上げられた時何だかフワフワした感じ"
    "があったばかりである。（掌の上で少し落ちついて書生の顔を見たのが）いわゆる人間というものの"
    "見始であろう。【この時妙なものだと思った感じが今でも残っている】、第一毛をもって装飾されべき"
    "はずの顔がつるつるしてまるで薬缶だ。";

// Twice over, so that the area shows its scroll bar at every width.
std::string Prose() {
  return Cp932FromUtf8(kProse) + Cp932FromUtf8(kProse);
}

// The text of every row, as other programs ask for it row by row.
std::vector<std::string> RowsByLine(const EditArea& edit) {
  std::vector<std::string> rows;
  for (std::int32_t i = 0; i < edit.LineCount(); ++i) rows.push_back(edit.Line(i));
  return rows;
}

// The same rows in UTF-8, for messages a reader can read.
std::vector<std::string> Utf8(const std::vector<std::string>& rows) {
  std::vector<std::string> utf8;
  for (const std::string& row : rows) utf8.push_back(Utf8FromCp932(row));
  return utf8;
}

class JapaneseRows : public ::testing::Test {
 protected:
  JapaneseRows() : font_(wintest::CreateGothicFont()) { host_.Edit().SetFont(font_); }
  ~JapaneseRows() override { DeleteObject(font_); }

  void Width(int pixels) {
    MoveWindow(host_.Handle(), 0, 0, pixels, 260, TRUE);
    host_.Edit().LayOutRest([] { return true; });
  }
  // How many full-width characters a row holds at the current width, in a text long enough to
  // show the scroll bar, as the prose does.
  int RowCharacters() {
    std::string plain;
    for (int i = 0; i < 1000; ++i) plain += "\x82\xA0";  // あ
    host_.Edit().SetText(plain);
    host_.Edit().LayOutRest([] { return true; });
    return static_cast<int>(host_.Edit().Line(0).size() / 2);
  }

  HFONT font_;
  ScintillaHost host_;
};

TEST_F(JapaneseRows, RowsBreakByTheRulesAtEveryWidthAsTheFakeBreaksThem) {
  const std::string text = Prose();
  int movedDown = 0;
  for (int pixels : {150, 203, 257, 310, 371}) {
    SCOPED_TRACE(pixels);
    Width(pixels);
    const int characters = RowCharacters();
    ASSERT_GT(characters, 3);
    host_.Edit().SetText(text);
    host_.Edit().LayOutRest([] { return true; });
    const std::vector<std::string> rows = RowsByLine(host_.Edit());
    EXPECT_EQ(Utf8(rows), Utf8(wintest::FakeRows(text, characters)));
    size_t start = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (i > 0) {
        EXPECT_FALSE(BreakForbiddenBefore(text, start, LeadByteSet::Cp932()))
            << "row " << i << " starts with " << Utf8FromCp932(rows[i].substr(0, 2));
      }
      if (i + 1 < rows.size() && rows[i].size() < static_cast<size_t>(characters) * 2) {
        ++movedDown;
      }
      start += rows[i].size();
    }
  }
  // The rules decided some rows, or this test tells nothing.
  EXPECT_GT(movedDown, 3);
}

// One of the system's multi-line text controls (EDIT, or RICHEDIT as "RichEdit20A") in the area's
// place, size and font, for the keys whose outcome the platform's controls decide.
class EditTwin {
 public:
  EditTwin(HWND area, HFONT font, const char* className = "EDIT") {
    if (lstrcmpA(className, "EDIT") != 0) LoadLibraryA("riched20.dll");
    RECT rect;
    GetWindowRect(area, &rect);
    parent_ = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    edit_ = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0,
                            0, rect.right - rect.left, rect.bottom - rect.top, parent_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageA(edit_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
  }
  ~EditTwin() { DestroyWindow(parent_); }
  HWND Handle() const { return edit_; }
  void SetText(const std::string& text) const {
    SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  std::string Text() const { return wintest::WindowText(edit_); }
  DWORD Caret() const {
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return end;
  }
  void Select(DWORD start, DWORD end) const { SendMessageA(edit_, EM_SETSEL, start, end); }
  void Key(WPARAM key) const { SendMessageA(edit_, WM_KEYDOWN, key, 1); }
  LRESULT Row(DWORD offset) const { return SendMessageA(edit_, EM_LINEFROMCHAR, offset, 0); }
  // The rows it shows whole.
  int RowsShown() const {
    RECT client;
    GetClientRect(edit_, &client);
    RECT format;
    SendMessageA(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    HDC dc = GetDC(edit_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(edit_, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit_, dc);
    return (format.bottom - format.top) / metrics.tmHeight;
  }

 private:
  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(JapaneseRows, UpOnTheFirstRowAndDownOnTheLastLeaveTheCaretAsThePlatformsControlsDo) {
  const std::string text = Prose();
  Width(257);
  EditArea& area = host_.Edit();
  area.SetText(text);
  const ByteOffset inFirstRow = 6;
  area.SetSelection({inFirstRow, inFirstRow});
  SendMessageW(host_.Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(area.GetSelection().start, inFirstRow);
  EXPECT_EQ(area.GetSelection().end, inFirstRow);
  const ByteOffset inLastRow = static_cast<ByteOffset>(text.size()) - 6;
  area.SetSelection({inLastRow, inLastRow});
  SendMessageW(host_.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(area.GetSelection().end, inLastRow);
  // Both of the platform's controls, which count characters, do the same.
  const DWORD characters = static_cast<DWORD>(text.size() / 2);
  for (const char* control : {"EDIT", "RichEdit20A"}) {
    SCOPED_TRACE(control);
    EditTwin twin(host_.Handle(), font_, control);
    twin.SetText(text);
    twin.Select(3, 3);
    twin.Key(VK_UP);
    EXPECT_EQ(twin.Caret(), 3u);
    twin.Select(characters - 3, characters - 3);
    twin.Key(VK_DOWN);
    EXPECT_EQ(twin.Caret(), characters - 3);
  }
  // Down from the row before the last still goes down.
  const ByteOffset beforeLast = area.LineIndex(area.LineCount() - 2);
  area.SetSelection({beforeLast, beforeLast});
  SendMessageW(host_.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(area.GetSelection().end, area.LineIndex(area.LineCount() - 1));
}

TEST_F(JapaneseRows, APageIsTheRowsShownWholeAsInTheEditControl) {
  std::string text;
  for (int i = 0; i < 120; ++i) text += Cp932FromUtf8("行") + std::to_string(i) + "\r\n";
  EditArea& area = host_.Edit();
  area.SetText(text);
  EditTwin twin(host_.Handle(), font_);
  twin.SetText(text);
  const auto shown =
      static_cast<std::int32_t>(SendMessageW(host_.Handle(), SCI_LINESONSCREEN, 0, 0));
  ASSERT_GT(shown, 3);
  ASSERT_GT(twin.RowsShown(), 3);

  area.SetSelection({0, 0});
  twin.Select(0, 0);
  SendMessageW(host_.Handle(), WM_KEYDOWN, VK_NEXT, 1);
  twin.Key(VK_NEXT);
  EXPECT_EQ(twin.Row(twin.Caret()), twin.RowsShown());
  EXPECT_EQ(area.LineFromOffset(area.GetSelection().end), shown);
  EXPECT_EQ(SendMessageW(host_.Handle(), SCI_GETFIRSTVISIBLELINE, 0, 0), shown);
  SendMessageW(host_.Handle(), WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_EQ(area.LineFromOffset(area.GetSelection().end), 0);

  // A click on the scroll bar's track below the thumb shows the next rows, none of the page
  // before.
  SendMessageW(host_.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(SendMessageW(host_.Handle(), SCI_GETFIRSTVISIBLELINE, 0, 0), shown);
}

TEST_F(JapaneseRows, OneRescueTakesBackLettersTypedOverASelectionAsOneUndoInThePlatformsControls) {
  const std::string text = Prose();
  EditArea& area = host_.Edit();
  area.SetText(text);
  // 猫である over four characters, typed as "ab".
  area.SetSelection({6, 14});
  host_.Type("ab");
  ASSERT_EQ(area.Text(), text.substr(0, 6) + "ab" + text.substr(14));
  area.Undo();
  EXPECT_EQ(area.Text(), text);
  for (const char* control : {"EDIT", "RichEdit20A"}) {
    SCOPED_TRACE(control);
    EditTwin twin(host_.Handle(), font_, control);
    twin.SetText(text);
    twin.Select(3, 7);
    SendMessageA(twin.Handle(), WM_CHAR, 'a', 1);
    SendMessageA(twin.Handle(), WM_CHAR, 'b', 1);
    SendMessageA(twin.Handle(), EM_UNDO, 0, 0);
    EXPECT_EQ(twin.Text(), text);
  }
}

// Where the caret of penlet's editing area is, in bytes.
DWORD CaretOf(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end;
}

TEST(JapaneseJourney, AnOpenedNovelIsEditedTakenBackPagedAndSaved) {
  wintest::TempDir dir;
  std::string novel = Prose();
  for (int i = 0; i < 5; ++i) novel += "\r\n" + Prose();
  const std::string path = dir.Write("novel.txt", novel);
  wintest::PenletProcess penlet(wintest::Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  const HWND edit = penlet.Edit();

  // "ab" typed over 猫である: one Rescue gives the four characters back.
  SendMessageA(edit, EM_SETSEL, 6, 14);
  wintest::TypeChars(edit, "ab");
  penlet.Sync();
  EXPECT_EQ(penlet.Text(), novel.substr(0, 6) + "ab" + novel.substr(14));
  penlet.CommandAndWait(EditUndo);
  EXPECT_EQ(penlet.Text(), novel);

  // Up on the first row and Down on the last leave the caret where it is.
  SendMessageA(edit, EM_SETSEL, 4, 4);
  penlet.Key(VK_UP);
  EXPECT_EQ(CaretOf(edit), 4u);
  const DWORD nearEnd = static_cast<DWORD>(novel.size()) - 6;
  SendMessageA(edit, EM_SETSEL, nearEnd, nearEnd);
  penlet.Key(VK_DOWN);
  EXPECT_EQ(CaretOf(edit), nearEnd);

  // A page goes as many rows on as the area shows whole.
  SendMessageA(edit, EM_SETSEL, 0, 0);
  penlet.Key(VK_NEXT);
  const LRESULT shown = SendMessageA(edit, SCI_LINESONSCREEN, 0, 0);
  EXPECT_GT(shown, 3);
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, CaretOf(edit), 0), shown);
  EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), shown);

  // Saved and opened again, the text is the file's with the edit taken back.
  penlet.TypeAt(0, "X");
  penlet.CommandAndWait(FileSave1);
  EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::ReadFileBytes(path) == "X" + novel; }));
  EXPECT_EQ(penlet.Close(), 0u);
  wintest::PenletProcess again(wintest::Quoted(path));
  ASSERT_TRUE(again.Ready());
  EXPECT_EQ(again.Text(), "X" + novel);
  EXPECT_EQ(again.Close(), 0u);
}

}  // namespace
}  // namespace penlet
