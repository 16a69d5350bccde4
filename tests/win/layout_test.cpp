// The editing area lays text out where the system's own text measuring puts it: each character
// where GetTextExtentExPointA ends it, and each row broken where the system's widths say the
// width is full, in Japanese, Latin and mixed text, proportional fonts included.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "platform/system/Kinsoku.h"

namespace penlet {
namespace {

struct Face {
  const wchar_t* name;
  int height;  // in pixels at 96 dots per inch, a whole number of points
  BYTE charset;
  int weight;
};

// The editing area's own face and size first, then a fixed-pitch one, a large one, and Latin
// faces of the system (bold too) asked for with the Japanese character set, as the area asks.
const Face kFaces[] = {
    {L"ＭＳ Ｐゴシック", -16, SHIFTJIS_CHARSET, FW_NORMAL},
    {L"ＭＳ ゴシック", -12, SHIFTJIS_CHARSET, FW_NORMAL},
    {L"ＭＳ Ｐ明朝", -32, SHIFTJIS_CHARSET, FW_NORMAL},
    {L"Liberation Serif", -16, SHIFTJIS_CHARSET, FW_NORMAL},
    {L"Liberation Sans", -20, SHIFTJIS_CHARSET, FW_BOLD},
};

// "日本語の文章です。", "ｶﾀｶﾅ" in half-width, and "、「」ー" among Latin words.
const std::string kJapanese =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42";
const std::string kHalfWidth = "\xB6\xC0\xB6\xC5";
const std::string kMixed = "Penlet \x82\xCD Shift-JIS\x81\x41\x81\x75WAVE\x81\x76\x81\x5B AV To. " +
                           kHalfWidth + " fi ffl 1,234.5%";

std::string PrintableAscii() {
  std::string text;
  for (char c = ' '; c <= '~'; ++c) text += c;
  return text;
}

HFONT MakeFont(const Face& face) {
  return CreateFontW(face.height, 0, 0, 0, face.weight, FALSE, FALSE, FALSE, face.charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face.name);
}

// A top-level window of a given width holding the area.
class Host {
 public:
  explicit Host(int width) {
    static const bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "LayoutTestParent";
      return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    parent_ = CreateWindowA("LayoutTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, width + 40, 400,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit_ = std::make_unique<ScintillaEdit>(parent_, 1, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0);
    MoveWindow(edit_->Handle(), 0, 0, width, 360, FALSE);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
  }
  ~Host() {
    edit_.reset();
    for (HFONT font : fonts_) DeleteObject(font);
    DestroyWindow(parent_);
  }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  ScintillaEdit& Edit() { return *edit_; }
  LRESULT Sci(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(edit_->Handle(), message, wParam, lParam);
  }

  // Gives the area `face`; the system measures with the same font.
  void Use(const Face& face) {
    HFONT font = MakeFont(face);
    fonts_.push_back(font);
    edit_->SetFont(font, 96);
    font_ = font;
  }

  // The system's position after each byte of `text`, as GetTextExtentExPointA gives it on the
  // area's own device context.
  std::vector<int> SystemPositions(const std::string& text) {
    std::vector<int> dx(text.size() + 1);
    HDC dc = GetDC(edit_->Handle());
    HGDIOBJ old = SelectObject(dc, font_);
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointA(dc, text.data(), static_cast<int>(text.size()), INT_MAX, &fit, dx.data(),
                          &size);
    SelectObject(dc, old);
    ReleaseDC(edit_->Handle(), dc);
    dx.resize(text.size());
    return dx;
  }

  // The width that rows fill: the text area between the component's margins.
  int WrapWidth() {
    RECT client;
    GetClientRect(edit_->Handle(), &client);
    return client.right - static_cast<int>(Sci(SCI_GETMARGINLEFT)) -
           static_cast<int>(Sci(SCI_GETMARGINRIGHT));
  }

 private:
  HWND parent_ = nullptr;
  std::unique_ptr<ScintillaEdit> edit_;
  std::vector<HFONT> fonts_;
  HFONT font_ = nullptr;
};

bool IsLead(const std::string& text, size_t i) {
  return IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
}

// Every character of every line, unwrapped, ends where the system's measuring ends it.
TEST(Layout, CharactersEndWhereTheSystemMeasuresThem) {
  const std::vector<std::string> lines = {kJapanese + kJapanese, PrintableAscii(), kMixed,
                                          kHalfWidth + kJapanese + "abc", "WAWAWA iiii llll"};
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  Host host(600);
  host.Sci(SCI_SETWRAPMODE, SC_WRAP_NONE);
  for (const Face& face : kFaces) {
    host.Use(face);
    host.Edit().SetText(text);
    ByteOffset lineStart = 0;
    for (const std::string& line : lines) {
      const std::vector<int> system = host.SystemPositions(line);
      const LRESULT x0 = host.Sci(SCI_POINTXFROMPOSITION, 0, lineStart);
      for (size_t i = 0; i < line.size(); i += IsLead(line, i) ? 2 : 1) {
        const size_t end = i + (IsLead(line, i) ? 2 : 1);
        const LRESULT x = host.Sci(SCI_POINTXFROMPOSITION, 0, lineStart + end) - x0;
        ASSERT_EQ(x, system[end - 1]) << "face " << static_cast<int>(face.height) << " line \""
                                      << line << "\" after byte " << end;
      }
      lineStart += line.size() + 2;
    }
  }
}

// Where a row may end: between two characters of which one is double-byte, or after a space
// before a character that is none; never where the rules of Japanese line breaking forbid it.
bool MayBreak(const std::string& text, size_t at, const std::vector<size_t>& starts) {
  if (BreakForbiddenBefore(text, at, LeadByteSet::Cp932())) return false;
  const bool afterDouble = at >= 2 &&
                           std::find(starts.begin(), starts.end(), at - 2) != starts.end() &&
                           IsLead(text, at - 2);
  return IsLead(text, at) || afterDouble || (text[at - 1] == ' ' && text[at] != ' ');
}

// The rows of `paragraph` in `width`, by the system's measuring: each row as long as its
// characters end short of the width, ending at the last place where a row may end, or after the
// characters that fit when there is none.
std::vector<std::string> SystemRows(Host& host, const std::string& paragraph, int width) {
  std::vector<size_t> starts;  // of characters
  for (size_t i = 0; i < paragraph.size(); i += IsLead(paragraph, i) ? 2 : 1) starts.push_back(i);
  std::vector<std::string> rows;
  size_t row = 0;
  while (row < paragraph.size()) {
    const std::string rest = paragraph.substr(row);
    const std::vector<int> x = host.SystemPositions(rest);
    size_t full = rest.size();  // the first byte of the first character that does not fit
    for (size_t i = 0; i < rest.size(); i += IsLead(rest, i) ? 2 : 1) {
      const size_t last = i + (IsLead(rest, i) ? 1 : 0);
      if (x[last] >= width) {
        full = i;
        break;
      }
    }
    if (full == rest.size()) {
      rows.push_back(rest);
      break;
    }
    size_t end = full;
    while (end > 0 && !MayBreak(paragraph, row + end, starts)) {
      end = *(std::find(starts.begin(), starts.end(), row + end) - 1) - row;
    }
    if (end == 0) end = full > 0 ? full : (IsLead(rest, 0) ? 2 : 1);
    rows.push_back(rest.substr(0, end));
    row += end;
  }
  return rows;
}

// Paragraphs of every kind, long and short in turn, wrapped at the designed width and at a narrow
// one: each row of the area is the row that the system's measuring gives.
TEST(Layout, RowsBreakWhereTheSystemMeasuresTheWidthFull) {
  std::vector<std::string> paragraphs;
  for (int i = 0; i < 60; ++i) {
    std::string paragraph;
    for (int n = 0; n <= i % 7; ++n) {
      paragraph += i % 3 == 0   ? kJapanese
                   : i % 3 == 1 ? kMixed
                                : "Laid out as fast as it is read. ";
    }
    paragraphs.push_back(paragraph);
    paragraphs.push_back(i % 2 ? kHalfWidth : "ab");
  }
  std::string text;
  for (const std::string& paragraph : paragraphs) text += paragraph + "\r\n";
  for (int width : {640, 330}) {
    Host host(width);
    for (const Face& face : {kFaces[0], kFaces[3]}) {
      host.Use(face);
      host.Edit().SetText(text);
      const int wrapWidth = host.WrapWidth();
      std::vector<std::string> expected;
      for (const std::string& paragraph : paragraphs) {
        for (const std::string& row : SystemRows(host, paragraph, wrapWidth)) {
          expected.push_back(row);
        }
      }
      ASSERT_EQ(host.Edit().LineCount(), static_cast<int>(expected.size()) + 1)
          << "width " << width << " face " << face.height;
      for (size_t row = 0; row < expected.size(); ++row) {
        ASSERT_EQ(host.Edit().Line(static_cast<int>(row)), expected[row])
            << "row " << row << " width " << width << " face " << face.height;
      }
    }
  }
}

}  // namespace
}  // namespace penlet
