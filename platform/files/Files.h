// Document files on disk: reading one, saving one safely, and what the system says about a
// failure. The callers turn the results into the program's messages.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/files/Blocks.h"

namespace penlet {

// The system's error code (GetLastError on Windows).
using ErrorCode = std::uint32_t;

// A file open for reading, closed when the object goes.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Fills `buffer` with at most `size` bytes; `got` is 0 at the end. False means a failure.
  virtual bool Read(char* buffer, std::int32_t size, std::int32_t& got) = 0;
};

struct OpenResult {
  std::unique_ptr<FileReader> reader;  // null when the file could not be opened
  ErrorCode error = 0;
  std::int64_t size = 0;  // the file's bytes
  // The file is more than the program has room for: not opened, so that the reading does not
  // fail half-way after seconds.
  bool tooLarge = false;
  // The file would fit, but not beside what the program holds now (the text it would replace,
  // that text's undo history): not opened either.
  bool noMemory = false;
};

enum class SaveOutcome {
  kSaved,
  kCannotCreate,  // the file cannot be written (bad folder, read-only, a folder, in use...)
  kWriteFailed,   // the text could not be written completely; the old file is untouched
};

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::kSaved;
  ErrorCode error = 0;
};

class Files {
 public:
  // Hands the whole text to `write` block by block; false when that failed.
  using Producer = std::function<bool(const WriteBlock& write)>;

  virtual ~Files() = default;

  // Opens an existing file (not a folder) for reading; others may read it meanwhile but not
  // write it, and a file that someone is writing cannot be opened.
  virtual OpenResult OpenForReading(const std::string& path) = 0;

  // Writes everything `produce` hands over to `path`. The old file stays whole until the new
  // text is completely written, and then is replaced keeping its attributes. Whether the file
  // can be written at all is checked before anything is written.
  virtual SaveResult Save(const std::string& path, const Producer& produce) = 0;

  // True when a file, not a folder, exists at `path`.
  virtual bool FileExists(const std::string& path) const = 0;

  // `path` made absolute against the current folder; `path` itself when that fails.
  virtual std::string FullPath(const std::string& path) const = 0;

  // The system's description of `code`, without trailing blanks, line breaks or ".".
  virtual std::string ErrorDescription(ErrorCode code) const = 0;
};

// The files of the running system (Windows build only).
std::unique_ptr<Files> NewSystemFiles();

// Removes the bytes below 0x21 and the "." that system messages end with.
std::string TrimErrorDescription(std::string text);

}  // namespace penlet
