// The editing area on Scintilla: byte offsets, CR LF line breaks and display lines.
#include "platform/ScintillaEdit_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "ILoader.h"
#include "Scintilla.h"
#include "platform/Locale.h"
#include "platform/ScintillaManner_win32.h"

namespace penlet {
namespace {

// Posted to the component's window when an edit came outside any of its messages (a drop from
// another program): the report follows as soon as the loop gets to it.
constexpr UINT kReportMessage = WM_APP + 0x51;
constexpr UINT_PTR kSubclassId = 1;
// The editing area's documents: text without style bytes.
constexpr std::intptr_t kDocumentOptions = SC_DOCUMENTOPTION_STYLES_NONE;

// A face name as Scintilla wants it: UTF-8.
std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(std::strlen(result.c_str()));
  return result;
}

}  // namespace

ScintillaWindow::ScintillaWindow(HWND parent, int id, DWORD style, DWORD exStyle) {
  static const bool registered = [] {
    Scintilla_RegisterClasses(GetModuleHandleW(nullptr));
    return true;
  }();
  (void)registered;
  hwnd_ = CreateWindowExW(exStyle, L"Scintilla", L"", style, 0, 0, 0, 0, parent, ControlId(id),
                          GetModuleHandleW(nullptr), nullptr);
  direct_ = FromParam<DirectFunction>(SendMessageW(hwnd_, SCI_GETDIRECTFUNCTION, 0, 0));
  directPointer_ = FromParam<void*>(SendMessageW(hwnd_, SCI_GETDIRECTPOINTER, 0, 0));

  // Plain text in black on white (the editing area takes the system's colours), lines wrapped at
  // the right edge, nothing in the margins, no menu of the component's own (the window has one), no
  // horizontal bar.
  Call(SCI_SETWRAPMODE, SC_WRAP_WORD);
  Call(SCI_SETHSCROLLBAR, 0);
  Call(SCI_SETSCROLLWIDTHTRACKING, 0);
  for (int margin = 0; margin < 5; ++margin) Call(SCI_SETMARGINWIDTHN, margin, 0);
  Call(SCI_USEPOPUP, SC_POPUP_NEVER);
  Call(SCI_SETPASTECONVERTENDINGS, 1);
  Call(SCI_SETCARETLINEVISIBLE, 0);
  Call(SCI_SETVIEWWS, SCWS_INVISIBLE);
  Call(SCI_SETVIEWEOL, 0);
  Call(SCI_SETENDATLASTLINE, 1);
  Call(SCI_STYLESETFORE, STYLE_DEFAULT, RGB(0, 0, 0));
  Call(SCI_STYLESETBACK, STYLE_DEFAULT, RGB(255, 255, 255));
  Call(SCI_STYLECLEARALL);
  SetUpDocument();
}

ScintillaWindow::~ScintillaWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

std::intptr_t ScintillaWindow::Call(unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) const {
  return direct_(directPointer_, message, wParam, lParam);
}

void ScintillaWindow::SetFont(HFONT font, int dpi) {
  LOGFONTW face{};
  GetObjectW(font, sizeof face, &face);
  // A height in pixels taken in whole points; the component turns them into pixels for its own
  // window's density, or for the printer's.
  const int height = face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;
  const int points = MulDiv(height, 72, dpi > 0 ? dpi : 96);
  const std::string name = Utf8(face.lfFaceName);
  CallWithPointer(SCI_STYLESETFONT, STYLE_DEFAULT, name.c_str());
  Call(SCI_STYLESETSIZE, STYLE_DEFAULT, points);
  Call(SCI_STYLESETWEIGHT, STYLE_DEFAULT, face.lfWeight ? face.lfWeight : FW_NORMAL);
  Call(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, face.lfCharSet);
  Call(SCI_STYLECLEARALL);
}

void ScintillaWindow::SetUpDocument() {
  // The document's bytes are the system's ANSI code page; every line break is CR LF.
  Call(SCI_SETCODEPAGE, GetACP());
  Call(SCI_SETEOLMODE, SC_EOL_CRLF);
}

void ScintillaWindow::StyleTo(std::intptr_t position) {
  // Every byte keeps style 0, as plain text has one look; the layout breaks Japanese between any
  // two characters without styles to tell it where (cmake/ScintillaChanges.cmake).
  Call(SCI_STARTSTYLING, position);
}

