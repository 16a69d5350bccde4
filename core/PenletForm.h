// The main window's logic: the handlers of its events and commands, each handing the work to
// the object of its concern.
#pragma once

#include <string>
#include <vector>

#include "core/AboutBox.h"
#include "core/Counter.h"
#include "core/DocumentCommands.h"
#include "core/FindReplace.h"
#include "core/FormView.h"
#include "core/PrintCommand.h"
#include "core/Send.h"
#include "platform/files/Drops.h"
#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"
#include "platform/files/Profile.h"

namespace penlet {

class TPenletForm : public EditAreaListener {
 public:
  // Listens to `richEdit1` while it lives.
  TPenletForm(EditArea& richEdit1, FormView& view, Profile& profile, AboutBox& aboutBox,
              DocumentCommands& documents, Counter& counter, FindReplace& findReplace,
              PrintCommand& print, SendCommand& send, LeadByteSet leadBytes);
  ~TPenletForm() override;
  TPenletForm(const TPenletForm&) = delete;
  TPenletForm& operator=(const TPenletForm&) = delete;

  // Lifecycle.
  void FormCreate();
  // Opens each path in turn; an error ends the handler and leaves the rest unopened.
  void FormShow(const std::vector<std::string>& paths);
  void FormDestroy();
  // Returns whether the window may close.
  bool FormCloseQuery() { return documents_.CloseQuery(); }

  // Document.
  void OpenDocument(const std::string& path) { documents_.OpenDocument(path); }
  void UpdateSaveCommand() { documents_.UpdateSaveCommand(); }
  void RichEdit1Change();

  // Counter and caret position.
  void RichEdit1SelectionChange() { counter_.SelectionChange(); }
  void UpdateCounter() { counter_.UpdateCounter(); }
  void UpdateCaretPosition() { counter_.UpdateCaretPosition(); }
  void ClipboardUpdate() { counter_.ClipboardUpdate(); }
  void Memo1Click() { counter_.Click(); }
  void Memo2Click() { counter_.Click(); }
  void Memo1MouseDown() { view_.HideCaret(); }
  void Memo2MouseDown() { view_.HideCaret(); }

  // Commands.
  void FileNew1Execute() { documents_.New(); }
  void FileOpen1Execute() { documents_.Open(); }
  void FileSave1Execute() { documents_.Save(); }
  void FileSaveAs1Execute() { documents_.SaveAs(); }
  void FileExit1Execute() { documents_.Exit(); }
  void FileSend1Execute() { send_.Execute(); }
  void FilePrintExecute() { print_.Execute(); }
  // Opens the first file of a drop; the others are ignored.
  void WMDropFiles(DroppedFiles& drop) { documents_.Drop(drop); }
  void EditCut1Execute() { view_.SendToFocusedEdit(EditCommand::kCut); }
  void EditCopy1Execute() { view_.SendToFocusedEdit(EditCommand::kCopy); }
  void EditPaste1Execute() { view_.SendToFocusedEdit(EditCommand::kPaste); }
  void EditUndoExecute() { richEdit1_.Undo(); }
  void EditSelectAllExecute() { richEdit1_.SelectAll(); }
  void HelpAbout1Execute() { aboutBox_.ShowModal(); }
  // The hint line: status panel 0 has no other writer.
  void ApplicationEvents1Hint(const std::string& hint) { view_.SetStatusText(0, hint); }

  // Find and replace.
  void EditReplaceExecute() { findReplace_.Open(); }
  void ReplaceDialog1Find() { findReplace_.Find(); }
  void ReplaceDialog1Replace() { findReplace_.Replace(); }
  void ReplaceDialog1Notify() { findReplace_.Notify(); }

  const std::string& DocumentPath() const { return documents_.Path(); }
  bool CountInCharacters() const { return counter_.CountInCharacters(); }

  // EditAreaListener; each step of an edit goes to the counter's index.
  void EditAreaTextChanging(const TextEdit& edit) override { counter_.TextChanging(edit); }
  void EditAreaTextChanged(const TextEdit& edit) override { counter_.TextChanged(edit); }
  void EditAreaChanged() override { RichEdit1Change(); }
  void EditAreaSelectionChanged() override { RichEdit1SelectionChange(); }
  // The lines were laid out (at a new width, or further in the background layout of a long
  // text): the caret's line and column may have moved. Only a new layout changes the lines a
  // print job or a mail body copies; the background layout only counts them further.
  void EditAreaLinesChanged(LayoutChange change) override {
    if (change == LayoutChange::kNewLayout) {
      print_.LinesChanged();
      send_.LinesChanged();
    }
    UpdateCaretPosition();
  }
  void EditAreaOutOfMemory() override { documents_.EditOutOfMemory(); }

 private:
  EditArea& richEdit1_;
  FormView& view_;
  Profile& profile_;
  AboutBox& aboutBox_;
  DocumentCommands& documents_;
  Counter& counter_;
  FindReplace& findReplace_;
  PrintCommand& print_;
  SendCommand& send_;
  LeadByteSet leadBytes_;
};

}  // namespace penlet
