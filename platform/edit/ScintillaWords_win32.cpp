// Words and paragraphs in the editing area: the component knows one class of word for all of
// Japanese, so the word keys, the double-click and Ctrl+Up and Ctrl+Down are the area's own.
#include <windowsx.h>

#include <algorithm>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {
namespace {

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

ScintillaEdit::Around ScintillaEdit::TextAround(ByteOffset offset) const {
  const std::int32_t line = DocumentLine(offset);
  const auto lines = static_cast<std::int32_t>(Call(SCI_GETLINECOUNT));
  const auto start = static_cast<ByteOffset>(line > 0 ? Call(SCI_GETLINEENDPOSITION, line - 1) : 0);
  const auto end = static_cast<ByteOffset>(line + 1 < lines ? Call(SCI_POSITIONFROMLINE, line + 1)
                                                            : TextLength());
  return {TextRange(start, end), start};
}

bool ScintillaEdit::HandleWordMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      return KeyDown(VK_CONTROL) && !KeyDown(VK_MENU) && WordKey(wParam, KeyDown(VK_SHIFT));
    case WM_LBUTTONDBLCLK:
      // The component sends itself this once it has selected its own idea of a word.
      SelectWordAt(lParam);
      return true;
    case WM_MOUSEMOVE:
    case WM_TIMER: {  // the component's scrolling while the pointer is outside
      if (!wordDrag_) return false;
      subclass_->CallNext(Handle(), message, wParam, lParam);
      POINT pointer{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (message == WM_TIMER) {
        GetCursorPos(&pointer);
        ScreenToClient(Handle(), &pointer);
      }
      DragWords(pointer);
      return true;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      wordDrag_ = false;
      return false;
  }
  return false;
}

void ScintillaEdit::MoveCaret(ByteOffset caret, bool extend) {
  const auto anchor = static_cast<ByteOffset>(Call(SCI_GETANCHOR));
  Call(SCI_SETSEL, extend ? anchor : caret, caret);
  Call(SCI_CHOOSECARETX);  // Up and Down go on from here
}

bool ScintillaEdit::WordKey(WPARAM key, bool extend) {
  const auto caret = static_cast<ByteOffset>(Call(SCI_GETCURRENTPOS));
  const Around around = TextAround(caret);
  const auto at = static_cast<size_t>(caret - around.base);
  switch (key) {
    case VK_LEFT:
      MoveCaret(
          around.base + static_cast<ByteOffset>(PreviousWordStart(around.text, at, leadBytes_)),
          extend);
      return true;
    case VK_RIGHT:
      MoveCaret(around.base + static_cast<ByteOffset>(NextWordStart(around.text, at, leadBytes_)),
                extend);
      return true;
    case VK_UP: {
      // To the start of the paragraph, or of the one before when the caret stands there.
      const std::int32_t line = DocumentLine(caret);
      const auto start = static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, line));
      MoveCaret(caret > start || line == 0
                    ? start
                    : static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, line - 1)),
                extend);
      return true;
    }
    case VK_DOWN: {
      const std::int32_t line = DocumentLine(caret);
      const bool last = line + 1 >= Call(SCI_GETLINECOUNT);
      MoveCaret(last ? TextLength() : static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, line + 1)),
                extend);
      return true;
    }
    case VK_BACK:
    case VK_DELETE: {
      if (extend) return false;
      if (GetSelection().Length() > 0) {
        RemoveSelection();
        return true;
      }
      const size_t other = key == VK_BACK ? PreviousWordStart(around.text, at, leadBytes_)
                                          : NextWordStart(around.text, at, leadBytes_);
      const auto from = around.base + static_cast<ByteOffset>(std::min(at, other));
      const auto to = around.base + static_cast<ByteOffset>(std::max(at, other));
      if (to > from) Call(SCI_DELETERANGE, from, to - from);
      Call(SCI_CHOOSECARETX);
      Call(SCI_SCROLLCARET);
      return true;
    }
  }
  return false;
}

void ScintillaEdit::SelectWordAt(LPARAM point) {
  const auto pos = static_cast<ByteOffset>(
      Call(SCI_CHARPOSITIONFROMPOINT, GET_X_LPARAM(point), GET_Y_LPARAM(point)));
  const Around around = TextAround(pos);
  const WordSpan word = WordAt(around.text, static_cast<size_t>(pos - around.base), leadBytes_);
  wordAnchor_ = {around.base + static_cast<ByteOffset>(word.start),
                 around.base + static_cast<ByteOffset>(word.end)};
  Call(SCI_SETSEL, wordAnchor_.start, wordAnchor_.end);
  wordDrag_ = GetCapture() == Handle();
}

void ScintillaEdit::DragWords(POINT pointer) {
  // The pointer's place, taken to whole words on the side it has gone to.
  const auto pos = static_cast<ByteOffset>(Call(SCI_POSITIONFROMPOINT, pointer.x, pointer.y));
  if (pos < wordAnchor_.start) {
    const Around around = TextAround(pos);
    const WordSpan word = WordAt(around.text, static_cast<size_t>(pos - around.base), leadBytes_);
    Call(SCI_SETSEL, wordAnchor_.end, around.base + static_cast<ByteOffset>(word.start));
  } else if (pos > wordAnchor_.end) {
    const Around around = TextAround(pos);
    const size_t at = static_cast<size_t>(pos - around.base);
    const WordSpan word =
        at > 0 ? WordAt(around.text, PreviousCharacter(around.text, at, leadBytes_), leadBytes_)
               : WordSpan{at, at};
    Call(SCI_SETSEL, wordAnchor_.start,
         around.base + static_cast<ByteOffset>(std::max(word.end, at)));
  } else {
    Call(SCI_SETSEL, wordAnchor_.start, wordAnchor_.end);
  }
}

}  // namespace penlet
