// The editing area's text and selection in byte offsets, and the program's own replacements.
#include <algorithm>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {

ByteOffset ScintillaEdit::TextLength() const {
  return static_cast<ByteOffset>(Call(SCI_GETLENGTH)) - draftLength_;
}

std::string_view ScintillaEdit::TextRange(ByteOffset start, ByteOffset end) const {
  const ByteOffset length = TextLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  if (end == start) return {};
  if (draftLength_ > 0 && start < draftStart_ && end > draftStart_) {
    // Across the composition drawn in the text: the committed bytes on either side of it.
    spliced_.assign(TextRange(start, draftStart_));
    spliced_.append(TextRange(draftStart_, end));
    return spliced_;
  }
  // A range from the composition's place on lies behind it.
  const ByteOffset from = draftLength_ > 0 && start >= draftStart_ ? start + draftLength_ : start;
  const char* bytes = window_.CallForPointer<const char>(SCI_GETRANGEPOINTER, from, end - start);
  return {bytes, static_cast<size_t>(end - start)};
}

std::string ScintillaEdit::Text() const {
  return std::string(TextRange(0, TextLength()));
}

void ScintillaEdit::SetText(const std::string& text) {
  Scope scope(*this);
  SettleDraft();
  // The text goes into a document of its own: the old one's buffer, lines and undo history go
  // back to the system with it, where an emptied document would keep the room of its longest
  // text, and a file that fitted before would no longer fit.
  const TextEdit gone{0, TextLength(), 0};
  if (listener_) listener_->EditAreaTextChanging(gone);
  window_.UseDocument(window_.CallForPointer<void>(SCI_CREATEDOCUMENT, 0, kDocumentOptions));
  changed_ = true;
  if (listener_) listener_->EditAreaTextChanged(gone);
  Call(SCI_SETUNDOCOLLECTION, 0);
  window_.CallWithPointer(SCI_SETTEXT, 0, text.c_str());
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_EMPTYUNDOBUFFER);
  Call(SCI_SETSEL, 0, 0);
  modified_ = false;
}

Selection ScintillaEdit::GetSelection() const {
  // While the user composes, the caret stands where the composition will go.
  if (draftLength_ > 0) return {draftStart_, draftStart_};
  return {static_cast<ByteOffset>(Call(SCI_GETSELECTIONSTART)),
          static_cast<ByteOffset>(Call(SCI_GETSELECTIONEND))};
}

void ScintillaEdit::SetSelection(Selection selection) {
  Scope scope(*this);
  SettleDraft();
  const ByteOffset length = TextLength();
  selection.start = std::clamp(selection.start, 0, length);
  selection.end = selection.end < 0 ? length : std::clamp(selection.end, 0, length);
  if (selection.start > selection.end) std::swap(selection.start, selection.end);
  Call(SCI_SETSEL, selection.start, selection.end);
}

void ScintillaEdit::SelectAll() {
  Scope scope(*this);
  SettleDraft();
  Call(SCI_SELECTALL);
}

void ScintillaEdit::ReplaceQuietly(ByteOffset start, ByteOffset end, const std::string& text) {
  // Replacements of the program's own are not undone; what was recorded before them no longer
  // fits the text, so it goes too.
  Call(SCI_SETUNDOCOLLECTION, 0);
  Call(SCI_SETTARGETRANGE, start, end);
  window_.CallWithPointer(SCI_REPLACETARGET, text.size(), text.data());
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_EMPTYUNDOBUFFER);
}

void ScintillaEdit::ReplaceSelection(const std::string& text) {
  Scope scope(*this);
  SettleDraft();
  const Selection selection = GetSelection();
  ReplaceQuietly(selection.start, selection.end, text);
  const ByteOffset caret = selection.start + static_cast<ByteOffset>(text.size());
  Call(SCI_SETSEL, caret, caret);
}

void ScintillaEdit::ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) {
  if (ranges.empty()) return;
  // The ranges go in pieces of some megabytes of the old text, each replaced at once from its
  // first range to the end of its last; between them the window repaints and answers.
  constexpr ByteOffset kPiece = 4 << 20;
  Scope scope(*this);
  SettleDraft();
  quiet_ = true;
  ByteOffset shift = 0;  // what the pieces before have added to the text
  // Finding the ranges took a while already.
  Answering answering;
  answering.Now();
  for (size_t first = 0; first < ranges.size();) {
    const ByteOffset start = ranges[first].start;
    size_t last = first;
    while (last + 1 < ranges.size() && ranges[last + 1].end - start <= kPiece) ++last;
    const ByteOffset end = ranges[last].end;
    // The component's gap comes to the piece a step at a time.
    BringGapNear(start + shift);
    const std::string_view old = TextRange(start + shift, end + shift);
    std::string piece;
    piece.reserve(old.size() + (last - first + 1) * text.size());
    ByteOffset copied = start;
    for (size_t i = first; i <= last; ++i) {
      piece.append(old.substr(copied - start, ranges[i].start - copied));
      piece += text;
      copied = ranges[i].end;
    }
    ReplaceQuietly(start + shift, end + shift, piece);
    shift += static_cast<ByteOffset>(piece.size()) - (end - start);
    first = last + 1;
    if (first < ranges.size()) answering.Due();
  }
  const ByteOffset caret = ranges.back().end + shift;
  Call(SCI_SETSEL, caret, caret);
  Report();
  quiet_ = false;
}

ByteOffset ScintillaEdit::CharacterStartAtOrBefore(ByteOffset offset) const {
  // The position after a byte that is no lead byte starts a character: that byte is a character
  // alone or the trail of one. Runs of lead bytes are short in real text.
  for (ByteOffset back = 64; offset > 0; back *= 2) {
    const ByteOffset start = std::max(0, offset - back);
    const std::string_view before = TextRange(start, offset);
    for (size_t i = before.size(); i > 0; --i) {
      if (!leadBytes_.Contains(static_cast<unsigned char>(before[i - 1]))) {
        return start + static_cast<ByteOffset>(i);
      }
    }
    if (start == 0) return 0;
  }
  return 0;
}

ByteOffset ScintillaEdit::Find(const std::string& what, ByteOffset from, ByteOffset to) const {
  constexpr std::int64_t kPiece = 4 << 20;
  if (from < 0 || what.empty()) return -1;
  const auto size = static_cast<std::int64_t>(what.size());
  // A long text is searched a piece of some megabytes at a time, the window answering between
  // them (and between the searches of Replace All). Each piece is read afresh from a character's
  // start before it, as an answer may have moved the component's text in memory.
  for (std::int64_t start = from;;) {
    pacing_.Due();
    const ByteOffset length = TextLength();
    const std::int64_t end = to < 0 ? length : std::min<std::int64_t>(to, length);
    if (start + size > end) return -1;
    const auto pieceEnd = static_cast<ByteOffset>(std::min(end, start + kPiece + size - 1));
    const ByteOffset base = CharacterStartAtOrBefore(static_cast<ByteOffset>(start));
    const std::string_view piece = TextRange(base, pieceEnd);
    const size_t found =
        FindOnBoundary(piece, what, static_cast<size_t>(start - base), piece.size(), leadBytes_);
    if (found != std::string_view::npos) return base + static_cast<ByteOffset>(found);
    start = pieceEnd - size + 1;
  }
}

}  // namespace penlet
