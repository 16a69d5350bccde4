// Edits of megabytes in steps: between two steps the window repaints and answers the messages
// sent to it, and one Rescue takes every step back, again answering between them. The steps are
// marked in the component's own undo history, so that nothing else need remember them.
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

}  // namespace

bool ScintillaEdit::NeedsSteps(ByteOffset bytes) {
  return bytes > kStepBytes;
}

void ScintillaEdit::BeginSteps() {
  Call(SCI_ADDUNDOACTION, kFirstStepMark, UNDO_NONE);
  answering_ = Answering();
}

void ScintillaEdit::NextStep() {
  Call(SCI_ADDUNDOACTION, kNextStepMark, UNDO_NONE);
  answering_.Due();
}

void ScintillaEdit::EndSteps() {
  Call(SCI_ADDUNDOACTION, kLastStepMark, UNDO_NONE);
}

void ScintillaEdit::RemoveInSteps(Selection range) {
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
    Call(SCI_DELETERANGE, cut, end - cut);
    end = cut;
    if (end > range.start) NextStep();
  }
  Call(SCI_SETSEL, range.start, range.start);
}

void ScintillaEdit::InsertInSteps(const std::string& text) {
  // Each step ends with a line break where it can, so that no character or CR LF is split.
  for (size_t p = 0; p < text.size();) {
    size_t end = text.size() - p <= static_cast<size_t>(kStepBytes)
                     ? std::string::npos
                     : text.find('\n', p + kStepBytes);
    end = end == std::string::npos ? text.size() : end + 1;
    window_.CallWithPointer(SCI_ADDTEXT, end - p, text.data() + p);
    p = end;
    if (p < text.size()) NextStep();
  }
}

void ScintillaEdit::Undo() {
  Scope scope(*this);
  SettleDraft();
  undoneMark_ = 0;
  Call(SCI_UNDO);
  if (undoneMark_ != kLastStepMark) return;
  Answering answering;
  while (undoneMark_ != kFirstStepMark && Call(SCI_CANUNDO)) {
    answering.Due();
    Call(SCI_UNDO);
  }
}

}  // namespace penlet