void ScintillaWindow::UseDocument(void* document) {
  CallWithPointer(SCI_SETDOCPOINTER, 0, document);
  CallWithPointer(SCI_RELEASEDOCUMENT, 0, document);
  SetUpDocument();
}

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
  // The layouts of a page of lines are kept: finding where the rows of a paragraph start asks
  // for its layout again and again.
  Call(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
  SetWindowSubclass(Handle(), SubclassProc, kSubclassId, AsParam<DWORD_PTR>(this));
}

void ScintillaEdit::SetFont(HFONT font, int dpi) {
  Scope scope(*this);
  window_.SetFont(font, dpi);
  newLayout_ = true;
}

ScintillaEdit::~ScintillaEdit() {
  if (!IsWindow(Handle())) return;
  copied_.HandleMessage(Handle(), WM_RENDERALLFORMATS, 0);
  RemoveWindowSubclass(Handle(), SubclassProc, kSubclassId);
}

// Every message that reaches the component runs inside a scope, so that what the user's key,
// click, paste or drop did is reported once when the message is done.
LRESULT CALLBACK ScintillaEdit::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self) {
  auto* edit = FromParam<ScintillaEdit*>(self);
  if (message == kReportMessage) {
    edit->flushPosted_ = false;
    Scope scope(*edit);
    return 0;
  }
  if (message == WM_NCDESTROY || message == WM_DESTROY) {
    // A copy still waiting to be rendered is put on the clipboard now, while this procedure
    // still sees the window's messages.
    edit->copied_.HandleMessage(hwnd, WM_RENDERALLFORMATS, 0);
    RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  if (message == WM_SYSCOLORCHANGE) UseSystemColours(edit->window_);
  if (edit->copied_.HandleMessage(hwnd, message, wParam)) return 0;
  Scope scope(*edit);
  // Lines wrap at the client area's width, and its height leaves them where they are.
  if (message == WM_SIZE && LOWORD(lParam) != edit->width_) {
    edit->width_ = LOWORD(lParam);
    edit->newLayout_ = true;
  }
  if (message == WM_DPICHANGED) edit->newLayout_ = true;
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
      edit->BeginSteps();
      edit->RemoveInSteps(edit->GetSelection());
      edit->NextStep();
      const LRESULT result = Deliver(*edit, hwnd, message, wParam, lParam);
      edit->EndSteps();
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
    return DefSubclassProc(hwnd, WM_CHAR, wParam, lParam);
  }
  if (message == WM_KEYDOWN) edit.enterDown_ = wParam == VK_RETURN;
  if (message == WM_KEYDOWN && wParam == VK_END && GetKeyState(VK_CONTROL) >= 0) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    StepPastRowEnd(edit.window_, GetKeyState(VK_SHIFT) < 0);
    return result;
  }
  if (message == WM_CHAR && (wParam == '\r' || wParam == '\n')) {
    // The component puts a line break for the Enter key itself and would take the character
    // that follows it, or one that comes alone, as a bare CR or LF: every line break is CR LF.
    if (!edit.enterDown_) edit.Call(SCI_NEWLINE);
    edit.enterDown_ = false;
    return 0;
  }
  if (IsForeignToNotepad(message, wParam)) return 0;
  return DefSubclassProc(hwnd, message, wParam, lParam);
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
  const bool removing = type & (SC_MOD_BEFOREDELETE | SC_MOD_DELETETEXT);
  const TextEdit edit{position, removing ? length : 0, removing ? 0 : length};
  if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) {
    if (listener_) listener_->EditAreaTextChanging(edit);
    return;
  }
  if (!(type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT))) return;
  modified_ = true;
  changed_ = true;
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
    if (listener_) listener_->EditAreaChanged();
  }
  const Selection now = GetSelection();
  if (!(now == reported_)) {
    reported_ = now;
    if (listener_) listener_->EditAreaSelectionChanged();
  }
  // The background layout changes the count of the lines laid out so far, and nothing else.
  const std::int32_t lines = DisplayLines();
  if (lines != displayLines_ || newLayout_) {
    const LayoutChange change =
        newLayout_ ? LayoutChange::kNewLayout : LayoutChange::kLaidOutFurther;
    displayLines_ = lines;
    newLayout_ = false;
    if (listener_) listener_->EditAreaLinesChanged(change);
  }
  --depth_;
}

