// The in-memory editing area.
#include "tests/fakes/FakeEditArea.h"

#include <algorithm>

#include "platform/system/Kinsoku.h"

namespace penlet {

void FakeEditArea::NotifyChange() {
  ++changeCount;
  if (listener_) listener_->EditAreaChanged();
}

void FakeEditArea::MoveSelection(Selection next) {
  const bool changed = !(next == selection_);
  selection_ = next;
  if (changed) {
    ++selectionChangeCount;
    if (listener_) listener_->EditAreaSelectionChanged();
  }
}

void FakeEditArea::Step(ByteOffset position, ByteOffset removed, const std::string& text) {
  const TextEdit edit{position, removed, static_cast<ByteOffset>(text.size())};
  if (listener_) listener_->EditAreaTextChanging(edit);
  text_.replace(position, removed, text);
  if (listener_) listener_->EditAreaTextChanged(edit);
}

std::string_view FakeEditArea::TextRange(ByteOffset start, ByteOffset end) const {
  const ByteOffset length = TextLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  bytesRead += end - start;
  return std::string_view(text_).substr(start, end - start);
}

void FakeEditArea::SetText(const std::string& text) {
  Step(0, TextLength(), text);
  canUndo_ = false;
  modified_ = false;
  NotifyChange();
  MoveSelection({0, 0});
}

void FakeEditArea::SetSelection(Selection s) {
  const ByteOffset length = TextLength();
  s.start = std::clamp(s.start, 0, length);
  s.end = s.end < 0 ? length : std::clamp(s.end, 0, length);
  if (s.start > s.end) std::swap(s.start, s.end);
  MoveSelection(s);
}

void FakeEditArea::Replace(const std::string& text, bool recordUndo) {
  // The program's own replacements are not undone, and what was recorded before them no
  // longer fits the text.
  canUndo_ = recordUndo;
  if (recordUndo) {
    undoText_ = text_;
    undoSelection_ = selection_;
  }
  Step(selection_.start, selection_.Length(), text);
  modified_ = true;
  const ByteOffset caret = selection_.start + static_cast<ByteOffset>(text.size());
  NotifyChange();
  MoveSelection({caret, caret});
}

void FakeEditArea::ReplaceSelection(const std::string& text) {
  Replace(text, false);
}
void FakeEditArea::Type(const std::string& text) {
  Replace(text, true);
}

void FakeEditArea::ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) {
  if (ranges.empty()) return;
  ByteOffset caret = ranges.back().start + static_cast<ByteOffset>(text.size());
  for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
    Step(range->start, range->Length(), text);
    if (range != ranges.rbegin()) caret += static_cast<ByteOffset>(text.size()) - range->Length();
  }
  modified_ = true;
  canUndo_ = false;
  selection_ = {caret, caret};
}

ByteOffset FakeEditArea::Find(const std::string& what, ByteOffset from, ByteOffset to) const {
  if (from < 0) return -1;
  const size_t end = to < 0 ? text_.size() : static_cast<size_t>(to);
  const size_t found = FindOnBoundary(text_, what, static_cast<size_t>(from), end, leadBytes_);
  return found == std::string::npos ? -1 : static_cast<ByteOffset>(found);
}

std::vector<FakeEditArea::LineSpan> FakeEditArea::Lines() const {
  std::vector<LineSpan> lines;
  size_t start = 0;
  while (true) {
    size_t brk = text_.find("\r\n", start);
    size_t paraEnd = brk == std::string::npos ? text_.size() : brk;
    size_t lineStart = start;
    if (wrapWidth_ > 0) {
      size_t p = lineStart;
      while (paraEnd - lineStart > static_cast<size_t>(wrapWidth_)) {
        size_t next = p;
        while (next < paraEnd &&
               leadBytes_.Next(text_, next) - lineStart <= static_cast<size_t>(wrapWidth_)) {
          next = leadBytes_.Next(text_, next);
        }
        // By the rules of Japanese line breaking, as the real area wraps.
        next =
            RowBreakBefore(std::string_view(text_).substr(0, paraEnd), lineStart, next, leadBytes_);
        lines.push_back({static_cast<ByteOffset>(lineStart), static_cast<ByteOffset>(next)});
        lineStart = p = next;
      }
    }
    lines.push_back({static_cast<ByteOffset>(lineStart), static_cast<ByteOffset>(paraEnd)});
    if (brk == std::string::npos) break;
    start = brk + 2;
  }
  return lines;
}

