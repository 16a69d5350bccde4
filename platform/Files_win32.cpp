// Document files through kernel32: reading, safe saving via a temporary file, error texts.
#include <windows.h>

#include "platform/Files.h"

namespace penlet {
namespace {

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Close(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class SystemFileReader : public FileReader {
 public:
  explicit SystemFileReader(HANDLE handle) : file_(handle) {}
  bool Read(char* buffer, std::int32_t size, std::int32_t& got) override {
    DWORD read = 0;
    got = 0;
    if (size < 0 || !ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &read, nullptr)) {
      return false;
    }
    got = static_cast<std::int32_t>(read);
    return true;
  }

 private:
  OwnedHandle file_;
};

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

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SystemFiles : public Files {
 public:
  OpenResult OpenForReading(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    OpenResult result;
    if (handle == INVALID_HANDLE_VALUE) {
      result.error = GetLastError();
    } else {
      result.reader = std::make_unique<SystemFileReader>(handle);
    }
    return result;
  }

  SaveResult Save(const std::string& path, const Producer& produce) override {
    const std::string full = FullPath(path);
    const DWORD oldAttributes = GetFileAttributesA(full.c_str());

    // Opening the target for writing, without emptying it, tells a read-only file, a folder, a
    // bad folder or a file in use before anything is written. Holding it open while the text is
    // written keeps others from taking it meanwhile.
    OwnedHandle target(CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.valid()) return {SaveOutcome::kCannotCreate, GetLastError()};
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    // The system refuses a read-only file here, but Wine run by root does not; the save must not
    // go through in either case.
    if (oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & FILE_ATTRIBUTE_READONLY)) {
      return {SaveOutcome::kCannotCreate, ERROR_ACCESS_DENIED};
    }
    auto dropTarget = [&] {
      target.Close();
      if (created) DeleteFileA(full.c_str());
    };

    char temp[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(full).c_str(), "pnl", 0, temp)) {
      ErrorCode error = GetLastError();
      dropTarget();
      return {SaveOutcome::kCannotCreate, error};
    }
    OwnedHandle out(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid()) {
      ErrorCode error = GetLastError();
      DeleteFileA(temp);
      dropTarget();
      return {SaveOutcome::kCannotCreate, error};
    }

    ErrorCode writeError = 0;
    bool written = produce([&](const char* data, std::int32_t size) {
      DWORD done = 0;
      if (size < 0 || !WriteFile(out.get(), data, static_cast<DWORD>(size), &done, nullptr)) {
        writeError = GetLastError();
        return false;
      }
      if (done != static_cast<DWORD>(size)) {
        writeError = ERROR_HANDLE_DISK_FULL;
        return false;
      }
      return true;
    });
    if (written && !FlushFileBuffers(out.get())) {
      writeError = GetLastError();
      written = false;
    }
    out.Close();
    if (!written) {
      DeleteFileA(temp);
      dropTarget();
      return {SaveOutcome::kWriteFailed, writeError};
    }

    target.Close();
    if (!created && ReplaceFileA(full.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                 nullptr, nullptr)) {
      KeepAttributes(full, oldAttributes);
      return {SaveOutcome::kSaved, 0};
    }
    if (MoveFileExA(temp, full.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      if (!created) KeepAttributes(full, oldAttributes);
      return {SaveOutcome::kSaved, 0};
    }
    ErrorCode error = GetLastError();
    // A failed replace may already have taken the old file away; then the temporary file holds
    // the only copy of the text and must stay.
    if (Exists(full)) DeleteFileA(temp);
    if (created) DeleteFileA(full.c_str());
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
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string description = length > 0 && text ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    return TrimErrorDescription(std::move(description));
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

  static void KeepAttributes(const std::string& path, DWORD attributes) {
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    DWORD now = GetFileAttributesA(path.c_str());
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
