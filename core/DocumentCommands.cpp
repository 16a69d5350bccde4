// The document commands.
#include "core/DocumentCommands.h"

#include "core/DocumentFiles.h"
#include "core/PathNames.h"
#include "core/Texts.h"

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

DocumentCommands::DocumentCommands(EditArea& richEdit1, FormView& view, MessageBoxes& boxes,
                                   Files& files, FileDialogs& dialogs, Counter& counter,
                                   LeadByteSet leadBytes)
    : richEdit1_(richEdit1),
      view_(view),
      boxes_(boxes),
      files_(files),
      dialogs_(dialogs),
      counter_(counter),
      leadBytes_(leadBytes) {}

void DocumentCommands::Reset() {
  documentPath_.clear();
  savePath_.clear();
  view_.SetCaption(Ansi(texts::kCaptionPrefix));
  richEdit1_.SetModified(false);
  UpdateSaveCommand();
}

bool DocumentCommands::HasName() const {
  return !ExtensionOf(documentPath_, leadBytes_).empty();
}

void DocumentCommands::UpdateSaveCommand() {
  view_.SetSaveEnabled(richEdit1_.Modified());
}

void DocumentCommands::Changed() {
  richEdit1_.SetModified(true);
  UpdateSaveCommand();
}

void DocumentCommands::MarkSaved() {
  richEdit1_.SetModified(false);
  UpdateSaveCommand();
}

void DocumentCommands::OpenDocument(const std::string& path) {
  // Resolved now, against the current folder of this moment: Save writes to this file even
  // when a dialog has changed the current folder since.
  const std::string full = files_.FullPath(path);
  try {
    LoadDocument(files_, full, [this](const ReadBlock& read, std::int64_t expectedBytes) {
      return richEdit1_.StreamIn(read, expectedBytes);
    });
  } catch (...) {
    // The editing area puts the old text back after a failed read, and reports that as a
    // change; the Save command must show the flag as it now is.
    UpdateSaveCommand();
    throw;
  }
  view_.SetCaption(Ansi(texts::kCaptionPrefix) + FileNameOf(path, leadBytes_));
  counter_.SelectionChange();
  documentPath_ = path;
  savePath_ = full;
  MarkSaved();
}

void DocumentCommands::EditOutOfMemory() {
  boxes_.ShowMessageDialog(Ansi(texts::kOutOfMemoryError), MessageKind::Error, kButtonOk);
}

void DocumentCommands::New() {
  documentPath_.clear();
  savePath_.clear();
  view_.SetCaption(Ansi(texts::kCaptionPrefix));
  richEdit1_.SetText("");
  counter_.SelectionChange();
  MarkSaved();
}

void DocumentCommands::Open() {
  if (!dialogs_.Execute(FileDialogKind::kOpen, openDialog_)) return;
  OpenDocument(openDialog_.fileName);
}

void DocumentCommands::Save() {
  SaveDocumentCommand();
}

void DocumentCommands::SaveAs() {
  SaveDocumentAs();
}

DocumentSave DocumentCommands::SaveDocumentCommand() {
  if (!HasName()) return SaveDocumentAs();
  SaveDocument(files_, savePath_,
               [this](const WriteBlock& write) { return richEdit1_.StreamOut(write); });
  MarkSaved();
  return DocumentSave::kSaved;
}

DocumentSave DocumentCommands::SaveDocumentAs() {
  if (!dialogs_.Execute(FileDialogKind::kSave, saveDialog_)) return DocumentSave::kCancelled;
  const std::string path = saveDialog_.fileName;
  if (files_.FileExists(path)) {
    const DialogResult answer =
        boxes_.ShowMessageDialog(FormatText(Ansi(texts::kOverwriteQuestion), {path}),
                                 MessageKind::Confirmation, kButtonYes | kButtonNo | kButtonCancel);
    if (answer != DialogResult::Yes) return DocumentSave::kCancelled;
  }
  saveDialog_.defaultExtension =
      SaveDefaultExtension(saveDialog_.filterIndex, saveDialog_.defaultExtension);
  const std::string full = files_.FullPath(path);
  SaveDocument(files_, full,
               [this](const WriteBlock& write) { return richEdit1_.StreamOut(write); });
  documentPath_ = path;
  savePath_ = full;
  view_.SetCaption(FileNameOf(path, leadBytes_));
  MarkSaved();
  return DocumentSave::kSaved;
}

void DocumentCommands::Exit() {
  view_.Close();
}

void DocumentCommands::Drop(DroppedFiles& drop) {
  view_.BringMainWindowToFront();
  const std::string path = drop.FirstFile();
  drop.Finish();
  OpenDocument(path);
}

bool DocumentCommands::CloseQuery() {
  if (!richEdit1_.Modified()) return true;
  view_.BeepQuestion();
  const std::string name =
      HasName() ? FileNameOf(documentPath_, leadBytes_) : Ansi(texts::kUntitledName);
  const std::string text =
      Ansi(texts::kUnsavedOpen) + name + Ansi(texts::kUnsavedClose) + Ansi(texts::kUnsavedQuestion);
  switch (boxes_.ShowMessageDialog(text, MessageKind::Confirmation,
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
