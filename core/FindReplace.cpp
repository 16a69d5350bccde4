// Find and replace: opening the modeless dialog, Find Next, Replace and Replace All.
#include "core/FindReplace.h"

#include "core/FindReplaceText.h"

namespace penlet {
namespace {

// Searches run from `from` to the end of the text.
constexpr ByteOffset kToEnd = -1;

ByteOffset SearchStart(const Selection& selection) {
  return selection.Length() > 0 ? selection.end : 0;
}

}  // namespace

FindReplace::FindReplace(EditArea& richEdit1, ReplaceDialog& replaceDialog1, MessageBoxes& boxes,
                         DocumentCommands& documents, Counter& counter)
    : richEdit1_(richEdit1),
      dialog_(replaceDialog1),
      boxes_(boxes),
      documents_(documents),
      counter_(counter) {}

void FindReplace::Open() {
  // The editing area's place in the client area, used as a place on the screen.
  const ControlBounds bounds = dialog_.EditAreaBounds();
  dialog_.SetPosition({bounds.left + bounds.width / 4, bounds.top});
  dialog_.Open();
  richEdit1_.SetSelection({0, 0});
}

void FindReplace::Notify() {
  const unsigned flags = dialog_.Flags();
  if (flags & kFindNextFlag) {
    Find();
  } else if (flags & (kReplaceFlag | kReplaceAllFlag)) {
    Replace();
  }
}

void FindReplace::SelectMatch(ByteOffset position, ByteOffset length) {
  EditArea& edit = richEdit1_;
  edit.SetSelection({position, position});
  edit.ScrollCaret();
  edit.SetFocus();
  edit.SetSelection({position, position + length});
}

void FindReplace::Find() {
  EditArea& edit = richEdit1_;
  const std::string findText = dialog_.FindWhat();
  const ByteOffset found = edit.Find(findText, SearchStart(edit.GetSelection()), kToEnd);
  if (found < 0) {
    boxes_.ShowPlainMessage(NoMatchMessage(findText));
    edit.SetSelection({0, 0});
    return;
  }
  SelectMatch(found, static_cast<ByteOffset>(findText.size()));
}

void FindReplace::Replace() {
  const unsigned flags = dialog_.Flags();
  const std::string findText = dialog_.FindWhat();
  const std::string replaceText = dialog_.ReplaceWith();
  EditArea& edit = richEdit1_;
  if (flags & kReplaceFlag) {
    ByteOffset from = 0;
    if (edit.GetSelection().Length() > 0) {
      edit.ReplaceSelection(replaceText);
      // The insertion leaves a bare caret behind it, where the search starts.
      from = edit.GetSelection().end;
    }
    const ByteOffset found = edit.Find(findText, from, kToEnd);
    if (found < 0) {
      boxes_.ShowPlainMessage(NoMatchMessage(findText));
    } else {
      SelectMatch(found, static_cast<ByteOffset>(findText.size()));
    }
  }
  if (flags & kReplaceAllFlag) ReplaceAll(findText, replaceText);
}

void FindReplace::ReplaceAll(const std::string& findText, const std::string& replaceText) {
  EditArea& edit = richEdit1_;
  if (edit.Find(findText, 0, kToEnd) < 0) {
    boxes_.ShowPlainMessage(NoOccurrenceMessage(findText));
    return;
  }
  // Done occurrence by occurrence as the dialog's steps describe it, every replacement would
  // refresh the counter and search the whole text again. The plan finds them all in one pass
  // over the text, the editing area replaces them in one operation, and the displays are
  // refreshed once.
  const ReplaceAllPlan plan =
      PlanReplaceAll([&](ByteOffset from) { return edit.Find(findText, from, kToEnd); },
                     edit.GetSelection(), static_cast<ByteOffset>(findText.size()));
  // The editing area reports the replacements' steps, which keep the counter's index, but
  // neither the change nor the caret's move: those are reported here, once.
  edit.ReplaceRanges(plan.ranges, replaceText);
  if (plan.matches > 0) {
    edit.ScrollCaret();
    edit.SetFocus();
  }
  documents_.Changed();
  counter_.SelectionChange();
  boxes_.ShowPlainMessage(ReplacedMessage(plan.count, findText, replaceText));
}

}  // namespace penlet
