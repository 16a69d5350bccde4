// When the program dies of a fault (an unhandled structured exception, or std::terminate), the
// unsaved text goes to a file of its own beside the document, and a box names that file.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "platform/system/Mbcs.h"

namespace penlet {

class ScintillaEdit;

class CrashRecovery {
 public:
  // Prepares, while the heap is still sound, everything that the recovery needs (the editing
  // area's direct call, the folders, the texts of the box), then becomes the process's
  // unhandled-exception filter and terminate handler. `documentPath` is read at the moment of
  // the fault; a relative one is taken against the current folder of this moment, the one that
  // the command line's paths were opened from. One object at a time.
  CrashRecovery(const ScintillaEdit& edit, const std::string& documentPath);
  // Puts the previous filter and handler back.
  ~CrashRecovery();
  CrashRecovery(const CrashRecovery&) = delete;
  CrashRecovery& operator=(const CrashRecovery&) = delete;

 private:
  using DirectFunction = std::intptr_t(__cdecl*)(void*, unsigned, std::uintptr_t, std::intptr_t);
  // The text as the editing area holds it: the bytes before its gap and those after, in place.
  struct Pieces {
    const char* before;
    std::intptr_t beforeLength;
    const char* after;
    std::intptr_t afterLength;
    bool operator==(const Pieces& other) const;
  };
  // A path of fixed capacity, built without the heap.
  struct PathBuffer {
    char text[4096];
    size_t length = 0;
    bool fits = true;
    void Append(const char* bytes, size_t count);
    void AppendNumber(unsigned value, int digits);
  };

  static LONG WINAPI Filter(EXCEPTION_POINTERS* exception);
  [[noreturn]] static void Terminate();
  // Ends the process at once when this thread faulted again while recovering; waits for the end
  // when another thread recovers. True for the thread that is to recover.
  static bool Enter(UINT exitCode);
  // Writes the text if it is unsaved and tells the user where it went.
  void Recover();
  Pieces TextPieces() const;
  // Creates a new file "<name>.recovered-<date>-<time>[-<n>].txt" in `folder` and writes the
  // text there; its path is left in `path_`.
  bool WriteInto(const char* folder, size_t folderLength, const char* name, size_t nameLength);
  bool WriteText(HANDLE file) const;
  // The folder of `path` to put before its own folder part: the start-up folder for a relative
  // path, its drive for a path from the root of a drive, nothing for an absolute path.
  void PrefixFor(const char* path, size_t length, PathBuffer& folder) const;

  // The recovery's buffers are fixed in size and kept in this object rather than on the stack,
  // of which a thread that overflowed it has hardly any left.
  const ScintillaEdit& edit_;
  const std::string& documentPath_;
  DirectFunction direct_ = nullptr;
  void* directPointer_ = nullptr;
  LeadByteSet leadBytes_;
  char startFolder_[MAX_PATH * 4] = {};
  char tempFolder_[MAX_PATH + 1] = {};
  char untitledName_[64] = {};
  char caption_[64] = {};
  char failedText_[512] = {};
  // The text of the box: the lead, prepared at start, then the path of the file.
  char message_[512 + sizeof PathBuffer::text] = {};
  size_t messageLead_ = 0;
  SYSTEMTIME now_{};
  PathBuffer folder_;  // the folder that the file goes to
  PathBuffer path_;    // the file's path
  LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
  std::terminate_handler previousTerminate_ = nullptr;

  static CrashRecovery* installed_;
  static volatile LONG recoveringThread_;
};

}  // namespace penlet
