// The document's identity and saved state, and every way a document enters or leaves the
// program as a file: New, Open, Save, Save As, Exit, drops and the closing question.
#pragma once

#include <string>

#include "core/Counter.h"
#include "core/FormView.h"
#include "core/MessageBoxes.h"
#include "platform/files/Drops.h"
#include "platform/edit/EditArea.h"
#include "platform/files/FileDialogs.h"
#include "platform/files/Files.h"
#include "platform/system/Mbcs.h"

namespace penlet {

// The open dialog: every file, default extension "rtf" (which never changes).
FileDialogMemory InitialOpenDialog();
// The save dialog: text, C source, HTML, every file; default extension "txt".
FileDialogMemory InitialSaveDialog();

// The default extension for the save dialogs after a Save As in which filter `filterIndex`
// was chosen: "txt", "c", "htm", or none for every file; `current` for an index outside 1-4.
std::string SaveDefaultExtension(int filterIndex, const std::string& current);

// How a save that the user can still call off ended; failures are raised as Error.
enum class DocumentSave { kSaved, kCancelled };

class DocumentCommands {
 public:
  DocumentCommands(EditArea& richEdit1, FormView& view, MessageBoxes& boxes, Files& files,
                   FileDialogs& dialogs, Counter& counter, LeadByteSet leadBytes);

  // An untitled, unmodified document, as at start-up.
  void Reset();
  void OpenDocument(const std::string& path);
  void New();
  void Open();
  void Save();
  void SaveAs();
  void Exit();
  // Opens the first file of a drop; the others are ignored.
  void Drop(DroppedFiles& drop);
  // Asks about unsaved changes; true when the window may close.
  bool CloseQuery();

  // The text was edited: it is unsaved now.
  void Changed();
  // The Save command follows the modified flag.
  void UpdateSaveCommand();
  // An edit or Rescue was refused for want of memory; the text is as it was.
  void EditOutOfMemory();

  const std::string& Path() const { return documentPath_; }

 private:
  bool HasName() const;
  DocumentSave SaveDocumentCommand();
  DocumentSave SaveDocumentAs();
  void MarkSaved();

  EditArea& richEdit1_;
  FormView& view_;
  MessageBoxes& boxes_;
  Files& files_;
  FileDialogs& dialogs_;
  Counter& counter_;
  LeadByteSet leadBytes_;
  std::string documentPath_;
  // The file that Save writes: the document's path made absolute once, when it was opened or
  // chosen, so that a later change of the current folder cannot send the text elsewhere.
  std::string savePath_;
  FileDialogMemory openDialog_ = InitialOpenDialog();
  FileDialogMemory saveDialog_ = InitialSaveDialog();
};

}  // namespace penlet
