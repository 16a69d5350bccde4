// The main window's logic: start-up and the end of the window.
#include "core/PenletForm.h"

#include "core/Settings.h"
#include "ui/Texts.h"

namespace penlet {

TPenletForm::TPenletForm(FormParts parts) : parts_(parts), characters_(parts.counterLeadBytes) {
  characters_.Reset(parts_.richEdit1);
}

void TPenletForm::FormCreate() {
  const WindowSize size = ReadWindowSize(parts_.profile, parts_.leadBytes);
  parts_.view.SetWindowSize(size.width, size.height);
  documentPath_.clear();
  parts_.view.SetCaption(Ansi(texts::kCaptionPrefix));
  countInCharacters_ = true;
  RichEdit1SelectionChange();
  parts_.richEdit1.SetModified(false);
  UpdateSaveCommand();
}

void TPenletForm::FormShow(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) OpenDocument(path);
}

void TPenletForm::FormDestroy() {
  WriteWindowRect(parts_.profile, parts_.leadBytes, parts_.view.RememberedRect());
}

}  // namespace penlet
