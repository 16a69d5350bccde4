// The main window's logic: start-up, the document's state, and the close query.
#include "core/PenletForm.h"

#include <cstdio>
#include <memory>

#include "core/Error.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

std::string FormatPath(std::string_view pattern, const std::string& path) {
  std::string text = Ansi(pattern);
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

std::string FileNameOf(const std::string& path, const LeadByteSet& leadBytes) {
  size_t start = 0;
  for (size_t p = 0; p < path.size(); p = leadBytes.Next(path, p)) {
    if (path[p] == '\\' || path[p] == ':') start = p + 1;
  }
  return path.substr(start);
}

}  // namespace

TPenletForm::TPenletForm(FormParts parts) : parts_(parts) {}

void TPenletForm::FormCreate() {
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

void TPenletForm::FormDestroy() {}

bool TPenletForm::FormCloseQuery() { return true; }

void TPenletForm::OpenDocument(const std::string& path) {
  LoadFile(path);
  parts_.richEdit1.SetTextLimit(0x7FFFFFF0);
  parts_.view.SetCaption(Ansi(texts::kCaptionPrefix) + FileNameOf(path, parts_.leadBytes));
  RichEdit1SelectionChange();
  documentPath_ = path;
  parts_.richEdit1.SetModified(false);
  UpdateSaveCommand();
}

void TPenletForm::LoadFile(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw Error(FormatPath(texts::kOpenError, path));
  bool ok = parts_.richEdit1.StreamIn([&](char* buffer, std::int32_t size, std::int32_t& got) {
    got = static_cast<std::int32_t>(std::fread(buffer, 1, size / 2, file.get()));
    return !std::ferror(file.get());
  });
  if (!ok) throw Error(Ansi(texts::kReadError));
}

void TPenletForm::UpdateSaveCommand() { parts_.view.SetSaveEnabled(parts_.richEdit1.Modified()); }

void TPenletForm::RichEdit1Change() {
  parts_.richEdit1.SetModified(true);
  UpdateSaveCommand();
}

void TPenletForm::RichEdit1SelectionChange() {}

void TPenletForm::FileNew1Execute() {
  documentPath_.clear();
  parts_.view.SetCaption(Ansi(texts::kCaptionPrefix));
  parts_.richEdit1.SetText("");
  RichEdit1SelectionChange();
  parts_.richEdit1.SetModified(false);
  UpdateSaveCommand();
}

void TPenletForm::FileExit1Execute() { parts_.view.Close(); }

}  // namespace penlet
