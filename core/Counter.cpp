// The counter of characters or bytes, the caret's panels in the status bar, and the clipboard
// tool buttons, all refreshed when the selection changes.
#include <algorithm>

#include "core/CharacterCount.h"
#include "core/PenletForm.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

constexpr Color kCharactersColor = Rgb(255, 255, 0);  // yellow
constexpr Color kBytesColor = Rgb(0, 255, 255);       // aqua

void SetStatusIfDifferent(FormView& view, int panel, const std::string& text) {
  if (view.StatusText(panel) != text) view.SetStatusText(panel, text);
}

}  // namespace

void TPenletForm::EditAreaTextChanging(const TextEdit& edit) {
  characters_.Changing(parts_.richEdit1, edit);
}

void TPenletForm::EditAreaTextChanged(const TextEdit& edit) {
  characters_.Changed(parts_.richEdit1, edit);
}

void TPenletForm::RichEdit1SelectionChange() {
  FormView& view = parts_.view;
  view.SetToolButtonEnabled(ToolButton::Paste, parts_.clipboard.HasText());
  const bool selected = parts_.richEdit1.GetSelection().Length() > 0;
  view.SetToolButtonEnabled(ToolButton::Cut, selected);
  view.SetToolButtonEnabled(ToolButton::Copy, selected);
  // The caret panels would be written twice, before and after the counter, with the same
  // texts: one refresh gives the same displays at a third of the cost.
  Refresh(true);
}

void TPenletForm::UpdateCounter() {
  Refresh(true);
}

void TPenletForm::UpdateCaretPosition() {
  Refresh(false);
}

void TPenletForm::CounterClick() {
  parts_.richEdit1.SetFocus();
  countInCharacters_ = !countInCharacters_;
  UpdateCounter();
}

// The index gives both counts without walking the whole text, however long it is.
void TPenletForm::Refresh(bool withCounter) {
  EditArea& edit = parts_.richEdit1;
  FormView& view = parts_.view;
  const ByteOffset start = edit.GetSelection().start;
  const std::int32_t line = edit.LineFromOffset(start);
  const ByteOffset column = start - std::max<ByteOffset>(0, edit.LineIndex(line));

  CharacterCounts counts{start, edit.TextLength()};
  if (countInCharacters_) {
    counts.beforeOffset = characters_.Before(edit, start);
    if (withCounter) counts.whole = characters_.Total(edit);
  }

  if (withCounter) {
    const std::string figures = std::to_string(counts.whole);
    if (view.Memo1Text() != figures) view.SetMemo1Text(figures);
    view.SetMemo1Color(countInCharacters_ ? kCharactersColor : kBytesColor);
    const std::string unit = Ansi(countInCharacters_ ? texts::kCharactersUnit : texts::kBytesUnit);
    if (view.Memo2Text() != unit) view.SetMemo2Text(unit);
  }
  SetStatusIfDifferent(view, 2, LinePanelText(static_cast<std::int64_t>(line) + 1, column));
  SetStatusIfDifferent(view, 1, OffsetPanelText(counts.beforeOffset, countInCharacters_));
}

}  // namespace penlet
