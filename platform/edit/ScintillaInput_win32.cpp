// Typing through an input method: the composition drawn at the caret in the area's own font, kept
// out of the text the program sees, and each commit one edit of the user's.
#include <algorithm>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

// After windows.h, which it needs.
#include <imm.h>

namespace penlet {
namespace {

// What of a composition message concerns the committed text; the rest concerns the draft.
constexpr LPARAM kResultParts =
    GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;

// The input method's context of a window, released again.
class InputContext {
 public:
  explicit InputContext(HWND hwnd) : hwnd_(hwnd), imc_(ImmGetContext(hwnd)) {}
  ~InputContext() {
    if (imc_) ImmReleaseContext(hwnd_, imc_);
  }
  InputContext(const InputContext&) = delete;
  InputContext& operator=(const InputContext&) = delete;
  HIMC Get() const { return imc_; }

 private:
  HWND hwnd_;
  HIMC imc_;
};

}  // namespace

bool ScintillaEdit::Composes(UINT message) {
  return message == WM_IME_STARTCOMPOSITION || message == WM_IME_COMPOSITION ||
         message == WM_IME_ENDCOMPOSITION;
}

bool ScintillaEdit::FromInputMethod(UINT message) {
  return (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_KEYLAST) ||
         (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP);
}

LRESULT ScintillaEdit::Compose(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The window answers between the steps of a long removal: those messages close nothing.
  struct Composing {
    explicit Composing(int& depth) : depth_(++depth) {}
    ~Composing() { --depth_; }
    int& depth_;
  } composing(composing_);
  if (message == WM_IME_STARTCOMPOSITION) {
    PlaceCandidates();
    return subclass_->CallNext(hwnd, message, wParam, lParam);
  }
  if (message == WM_IME_ENDCOMPOSITION) {
    // The marks stay open: Wine ends the composition before it hands over what was committed.
    // They close at the first message that is not the input method's (CloseCommit).
    return DeliverDraft(hwnd, message, wParam, lParam);
  }
  if (lParam & GCS_RESULTSTR) {
    // The draft goes before the committed text comes, so that every step the program hears of
    // is one of the text it knows.
    if (draftLength_ > 0) DeliverDraft(hwnd, message, wParam, 0);
    Commit(hwnd, wParam, lParam & kResultParts);
    if (!(lParam & GCS_COMPSTR)) return 0;
    return DeliverDraft(hwnd, message, wParam, lParam & ~kResultParts);
  }
  // Wine sends a message after every change that only moves the input method's cursor, without
  // the string; the component would take it for an empty composition and drop the draft. The
  // draft is drawn again from the composition as the input method holds it (none after a
  // cancel).
  return DeliverDraft(hwnd, message, wParam, lParam | GCS_COMPSTR | GCS_COMPATTR);
}

LRESULT ScintillaEdit::DeliverDraft(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_IME_COMPOSITION && draftLength_ == 0 && GetSelection().Length() > 0 &&
      (lParam & GCS_COMPSTR)) {
    // The first draft over a selection takes its place: the removal is an edit of the user's,
    // in steps for a long one, and one Rescue takes it back with what is committed after it.
    InputContext imc(hwnd);
    if (imc.Get() && ImmGetCompositionStringW(imc.Get(), GCS_COMPSTR, nullptr, 0) > 0) {
      if (!commitOpen_) BeginSteps();
      commitOpen_ = true;
      RemoveInSteps(GetSelection());
      NextStep();
    }
  }
  // Overtyping would let the draft remove text of the document.
  const bool overtype = Call(SCI_GETOVERTYPE) != 0;
  if (overtype) Call(SCI_SETOVERTYPE, 0);
  drafting_ = true;
  const LRESULT result = subclass_->CallNext(hwnd, message, wParam, lParam);
  drafting_ = false;
  if (overtype) Call(SCI_SETOVERTYPE, 1);
  if (draftLength_ > 0) PlaceCandidates();
  return result;
}

void ScintillaEdit::Commit(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  // Marked as the steps of a long edit are, so that one Rescue takes the whole commit back, and
  // the selection it replaced, and nothing typed before it.
  if (!commitOpen_) {
    BeginSteps();
    commitOpen_ = true;
    const Selection selection = GetSelection();
    if (selection.Length() > 0) {
      RemoveInSteps(selection);
      NextStep();
    }
  }
  subclass_->CallNext(hwnd, WM_IME_COMPOSITION, wParam, lParam);
  EndSteps();
  commitOpen_ = false;
}

void ScintillaEdit::CloseCommit() {
  // A selection that gave way to a composition then cancelled stays removed, as in the system's
  // edit controls; one Rescue brings it back.
  if (commitOpen_ && draftLength_ == 0 && composing_ == 0) {
    EndSteps();
    commitOpen_ = false;
  }
}

void ScintillaEdit::TrackDraft(int type, ByteOffset position, ByteOffset length) {
  if (type & SC_MOD_INSERTTEXT) {
    if (draftLength_ == 0) draftStart_ = position;
    draftLength_ += length;
  } else if (type & SC_MOD_DELETETEXT) {
    draftLength_ = std::max(0, draftLength_ - length);
  }
}

void ScintillaEdit::SettleDraft() {
  if (draftLength_ == 0) {
    CloseCommit();
    return;
  }
  // As a click in the text does: what the user composed is committed before the program acts.
  {
    InputContext imc(Handle());
    if (imc.Get()) ImmNotifyIME(imc.Get(), NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  }
  // An input method that did not answer at once loses its draft.
  if (draftLength_ > 0) SendMessageW(Handle(), WM_IME_ENDCOMPOSITION, 0, 0);
}

void ScintillaEdit::PlaceCandidates() const {
  InputContext imc(Handle());
  if (!imc.Get()) return;
  const std::intptr_t caret = Call(SCI_GETCURRENTPOS);
  const int x = static_cast<int>(Call(SCI_POINTXFROMPOSITION, 0, caret));
  const int y = static_cast<int>(Call(SCI_POINTYFROMPOSITION, 0, caret));
  const int height = static_cast<int>(Call(SCI_TEXTHEIGHT, Call(SCI_LINEFROMPOSITION, caret)));
  RECT client{};
  GetClientRect(Handle(), &client);
  // Below the caret's row, which the list leaves free.
  CANDIDATEFORM candidates{};
  candidates.dwIndex = 0;
  candidates.dwStyle = CFS_EXCLUDE;
  candidates.ptCurrentPos = {x, y + height};
  candidates.rcArea = {client.left, y, client.right, y + height};
  ImmSetCandidateWindow(imc.Get(), &candidates);
  COMPOSITIONFORM composition{};
  composition.dwStyle = CFS_POINT;
  composition.ptCurrentPos = {x, y};
  ImmSetCompositionWindow(imc.Get(), &composition);
}

ByteOffset ScintillaEdit::RawOffset(ByteOffset offset) const {
  return offset <= draftStart_ || draftLength_ == 0 ? offset : offset + draftLength_;
}

ByteOffset ScintillaEdit::TextOffset(ByteOffset raw) const {
  if (raw <= draftStart_ || draftLength_ == 0) return raw;
  return std::max(draftStart_, raw - draftLength_);
}

}  // namespace penlet
