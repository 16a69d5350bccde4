// Find and replace: opening the modeless dialog, Find Next, Replace and Replace All.
#pragma once

#include <string>

#include "core/Counter.h"
#include "core/DocumentCommands.h"
#include "core/MessageBoxes.h"
#include "platform/edit/EditArea.h"
#include "platform/system/ReplaceDialog.h"

namespace penlet {

class FindReplace {
 public:
  FindReplace(EditArea& richEdit1, ReplaceDialog& replaceDialog1, MessageBoxes& boxes,
              DocumentCommands& documents, Counter& counter);

  // Opens the dialog beside the editing area.
  void Open();
  // The dialog's notification: runs the handler of the button it reports.
  void Notify();
  void Find();
  void Replace();

 private:
  void SelectMatch(ByteOffset position, ByteOffset length);
  void ReplaceAll(const std::string& findText, const std::string& replaceText);

  EditArea& richEdit1_;
  ReplaceDialog& dialog_;
  MessageBoxes& boxes_;
  DocumentCommands& documents_;
  Counter& counter_;
};

}  // namespace penlet
