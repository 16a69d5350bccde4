// The editing area's window: the messages that reach the component, its notifications, and the
// reports of what an edit did, once it is complete.
#include "platform/edit/ScintillaEdit_win32.h"

#include <commctrl.h>

#include "Scintilla.h"
#include "platform/edit/ScintillaManner_win32.h"
#include "platform/system/Dpi.h"
#include "platform/system/Locale.h"

namespace penlet {
namespace {

// Posted to the component's window when an edit came outside any of its messages (a drop from
// another program): the report follows as soon as the loop gets to it.
constexpr UINT kReportMessage = WM_APP + 0x51;
// How far the undo history may grow past its bound before it is counted again.
constexpr std::int64_t kHistorySlack = 1 << 20;
constexpr int kTabStop = 48;  // half an inch at 96 dots per inch

}  // namespace

// The editing area's documents: text without style bytes.
const std::intptr_t ScintillaEdit::kDocumentOptions = SC_DOCUMENTOPTION_STYLES_NONE;

ScintillaEdit::Scope::~Scope() {
  if (--edit_.depth_ == 0) edit_.Report();
}

ScintillaEdit::ScintillaEdit(HWND parent, int id, DWORD style, DWORD exStyle)
    : window_(parent, id, style, exStyle), leadBytes_(AnsiLeadBytes()) {
  Call(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_MOD_BEFOREINSERT |
                                SC_MOD_BEFOREDELETE | SC_MOD_CONTAINER);
  // The document keeps no style bytes: a byte of memory saved for every byte of text.
  window_.UseDocument(window_.CallForPointer<void>(SCI_CREATEDOCUMENT, 0, kDocumentOptions));
  UseSystemColours(window_);
  UseNotepadKeys(window_);
  window_.SetTabStops(kTabStop);
  // The layouts of a page of lines are kept: finding where the rows of a paragraph start asks
  // for its layout again and again.
  Call(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
  // The composition is drawn at the caret in the area's own font, as the system's edit controls
  // draw it, rather than in the input method's window (which Wine does not draw).
  Call(SCI_SETIMEINTERACTION, SC_IME_INLINE);
  subclass_.emplace(Handle(), &ScintillaEdit::SubclassProc, this);
}

void ScintillaEdit::SetFont(HFONT font, int dpi) {
  Scope scope(*this);
  window_.SetFont(font, dpi);
  // Every half inch, as the platform's text controls put their default tab stops.
  window_.SetTabStops(ScaleForDpi(kTabStop, dpi));
  newLayout_ = true;
}

ScintillaEdit::~ScintillaEdit() {
  if (!IsWindow(Handle())) return;
  subclass_.reset();
}

// Every message that reaches the component runs inside a scope, so that what the user's key,
// click, paste or drop did is reported once when the message is done.
LRESULT ScintillaEdit::SubclassProc(void* self, HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
  auto* edit = static_cast<ScintillaEdit*>(self);
  if (message == kReportMessage) {
    edit->flushPosted_ = false;
    Scope scope(*edit);
    return 0;
  }
  if (message == kGapMessage) {
    edit->StepGapTowardsCaret();
    return 0;
  }
  if (message == WM_NCDESTROY || message == WM_DESTROY) {
    // A copy still waiting to be rendered is put on the clipboard now, while this procedure
    // still sees the window's messages.
    edit->copied_.EndOwner();
    edit->subclass_->Remove();
    return edit->subclass_->CallNext(hwnd, message, wParam, lParam);
  }
  if (message == WM_SYSCOLORCHANGE) UseSystemColours(edit->window_);
  Scope scope(*edit);
  // Other programs' questions, in byte offsets and display lines.
  if (LRESULT answer = 0; edit->AnswerQuestion(message, wParam, lParam, answer)) return answer;
  // Lines wrap at the client area's width, and its height leaves them where they are.
  if (message == WM_SIZE && LOWORD(lParam) != edit->width_) {
    edit->width_ = LOWORD(lParam);
    edit->newLayout_ = true;
  }
  if (message == WM_DPICHANGED) edit->newLayout_ = true;
  if (Composes(message)) return edit->Compose(hwnd, message, wParam, lParam);
  if (!FromInputMethod(message)) edit->CloseCommit();
  switch (AreaCommandOf(message, wParam)) {
    case AreaCommand::kCut:
      edit->Cut();
      return 0;
    case AreaCommand::kCopy:
      edit->Copy();
      return 0;
    case AreaCommand::kPaste:
      edit->Paste();
      return 0;
    case AreaCommand::kUndo:
      edit->Undo();
      return 0;
    case AreaCommand::kNone:
      break;
  }
  // Words and paragraphs: the component's word is a whole run of Japanese.
  if (edit->HandleWordMessage(message, wParam, lParam)) return 0;
  const bool typed = message == WM_KEYDOWN || message == WM_CHAR || message == WM_IME_CHAR;
  if (typed && NeedsSteps(edit->GetSelection().Length())) {
    if (message == WM_KEYDOWN && (wParam == VK_DELETE || wParam == VK_BACK) &&
        GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0) {
      edit->RemoveSelection();
      return 0;
    }
    if (TypesOverSelection(message, wParam)) {
      // A long selection typed over goes in steps, which one Rescue takes back with what was
      // typed.
      if (!edit->RoomFor(static_cast<std::uint64_t>(edit->GetSelection().Length()))) return 0;
      edit->BeginSteps();
      if (!edit->RemoveInSteps(edit->GetSelection())) return 0;
      edit->NextStep();
      const LRESULT result = Deliver(*edit, hwnd, message, wParam, lParam);
      edit->EndSteps(true);
      return result;
    }
  }
  return Deliver(*edit, hwnd, message, wParam, lParam);
}

LRESULT ScintillaEdit::Deliver(ScintillaEdit& edit, HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) {
  if (message == WM_IME_CHAR) {
    // A character an input method hands over: typed as one. (Left to the system, Wine splits
    // it into two bytes, each typed alone.)
    return edit.subclass_->CallNext(hwnd, WM_CHAR, wParam, lParam);
  }
  if (message == WM_KEYDOWN) edit.enterDown_ = wParam == VK_RETURN;
  if (message == WM_CHAR && (wParam == '\r' || wParam == '\n')) {
    // The component puts a line break for the Enter key itself and would take the character
    // that follows it, or one that comes alone, as a bare CR or LF: every line break is CR LF.
    if (!edit.enterDown_) edit.Call(SCI_NEWLINE);
    edit.enterDown_ = false;
    return 0;
  }
  if (IsForeignToNotepad(message, wParam)) return 0;
  return edit.subclass_->CallNext(hwnd, message, wParam, lParam);
}

bool ScintillaEdit::HandleCommand(WPARAM, LPARAM lParam) const {
  // The component's own change notices: the steps are reported through WM_NOTIFY instead.
  return FromParam<HWND>(lParam) == Handle();
}

bool ScintillaEdit::HandleNotify(const NMHDR& header) {
  if (header.hwndFrom != Handle()) return false;
  if (header.code == SCN_STYLENEEDED) {
    window_.StyleTo(NotificationAs<SCNotification>(header).position);
  } else if (header.code == SCN_MODIFIED) {
    const auto& n = NotificationAs<SCNotification>(header);
    if (n.modificationType & SC_MOD_CONTAINER) undoneMark_ = n.token;
    OnModified(n.modificationType, static_cast<ByteOffset>(n.position),
               static_cast<ByteOffset>(n.length));
  }
  return true;
}

void ScintillaEdit::OnModified(int type, ByteOffset position, ByteOffset length) {
  // The composition's steps are no edits: the program sees only committed text.
  if (drafting_) {
    TrackDraft(type, position, length);
    return;
  }
  const bool removing = type & (SC_MOD_BEFOREDELETE | SC_MOD_DELETETEXT);
  const TextEdit edit{position, removing ? length : 0, removing ? 0 : length};
  if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) {
    if (listener_) listener_->EditAreaTextChanging(edit);
    return;
  }
  if (!(type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT))) return;
  modified_ = true;
  changed_ = true;
  historyGrowth_ += length;
  if (listener_) listener_->EditAreaTextChanged(edit);
  if (depth_ == 0 && !flushPosted_) {
    flushPosted_ = PostMessageW(Handle(), kReportMessage, 0, 0) != FALSE;
  }
}