std::int32_t FakeEditArea::LineFromOffset(ByteOffset offset) const {
  const auto lines = Lines();
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (offset < lines[i + 1].start) return static_cast<std::int32_t>(i);
  }
  return static_cast<std::int32_t>(lines.size() - 1);
}

ByteOffset FakeEditArea::LineIndex(std::int32_t line) const {
  const auto lines = Lines();
  if (line < 0 || static_cast<size_t>(line) >= lines.size()) return -1;
  return lines[line].start;
}

std::string FakeEditArea::Line(std::int32_t line) const {
  const auto lines = Lines();
  if (line < 0 || static_cast<size_t>(line) >= lines.size()) return {};
  return text_.substr(lines[line].start, lines[line].end - lines[line].start);
}

void FakeEditArea::Undo() {
  if (!canUndo_) return;
  if (noMemory) {
    // As the component: refused whole, the edit kept and still undoable.
    if (listener_) listener_->EditAreaOutOfMemory();
    return;
  }
  // One step over the bytes that differ, as the control reports it.
  size_t head = 0;
  while (head < text_.size() && head < undoText_.size() && text_[head] == undoText_[head]) ++head;
  size_t tail = 0;
  while (tail < text_.size() - head && tail < undoText_.size() - head &&
         text_[text_.size() - 1 - tail] == undoText_[undoText_.size() - 1 - tail]) {
    ++tail;
  }
  std::string redoText = text_;
  Step(static_cast<ByteOffset>(head), static_cast<ByteOffset>(text_.size() - head - tail),
       undoText_.substr(head, undoText_.size() - head - tail));
  undoText_ = std::move(redoText);
  const Selection back = undoSelection_;
  undoSelection_ = selection_;
  modified_ = true;
  NotifyChange();
  MoveSelection(back);
}

void FakeEditArea::Cut() {
  if (selection_.Length() == 0) return;
  Copy();
  Replace("", true);
}

void FakeEditArea::Copy() {
  if (clipboard && selection_.Length() > 0) {
    *clipboard = text_.substr(selection_.start, selection_.Length());
  }
}

void FakeEditArea::Paste() {
  if (!clipboard) return;
  if (noMemory) {
    if (listener_) listener_->EditAreaOutOfMemory();
    return;
  }
  // Every pasted line break becomes CR LF.
  std::string text;
  for (size_t p = 0; p < clipboard->size(); ++p) {
    const char c = (*clipboard)[p];
    if (c == '\r' || c == '\n') {
      text += "\r\n";
      if (c == '\r' && p + 1 < clipboard->size() && (*clipboard)[p + 1] == '\n') ++p;
    } else {
      text += c;
    }
  }
  Replace(text, true);
}

bool FakeEditArea::StreamIn(const ReadBlock& read, std::int64_t) {
  std::string loaded;
  char buffer[4096];
  while (true) {
    std::int32_t got = 0;
    if (!read(buffer, sizeof buffer, got)) return false;
    if (got == 0) break;
    loaded.append(buffer, got);
  }
  Step(0, TextLength(), loaded);
  canUndo_ = false;
  modified_ = false;
  NotifyChange();
  MoveSelection({0, 0});
  return true;
}

bool FakeEditArea::StreamOut(const WriteBlock& write) {
  const size_t block = 4096;
  for (size_t p = 0; p < text_.size(); p += block) {
    if (!write(text_.data() + p, static_cast<std::int32_t>(std::min(block, text_.size() - p)))) {
      return false;
    }
  }
  return true;
}

void FakeEditArea::ForEachLine(std::int32_t first,
                               const std::function<bool(std::string_view)>& take) const {
  // The rows found once, as the real area finds them once for many lines.
  const auto lines = Lines();
  for (size_t line = static_cast<size_t>(std::max(first, 0)); line < lines.size(); ++line) {
    if (!take(std::string_view(text_).substr(lines[line].start,
                                             lines[line].end - lines[line].start))) {
      return;
    }
  }
}

}  // namespace penlet
