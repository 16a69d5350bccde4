// The counter of characters or bytes, the caret's panels in the status bar, and the clipboard
// tool buttons, all refreshed when the selection changes.
#include "core/Counter.h"

#include <algorithm>

#include "core/CharacterCount.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr Color kCharactersColor = Rgb(255, 255, 0);  // yellow
constexpr Color kBytesColor = Rgb(0, 255, 255);       // aqua

}  // namespace

Counter::Counter(EditArea& richEdit1, FormView& view, Clipboard& clipboard, LeadByteSet leadBytes)
    : richEdit1_(richEdit1), view_(view), clipboard_(clipboard), characters_(leadBytes) {
  // Counting a text of hundreds of megabytes takes a tenth of a second and more.
  characters_.SetBetween([this] { richEdit1_.KeepAnswering(); });
  characters_.Reset(richEdit1_);
}

void Counter::TextChanging(const TextEdit& edit) {
  characters_.Changing(richEdit1_, edit);
}

void Counter::TextChanged(const TextEdit& edit) {
  characters_.Changed(richEdit1_, edit);
}

void Counter::SelectionChange() {
  ClipboardUpdate();
  const bool selected = richEdit1_.GetSelection().Length() > 0;
  view_.SetToolButtonEnabled(ToolButton::Cut, selected);
  view_.SetToolButtonEnabled(ToolButton::Copy, selected);
  // The caret panels would be written twice, before and after the counter, with the same
  // texts: one refresh gives the same displays at a third of the cost.
  Refresh(true);
}

void Counter::ClipboardUpdate() {
  view_.SetToolButtonEnabled(ToolButton::Paste, clipboard_.HasText());
}

void Counter::UpdateCounter() {
  Refresh(true);
}

void Counter::UpdateCaretPosition() {
  Refresh(false);
}

void Counter::Click() {
  richEdit1_.SetFocus();
  countInCharacters_ = !countInCharacters_;
  UpdateCounter();
}

// The index gives both counts without walking the whole text, however long it is.
void Counter::Refresh(bool withCounter) {
  EditArea& edit = richEdit1_;
  FormView& view = view_;
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
  const std::string offsetPanel = OffsetPanelText(counts.beforeOffset, countInCharacters_);
  const std::string linePanel = LinePanelText(static_cast<std::int64_t>(line) + 1, column);
  if (view.StatusText(1) != offsetPanel || view.StatusText(2) != linePanel) {
    view.SetCaretPanels(offsetPanel, linePanel);
  }
}

}  // namespace penlet
