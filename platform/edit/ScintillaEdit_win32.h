// The editing area on the Scintilla editing component. Scintilla keeps the text as bytes of the
// system's ANSI code page, so its positions are the byte offsets that the program speaks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/edit/CopiedText_win32.h"
#include "platform/edit/ScintillaWindow_win32.h"
#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"
#include "platform/system/Words.h"
#include "platform/system/Win32Support_win32.h"
#include "platform/system/WindowSubclass_win32.h"

namespace penlet {

class ScintillaEdit : public EditArea {
 public:
  ScintillaEdit(HWND parent, int id, DWORD style, DWORD exStyle);
  ~ScintillaEdit() override;
  ScintillaEdit(const ScintillaEdit&) = delete;
  ScintillaEdit& operator=(const ScintillaEdit&) = delete;

  HWND Handle() const { return window_.Handle(); }
  // A new font lays the lines out anew.
  void SetFont(HFONT font, int dpi = 96);

  // The parent's WM_COMMAND and WM_NOTIFY are passed here; true when they were the control's.
  bool HandleCommand(WPARAM wParam, LPARAM lParam) const;
  bool HandleNotify(const NMHDR& header);

  void SetListener(EditAreaListener* listener) override { listener_ = listener; }
  ByteOffset TextLength() const override;
  std::string_view TextRange(ByteOffset start, ByteOffset end) const override;
  std::string Text() const override;
  void SetText(const std::string& text) override;
  Selection GetSelection() const override;
  void SetSelection(Selection selection) override;
  void SelectAll() override;
  void ReplaceSelection(const std::string& text) override;
  void ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) override;
  ByteOffset Find(const std::string& what, ByteOffset from, ByteOffset to) const override;
  std::int32_t LineCount() const override;
  std::int32_t LineFromOffset(ByteOffset offset) const override;
  ByteOffset LineIndex(std::int32_t line) const override;
  std::string Line(std::int32_t line) const override;
  void ForEachLine(std::int32_t first,
                   const std::function<bool(std::string_view)>& take) const override;
  bool LayOutRest(const std::function<bool()>& between) const override;
  bool LayOutLongParagraphs(const std::function<bool()>& between) const override;
  void ScrollCaret() override;
  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  bool Modified() const override { return modified_; }
  void SetModified(bool modified) override { modified_ = modified; }
  bool StreamIn(const ReadBlock& read, std::int64_t expectedBytes = 0) override;
  bool StreamOut(const WriteBlock& write) override;
  bool HasFocus() const override;
  void SetFocus() override;
  void KeepAnswering() override { pacing_.Due(); }

  // The input method's composition while the user composes: where it stands among the
  // component's bytes (empty when there is none). It is drawn in the text but is no part of it.
  Selection Draft() const { return {draftStart_, draftStart_ + draftLength_}; }

 private:
  // Reports what an edit did once it is complete: while one lives, the steps of the component's
  // edits are only gathered; when the outermost ends, the owner hears of the change once and of
  // the selection once.
  class Scope {
   public:
    explicit Scope(ScintillaEdit& edit) : edit_(edit) { ++edit_.depth_; }
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ScintillaEdit& edit_;
  };

