// The editing area on top of the platform's Rich Edit 1.0 control ("RICHEDIT" of RICHED32.DLL),
// speaking byte offsets to the program while the control counts characters.
#pragma once

#include <windows.h>

#include <string>

#include "platform/EditArea.h"
#include "platform/Mbcs.h"
#include "platform/PositionIndex.h"

namespace penlet {

class RichEdit : public EditArea {
 public:
  // Creates the control as a child of `parent` (loading RICHED32.DLL the first time).
  // `plainText` selects the editing area's plain text mode; the print surface is rich text.
  RichEdit(HWND parent, int id, DWORD style, DWORD exStyle);
  ~RichEdit() override;
  RichEdit(const RichEdit&) = delete;
  RichEdit& operator=(const RichEdit&) = delete;

  HWND Handle() const { return hwnd_; }
  // The font of the whole text; the caller keeps it alive as long as the control.
  void SetFont(HFONT font);

  // The parent's WM_COMMAND and WM_NOTIFY are passed here; true when they were the control's.
  bool HandleCommand(WPARAM wParam, LPARAM lParam);
  bool HandleNotify(const NMHDR& header);

  void SetListener(EditAreaListener* listener) override { listener_ = listener; }
  std::string Text() const override;
  const std::string& TextRef() const override { return Snapshot(); }
  ByteOffset TextLength() const override;
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
  void ScrollCaret() override;
  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  bool Modified() const override;
  void SetModified(bool modified) override;
  void SetTextLimit(std::int32_t limit) override;
  bool StreamIn(const ReadBlock& read) override;
  bool StreamOut(const WriteBlock& write) override;
  bool HasFocus() const override;
  void SetFocus() override;

 private:
  // The text as bytes, kept until the control reports a change.
  const std::string& Snapshot() const;
  void Create(HWND parent, int x, int y, int width, int height);
  // Puts a new, empty control in this one's place: same styles, identifier, place, font,
  // limit and events; the focus follows. The old one goes with its text.
  void Renew();
  // Empties a long text by renewing the control; a short one is left to whoever replaces it.
  void ClearLongText();
  // Streams the blocks into the control in place of its text; false when a read failed.
  bool StreamInBlocks(const ReadBlock& read);
  // Whether filling a new control beats making `replacements` replacements in place.
  bool RenewPays(size_t replacements) const;
  void Invalidate() const { snapshotValid_ = false; }
  LONG ToControl(ByteOffset offset) const;
  ByteOffset ToBytes(LONG pos) const;

  HWND hwnd_ = nullptr;
  int id_;
  DWORD style_;
  DWORD exStyle_;
  EditAreaListener* listener_ = nullptr;
  LeadByteSet leadBytes_;
  mutable std::string snapshot_;
  mutable bool snapshotValid_ = false;
  mutable PositionIndex positions_;  // of the snapshot
  // While a text streams in, the control moves its selection once per block; those moves are
  // not reported, since each report would take a snapshot of a text that is still growing.
  bool streamingIn_ = false;
  // Set while the text is cleared block by block, which the owner need not hear of.
  bool quiet_ = false;
  // Set during ReplaceSelection, which mends the copy of the text itself.
  bool replacing_ = false;
  // As last set, for a renewed control. (Wine's control does not answer WM_GETFONT with the
  // font it was given.)
  std::int32_t limit_ = 0;
  HFONT font_ = nullptr;
};

}  // namespace penlet
