// Rich Edit 1.0 behind the byte-offset editing area.
#include "platform/RichEdit_win32.h"

#include <richedit.h>

#include <algorithm>

#include "platform/ControlPositions.h"
#include "platform/Locale.h"

namespace penlet {
namespace {

void LoadRichEditLibrary() {
  static HMODULE module = [] {
    // The control allocates and frees small blocks for every line. Windows gives a process the
    // low-fragmentation heap by default, Wine does not: there a long document that follows
    // another one in the same process took up to five times as long to fill.
    ULONG lowFragmentation = 2;
    HeapSetInformation(GetProcessHeap(), HeapCompatibilityInformation, &lowFragmentation,
                       sizeof lowFragmentation);
    return LoadLibraryA("RICHED32.DLL");
  }();
  (void)module;
}

// The control converts each block to characters on its own, so a block must never end inside
// a double-byte character or between the CR and LF of a line break: such a tail waits for the
// next block.
struct StreamInState {
  const EditArea::ReadBlock* read;
  const LeadByteSet* leadBytes;
  std::string pending;
  bool failed = false;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
  auto* state = reinterpret_cast<StreamInState*>(cookie);
  *got = 0;
  std::string block;
  block.swap(state->pending);
  bool atEnd = false;
  while (!atEnd) {
    const std::int32_t room =
        static_cast<std::int32_t>(size) - static_cast<std::int32_t>(block.size());
    if (room <= 0) break;
    std::string more(room, '\0');
    std::int32_t n = 0;
    if (!(*state->read)(more.data(), room, n)) {
      state->failed = true;
      return 1;
    }
    atEnd = n == 0;
    block.append(more.data(), n);
    // Hold back an incomplete character or a final CR unless the file has ended.
    size_t complete = 0;
    for (size_t p = 0; p < block.size();) {
      size_t next = state->leadBytes->Next(block, p);
      if (next == block.size() && !atEnd &&
          (block[p] == '\r' || state->leadBytes->Contains(static_cast<unsigned char>(block[p])))) {
        break;
      }
      complete = p = next;
    }
    if (complete > 0 || atEnd) {
      state->pending = block.substr(complete);
      block.resize(complete);
      if (atEnd) {
        block += state->pending;
        state->pending.clear();
      }
      break;
    }
  }
  std::copy(block.begin(), block.end(), buffer);
  *got = static_cast<LONG>(block.size());
  return 0;
}

struct StreamOutState {
  const EditArea::WriteBlock* write;
  bool failed;
};

DWORD CALLBACK StreamOutCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* state = reinterpret_cast<StreamOutState*>(cookie);
  if (!(*state->write)(reinterpret_cast<const char*>(buffer), size)) {
    state->failed = true;
    *done = 0;
    return 1;
  }
  *done = size;
  return 0;
}

}  // namespace

RichEdit::RichEdit(HWND parent, int id, DWORD style, DWORD exStyle)
    : id_(id), style_(style), exStyle_(exStyle), leadBytes_(AnsiLeadBytes()) {
  LoadRichEditLibrary();
  Create(parent, 0, 0, 0, 0);
}

