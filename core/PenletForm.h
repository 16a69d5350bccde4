// The main window's logic: the document's state and the handlers of its events and commands.
#pragma once

#include <string>
#include <vector>

#include "core/FormView.h"
#include "platform/EditArea.h"
#include "platform/Mbcs.h"
#include "ui/MessageDialog.h"

namespace penlet {

// The parts of the window that the logic works on, owned by the window.
struct FormParts {
  EditArea& richEdit1;
  FormView& view;
  MessageBoxes& boxes;
  LeadByteSet leadBytes;
};

class TPenletForm : public EditAreaListener {
 public:
  explicit TPenletForm(FormParts parts);

  // Lifecycle.
  void FormCreate();
  // Opens each path in turn; an error ends the handler and leaves the rest unopened.
  void FormShow(const std::vector<std::string>& paths);
  void FormDestroy();
  // Returns whether the window may close.
  bool FormCloseQuery();

  // Document.
  void OpenDocument(const std::string& path);
  void UpdateSaveCommand();
  void RichEdit1Change();
  void RichEdit1SelectionChange();

  // Commands.
  void FileNew1Execute();
  void FileExit1Execute();

  const std::string& DocumentPath() const { return documentPath_; }
  bool CountInCharacters() const { return countInCharacters_; }

  // EditAreaListener
  void EditAreaChanged() override { RichEdit1Change(); }
  void EditAreaSelectionChanged() override { RichEdit1SelectionChange(); }

 private:
  void LoadFile(const std::string& path);

  FormParts parts_;
  std::string documentPath_;
  bool countInCharacters_ = true;
};

}  // namespace penlet
