// An editing area in memory that behaves as the real one does: byte offsets, CR LF line
// breaks, display lines wrapped at a width in bytes, one level of undo, and notifications, each
// step of an edit reported before and after it.
#pragma once

#include <string>
#include <vector>

#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"

namespace penlet {

class FakeEditArea : public EditArea {
 public:
  explicit FakeEditArea(LeadByteSet leadBytes = LeadByteSet::Cp932()) : leadBytes_(leadBytes) {}

  // Display lines wrap after this many bytes (at a character boundary, by the rules of Japanese
  // line breaking); 0 means no wrapping.
  void SetWrapWidth(int bytes) { wrapWidth_ = bytes; }
  // What the user does: typing replaces the selection and is recorded for undo.
  void Type(const std::string& text);
  std::string* clipboard = nullptr;  // shared with a fake clipboard, when a test wants one
  // Paste and Undo find no memory: refused, the text unchanged, the owner told.
  bool noMemory = false;
  bool focused = true;
  int changeCount = 0;
  int selectionChangeCount = 0;
  // Bytes handed out by Text and TextRange: what reading the text has cost.
  mutable std::int64_t bytesRead = 0;

  void SetListener(EditAreaListener* listener) override { listener_ = listener; }
  std::string Text() const override {
    bytesRead += static_cast<std::int64_t>(text_.size());
    return text_;
  }
  ByteOffset TextLength() const override { return static_cast<ByteOffset>(text_.size()); }
  std::string_view TextRange(ByteOffset start, ByteOffset end) const override;
  void SetText(const std::string& text) override;
  Selection GetSelection() const override { return selection_; }
  void SetSelection(Selection selection) override;
  void SelectAll() override { SetSelection({0, TextLength()}); }
  void ReplaceSelection(const std::string& text) override;
  void ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) override;
  ByteOffset Find(const std::string& what, ByteOffset from, ByteOffset to) const override;
  std::int32_t LineCount() const override { return static_cast<std::int32_t>(Lines().size()); }
  // The whole text is always laid out.
  bool LayOutRest(const std::function<bool()>&) const override { return true; }
  bool LayOutLongParagraphs(const std::function<bool()>&) const override { return true; }
  std::int32_t LineFromOffset(ByteOffset offset) const override;
  ByteOffset LineIndex(std::int32_t line) const override;
  std::string Line(std::int32_t line) const override;
  void ForEachLine(std::int32_t first,
                   const std::function<bool(std::string_view)>& take) const override;
  void ScrollCaret() override {}
  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  bool Modified() const override { return modified_; }
  void SetModified(bool modified) override { modified_ = modified; }
  bool StreamIn(const ReadBlock& read, std::int64_t expectedBytes = 0) override;
  bool StreamOut(const WriteBlock& write) override;
  bool HasFocus() const override { return focused; }
  void SetFocus() override { focused = true; }

 private:
  struct LineSpan {
    ByteOffset start;
    ByteOffset end;  // before the line break, if any
  };
  std::vector<LineSpan> Lines() const;
  // One step: `text` in place of `removed` bytes at `position`, reported before and after.
  void Step(ByteOffset position, ByteOffset removed, const std::string& text);
  void Replace(const std::string& text, bool recordUndo);
  void NotifyChange();
  // Puts the selection at `next` and reports it when its start or length changed.
  void MoveSelection(Selection next);

  LeadByteSet leadBytes_;
  EditAreaListener* listener_ = nullptr;
  std::string text_;
  Selection selection_;
  bool modified_ = false;
  int wrapWidth_ = 0;
  bool canUndo_ = false;
  std::string undoText_;
  Selection undoSelection_;
};

}  // namespace penlet