ByteOffset ScintillaEdit::TextLength() const {
  return static_cast<ByteOffset>(Call(SCI_GETLENGTH));
}

std::string_view ScintillaEdit::TextRange(ByteOffset start, ByteOffset end) const {
  const ByteOffset length = TextLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  if (end == start) return {};
  const char* bytes = window_.CallForPointer<const char>(SCI_GETRANGEPOINTER, start, end - start);
  return {bytes, static_cast<size_t>(end - start)};
}

std::string ScintillaEdit::Text() const {
  return std::string(TextRange(0, TextLength()));
}

void ScintillaEdit::SetText(const std::string& text) {
  Scope scope(*this);
  Call(SCI_SETUNDOCOLLECTION, 0);
  window_.CallWithPointer(SCI_SETTEXT, 0, text.c_str());
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_EMPTYUNDOBUFFER);
  Call(SCI_SETSEL, 0, 0);
  modified_ = false;
}

Selection ScintillaEdit::GetSelection() const {
  return {static_cast<ByteOffset>(Call(SCI_GETSELECTIONSTART)),
          static_cast<ByteOffset>(Call(SCI_GETSELECTIONEND))};
}

void ScintillaEdit::SetSelection(Selection selection) {
  Scope scope(*this);
  const ByteOffset length = TextLength();
  selection.start = std::clamp(selection.start, 0, length);
  selection.end = selection.end < 0 ? length : std::clamp(selection.end, 0, length);
  if (selection.start > selection.end) std::swap(selection.start, selection.end);
  Call(SCI_SETSEL, selection.start, selection.end);
}

void ScintillaEdit::SelectAll() {
  Scope scope(*this);
  Call(SCI_SELECTALL);
}

void ScintillaEdit::ReplaceQuietly(ByteOffset start, ByteOffset end, const std::string& text) {
  // Replacements of the program's own are not undone; what was recorded before them no longer
  // fits the text, so it goes too.
  Call(SCI_SETUNDOCOLLECTION, 0);
  Call(SCI_SETTARGETRANGE, start, end);
  window_.CallWithPointer(SCI_REPLACETARGET, text.size(), text.data());
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_EMPTYUNDOBUFFER);
}

void ScintillaEdit::ReplaceSelection(const std::string& text) {
  Scope scope(*this);
  const Selection selection = GetSelection();
  ReplaceQuietly(selection.start, selection.end, text);
  const ByteOffset caret = selection.start + static_cast<ByteOffset>(text.size());
  Call(SCI_SETSEL, caret, caret);
}

void ScintillaEdit::ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) {
  if (ranges.empty()) return;
  // The ranges go in pieces of some megabytes of the old text, each replaced at once from its
  // first range to the end of its last; between them the window repaints and answers.
  constexpr ByteOffset kPiece = 4 << 20;
  Scope scope(*this);
  quiet_ = true;
  ByteOffset shift = 0;  // what the pieces before have added to the text
  // Finding the ranges took a while already.
  Answering answering;
  answering.Now();
  for (size_t first = 0; first < ranges.size();) {
    const ByteOffset start = ranges[first].start;
    size_t last = first;
    while (last + 1 < ranges.size() && ranges[last + 1].end - start <= kPiece) ++last;
    const ByteOffset end = ranges[last].end;
    const std::string_view old = TextRange(start + shift, end + shift);
    std::string piece;
    piece.reserve(old.size() + (last - first + 1) * text.size());
    ByteOffset copied = start;
    for (size_t i = first; i <= last; ++i) {
      piece.append(old.substr(copied - start, ranges[i].start - copied));
      piece += text;
      copied = ranges[i].end;
    }
    ReplaceQuietly(start + shift, end + shift, piece);
    shift += static_cast<ByteOffset>(piece.size()) - (end - start);
    first = last + 1;
    if (first < ranges.size()) answering.Due();
  }
  const ByteOffset caret = ranges.back().end + shift;
  Call(SCI_SETSEL, caret, caret);
  Report();
  quiet_ = false;
}

