// Document files through kernel32: reading, safe saving via a temporary file, error texts.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/files/Files.h"
#include "platform/system/Win32Support_win32.h"

namespace penlet {
namespace {

class SystemFileReader : public FileReader {
 public:
  explicit SystemFileReader(HANDLE handle) : file_(handle) {}
  bool Read(char* buffer, std::int32_t size, std::int32_t& got) override {
    DWORD read = 0;
    got = 0;
    if (size < 0 || !ReadFile(file_.Get(), buffer, static_cast<DWORD>(size), &read, nullptr)) {
      return false;
    }
    got = static_cast<std::int32_t>(read);
    return true;
  }

 private:
  OwnedFile file_;
};

// The largest free stretch of the process's address space.
std::uint64_t LargestFreeBlock() {
  std::uint64_t largest = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* at = static_cast<const char*>(nullptr);
       VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_FREE) largest = std::max<std::uint64_t>(largest, region.RegionSize);
    if (region.RegionSize == 0) break;
  }
  return largest;
}

// What a file of `bytes` finds in the address space. The editing area keeps the text in one piece
// and the layout of its lines: about 1.1 bytes for every byte, measured, and the first edits of
// the whole text (a paste, a deletion that the undo history keeps) take as much again. A file
// that would not fit is refused before it is read, as too large when even a program holding no
// other text could not have that much, and for want of memory when the text it replaces (and
// that text's history) leaves too little beside it: the new text is read in before the old one
// goes, so the two must fit together for a moment.
enum class Room { kEnough, kTooLarge, kNotNow };

Room RoomForText(std::int64_t bytes) {
  constexpr std::uint64_t kMargin = 64u << 20;
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return Room::kEnough;
  const auto size = static_cast<std::uint64_t>(std::max<std::int64_t>(bytes, 0));
  if (status.ullTotalVirtual < size / 2 * 5 + 2 * kMargin) return Room::kTooLarge;
  if (status.ullAvailVirtual < size + kMargin || LargestFreeBlock() < size + kMargin) {
    return Room::kNotNow;
  }
  return Room::kEnough;
}

// The folder part of a full path, with its final "\", stepping over double-byte characters.
std::string FolderOf(const std::string& fullPath) {
  size_t cut = std::string::npos;
  for (size_t i = 0; i < fullPath.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(fullPath[i]);
    if (IsDBCSLeadByte(c) && i + 1 < fullPath.size()) {
      ++i;
    } else if (c == '\\' || c == '/') {
      cut = i;
    }
  }
  return cut == std::string::npos ? std::string(".\\") : fullPath.substr(0, cut + 1);
}

// A save writes the text to a temporary file in the document's folder first. Its name says
// whose it is, so that one left by a save that was cut short (the program killed, the power
// gone) is recognisably Penlet's and goes at the next save there.
constexpr char kTempPattern[] = "~penlet-*.tmp";

// How long a save waits for another program to let go of the old file before it gives up.
constexpr DWORD kRenameWaitMs = 3000;

std::string Hex(unsigned long value) {
  char digits[16];
  wsprintfA(digits, "%lx", value);
  return digits;
}

// Creates a new temporary file in `folder`, however long its path; its name goes to `name`.
HANDLE CreateTempFile(const std::string& folder, std::string& name) {
  static unsigned long serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "~penlet-" + Hex(GetCurrentProcessId()) + "-" + Hex(++serial) + ".tmp";
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  return INVALID_HANDLE_VALUE;
}

// Removes the temporary files that earlier saves left in `folder`. One that a running save is
// writing is open without sharing and stays.
void RemoveStaleTempFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const OwnedFileSearch search(FindFirstFileA((folder + kTempPattern).c_str(), &found));
  if (!search) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      DeleteFileA((folder + found.cFileName).c_str());
    }
  } while (FindNextFileA(search.Get(), &found));
}

class SystemFiles : public Files {
 public:
  OpenResult OpenForReading(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    OpenResult result;
    if (handle == INVALID_HANDLE_VALUE) {
      result.error = GetLastError();
    } else if (GetFileType(handle) != FILE_TYPE_DISK) {
      // A device (COM1, AUX, NUL, CON) or a pipe is no document: reading a serial port waits
      // for bytes that may never come. Refused as a folder is.
      CloseHandle(handle);
      result.error = ERROR_ACCESS_DENIED;
    } else {
      LARGE_INTEGER size{};
      GetFileSizeEx(handle, &size);
      result.size = size.QuadPart;
      const Room room = RoomForText(result.size);
      if (room != Room::kEnough) {
        CloseHandle(handle);
        result.tooLarge = room == Room::kTooLarge;
        result.noMemory = room == Room::kNotNow;
      } else {
        result.reader = std::make_unique<SystemFileReader>(handle);
      }
    }
    return result;
  }

