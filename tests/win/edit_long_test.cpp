// The real editing area on texts of many megabytes, where its work goes in pieces: the searches,
// the copy that other programs read, and Rescue of a whole text typed over.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "platform/system/Mbcs.h"
#include "tests/win/support/ScintillaHost.h"
#include "tests/win/support/WinTest.h"

namespace penlet {
namespace {

const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";  // 日本語: each of its bytes a lead byte
const std::string kCat = "\x94\x4C";                      // 猫

// Lines of 日本語 repeated, `bytes` long when that is even: whole characters.
std::string Japanese(size_t bytes) {
  std::string line;
  for (int i = 0; i < 10; ++i) line += kNihongo;
  line += "\r\n";
  std::string text;
  text.reserve(bytes + line.size());
  while (text.size() + line.size() <= bytes) text += line;
  while (text.size() + 2 <= bytes) text += kNihongo.substr(0, 2);
  return text;
}

ByteOffset Expected(const std::string& text, const std::string& what, ByteOffset from,
                    ByteOffset to = -1) {
  const size_t end = to < 0 ? text.size() : static_cast<size_t>(to);
  const size_t found =
      FindOnBoundary(text, what, static_cast<size_t>(from), end, LeadByteSet::Cp932());
  return found == std::string::npos ? -1 : static_cast<ByteOffset>(found);
}

// The search goes some megabytes at a time: an occurrence across the end of a piece is found
// whole, and bytes that only look like one (the trail of a character and the lead of the next)
// are passed over wherever a piece begins.
TEST(LongText, FindGivesWhatOneSearchOfTheWholeTextGives) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  // 猫 across the 4 MB mark, after a run of lead bytes and one ASCII byte; another near the end.
  std::string text = Japanese((4u << 20) - 2) + "a" + kCat + Japanese(5u << 20) + kCat + "b";
  edit.SetText(text);
  ASSERT_EQ(edit.TextLength(), static_cast<ByteOffset>(text.size()));
  const ByteOffset cat = (4 << 20) - 1;
  const ByteOffset last = static_cast<ByteOffset>(text.size()) - 3;
  EXPECT_EQ(edit.Find(kCat, 0, -1), cat);
  EXPECT_EQ(edit.Find(kCat, cat + 1, -1), last);
  EXPECT_EQ(edit.Find(kCat, 0, cat + 1), -1) << "not wholly inside the range";
  EXPECT_EQ(edit.Find(kCat, 0, cat + 2), cat);
  EXPECT_EQ(edit.Find(kCat, last + 1, -1), -1);
  // "\xFA\x96" is the trail of 日 and the lead of 本: never on a character. Searched from odd
  // and even offsets, the pieces begin inside runs of lead bytes of either parity (the lines
  // are 62 bytes long, and 4 MB is 4 bytes past a line's start).
  const std::string straddling = kNihongo.substr(1, 2);
  for (ByteOffset from : {0, 1, 2, 3, 4, 5, (4 << 20) + 1}) {
    EXPECT_EQ(edit.Find(straddling, from, -1), Expected(text, straddling, from)) << from;
    EXPECT_EQ(edit.Find(kNihongo, from, -1), Expected(text, kNihongo, from)) << from;
  }
  // The text read for the search is the text: the component's gap moved away from the end.
  edit.SetSelection({10, 10});
  host.Type("x");
  text.insert(10, "x");
  EXPECT_EQ(edit.Find(kCat, 0, -1), cat + 1);
  EXPECT_EQ(edit.Find("x", 0, -1), 10);
  EXPECT_EQ(edit.Find("b", 0, -1), static_cast<ByteOffset>(text.size()) - 1);
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(
      static_cast<size_t>(MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                              wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

// What another program reads, on a thread of its own: the text as CF_TEXT, or as the system's
// UTF-16 conversion of it.
struct Read {
  std::string bytes;
  std::wstring wide;
};
Read ReadElsewhere(UINT format) {
  Read read;
  std::thread reader([&] {
    for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(10);
    if (HANDLE data = GetClipboardData(format)) {
      if (const void* locked = GlobalLock(data)) {
        if (format == CF_UNICODETEXT) {
          read.wide = static_cast<const wchar_t*>(locked);
        } else {
          read.bytes = static_cast<const char*>(locked);
        }
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  });
  reader.join();
  return read;
}

TEST(LongText, OtherProgramsReadExactlyTheCopiedText) {
  const std::string first = Japanese(6u << 20) + "\r\nend " + kCat;
  const std::string second = "ab\r\n" + Japanese(5u << 20) + kCat;
  wintest::ClearClipboard();
  {
    ScintillaHost host;
    ScintillaEdit& edit = host.Edit();
    edit.SetText(first);
    edit.SelectAll();
    edit.Copy();
    EXPECT_TRUE(ReadElsewhere(CF_TEXT).bytes == first);
    EXPECT_TRUE(ReadElsewhere(CF_UNICODETEXT).wide == Wide(first));
    // A second copy takes the first one's place, and goes to a program asking only in UTF-16.
    edit.SetText(second);
    edit.SelectAll();
    edit.Copy();
    EXPECT_TRUE(ReadElsewhere(CF_UNICODETEXT).wide == Wide(second));
    EXPECT_TRUE(ReadElsewhere(CF_TEXT).bytes == second);
    // Pasted in the area, the copy is still the area's own.
    edit.SetSelection({0, 0});
    edit.Paste();
    EXPECT_TRUE(edit.Text() == second + second);
    // Cut puts its text there too, and takes it out of the area.
    edit.SetSelection({0, static_cast<ByteOffset>(second.size())});
    edit.Cut();
    EXPECT_TRUE(edit.Text() == second);
    EXPECT_TRUE(ReadElsewhere(CF_TEXT).bytes == second);
    edit.SetSelection({0, 2});
    edit.Copy();
  }
  EXPECT_EQ(wintest::ClipboardText(), "ab") << "the last copy went with the area";
  wintest::ClearClipboard();
}

// Past the undo history's floor of 64 MB, the history keeps the whole of the last edit: the
// characters typed over a whole text, and every step of the removal before them.
TEST(LongText, AWholeTextTypedOverComesBackWithOneRescue) {
  const std::string text = Japanese(66u << 20) + "\r\nend";
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText(text);
  edit.SelectAll();
  host.Type("xy");
  EXPECT_EQ(edit.Text(), "xy");
  edit.Undo();
  EXPECT_EQ(edit.TextLength(), static_cast<ByteOffset>(text.size()));
  EXPECT_TRUE(edit.Text() == text);
}

}  // namespace
}  // namespace penlet
