// Document files in and out of the editing area, and their failure messages.
#include "core/DocumentFiles.h"

#include "core/Error.h"
#include "core/LineBreaks.h"
#include "core/Texts.h"

namespace penlet {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string out;
  auto value = values.begin();
  size_t i = 0;
  while (i < format.size()) {
    if (value != values.end() && format.compare(i, 2, "%s") == 0) {
      out += *value++;
      i += 2;
    } else {
      out += format[i++];
    }
  }
  return out;
}

std::string OpenErrorText(const Files& files, const std::string& path, ErrorCode code) {
  return FormatText(Ansi(texts::kOpenError), {files.FullPath(path), files.ErrorDescription(code)});
}

std::string CreateErrorText(const Files& files, const std::string& path, ErrorCode code) {
  return FormatText(Ansi(texts::kCreateError),
                    {files.FullPath(path), files.ErrorDescription(code)});
}

void LoadDocument(Files& files, const std::string& path, const StreamInto& streamIn) {
  OpenResult opened = files.OpenForReading(path);
  if (opened.tooLarge) throw Error(FormatText(Ansi(texts::kTooLargeError), {files.FullPath(path)}));
  if (opened.noMemory) throw Error(Ansi(texts::kOutOfMemoryError));
  if (!opened.reader) throw Error(OpenErrorText(files, path, opened.error));
  if (!streamIn(LineBreakingReader(*opened.reader), opened.size)) {
    throw Error(Ansi(texts::kReadError));
  }
}

void SaveDocument(Files& files, const std::string& path, const Files::Producer& streamOut) {
  SaveResult saved = files.Save(path, streamOut);
  switch (saved.outcome) {
    case SaveOutcome::kSaved:
      return;
    case SaveOutcome::kCannotCreate:
      throw Error(CreateErrorText(files, path, saved.error));
    case SaveOutcome::kWriteFailed:
      throw Error(Ansi(texts::kWriteError));
  }
}

}  // namespace penlet
