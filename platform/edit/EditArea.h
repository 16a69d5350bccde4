// The editing area as the rest of the program sees it: a text of ANSI code page bytes in
// which every position is a byte offset and every line break is CR LF, counting two.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/Blocks.h"

namespace penlet {

// A position in the document: bytes from its start, a line break counting two.
using ByteOffset = std::int32_t;

struct Selection {
  ByteOffset start = 0;  // start <= end; start == end is the bare caret
  ByteOffset end = 0;
  ByteOffset Length() const { return end - start; }
  bool operator==(const Selection& o) const { return start == o.start && end == o.end; }
};

// One step of a change of the text: `removed` bytes at `position` give way to `inserted` bytes.
struct TextEdit {
  ByteOffset position = 0;
  ByteOffset removed = 0;
  ByteOffset inserted = 0;
};

// Why the display lines changed without an edit.
enum class LayoutChange {
  // More of a long text was laid out in the background: line numbers counted so far may move,
  // but the lines themselves, as LineCount and Line give them, are those they were.
  kLaidOutFurther,
  // The text was laid out anew, at another width or in another font: the lines break elsewhere.
  kNewLayout,
};

// What the editing area reports to its owner. An edit of the user (a key, a paste, an undo) may
// take several steps; each step is reported before and after it happens, and once the edit is
// complete the owner hears of it once: one change, then at most one selection change.
class EditAreaListener {
 public:
  virtual ~EditAreaListener() = default;
  // Before a step: the text is still as it was.
  virtual void EditAreaTextChanging(const TextEdit& edit) {}
  // After a step: the text is as the step left it.
  virtual void EditAreaTextChanged(const TextEdit& edit) {}
  virtual void EditAreaChanged() = 0;           // the text changed, whatever caused it
  virtual void EditAreaSelectionChanged() = 0;  // the selection's start or length changed
  // The display lines were laid out without an edit: line numbers may have moved.
  virtual void EditAreaLinesChanged(LayoutChange change) {}
  // An edit or Rescue found no memory for its text: it was refused or taken back, and the text
  // is as it was before it.
  virtual void EditAreaOutOfMemory() {}
};

// The bytes of a text, read where they are.
class TextReader {
 public:
  virtual ~TextReader() = default;
  virtual ByteOffset TextLength() const = 0;
  // The bytes from `start` to `end` (clamped to the text), valid until the text changes.
  virtual std::string_view TextRange(ByteOffset start, ByteOffset end) const = 0;
};

class EditArea : public TextReader {
 public:
  virtual void SetListener(EditAreaListener* listener) = 0;

  // A copy of the whole text; TextRange reads it without one.
  virtual std::string Text() const = 0;
  // Replaces the whole text; clears the modified flag and the undo history.
  virtual void SetText(const std::string& text) = 0;

  virtual Selection GetSelection() const = 0;
  virtual void SetSelection(Selection selection) = 0;
  virtual void SelectAll() = 0;
  // Inserts `text` in place of the selection, not recorded for undo; the caret follows it.
  virtual void ReplaceSelection(const std::string& text) = 0;
  // Puts `text` in place of each of `ranges` (in order, none overlapping): the same text as
  // replacing them one by one from the last, not recorded for undo; the caret then stands
  // behind the last insertion. Its steps are reported (EditAreaTextChanging/Changed), the
  // change and the caret's move are not: the caller reports them once.
  virtual void ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) = 0;

  // Offset of the first occurrence of `what` (exact bytes, starting on a character boundary)
  // lying wholly inside [from, to); to == -1 means the end of the text. -1 when there is none.
  // A search through a long text keeps the window answering (KeepAnswering).
  virtual ByteOffset Find(const std::string& what, ByteOffset from, ByteOffset to) const = 0;

  // Lines as laid out on screen: with word wrap a paragraph is several lines. LineCount and Line
  // lay the whole text out first. LineFromOffset and LineIndex count the lines as far as they
  // are laid out: a long text is laid out in the background, a paragraph not reached yet
  // counting one line, and each step of that is reported (kLaidOutFurther), so that a
  // position shown from them is right once the layout is done and the window never waits for it.
  virtual std::int32_t LineCount() const = 0;
  virtual std::int32_t LineFromOffset(ByteOffset offset) const = 0;
  virtual ByteOffset LineIndex(std::int32_t line) const = 0;
  virtual std::string Line(std::int32_t line) const = 0;  // without its line break
  // The lines from `first` on, each without its line break, handed to `take` in order until it
  // returns false or the text ends; what Line gives one by one, at a fraction of the cost.
  virtual void ForEachLine(std::int32_t first,
                           const std::function<bool(std::string_view)>& take) const = 0;
  // Lays out what the background layout has not reached yet, some milliseconds at a time, calling
  // `between` after each step; returns false, stopping there, when `between` does. LineCount
  // then finds the whole text laid out.
  virtual bool LayOutRest(const std::function<bool()>& between) const = 0;
  // The same for the rows of paragraphs over 64 KB alone, which a new width or an edit leaves to
  // the background layout: ForEachLine would lay each such paragraph out at once.
  virtual bool LayOutLongParagraphs(const std::function<bool()>& between) const = 0;

  virtual void ScrollCaret() = 0;
  virtual void Undo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;

  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;

  // Replaces the whole text with the blocks that `read` delivers, as plain text, with the caret at
  // the start, the modified flag cleared and no undo history. Returns false when a read failed;
  // the text is then left as it was. `expectedBytes`, when known, lets the area make room for the
  // text at once.
  virtual bool StreamIn(const ReadBlock& read, std::int64_t expectedBytes = 0) = 0;
  // Hands the whole text, as plain text with CR LF line breaks, to `write` in blocks.
  virtual bool StreamOut(const WriteBlock& write) = 0;

  virtual bool HasFocus() const = 0;
  virtual void SetFocus() = 0;

  // In the middle of a long piece of work on the text (counting a text read in): the window
  // repaints and answers what other programs ask it, when it has not for a while, while keys and
  // clicks wait. Searches answer so by themselves.
  virtual void KeepAnswering() {}
};

}  // namespace penlet
