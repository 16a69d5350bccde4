// Loading and saving the editing area's text in blocks, the window answering between them.
#include <algorithm>
#include <climits>

#include "ILoader.h"
#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"

namespace penlet {

bool ScintillaEdit::StreamIn(const ReadBlock& read, std::int64_t expectedBytes) {
  // The text goes into a new document of its own, which takes the place of the old one only
  // when every block has arrived: a failed read leaves the old text as it was. Room made for the
  // whole text at once spares the copies of a growing buffer, and the address space they need.
  // The room also holds a good deal of typing: a buffer filled to the last byte would be copied
  // whole into a larger one at the first keystroke, some 10 to 25 ms for 10 MB under Wine.
  const std::int64_t text = std::clamp<std::int64_t>(expectedBytes, 0, INT_MAX);
  const std::int64_t typing = std::max<std::int64_t>(text / 64, 64 << 10);
  auto* loader = window_.CallForPointer<Scintilla::ILoader>(
      SCI_CREATELOADER, static_cast<std::uintptr_t>(std::min<std::int64_t>(text + typing, INT_MAX)),
      kDocumentOptions);
  // Short of address space, the text alone may still fit.
  if (!loader) {
    loader = window_.CallForPointer<Scintilla::ILoader>(
        SCI_CREATELOADER, static_cast<std::uintptr_t>(text), kDocumentOptions);
  }
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
  SettleDraft();
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
  // The component's own buffer handed out in blocks; a long text is written while the window
  // repaints and answers. Read block by block, the buffer moves at most one block of its bytes
  // to be one piece, where the whole text made one piece at once could move all of them.
  const ByteOffset length = TextLength();
  constexpr ByteOffset kBlock = 1 << 20;
  Answering answering;
  for (ByteOffset p = 0; p < length; p += kBlock) {
    const std::string_view block = TextRange(p, std::min(length, p + kBlock));
    if (!write(block.data(), static_cast<std::int32_t>(block.size()))) return false;
    answering.Due();
  }
  return true;
}

}  // namespace penlet
