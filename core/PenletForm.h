// The main window's logic: the document's state and the handlers of its events and commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/CharacterIndex.h"
#include "core/DocumentCommands.h"
#include "core/FormView.h"
#include "platform/Clipboard.h"
#include "platform/Drops.h"
#include "platform/EditArea.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/Mail.h"
#include "platform/Mbcs.h"
#include "platform/Printer.h"
#include "platform/Profile.h"
#include "platform/ReplaceDialog.h"
#include "ui/About.h"
#include "ui/MessageDialog.h"

namespace penlet {

// The parts of the window that the logic works on, owned by the window.
struct FormParts {
  EditArea& richEdit1;
  FormView& view;
  MessageBoxes& boxes;
  LeadByteSet leadBytes;
  Files& files;
  FileDialogs& dialogs;
  // Counter and settings file.
  Clipboard& clipboard;
  Profile& profile;
  LeadByteSet counterLeadBytes;  // from the thread's locale; empty counts bytes
  // Send and About; without them Send fails and About shows nothing. Both are made after the
  // window (SetMailSystem, SetAboutBox).
  MailSystem* mail = nullptr;
  AboutBox* aboutBox = nullptr;
  // Find and replace; absent where a window has no such dialog.
  ReplaceDialog* replaceDialog1 = nullptr;
};

// How a save that the user can still call off ended; failures are raised as Error.
enum class DocumentSave { kSaved, kCancelled };

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

  // Counter and caret position (Counter.cpp).
  void RichEdit1SelectionChange();
  void UpdateCounter();
  void UpdateCaretPosition();
  void Memo1Click() { CounterClick(); }
  void Memo2Click() { CounterClick(); }
  void Memo1MouseDown() { parts_.view.HideCaret(); }
  void Memo2MouseDown() { parts_.view.HideCaret(); }

  // Commands.
  void FileNew1Execute();
  void FileOpen1Execute();
  void FileSave1Execute();
  void FileSaveAs1Execute();
  void FileExit1Execute();
  // Opens the first file of a drop; the others are ignored.
  void WMDropFiles(DroppedFiles& drop);
  // Rescue, Select All and About; the hint line (status panel 0 has no other writer).
  void EditUndoExecute() { parts_.richEdit1.Undo(); }
  void EditSelectAllExecute() { parts_.richEdit1.SelectAll(); }
  void HelpAbout1Execute() {
    if (parts_.aboutBox) parts_.aboutBox->ShowModal();
  }
  void SetAboutBox(AboutBox* box) { parts_.aboutBox = box; }
  void SetMailSystem(MailSystem* mail) { parts_.mail = mail; }
  // Hands the line text to the mail client (Send.cpp).
  void FileSend1Execute();
  void ApplicationEvents1Hint(const std::string& hint) { parts_.view.SetStatusText(0, hint); }

  // Find and replace (FindReplace.cpp).
  void EditReplaceExecute();
  void ReplaceDialog1Find();
  void ReplaceDialog1Replace();
  // The dialog's notification: runs the handler of the button it reports.
  void ReplaceDialog1Notify();

  // Printing (PrintCommand.cpp): the hidden print surface and the printer, given by the window.
  void SetPrintParts(PrintSurface& richEdit2, Printer& printer) {
    richEdit2_ = &richEdit2;
    printer_ = &printer;
  }
  void FilePrintExecute();

  const std::string& DocumentPath() const { return documentPath_; }
  bool CountInCharacters() const { return countInCharacters_; }

  // EditAreaListener; each step of an edit goes to the counter's index (Counter.cpp).
  void EditAreaTextChanging(const TextEdit& edit) override;
  void EditAreaTextChanged(const TextEdit& edit) override;
  void EditAreaChanged() override { RichEdit1Change(); }
  void EditAreaSelectionChanged() override { RichEdit1SelectionChange(); }
  // The lines were laid out anew (a new width, or the background layout of a long text): the
  // caret's line and column may have moved.
  void EditAreaLinesChanged() override { UpdateCaretPosition(); }

 private:
  bool HasName() const;
  DocumentSave SaveDocumentCommand();
  DocumentSave SaveDocumentAs();
  void MarkSaved();

  // Counter and caret position (Counter.cpp).
  void CounterClick();
  // Panels 1 and 2 and, when `withCounter`, the counter boxes, from one look at the text.
  void Refresh(bool withCounter);

  // Find and replace (FindReplace.cpp).
  void SelectMatch(ByteOffset position, ByteOffset length);
  void ReplaceAll(const std::string& findText, const std::string& replaceText);

  FormParts parts_;
  // The counter's characters, following the editing area's steps.
  CharacterIndex characters_;
  std::string documentPath_;
  // The file that Save writes: DocumentPath made absolute once, when it was opened or chosen,
  // so that a later change of the current folder cannot send the text elsewhere.
  std::string savePath_;
  FileDialogMemory openDialog_ = InitialOpenDialog();
  FileDialogMemory saveDialog_ = InitialSaveDialog();
  bool countInCharacters_ = true;
  PrintSurface* richEdit2_ = nullptr;
  Printer* printer_ = nullptr;
};

}  // namespace penlet