ByteOffset ScintillaEdit::Find(const std::string& what, ByteOffset from, ByteOffset to) const {
  if (from < 0) return -1;
  const std::string_view text = TextRange(0, TextLength());
  const size_t end = to < 0 ? text.size() : static_cast<size_t>(to);
  const size_t found = FindOnBoundary(text, what, static_cast<size_t>(from), end, leadBytes_);
  return found == std::string_view::npos ? -1 : static_cast<ByteOffset>(found);
}

std::int32_t ScintillaEdit::DocumentLine(ByteOffset offset) const {
  return static_cast<std::int32_t>(Call(SCI_LINEFROMPOSITION, offset));
}

void ScintillaEdit::LayOutThrough(std::int32_t documentLine) const {
  // The component lays out the lines of a long text in the background; asked to show a line,
  // it first lays out every line still waiting, that one included. The first line is left to
  // FirstLineHeight, so that a fresh long text is not laid out whole at once.
  if (documentLine > 0) Call(SCI_ENSUREVISIBLE, documentLine);
}

std::int32_t ScintillaEdit::FirstLineHeight() const {
  // A text of one line is laid out whole at once: it takes the component's current width.
  if (Call(SCI_GETLINECOUNT) == 1) {
    Call(SCI_ENSUREVISIBLE, 0);
    return DisplayLines();
  }
  return static_cast<std::int32_t>(std::max<std::intptr_t>(1, Call(SCI_WRAPCOUNT, 0)));
}

std::int32_t ScintillaEdit::SubLine(ByteOffset offset) const {
  const ByteOffset start =
      static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, DocumentLine(offset)));
  if (offset <= start) return 0;
  const std::intptr_t height = Call(SCI_TEXTHEIGHT, 0);
  if (height <= 0) return 0;
  const std::intptr_t y = Call(SCI_POINTYFROMPOSITION, 0, offset);
  const std::intptr_t top = Call(SCI_POINTYFROMPOSITION, 0, start);
  return static_cast<std::int32_t>((y - top) / height);
}

std::int32_t ScintillaEdit::DisplayLines() const {
  return static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, INT_MAX));
}

std::int32_t ScintillaEdit::LineCount() const {
  const std::int32_t lines = static_cast<std::int32_t>(Call(SCI_GETLINECOUNT));
  if (lines == 1) return FirstLineHeight();
  LayOutThrough(lines - 1);
  return DisplayLines();
}

std::int32_t ScintillaEdit::LineFromOffset(ByteOffset offset) const {
  offset = std::clamp(offset, 0, TextLength());
  const std::int32_t line = DocumentLine(offset);
  // The paragraphs before this one count as far as the component has laid them out, and so does
  // this one: a row it has not given the paragraph yet is not counted (LineIndex would find it
  // in a later paragraph).
  const auto first = static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, line));
  std::int32_t sub = SubLine(offset);
  if (line > 0) {
    const auto rows = static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, line + 1)) - first;
    sub = std::min(sub, std::max(rows, 1) - 1);
  }
  return first + sub;
}

ByteOffset ScintillaEdit::LineIndex(std::int32_t line) const {
  if (line < 0) return -1;
  std::int32_t documentLine = 0;
  std::int32_t sub = line;
  if (line >= FirstLineHeight()) {
    if (line >= DisplayLines()) return -1;
    documentLine = static_cast<std::int32_t>(Call(SCI_DOCLINEFROMVISIBLE, line));
    sub = line - static_cast<std::int32_t>(Call(SCI_VISIBLEFROMDOCLINE, documentLine));
  }
  const ByteOffset start = static_cast<ByteOffset>(Call(SCI_POSITIONFROMLINE, documentLine));
  if (sub <= 0) return start;
  // The first place of the document line that lies on display line `sub`: the place the component
  // finds at the left edge of that display line, which starts a character.
  const std::int64_t height = Call(SCI_TEXTHEIGHT, 0);
  if (height <= 0) return start;
  const std::int64_t y = (line - std::int64_t{Call(SCI_GETFIRSTVISIBLELINE)}) * height + height / 2;
  if (y < INT_MIN || y > INT_MAX) return start;
  return static_cast<ByteOffset>(Call(SCI_POSITIONFROMPOINT, 0, static_cast<std::intptr_t>(y)));
}