void ScintillaEdit::Report() {
  // A listener that reads the area runs its own scopes; those report nothing new.
  ++depth_;
  KeepOneOrdinarySelection(window_);
  if (quiet_) {
    changed_ = false;
    reported_ = GetSelection();
    displayLines_ = DisplayLines();
  }
  if (changed_) {
    changed_ = false;
    // Counting the history's bytes walks all of it: not after every keystroke, only once the
    // edits since the last count could have added a megabyte.
    if (historyGrowth_ > kHistorySlack) BoundHistory();
    if (listener_) listener_->EditAreaChanged();
  }
  const Selection now = GetSelection();
  if (!(now == reported_)) {
    reported_ = now;
    if (listener_) listener_->EditAreaSelectionChanged();
  }
  // The background layout changes the count of the lines laid out so far, and nothing else.
  // A composition's own rows are left out: they go with it.
  const std::int32_t lines = draftLength_ > 0 ? displayLines_ : DisplayLines();
  if (lines != displayLines_ || newLayout_) {
    const LayoutChange change =
        newLayout_ ? LayoutChange::kNewLayout : LayoutChange::kLaidOutFurther;
    displayLines_ = lines;
    newLayout_ = false;
    if (listener_) listener_->EditAreaLinesChanged(change);
  }
  FollowCaretWithGap();
  --depth_;
}

void ScintillaEdit::ScrollCaret() {
  Scope scope(*this);
  Call(SCI_SCROLLCARET);
}

bool ScintillaEdit::HasFocus() const {
  return GetFocus() == Handle();
}

void ScintillaEdit::SetFocus() {
  ::SetFocus(Handle());
}

}  // namespace penlet
