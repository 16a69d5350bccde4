// The document's identity and saved state, and every way a document enters or leaves the
// program as a file: New, Open, Save, Save As, Exit, drops and the closing question.
#include "core/DocumentCommands.h"

#include "core/DocumentFiles.h"
#include "core/PathNames.h"
#include "core/PenletForm.h"
#include "ui/Texts.h"

namespace penlet {

FileDialogMemory InitialOpenDialog() {
  FileDialogMemory memory;
  memory.filter = Ansi(texts::kOpenFilter);
  memory.defaultExtension = "rtf";
  return memory;
}

FileDialogMemory InitialSaveDialog() {
  FileDialogMemory memory;
  memory.filter = Ansi(texts::kSaveFilter);
  memory.defaultExtension = "txt";
  return memory;
}

std::string SaveDefaultExtension(int filterIndex, const std::string& current) {
  switch (filterIndex) {
    case 1:
      return "txt";
    case 2:
      return "c";
    case 3:
      return "htm";
    case 4:
      return "";
    default:
      return current;
  }
}

bool TPenletForm::HasName() const {
  return !ExtensionOf(documentPath_, parts_.leadBytes).empty();
}

void TPenletForm::UpdateSaveCommand() {
  parts_.view.SetSaveEnabled(parts_.richEdit1.Modified());
}

void TPenletForm::RichEdit1Change() {
  parts_.richEdit1.SetModified(true);
  UpdateSaveCommand();
  // An edit that leaves the caret where it was (a forward Delete) moves no selection: the
  // counter and the panels follow the text here. When the caret moves too, the refresh that
  // follows finds the displays already right and changes nothing.
  UpdateCounter();
}

void TPenletForm::MarkSaved() {
  parts_.richEdit1.SetModified(false);
  UpdateSaveCommand();
}

void TPenletForm::OpenDocument(const std::string& path) {
  // Resolved now, against the current folder of this moment: Save writes to this file even
  // when a dialog has changed the current folder since.
  const std::string full = parts_.files.FullPath(path);
  try {
    LoadDocument(parts_.files, full, [this](const EditArea::ReadBlock& read) {
      return parts_.richEdit1.StreamIn(read);
    });
  } catch (...) {
    // The editing area puts the old text back after a failed read, and reports that as a
    // change; the Save command must show the flag as it now is.
    UpdateSaveCommand();
    throw;
  }
  parts_.view.SetCaption(Ansi(texts::kCaptionPrefix) + FileNameOf(path, parts_.leadBytes));
  RichEdit1SelectionChange();
  documentPath_ = path;
  savePath_ = full;
  MarkSaved();
}

void TPenletForm::FileNew1Execute() {
  documentPath_.clear();
  savePath_.clear();
  parts_.view.SetCaption(Ansi(texts::kCaptionPrefix));
  parts_.richEdit1.SetText("");
  RichEdit1SelectionChange();
  MarkSaved();
}

void TPenletForm::FileOpen1Execute() {
  if (!parts_.dialogs.Execute(FileDialogKind::kOpen, openDialog_)) return;
  OpenDocument(openDialog_.fileName);
}

void TPenletForm::FileSave1Execute() {
  SaveDocumentCommand();
}

void TPenletForm::FileSaveAs1Execute() {
  SaveDocumentAs();
}

DocumentSave TPenletForm::SaveDocumentCommand() {
  if (!HasName()) return SaveDocumentAs();
  SaveDocument(parts_.files, savePath_, [this](const EditArea::WriteBlock& write) {
    return parts_.richEdit1.StreamOut(write);
  });
  MarkSaved();
  return DocumentSave::kSaved;
}

DocumentSave TPenletForm::SaveDocumentAs() {
  if (!parts_.dialogs.Execute(FileDialogKind::kSave, saveDialog_)) return DocumentSave::kCancelled;
  const std::string path = saveDialog_.fileName;
  if (parts_.files.FileExists(path)) {
    const DialogResult answer = parts_.boxes.ShowMessageDialog(
        FormatText(Ansi(texts::kOverwriteQuestion), {path}), MessageKind::Confirmation,
        kButtonYes | kButtonNo | kButtonCancel);
    if (answer != DialogResult::Yes) return DocumentSave::kCancelled;
  }
  saveDialog_.defaultExtension =
      SaveDefaultExtension(saveDialog_.filterIndex, saveDialog_.defaultExtension);
  const std::string full = parts_.files.FullPath(path);
  SaveDocument(parts_.files, full, [this](const EditArea::WriteBlock& write) {
    return parts_.richEdit1.StreamOut(write);
  });
  documentPath_ = path;
  savePath_ = full;
  parts_.view.SetCaption(FileNameOf(path, parts_.leadBytes));
  MarkSaved();
  return DocumentSave::kSaved;
}

void TPenletForm::FileExit1Execute() {
  parts_.view.Close();
}

void TPenletForm::WMDropFiles(DroppedFiles& drop) {
  parts_.view.BringMainWindowToFront();
  const std::string path = drop.FirstFile();
  drop.Finish();
  OpenDocument(path);
}

bool TPenletForm::FormCloseQuery() {
  if (!parts_.richEdit1.Modified()) return true;
  parts_.view.BeepQuestion();
  const std::string name =
      HasName() ? FileNameOf(documentPath_, parts_.leadBytes) : Ansi(texts::kUntitledName);
  const std::string text =
      Ansi(texts::kUnsavedOpen) + name + Ansi(texts::kUnsavedClose) + Ansi(texts::kUnsavedQuestion);
  switch (parts_.boxes.ShowMessageDialog(text, MessageKind::Confirmation,
                                         kButtonYes | kButtonNo | kButtonCancel)) {
    case DialogResult::Yes:
      // A Save As called off, or an overwrite declined, keeps the window open with the changes
      // rather than losing them; a failed save raises its error and keeps it open too.
      return SaveDocumentCommand() == DocumentSave::kSaved;
    case DialogResult::No:
      return true;
    default:
      return false;
  }
}

}  // namespace penlet
