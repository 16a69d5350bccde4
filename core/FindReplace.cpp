// Find and replace: opening the modeless dialog, Find Next, Replace and Replace All.
#include "core/FindReplaceText.h"
#include "core/PenletForm.h"

namespace penlet {
namespace {

// Searches run from `from` to the end of the text.
constexpr ByteOffset kToEnd = -1;

ByteOffset SearchStart(const Selection& selection) {
  return selection.Length() > 0 ? selection.end : 0;
}

}  // namespace

void TPenletForm::EditReplaceExecute() {
  ReplaceDialog* dialog = parts_.replaceDialog1;
  if (!dialog) return;
  // The editing area's place in the client area, used as a place on the screen.
  const ControlBounds bounds = dialog->EditAreaBounds();
  dialog->SetPosition({bounds.left + bounds.width / 4, bounds.top});
  dialog->Open();
  parts_.richEdit1.SetSelection({0, 0});
}

void TPenletForm::ReplaceDialog1Notify() {
  if (!parts_.replaceDialog1) return;
  const unsigned flags = parts_.replaceDialog1->Flags();
  if (flags & kFindNextFlag) {
    ReplaceDialog1Find();
  } else if (flags & (kReplaceFlag | kReplaceAllFlag)) {
    ReplaceDialog1Replace();
  }
}

void TPenletForm::SelectMatch(ByteOffset position, ByteOffset length) {
  EditArea& edit = parts_.richEdit1;
  edit.SetSelection({position, position});
  edit.ScrollCaret();
  edit.SetFocus();
  edit.SetSelection({position, position + length});
}

void TPenletForm::ReplaceDialog1Find() {
  if (!parts_.replaceDialog1) return;
  EditArea& edit = parts_.richEdit1;
  const std::string findText = parts_.replaceDialog1->FindWhat();
  const ByteOffset found = edit.Find(findText, SearchStart(edit.GetSelection()), kToEnd);
  if (found < 0) {
    parts_.boxes.ShowPlainMessage(NoMatchMessage(findText));
    edit.SetSelection({0, 0});
    return;
  }
  SelectMatch(found, static_cast<ByteOffset>(findText.size()));
}

void TPenletForm::ReplaceDialog1Replace() {
  if (!parts_.replaceDialog1) return;
  const unsigned flags = parts_.replaceDialog1->Flags();
  const std::string findText = parts_.replaceDialog1->FindWhat();
  const std::string replaceText = parts_.replaceDialog1->ReplaceWith();
  EditArea& edit = parts_.richEdit1;
  if (flags & kReplaceFlag) {
    ByteOffset from = 0;
    if (edit.GetSelection().Length() > 0) {
      edit.ReplaceSelection(replaceText);
      // The insertion leaves a bare caret behind it, where the search starts.
      from = edit.GetSelection().end;
    }
    const ByteOffset found = edit.Find(findText, from, kToEnd);
    if (found < 0) {
      parts_.boxes.ShowPlainMessage(NoMatchMessage(findText));
    } else {
      SelectMatch(found, static_cast<ByteOffset>(findText.size()));
    }
  }
  if (flags & kReplaceAllFlag) ReplaceAll(findText, replaceText);
}

void TPenletForm::ReplaceAll(const std::string& findText, const std::string& replaceText) {
  EditArea& edit = parts_.richEdit1;
  if (edit.Find(findText, 0, kToEnd) < 0) {
    parts_.boxes.ShowPlainMessage(NoOccurrenceMessage(findText));
    return;
  }
  // Done occurrence by occurrence as the dialog's steps describe it, every replacement would
  // refresh the counter and search the whole text again. The plan finds them all in one walk,
  // the editing area replaces them in one operation, and the displays are refreshed once.
  const ReplaceAllPlan plan =
      PlanReplaceAll(edit.TextRange(0, edit.TextLength()), edit.GetSelection(), findText,
                     replaceText, parts_.leadBytes);
  // The editing area reports the replacements' steps, which keep the counter's index, but
  // neither the change nor the caret's move: those are reported here, once.
  edit.ReplaceRanges(plan.ranges, replaceText);
  if (plan.matches > 0) {
    edit.ScrollCaret();
    edit.SetFocus();
  }
  RichEdit1Change();
  RichEdit1SelectionChange();
  parts_.boxes.ShowPlainMessage(ReplacedMessage(plan.count, findText, replaceText));
}

}  // namespace penlet