  static LRESULT SubclassProc(void* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Hands a message on to the component, as the area's keys and characters want it.
  static LRESULT Deliver(ScintillaEdit& edit, HWND hwnd, UINT message, WPARAM wParam,
                         LPARAM lParam);
  std::intptr_t Call(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const {
    return window_.Call(message, wParam, lParam);
  }
  void OnModified(int type, ByteOffset position, ByteOffset length);
  void Report();
  // The component's gap (ScintillaSteps_win32.cpp): moved towards the caret in steps, posted
  // while it is far from it (kGapMessage), one step for each.
  static constexpr UINT kGapMessage = WM_APP + 0x52;
  void FollowCaretWithGap();
  void StepGapTowardsCaret();
  // The input method's messages (ScintillaInput_win32.cpp): the composition drawn at the caret
  // and kept out of the text that the program sees, and the commits, each one edit.
  static bool Composes(UINT message);
  static bool FromInputMethod(UINT message);
  LRESULT Compose(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Hands the component a message that only changes the composition's drawing.
  LRESULT DeliverDraft(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Commit(HWND hwnd, WPARAM wParam, LPARAM lParam);
  // Ends the marks of a selection that a composition removed, once no commit can follow.
  void CloseCommit();
  // A step of the component's while the composition is drawn.
  void TrackDraft(int type, ByteOffset position, ByteOffset length);
  // Before an edit of the program's own: the composition is committed, or at least gone.
  void SettleDraft();
  // Asks the input method to put its windows at the caret.
  void PlaceCandidates() const;
  // Offsets of the text without the composition, and of the component's bytes.
  ByteOffset RawOffset(ByteOffset offset) const;
  ByteOffset TextOffset(ByteOffset raw) const;
  // Puts the bytes of `selection` on the clipboard; false when they could not go there.
  bool PutOnClipboard(Selection selection);
  // Deletes the selection: a long one in steps that one Rescue takes back.
  void RemoveSelection();
  // Edits of megabytes (ScintillaSteps_win32.cpp): whether `bytes` make one, the marks around
  // and between its steps, and the steps of a removal and an insertion at the caret.
  static bool NeedsSteps(ByteOffset bytes);
  void BeginSteps();
  void NextStep();
  // `typingGoesOn`: the last step was a character typed over a selection, and the characters
  // typed right after it join the edit, which one Rescue takes back whole.
  void EndSteps(bool typingGoesOn = false);
  // False when a step found no memory: the steps done are then taken back.
  bool RemoveInSteps(Selection range);
  bool InsertInSteps(const std::string& text);
  // Whether the process has room for `bytes` more; when not, the owner hears of it.
  bool RoomFor(std::uint64_t bytes);
  // Room in the component's buffer for `bytes` of text, made a piece at a time, the window
  // answering between the pieces; false when the component cannot have it.
  bool AllocateInSteps(std::uint64_t bytes);
  // Whether the component's last call failed (no memory); clears its failure.
  bool CallFailed();
  // Takes the steps of an edit back after one of them failed, and tells the owner.
  void AbandonSteps();
  // Undoes from the last step's mark to the first; on a failure, redoes back and returns false.
  bool UndoSteps();
  // Keeps the undo history within its bytes, dropping its oldest operations.
  void BoundHistory();
  // The nearest position at or before `offset` where a character starts, found in the bytes
  // before it.
  ByteOffset CharacterStartAtOrBefore(ByteOffset offset) const;
  // Brings the gap within a piece of `position`, the window answering between the pieces.
  void BringGapNear(ByteOffset position);
  // Replaces [start, end) with `text`, not recorded for undo.
  void ReplaceQuietly(ByteOffset start, ByteOffset end, const std::string& text);
  std::int32_t DocumentLine(ByteOffset offset) const;
  // Which display line of its document line `offset` lies on: 0 for the first.
  std::int32_t SubLine(ByteOffset offset) const;
  // Sees that the lines up to `documentLine` are laid out, so that display lines count right.
  void LayOutThrough(std::int32_t documentLine) const;
  // The display lines of the first document line, laid out now.
  std::int32_t FirstLineHeight() const;
  // Display lines as far as the component has laid them out.
  std::int32_t DisplayLines() const;

  // The edit-control questions of other programs and this one (ScintillaQuestions_win32.cpp):
  // true, with the answer, for one of them.
  bool AnswerQuestion(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
  // The bytes of the display line holding `offset`, without its line break.
  ByteOffset DisplayLineLength(ByteOffset offset) const;
  // Words and paragraphs (ScintillaWords_win32.cpp): the word keys, Ctrl+Up and Ctrl+Down, the
  // double-click and the drag after it. True when `message` was one of them and is done.
  bool HandleWordMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The document line around `offset` with the line break before it: no word reaches further.
  struct Around {
    std::string_view text;
    ByteOffset base = 0;
  };
  Around TextAround(ByteOffset offset) const;
  bool WordKey(WPARAM key, bool extend);
  void SelectWordAt(LPARAM point);
  void DragWords(POINT pointer);
  void MoveCaret(ByteOffset caret, bool extend);

  static const std::intptr_t kDocumentOptions;

  ScintillaWindow window_;
  CopiedText copied_;
  // The window's messages reach SubclassProc first, from the end of the constructor on.
  std::optional<WindowSubclass> subclass_;
  EditAreaListener* listener_ = nullptr;
  LeadByteSet leadBytes_;
  bool modified_ = false;
  int depth_ = 0;
  bool changed_ = false;            // a step happened since the last report
  bool quiet_ = false;              // the change and the caret's move are the caller's to report
  bool flushPosted_ = false;        // a step came outside any message: a report is on its way
  bool gapPosted_ = false;          // the text's gap has a step to go towards the caret
  bool enterDown_ = false;          // the last key pressed was Enter
  Selection reported_;              // the selection as the owner last heard of it
  std::int32_t displayLines_ = 1;   // as the owner last heard of them
  std::intptr_t undoneMark_ = 0;    // the mark of the last undo step that had one
  Answering answering_;             // paces the window's answers between steps
  mutable Answering pacing_;        // and through searches and counts
  std::int64_t stepBytes_ = 0;      // removed and inserted by the last edit in steps
  std::int64_t historyGrowth_ = 0;  // bytes edited since the undo history was last bounded
  bool newLayout_ = false;          // a new width or font: the lines break elsewhere than reported
  int width_ = 0;                   // of the component's client area, as last sized
  bool wordDrag_ = false;           // the button is down after a double-click: words are selected
  Selection wordAnchor_;            // the word the double-click selected
  bool drafting_ = false;           // the component is drawing the composition
  ByteOffset draftStart_ = 0;       // of the composition drawn in the text
  ByteOffset draftLength_ = 0;
  bool commitOpen_ = false;      // the marks of an edit by the input method are open
  int composing_ = 0;            // the input method's messages being handled
  mutable std::string spliced_;  // a range of the text read across the composition
};

}  // namespace penlet
