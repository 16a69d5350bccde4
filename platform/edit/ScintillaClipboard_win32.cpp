// Cut, Copy and Paste on the editing area: the area's own copy is kept until a program asks for
// it, and long selections go in steps.
#include <algorithm>
#include <new>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {

bool ScintillaEdit::PutOnClipboard(Selection selection) {
  // A long selection is copied some megabytes at a time, the window answering between them.
  constexpr ByteOffset kPiece = 4 << 20;
  std::string copy;
  try {
    copy.reserve(static_cast<size_t>(selection.Length()));
  } catch (const std::bad_alloc&) {
    return false;  // no room for the copy: the clipboard stays as it was
  }
  Answering answering;
  for (ByteOffset p = selection.start; p < selection.end; p += kPiece) {
    if (p > selection.start) answering.Due();
    copy.append(TextRange(p, std::min(selection.end, p + kPiece)));
  }
  return copied_.Put(std::move(copy));
}

void ScintillaEdit::Cut() {
  Scope scope(*this);
  SettleDraft();
  const Selection selection = GetSelection();
  // What could not go to the clipboard stays in the text.
  if (selection.Length() > 0 && PutOnClipboard(selection)) {
    RemoveSelection();
  }
}

void ScintillaEdit::RemoveSelection() {
  const Selection selection = GetSelection();
  if (!NeedsSteps(selection.Length())) {
    Call(SCI_CLEAR);
    return;
  }
  // The history keeps a copy of what goes.
  if (!RoomFor(static_cast<std::uint64_t>(selection.Length()))) return;
  BeginSteps();
  if (RemoveInSteps(selection)) EndSteps();
}

void ScintillaEdit::Copy() {
  const Selection selection = GetSelection();
  if (selection.Length() > 0) PutOnClipboard(selection);
}

void ScintillaEdit::Paste() {
  Scope scope(*this);
  SettleDraft();
  // The area's own copy goes in as it is: every line break of the area's text is CR LF already,
  // which a paste through the system's clipboard would make of any other break.
  const auto own = copied_.Held();
  if (!own) {
    Call(SCI_PASTE);
    return;
  }
  const Selection selection = GetSelection();
  if (!NeedsSteps(selection.Length()) && !NeedsSteps(static_cast<ByteOffset>(own->size()))) {
    Call(SCI_BEGINUNDOACTION);
    window_.CallWithPointer(SCI_REPLACESEL, 0, "");
    window_.CallWithPointer(SCI_ADDTEXT, own->size(), own->data());
    Call(SCI_ENDUNDOACTION);
    return;
  }
  // Room for the whole text before the first step (made a piece at a time): grown by each step,
  // the buffer would be copied again and again. Without it, or without room for the history's
  // copies, nothing changes.
  CallFailed();  // an earlier failure is not this one's
  if (!AllocateInSteps(static_cast<std::uint64_t>(TextLength()) + own->size())) {
    if (listener_) listener_->EditAreaOutOfMemory();
    return;
  }
  if (!RoomFor(static_cast<std::uint64_t>(selection.Length()) + own->size())) return;
  BeginSteps();
  if (selection.Length() > 0) {
    if (!RemoveInSteps(selection)) return;
    NextStep();
  }
  if (InsertInSteps(*own)) EndSteps();
}

}  // namespace penlet