  SaveResult Save(const std::string& path, const Producer& produce) override {
    const std::string full = FullPath(path);
    const std::string folder = FolderOf(full);
    const DWORD oldAttributes = GetFileAttributesA(full.c_str());
    const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;

    // Opening an existing target for writing, without emptying it, tells a read-only file, a
    // folder or a file that another program writes, or reads without letting others write,
    // before anything is written; holding it open while the text is written keeps others from
    // writing it meanwhile. Readers may go on reading the old text, and it may be renamed over.
    // A new name is not created before the text is complete: the temporary file is moved there.
    OwnedFile target(exists ? CreateFileA(full.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                            : INVALID_HANDLE_VALUE);
    if (exists && !target) return {SaveOutcome::kCannotCreate, GetLastError()};
    // The system refuses a read-only file here, but Wine run by root does not; the save must not
    // go through in either case.
    if (exists && (oldAttributes & FILE_ATTRIBUTE_READONLY)) {
      return {SaveOutcome::kCannotCreate, ERROR_ACCESS_DENIED};
    }

    std::string temp;
    OwnedFile out(CreateTempFile(folder, temp));
    if (!out) return {SaveOutcome::kCannotCreate, GetLastError()};

    ErrorCode writeError = 0;
    bool written = produce([&](const char* data, std::int32_t size) {
      DWORD done = 0;
      if (size < 0 || !WriteFile(out.Get(), data, static_cast<DWORD>(size), &done, nullptr)) {
        writeError = GetLastError();
        return false;
      }
      if (done != static_cast<DWORD>(size)) {
        writeError = ERROR_HANDLE_DISK_FULL;
        return false;
      }
      return true;
    });
    // The new file takes over what the old one's name showed: its time of creation here, its
    // attributes below.
    WIN32_FILE_ATTRIBUTE_DATA old{};
    if (written && exists && GetFileAttributesExA(full.c_str(), GetFileExInfoStandard, &old)) {
      SetFileTime(out.Get(), &old.ftCreationTime, nullptr, nullptr);
    }
    // The flush of a long text to the disk takes a while: the window answers meanwhile.
    if (written && !RunAnswering([&] { return FlushFileBuffers(out.Get()) != FALSE; })) {
      writeError = GetLastError();
      written = false;
    }
    out.Reset();
    if (!written) {
      DeleteFileA(temp.c_str());
      return {SaveOutcome::kWriteFailed, writeError};
    }
    if (exists) KeepAttributes(temp, oldAttributes);

    // One rename puts the new file in the old one's place: whoever opens the name meanwhile finds
    // the old file or the new one, whole, and so does the user after a crash or a power cut.
    // (ReplaceFile takes the old file away first and then moves the new one in: for a moment
    // there is no file at that name.)
    target.Reset();
    // The system does not rename over a file that another program has open, so one that has
    // just opened the old file to read it holds the rename up until it lets go; a program that
    // keeps looking at the file lets go between looks. Tried again for a few seconds, the window
    // answering meanwhile; a file held open all that time gives the error of the last try.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (exists ? MOVEFILE_REPLACE_EXISTING : 0);
    ErrorCode error = 0;
    const bool moved = RunAnswering([&] {
      const DWORD start = GetTickCount();
      for (;;) {
        if (MoveFileExA(temp.c_str(), full.c_str(), flags)) return true;
        error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        if (GetTickCount() - start >= kRenameWaitMs) return false;
        Sleep(5);
      }
    });
    if (moved) {
      RemoveStaleTempFiles(folder);
      return {SaveOutcome::kSaved, 0};
    }
    DeleteFileA(temp.c_str());
    return {SaveOutcome::kCannotCreate, error};
  }

  bool FileExists(const std::string& path) const override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::string FullPath(const std::string& path) const override {
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    if (length > 0 && length < MAX_PATH) return std::string(buffer, length);
    // The ANSI call gives up on results of MAX_PATH bytes or more (Wine even when the buffer
    // would be large enough); the wide call has no such limit.
    return LongFullPath(path);
  }

  std::string ErrorDescription(ErrorCode code) const override {
    return TrimErrorDescription(SystemErrorText(code));
  }

 private:
  static std::string LongFullPath(const std::string& path) {
    int wideLength = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return path;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), wideLength);
    std::wstring full(MAX_PATH, L'\0');
    // The answer is the length needed when the buffer is too small, and the current folder can
    // change between two calls, hence the loop.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD length =
          GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
      if (length == 0) return path;
      if (length < full.size()) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, full.data(), static_cast<int>(length), nullptr,
                                        0, nullptr, nullptr);
        if (bytes <= 0) return path;
        std::string out(static_cast<size_t>(bytes), '\0');
        WideCharToMultiByte(CP_ACP, 0, full.data(), static_cast<int>(length), out.data(), bytes,
                            nullptr, nullptr);
        return out;
      }
      full.assign(length + 1, L'\0');
    }
    return path;
  }

  // Gives `path` the attributes of the old file that matter to the user (a hidden or system
  // file stays one). Read-only files are not saved over at all.
  static void KeepAttributes(const std::string& path, DWORD attributes) {
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD now = GetFileAttributesA(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES || (now & kept) == (attributes & kept)) return;
    SetFileAttributesA(path.c_str(),
                       (attributes & kept) ? (attributes & kept) : FILE_ATTRIBUTE_NORMAL);
  }
};

}  // namespace

std::unique_ptr<Files> NewSystemFiles() {
  return std::make_unique<SystemFiles>();
}

}  // namespace penlet
