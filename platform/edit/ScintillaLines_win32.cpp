// The editing area's lines as laid out on screen: a wrapped paragraph is several display lines,
// counted as far as the component's background layout has got.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {

std::int32_t ScintillaEdit::DocumentLine(ByteOffset offset) const {
  return static_cast<std::int32_t>(Call(SCI_LINEFROMPOSITION, offset));
}

void ScintillaEdit::LayOutThrough(std::int32_t documentLine) const {
  // The component lays out the lines of a long text in the background; asked to show a line,
  // it first lays out every line still waiting, that one included. The first line is left to
  // FirstLineHeight, so that a fresh long text is not laid out whole at once.
  if (documentLine > 0) Call(SCI_ENSUREVISIBLE, documentLine);
}

std::int32_t ScintillaEdit::FirstLineHeight() const {
  // A text of one line is laid out at once, at the component's current width; in a paragraph
  // of more than 64 KB only the first rows are found, and the rest guessed until the background
  // layout reaches them.
  if (Call(SCI_GETLINECOUNT) == 1) {
    Call(SCI_ENSUREVISIBLE, 0);
    return DisplayLines();
  }
  return static_cast<std::int32_t>(std::max<std::intptr_t>(1, Call(SCI_WRAPCOUNT, 0)));
}

std::int32_t ScintillaEdit::SubLine(ByteOffset offset) const {
  const ByteOffset start =
      static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, DocumentLine(offset)));
  if (offset <= start) return 0;
  const std::intptr_t height = Call(SCI_TEXTHEIGHT, 0);
  if (height <= 0) return 0;
  const std::intptr_t y = Call(SCI_POINTYFROMPOSITION, 0, offset);
  const std::intptr_t top = Call(SCI_POINTYFROMPOSITION, 0, start);
  return static_cast<std::int32_t>((y - top) / height);
}

std::int32_t ScintillaEdit::DisplayLines() const {
  return static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, INT_MAX));
}

std::int32_t ScintillaEdit::LineCount() const {
  const std::int32_t lines = static_cast<std::int32_t>(Call(SCI_GETLINECOUNT));
  if (lines == 1) return FirstLineHeight();
  LayOutThrough(lines - 1);
  return DisplayLines();
}

std::int32_t ScintillaEdit::LineFromOffset(ByteOffset offset) const {
  offset = RawOffset(std::clamp(offset, 0, TextLength()));
  const std::int32_t line = DocumentLine(offset);
  // The paragraphs before this one count as far as the component has laid them out, and so does
  // this one: a row it has not given the paragraph yet is not counted (LineIndex would find it
  // in a later paragraph).
  const auto first = static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, line));
  std::int32_t sub = SubLine(offset);
  if (line > 0) {
    const auto rows = static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, line + 1)) - first;
    sub = std::min(sub, std::max(rows, 1) - 1);
  }
  return first + sub;
}

ByteOffset ScintillaEdit::LineIndex(std::int32_t line) const {
  if (line < 0) return -1;
  std::int32_t documentLine = 0;
  std::int32_t sub = line;
  if (line >= FirstLineHeight()) {
    if (line >= DisplayLines()) return -1;
    documentLine = static_cast<std::int32_t>(Call(SCI_DOCLINEFROMVISIBLE, line));
    sub = line - static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, documentLine));
  }
  const ByteOffset start = static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, documentLine));
  if (sub <= 0) return TextOffset(start);
  // The first place of the document line that lies on display line `sub`: the place the component
  // finds at the left edge of that display line, which starts a character.
  const std::int64_t height = Call(SCI_TEXTHEIGHT, 0);
  if (height <= 0) return TextOffset(start);
  const std::int64_t y = (line - std::int64_t{Call(SCI_GETFIRSTVISIBLELINE)}) * height + height / 2;
  if (y < INT_MIN || y > INT_MAX) return TextOffset(start);
  return TextOffset(
      static_cast<ByteOffset>(Call(SCI_POSITIONFROMPOINT, 0, static_cast<std::intptr_t>(y))));
}

bool ScintillaEdit::LayOutRest(const std::function<bool()>& between) const {
  // The component's own idle message (win32/ScintillaWin.cxx): each lays out some 10 ms of the
  // lines still waiting and, while any wait, posts itself another. Asked for the last line
  // instead, the component lays out all of them at once: seconds for tens of megabytes.
  constexpr UINT kComponentIdle = 5001;
  for (;;) {
    SendMessageW(Handle(), kComponentIdle, 0, 1);
    MSG next;
    if (!PeekMessageW(&next, Handle(), kComponentIdle, kComponentIdle, PM_REMOVE)) return true;
    if (!between()) return false;
  }
}

bool ScintillaEdit::LayOutLongParagraphs(const std::function<bool()>& between) const {
  // The component's own message for a few milliseconds of those rows (patches/scintilla/0030).
  constexpr UINT kLayOutPendingRows = 0x7F01;
  while (Call(kLayOutPendingRows) != 0) {
    if (!between()) return false;
  }
  return true;
}

std::string ScintillaEdit::Line(std::int32_t line) const {
  LineCount();  // the whole text laid out
  const ByteOffset start = LineIndex(line);
  if (start < 0) return {};
  ByteOffset end = LineIndex(line + 1);
  if (end < start) end = TextLength();
  std::string_view text = TextRange(start, end);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return std::string(text);
}

void ScintillaEdit::ForEachLine(std::int32_t first,
                                const std::function<bool(std::string_view)>& take) const {
  // From the first line on, the rows are found here as they are taken; from a later one, the
  // lines before it are laid out to find where it is.
  if (first < 0 || (first > 0 && first >= LineCount())) return;
  // The component's own message for the rows of many lines at once (patches/scintilla/0004).
  constexpr UINT kRowStarts = 0x7F00;
  struct RowStarts {
    std::intptr_t line;
    std::intptr_t lineEnd;
    std::intptr_t* starts;
    std::intptr_t capacity;
    std::intptr_t count;
  };
  constexpr std::intptr_t kLinesAtOnce = 1024;
  const auto lines = static_cast<std::intptr_t>(Call(SCI_GETLINECOUNT));
  const ByteOffset length = TextLength();
  std::intptr_t line = Call(SCI_DOCLINEFROMVISIBLE, first);
  std::int32_t skip = first - static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, line));
  std::vector<std::intptr_t> starts(4 * kLinesAtOnce);
  while (line < lines) {
    RowStarts rows{line, std::min(line + kLinesAtOnce, lines), starts.data(),
                   static_cast<std::intptr_t>(starts.size()), 0};
    window_.CallWithPointer(kRowStarts, 0, &rows);
    if (rows.count == 0) {
      // A line of more rows than there is room for.
      starts.resize(starts.size() * 2);
      continue;
    }
    const ByteOffset end =
        rows.line < lines ? static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, rows.line)) : length;
    for (std::intptr_t row = 0; row < rows.count; ++row) {
      if (skip > 0) {
        --skip;
        continue;
      }
      const auto start = static_cast<ByteOffset>(starts[row]);
      std::string_view text =
          TextRange(start, row + 1 < rows.count ? static_cast<ByteOffset>(starts[row + 1]) : end);
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
      if (!take(text)) return;
    }
    line = rows.line;
  }
}

}  // namespace penlet
