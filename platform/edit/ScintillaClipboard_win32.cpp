// Cut, Copy and Paste on the editing area: the area's own copy is kept until a program asks for
// it, and long selections go in steps.
#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {

void ScintillaEdit::Cut() {
  Scope scope(*this);
  SettleDraft();
  const Selection selection = GetSelection();
  // What could not go to the clipboard stays in the text.
  if (selection.Length() > 0 && copied_.Put(Handle(), TextRange(selection.start, selection.end))) {
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
  if (selection.Length() > 0) copied_.Put(Handle(), TextRange(selection.start, selection.end));
}

void ScintillaEdit::Paste() {
  Scope scope(*this);
  SettleDraft();
  // The area's own copy goes in as it is: every line break of the area's text is CR LF already,
  // which a paste through the system's clipboard would make of any other break.
  const auto own = copied_.Held(Handle());
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
  // Room for the whole text at once: grown step by step, the buffer would be copied again and
  // again. Without it, or without room for the history's copies, nothing changes.
  CallFailed();  // an earlier failure is not this one's
  Call(SCI_ALLOCATE, static_cast<std::uintptr_t>(TextLength()) + own->size());
  if (CallFailed()) {
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