void RichEdit::Create(HWND parent, int x, int y, int width, int height) {
  hwnd_ = CreateWindowExA(exStyle_, "RICHEDIT", "", style_, x, y, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                          GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
}

RichEdit::~RichEdit() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void RichEdit::SetFont(HFONT font) {
  font_ = font;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool RichEdit::HandleCommand(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != hwnd_ || HIWORD(wParam) != EN_CHANGE) return false;
  if (!replacing_) Invalidate();
  if (listener_ && !quiet_) listener_->EditAreaChanged();
  return true;
}

bool RichEdit::HandleNotify(const NMHDR& header) {
  if (header.hwndFrom != hwnd_ || header.code != EN_SELCHANGE) return false;
  if (listener_ && !streamingIn_ && !quiet_) listener_->EditAreaSelectionChanged();
  return true;
}

const std::string& RichEdit::Snapshot() const {
  // The change notification keeps the snapshot honest; the length check guards against a
  // change that reached us without one.
  LONG chars = static_cast<LONG>(SendMessageA(hwnd_, WM_GETTEXTLENGTH, 0, 0));
  if (snapshotValid_ && positions_.Length() != chars) {
    snapshotValid_ = false;
  }
  if (!snapshotValid_) {
    // WM_GETTEXT takes half the time of streaming the text out. A character is at most two
    // bytes; what the message returns is not trusted as a byte count (Wine counts characters),
    // the terminating NUL is (the text never holds one: a loaded NUL becomes a space).
    snapshot_.assign(static_cast<size_t>(chars) * 2 + 1, '\0');
    SendMessageA(hwnd_, WM_GETTEXT, snapshot_.size(), reinterpret_cast<LPARAM>(snapshot_.data()));
    snapshot_.resize(std::char_traits<char>::length(snapshot_.c_str()));
    positions_.Build(snapshot_, leadBytes_);
    snapshotValid_ = true;
  }
  return snapshot_;
}

LONG RichEdit::ToControl(ByteOffset offset) const {
  const std::string& text = Snapshot();
  return positions_.ControlFromByte(text, offset, leadBytes_);
}

ByteOffset RichEdit::ToBytes(LONG pos) const {
  const std::string& text = Snapshot();
  return positions_.ByteFromControl(text, pos, leadBytes_);
}

std::string RichEdit::Text() const {
  return Snapshot();
}

ByteOffset RichEdit::TextLength() const {
  return static_cast<ByteOffset>(Snapshot().size());
}

// Wine's control walks the whole text for every paragraph it deletes and for every edit, so
// emptying a long text takes time in proportion to the square of its length, while a new
// control fills in time in proportion to it. Above this many characters a text is not
// deleted but left behind with its control.
constexpr LONG kRenewAbove = 65536;

void RichEdit::Renew() {
  // Made from the parameters it was first made with: the control changes its own styles as it
  // goes (its scroll bar comes and goes), and a copy of those would behave differently.
  HWND old = hwnd_;
  HWND parent = GetParent(old);
  RECT rc;
  GetWindowRect(old, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  const bool visible = IsWindowVisible(old);
  const bool focused = GetFocus() == old;
  const DWORD style = style_;
  style_ &= ~WS_VISIBLE;
  Create(parent, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  style_ = style;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, limit_);
  SetWindowPos(hwnd_, old, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : 0));
  if (focused) ::SetFocus(hwnd_);
  DestroyWindow(old);
  Invalidate();
}

void RichEdit::ClearLongText() {
  if (SendMessageA(hwnd_, WM_GETTEXTLENGTH, 0, 0) > kRenewAbove) Renew();
}

bool RichEdit::RenewPays(size_t replacements) const {
  // Measured under Wine 8: a replacement in place costs about as much as walking 768K of text
  // plus the text itself; filling a new control, as much as walking the text 1,400 times.
  const double size = static_cast<double>(snapshot_.size());
  return static_cast<double>(replacements) * (size + 786432.0) > 1400.0 * size &&
         positions_.Length() > kRenewAbove;
}

void RichEdit::SetText(const std::string& text) {
  ClearLongText();
  SendMessageA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Invalidate();
  SendMessageA(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageA(hwnd_, EM_SETMODIFY, FALSE, 0);
}

Selection RichEdit::GetSelection() const {
  CHARRANGE range{};
  SendMessageA(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  ByteOffset a = ToBytes(range.cpMin);
  ByteOffset b = ToBytes(range.cpMax);
  return a <= b ? Selection{a, b} : Selection{b, a};
}

void RichEdit::SetSelection(Selection selection) {
  CHARRANGE range{ToControl(selection.start), ToControl(selection.end)};
  SendMessageA(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichEdit::SelectAll() {
  SendMessageA(hwnd_, EM_SETSEL, 0, -1);
}

void RichEdit::ReplaceSelection(const std::string& text) {
  // Our own replacement is known: the copy of the text is mended in place instead of being
  // read again from the control, which a run of replacements would pay for every time.
  const bool patch = snapshotValid_;
  const Selection selection = patch ? GetSelection() : Selection{};
  replacing_ = true;
  SendMessageA(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  replacing_ = false;
  if (patch) {
    snapshot_.replace(selection.start, selection.Length(), text);
    positions_.Build(snapshot_, leadBytes_);
  } else {
    Invalidate();
  }
}

void RichEdit::ReplaceRanges(const std::vector<Selection>& ranges, const std::string& text) {
  if (ranges.empty()) return;
  const std::string& old = Snapshot();
  std::string result;
  result.reserve(old.size() + ranges.size() * text.size());
  ByteOffset copied = 0;
  for (const Selection& range : ranges) {
    result.append(old, copied, range.start - copied);
    result += text;
    copied = range.end;
  }
  const ByteOffset caret = static_cast<ByteOffset>(result.size());
  result.append(old, copied, std::string::npos);

  const bool wasQuiet = quiet_;
  quiet_ = replacing_ = true;
  if (RenewPays(ranges.size())) {
    const LRESULT firstLine = SendMessageA(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0);
    Renew();
    size_t given = 0;
    const ReadBlock read = [&](char* buffer, std::int32_t size, std::int32_t& got) {
      got = static_cast<std::int32_t>(std::min(result.size() - given, static_cast<size_t>(size)));
      std::copy_n(result.data() + given, got, buffer);
      given += got;
      return true;
    };
    StreamInBlocks(read);
    SendMessageA(hwnd_, EM_LINESCROLL, 0, firstLine);
  } else {
    // From the last to the first, so that the positions before each are still those of the
    // old text; the control draws once at the end.
    std::vector<CHARRANGE> places;
    places.reserve(ranges.size());
    for (const Selection& range : ranges)
      places.push_back({ToControl(range.start), ToControl(range.end)});
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    for (auto place = places.rbegin(); place != places.rend(); ++place) {
      SendMessageA(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&*place));
      SendMessageA(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  snapshot_ = std::move(result);
  positions_.Build(snapshot_, leadBytes_);
  snapshotValid_ = true;
  SendMessageA(hwnd_, EM_SETMODIFY, TRUE, 0);
  SetSelection({caret, caret});
  quiet_ = wasQuiet;
  replacing_ = false;
}

ByteOffset RichEdit::Find(const std::string& what, ByteOffset from, ByteOffset to) const {
  const std::string& text = Snapshot();
  const size_t end = (to < 0 || static_cast<size_t>(to) > text.size()) ? text.size() : to;
  if (what.empty() || from < 0 || what.size() > end) return -1;
  // Walk character by character so that a match never starts on a trail byte.
  for (size_t p = 0; p + what.size() <= end; p = leadBytes_.Next(text, p)) {
    if (p >= static_cast<size_t>(from) && text.compare(p, what.size(), what) == 0) {
      return static_cast<ByteOffset>(p);
    }
  }
  return -1;
}

std::int32_t RichEdit::LineCount() const {
  return static_cast<std::int32_t>(SendMessageA(hwnd_, EM_GETLINECOUNT, 0, 0));
}

std::int32_t RichEdit::LineFromOffset(ByteOffset offset) const {
  return static_cast<std::int32_t>(SendMessageA(hwnd_, EM_EXLINEFROMCHAR, 0, ToControl(offset)));
}

ByteOffset RichEdit::LineIndex(std::int32_t line) const {
  LRESULT pos = SendMessageA(hwnd_, EM_LINEINDEX, line, 0);
  return pos < 0 ? -1 : ToBytes(static_cast<LONG>(pos));
}

std::string RichEdit::Line(std::int32_t line) const {
  const std::string& text = Snapshot();
  ByteOffset start = LineIndex(line);
  if (start < 0) return {};
  ByteOffset end = line + 1 < LineCount() ? LineIndex(line + 1) : TextLength();
  if (end < start) end = start;
  std::string result = text.substr(start, end - start);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

void RichEdit::ScrollCaret() {
  SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
}
void RichEdit::Undo() {
  SendMessageA(hwnd_, EM_UNDO, 0, 0);
}
void RichEdit::Cut() {
  SendMessageA(hwnd_, WM_CUT, 0, 0);
}
void RichEdit::Copy() {
  SendMessageA(hwnd_, WM_COPY, 0, 0);
}
void RichEdit::Paste() {
  SendMessageA(hwnd_, WM_PASTE, 0, 0);
}

bool RichEdit::Modified() const {
  return SendMessageA(hwnd_, EM_GETMODIFY, 0, 0) != 0;
}
void RichEdit::SetModified(bool modified) {
  SendMessageA(hwnd_, EM_SETMODIFY, modified, 0);
}

void RichEdit::SetTextLimit(std::int32_t limit) {
  limit_ = limit;
  SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, limit);
}

bool RichEdit::StreamInBlocks(const ReadBlock& read) {
  StreamInState state{&read, &leadBytes_, {}, false};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&state), 0, StreamInCallback};
  streamingIn_ = true;
  SendMessageA(hwnd_, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  streamingIn_ = false;
  return !state.failed && stream.dwError == 0;
}

bool RichEdit::StreamIn(const ReadBlock& read) {
  // A failed read must not leave half a document that a later save would write over the file.
  const std::string previous = Snapshot();
  const bool wasModified = Modified();
  Invalidate();
  ClearLongText();
  const bool complete = StreamInBlocks(read);
  Invalidate();
  if (!complete) {
    SendMessageA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(previous.c_str()));
    Invalidate();
    SetModified(wasModified);
    return false;
  }
  return true;
}

bool RichEdit::StreamOut(const WriteBlock& write) {
  StreamOutState state{&write, false};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&state), 0, StreamOutCallback};
  SendMessageA(hwnd_, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  return !state.failed && stream.dwError == 0;
}

bool RichEdit::HasFocus() const {
  return GetFocus() == hwnd_;
}
void RichEdit::SetFocus() {
  ::SetFocus(hwnd_);
}

}  // namespace penlet