bool ScintillaEdit::LayOutRest(const std::function<bool()>& between) const {
  // The component's own idle message (win32/ScintillaWin.cxx): each lays out some 10 ms of the
  // lines still waiting and, while any wait, posts itself another. Asked for the last line
  // instead, the component lays out all of them at once: seconds for tens of megabytes.
  constexpr UINT kComponentIdle = 5001;
  for (;;) {
    SendMessageW(Handle(), kComponentIdle, 0, 1);
    MSG next;
    if (!PeekMessageW(&next, Handle(), kComponentIdle, kComponentIdle, PM_REMOVE)) return true;
    if (!between()) return false;
  }
}

std::string ScintillaEdit::Line(std::int32_t line) const {
  LineCount();  // the whole text laid out
  const ByteOffset start = LineIndex(line);
  if (start < 0) return {};
  ByteOffset end = LineIndex(line + 1);
  if (end < start) end = TextLength();
  std::string_view text = TextRange(start, end);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return std::string(text);
}

void ScintillaEdit::ScrollCaret() {
  Scope scope(*this);
  Call(SCI_SCROLLCARET);
}

void ScintillaEdit::Cut() {
  Scope scope(*this);
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
  BeginSteps();
  RemoveInSteps(selection);
  EndSteps();
}

void ScintillaEdit::Copy() {
  const Selection selection = GetSelection();
  if (selection.Length() > 0) copied_.Put(Handle(), TextRange(selection.start, selection.end));
}

void ScintillaEdit::Paste() {
  Scope scope(*this);
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
  BeginSteps();
  if (selection.Length() > 0) {
    RemoveInSteps(selection);
    NextStep();
  }
  // Room for the whole text at once: grown step by step, the buffer would be copied again and
  // again.
  Call(SCI_ALLOCATE, static_cast<std::uintptr_t>(TextLength()) + own->size());
  InsertInSteps(*own);
  EndSteps();
}

bool ScintillaEdit::StreamIn(const ReadBlock& read, std::int64_t expectedBytes) {
  // The text goes into a new document of its own, which takes the place of the old one only
  // when every block has arrived: a failed read leaves the old text as it was. Room made for the
  // whole text at once spares the copies of a growing buffer, and the address space they need.
  const auto room =
      static_cast<std::uintptr_t>(std::clamp<std::int64_t>(expectedBytes, 0, INT_MAX));
  auto* loader =
      window_.CallForPointer<Scintilla::ILoader>(SCI_CREATELOADER, room, kDocumentOptions);
  if (!loader) return false;
  std::string block(1 << 20, '\0');
  ByteOffset loaded = 0;
  // A long text takes seconds to read: the window keeps repainting and answering meanwhile,
  // from the moment its room has been made.
  Answering answering;
  answering.Now();
  for (;;) {
    answering.Due();
    std::int32_t got = 0;
    if (!read(block.data(), static_cast<std::int32_t>(block.size()), got) ||
        (got > 0 && loader->AddData(block.data(), got) != SC_STATUS_OK)) {
      loader->Release();
      return false;
    }
    if (got == 0) break;
    loaded += got;
  }
  // Counting the characters of the whole text follows.
  answering.Now();
  Scope scope(*this);
  const TextEdit whole{0, TextLength(), loaded};
  if (listener_) listener_->EditAreaTextChanging(whole);
  window_.UseDocument(loader->ConvertToDocument());
  // A loaded document comes without an undo history and with collection switched off: the
  // user's edits to it are taken back like any others, and nothing before the load is.
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_EMPTYUNDOBUFFER);
  changed_ = true;
  if (listener_) listener_->EditAreaTextChanged(whole);
  Call(SCI_SETSEL, 0, 0);
  modified_ = false;
  return true;
}

bool ScintillaEdit::StreamOut(const WriteBlock& write) {
  // The component's own buffer, made one piece once, handed out in blocks; a long text is
  // written while the window repaints and answers.
  const ByteOffset length = TextLength();
  TextRange(0, length);
  constexpr ByteOffset kBlock = 1 << 20;
  Answering answering;
  for (ByteOffset p = 0; p < length; p += kBlock) {
    const std::string_view block = TextRange(p, std::min(length, p + kBlock));
    if (!write(block.data(), static_cast<std::int32_t>(block.size()))) return false;
    answering.Due();
  }
  return true;
}

bool ScintillaEdit::HasFocus() const {
  return GetFocus() == Handle();
}

void ScintillaEdit::SetFocus() {
  ::SetFocus(Handle());
}

}  // namespace penlet
