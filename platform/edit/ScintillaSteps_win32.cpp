// Edits of megabytes in steps: between two steps the window repaints and answers the messages
// sent to it, and one Rescue takes every step back, again answering between them. The steps are
// marked in the component's own undo history, so that nothing else need remember them. Near the
// end of the address space an edit that cannot have its memory is refused or taken back.
#include <algorithm>
#include <cstdlib>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {
namespace {

constexpr ByteOffset kStepBytes = 4 << 20;
// Marks that the history holds before the first step and after the last.
constexpr std::intptr_t kFirstStepMark = 0x50456E31;
constexpr std::intptr_t kLastStepMark = 0x50456E32;
// Between two steps: it keeps insertions from joining into one undo step.
constexpr std::intptr_t kNextStepMark = 0x50456E33;

// The component edits its text at a gap in its buffer, which an edit elsewhere moves there with
// every byte in between: 200 MB take some 80 ms under Wine. The gap is brought towards an edit
// to come a piece at a time, a copy of well under a millisecond, the window answering between.
constexpr ByteOffset kGapPiece = 4 << 20;
// How far the gap may stay from where the next keystroke goes: copying this much costs little.
constexpr std::intptr_t kGapSlack = 64 << 10;

// The build's own messages of the component (patches/scintilla/0017): the bytes of text
// its undo history holds; dropping the oldest operations down to wParam bytes; the bytes that
// undoing back to the container action wParam puts back into the text.
constexpr unsigned kUndoBytes = 0x7E50;
constexpr unsigned kTrimUndo = 0x7E51;
constexpr unsigned kUndoInsertBytes = 0x7E52;
// And the gap moved towards wParam by at most lParam bytes (0022); room for wParam bytes of text,
// made by copying at most lParam bytes (1 once it is had; 0023).
constexpr unsigned kGapTowards = 0x7E53;
constexpr unsigned kAllocateTowards = 0x7E54;

// The undo history keeps at least this much, and at least as much as the text and the last
// edit in steps: a day's edits of a short text stay undoable, and a long text's last edit too.
constexpr std::int64_t kHistoryFloor = 64 << 20;
// What an edit in steps may record beside its steps: the character typed over the selection, an
// input method's commit. Without it, the bound would drop the edit's own first step.
constexpr std::int64_t kBesideSteps = 1 << 20;
// What the process keeps free beyond an edit's own bytes: the layout, the counter's index.
constexpr std::uint64_t kMemoryMargin = 64u << 20;

}  // namespace

void ScintillaEdit::BringGapNear(ByteOffset position) {
  while (std::abs(Call(SCI_GETGAPPOSITION) - static_cast<std::intptr_t>(position)) > kGapPiece) {
    Call(kGapTowards, static_cast<std::uintptr_t>(position), kGapPiece);
    answering_.Due();
  }
}

// The first keystroke after opening a long text, or after a jump to its end, would otherwise
// copy megabytes: the gap goes where the caret went, a piece at a time, each a posted message,
// while the user is not typing yet.
void ScintillaEdit::FollowCaretWithGap() {
  if (gapPosted_) return;
  const std::intptr_t distance = Call(SCI_GETSELECTIONSTART) - Call(SCI_GETGAPPOSITION);
  if (distance > -kGapSlack && distance < kGapSlack) return;
  gapPosted_ = PostMessageW(Handle(), kGapMessage, 0, 0) != FALSE;
}

void ScintillaEdit::StepGapTowardsCaret() {
  gapPosted_ = false;
  Call(kGapTowards, static_cast<std::uintptr_t>(Call(SCI_GETSELECTIONSTART)), kGapPiece);
  FollowCaretWithGap();
}

bool ScintillaEdit::NeedsSteps(ByteOffset bytes) {
  return bytes > kStepBytes;
}

void ScintillaEdit::BeginSteps() {
  CallFailed();  // an earlier failure is not this one's
  Call(SCI_ADDUNDOACTION, kFirstStepMark, UNDO_NONE);
  answering_ = Answering();
  stepBytes_ = 0;
}

void ScintillaEdit::NextStep() {
  Call(SCI_ADDUNDOACTION, kNextStepMark, UNDO_NONE);
  answering_.Due();
}

void ScintillaEdit::EndSteps(bool typingGoesOn) {
  // A mark that may coalesce lets the next typed character into the step before it, as the
  // component keeps characters typed over a short selection in one step with the next ones.
  Call(SCI_ADDUNDOACTION, kLastStepMark, typingGoesOn ? UNDO_MAY_COALESCE : UNDO_NONE);
}

bool ScintillaEdit::CallFailed() {
  if (Call(SCI_GETSTATUS) == SC_STATUS_OK) return false;
  Call(SCI_SETSTATUS, SC_STATUS_OK);
  return true;
}

bool ScintillaEdit::AllocateInSteps(std::uint64_t bytes) {
  answering_ = Answering();
  while (Call(kAllocateTowards, static_cast<std::uintptr_t>(bytes), kGapPiece) == 0) {
    if (CallFailed()) return false;
    answering_.Due();
  }
  return !CallFailed();
}

