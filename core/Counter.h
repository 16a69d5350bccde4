// The counter of characters or bytes, the caret's panels in the status bar, and the clipboard
// tool buttons, all refreshed from one look at the text.
#pragma once

#include "core/CharacterIndex.h"
#include "core/FormView.h"
#include "platform/system/Clipboard.h"
#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"

namespace penlet {

class Counter {
 public:
  // `leadBytes` are the counter's, from the thread's locale; an empty set counts bytes.
  Counter(EditArea& richEdit1, FormView& view, Clipboard& clipboard, LeadByteSet leadBytes);

  // Each step of an edit, before and after, for the index of characters.
  void TextChanging(const TextEdit& edit);
  void TextChanged(const TextEdit& edit);

  // The selection moved: the clipboard buttons, the counter and both caret panels.
  void SelectionChange();
  // The counter and both caret panels.
  void UpdateCounter();
  // The caret panels only.
  void UpdateCaretPosition();
  // The clipboard's contents changed: the Paste button.
  void ClipboardUpdate();
  // A click on a counter box: the editing area takes the focus and the unit changes.
  void Click();

  bool CountInCharacters() const { return countInCharacters_; }
  // Counting starts again in characters.
  void Reset() { countInCharacters_ = true; }

 private:
  // Panels 1 and 2 and, when `withCounter`, the counter boxes.
  void Refresh(bool withCounter);

  EditArea& richEdit1_;
  FormView& view_;
  Clipboard& clipboard_;
  CharacterIndex characters_;
  bool countInCharacters_ = true;
};

}  // namespace penlet
