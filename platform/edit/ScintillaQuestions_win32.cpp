// The edit-control questions that other programs (screen readers, dictionary tools, automation)
// ask the editing area, answered in byte offsets and display lines: the component would answer
// in its paragraphs.
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {
namespace {

// Code page 932 bytes as the UTF-16 of the component's window, which is a Unicode window: the
// system turns them back into bytes for a program that asked in ANSI.
std::wstring Wide(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<size_t>(size), L'\0');
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), size);
  wide.resize(static_cast<size_t>(std::max(units, 0)));
  return wide;
}

// A pointer in a parameter can only be the caller's when the caller is this thread: another
// program's pointer means nothing here, and the system carries no rich edit structure across.
bool FromThisThread() {
  return !InSendMessage();
}

}  // namespace

ByteOffset ScintillaEdit::DisplayLineLength(ByteOffset offset) const {
  const std::int32_t line = LineFromOffset(offset);
  const ByteOffset start = LineIndex(line);
  ByteOffset end = LineIndex(line + 1);
  if (end < start) end = TextLength();
  const std::string_view text = TextRange(start, end);
  size_t length = text.size();
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
  return static_cast<ByteOffset>(length);
}

bool ScintillaEdit::AnswerQuestion(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  switch (message) {
    case EM_GETLINECOUNT:
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_GETLINE:
    case EM_CHARFROMPOS:
      // Another program has no way to hear that the background layout moved the lines on, so
      // it is answered from the whole text laid out, the rows of long paragraphs too (once:
      // later questions find it done).
      LayOutRest([] { return true; });
      LineCount();
      break;
  }
  const auto offsetOr = [this](std::intptr_t offset) {
    return offset < 0 ? GetSelection().start : static_cast<ByteOffset>(offset);
  };
  switch (message) {
    case EM_GETLINECOUNT:
      answer = LineCount();
      return true;
    case EM_LINEFROMCHAR:
      answer = LineFromOffset(offsetOr(static_cast<std::intptr_t>(wParam)));
      return true;
    case EM_EXLINEFROMCHAR:
      answer = LineFromOffset(offsetOr(lParam));
      return true;
    case EM_LINEINDEX: {
      const auto line = static_cast<std::int32_t>(wParam);
      answer = LineIndex(line < 0 ? LineFromOffset(GetSelection().start) : line);
      return true;
    }
    case EM_LINELENGTH: {
      if (static_cast<std::intptr_t>(wParam) >= 0) {
        answer = DisplayLineLength(static_cast<ByteOffset>(wParam));
        return true;
      }
      // The bytes left unselected on the lines the selection touches.
      const Selection selection = GetSelection();
      const ByteOffset first = LineIndex(LineFromOffset(selection.start));
      const ByteOffset last = LineIndex(LineFromOffset(selection.end));
      answer =
          (selection.start - first) + (last + DisplayLineLength(selection.end) - selection.end);
      return true;
    }
    case EM_GETLINE: {
      if (lParam == 0) return answer = 0, true;
      auto* buffer = FromParam<wchar_t*>(lParam);
      const size_t room = *FromParam<const WORD*>(lParam);
      const ByteOffset start = LineIndex(static_cast<std::int32_t>(wParam));
      if (start < 0) return answer = 0, true;
      const std::wstring line = Wide(TextRange(start, start + DisplayLineLength(start)));
      const size_t copied = std::min(room, line.size());
      std::copy_n(line.data(), copied, buffer);
      if (copied < room) buffer[copied] = L'\0';
      answer = static_cast<LRESULT>(copied);
      return true;
    }
    case EM_POSFROMCHAR: {
      // The edit control's form (the offset in wParam, the point as the answer) for anyone; the
      // rich edit's (a POINTL to fill in wParam, the offset in lParam) for this thread.
      const bool richEdit = FromThisThread() && wParam >= 0x10000;
      const auto offset = static_cast<ByteOffset>(richEdit ? lParam : wParam);
      if (offset < 0 || offset > TextLength()) return answer = -1, true;
      const auto x = static_cast<LONG>(Call(SCI_POINTXFROMPOSITION, 0, offset));
      const auto y = static_cast<LONG>(Call(SCI_POINTYFROMPOSITION, 0, offset));
      if (richEdit) {
        *FromParam<POINTL*>(wParam) = {x, y};
        answer = 0;
      } else {
        answer = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y)));
      }
      return true;
    }
    case EM_CHARFROMPOS: {
      // The rich edit's form (a POINTL) for this thread; the edit control's (the point in
      // lParam, the offset and the line as the answer) for other threads and programs.
      if (FromThisThread() && lParam >= 0x10000) {
        const POINTL& point = *FromParam<const POINTL*>(lParam);
        answer = Call(SCI_CHARPOSITIONFROMPOINT, point.x, point.y);
        return true;
      }
      const auto offset = static_cast<ByteOffset>(
          Call(SCI_CHARPOSITIONFROMPOINT, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      answer = static_cast<LRESULT>(
          MAKELONG(static_cast<WORD>(offset), static_cast<WORD>(LineFromOffset(offset))));
      return true;
    }
  }
  return false;
}

}  // namespace penlet