bool ScintillaEdit::RoomFor(std::uint64_t bytes) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status) || status.ullAvailVirtual >= bytes + kMemoryMargin) {
    return true;
  }
  if (listener_) listener_->EditAreaOutOfMemory();
  return false;
}

void ScintillaEdit::AbandonSteps() {
  EndSteps();
  Call(SCI_UNDO);
  UndoSteps();
  if (listener_) listener_->EditAreaOutOfMemory();
}

void ScintillaEdit::BoundHistory() {
  historyGrowth_ = 0;
  const std::int64_t limit =
      std::max({kHistoryFloor, static_cast<std::int64_t>(TextLength()), stepBytes_ + kBesideSteps});
  if (Call(kUndoBytes) > limit) Call(kTrimUndo, static_cast<std::uintptr_t>(limit));
}

bool ScintillaEdit::RemoveInSteps(Selection range) {
  // From the end backwards, each step ending after a line break where there is one near, so
  // that taking the steps back puts the caret behind the whole text again.
  ByteOffset end = range.end;
  while (end > range.start) {
    ByteOffset cut = range.start;
    if (end - range.start > kStepBytes) {
      const ByteOffset around = end - kStepBytes;
      const std::string_view before = TextRange(std::max(range.start, around - 65536), around);
      const size_t lineEnd = before.rfind('\n');
      cut = lineEnd == std::string_view::npos
                ? around
                : around - static_cast<ByteOffset>(before.size() - lineEnd - 1);
      // Without a line break, after the nearest byte that is no lead byte: a character boundary.
      while (lineEnd == std::string_view::npos && cut > range.start &&
             leadBytes_.Contains(static_cast<unsigned char>(TextRange(cut - 1, cut)[0]))) {
        --cut;
      }
    }
    // The caret's gap is at the selection's start, the first step at its end.
    BringGapNear(cut);
    Call(SCI_DELETERANGE, cut, end - cut);
    if (CallFailed()) {
      AbandonSteps();
      return false;
    }
    stepBytes_ += end - cut;
    end = cut;
    if (end > range.start) NextStep();
  }
  Call(SCI_SETSEL, range.start, range.start);
  return true;
}

bool ScintillaEdit::InsertInSteps(const std::string& text) {
  // Each step ends with a line break where it can, so that no character or CR LF is split.
  for (size_t p = 0; p < text.size();) {
    size_t end = text.size() - p <= static_cast<size_t>(kStepBytes)
                     ? std::string::npos
                     : text.find('\n', p + kStepBytes);
    end = end == std::string::npos ? text.size() : end + 1;
    window_.CallWithPointer(SCI_ADDTEXT, end - p, text.data() + p);
    if (CallFailed()) {
      AbandonSteps();
      return false;
    }
    stepBytes_ += static_cast<std::int64_t>(end - p);
    p = end;
    if (p < text.size()) NextStep();
  }
  return true;
}

bool ScintillaEdit::UndoSteps() {
  Answering answering;
  while (undoneMark_ != kFirstStepMark && Call(SCI_CANUNDO)) {
    answering.Due();
    Call(SCI_UNDO);
    // A step that cannot have its memory is left undone: the loop would only meet it again.
    if (CallFailed()) return false;
    // Taking back what was typed over a whole text empties the component's buffer, and an empty
    // buffer gives its room back: the room for what the steps put back is made again, where
    // the buffer would otherwise grow, and be copied whole, again and again.
    if (Call(SCI_GETLENGTH) == 0) {
      Call(SCI_ALLOCATE, static_cast<std::uintptr_t>(Call(kUndoInsertBytes, kFirstStepMark)));
      CallFailed();  // without the room, the steps make their own
    }
  }
  return true;
}

void ScintillaEdit::Undo() {
  Scope scope(*this);
  SettleDraft();
  undoneMark_ = 0;
  CallFailed();  // an earlier failure is not this one's
  Call(SCI_UNDO);
  if (CallFailed()) {
    if (listener_) listener_->EditAreaOutOfMemory();
    return;
  }
  if (undoneMark_ != kLastStepMark) return;
  // The text that the steps put back gets its room before any of them: without it, nothing
  // changes. Grown step by step, the buffer would need its whole size again at every
  // growth, which near the end of the address space it cannot have.
  const auto back = static_cast<std::uint64_t>(Call(kUndoInsertBytes, kFirstStepMark));
  // The buffer grows only when the room it has falls short of an insertion: as much as the
  // text and what comes back is enough, and a buffer that has it already is not copied.
  if (!AllocateInSteps(static_cast<std::uint64_t>(TextLength()) + back)) {
    // Only the last mark was undone: it goes back, and the edit stays whole and undoable.
    Call(SCI_REDO);
    CallFailed();
    if (listener_) listener_->EditAreaOutOfMemory();
    return;
  }
  if (!UndoSteps() && listener_) listener_->EditAreaOutOfMemory();
}

}  // namespace penlet
