// In-memory files for the native tests.
#include "tests/fakes/FakeFiles.h"

#include <algorithm>
#include <cstring>

namespace penlet {
namespace {

class FakeReader : public FileReader {
 public:
  FakeReader(std::string bytes, int failsAfter, int chunk)
      : bytes_(std::move(bytes)), failsAfter_(failsAfter), chunk_(chunk) {}

  bool Read(char* buffer, std::int32_t size, std::int32_t& got) override {
    got = 0;
    if (failsAfter_ >= 0 && pos_ >= static_cast<size_t>(failsAfter_)) return false;
    size_t n = std::min(bytes_.size() - pos_, static_cast<size_t>(size));
    if (chunk_ > 0) n = std::min(n, static_cast<size_t>(chunk_));
    if (failsAfter_ >= 0) n = std::min(n, static_cast<size_t>(failsAfter_) - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    got = static_cast<std::int32_t>(n);
    return true;
  }

 private:
  std::string bytes_;
  size_t pos_ = 0;
  int failsAfter_;
  int chunk_;
};

}  // namespace

FakeFiles::FakeFiles() {
  AddFolder("C:\\work");
}

void FakeFiles::AddFolder(const std::string& path) {
  entries[FullPath(path)].folder = true;
}

void FakeFiles::AddFile(const std::string& path, const std::string& bytes) {
  entries[FullPath(path)] = Entry{bytes};
}

const FakeFiles::Entry* FakeFiles::Find(const std::string& path) const {
  auto it = entries.find(FullPath(path));
  return it == entries.end() ? nullptr : &it->second;
}

bool FakeFiles::FolderExists(const std::string& fullPath) const {
  std::string folder = fullPath.substr(0, fullPath.rfind('\\'));
  if (folder.size() == 2 && folder[1] == ':') return true;
  auto it = entries.find(folder);
  return it != entries.end() && it->second.folder;
}

OpenResult FakeFiles::OpenForReading(const std::string& path) {
  OpenResult result;
  const Entry* entry = Find(path);
  if (!entry) {
    result.error = FolderExists(FullPath(path)) ? kFileNotFound : kPathNotFound;
  } else if (entry->folder) {
    result.error = kAccessDenied;
  } else if (entry->openForWriting) {
    result.error = kSharingViolation;
  } else if (tooLarge) {
    result.tooLarge = true;
  } else if (noMemory) {
    result.noMemory = true;
  } else {
    result.size = static_cast<std::int64_t>(entry->bytes.size());
    result.reader = std::make_unique<FakeReader>(entry->bytes, readFailsAfter, readChunk);
  }
  return result;
}

SaveResult FakeFiles::Save(const std::string& path, const Producer& produce) {
  const std::string full = FullPath(path);
  if (!FolderExists(full)) return {SaveOutcome::kCannotCreate, kPathNotFound};
  auto it = entries.find(full);
  if (it != entries.end()) {
    if (it->second.folder || it->second.readOnly)
      return {SaveOutcome::kCannotCreate, kAccessDenied};
    if (it->second.openForWriting) return {SaveOutcome::kCannotCreate, kSharingViolation};
  }
  // Like the real files, the text goes to the side first and replaces the file only when whole.
  std::string text;
  bool written = produce([&](const char* data, std::int32_t size) {
    if (writeFailsAfter >= 0 &&
        text.size() + static_cast<size_t>(size) > static_cast<size_t>(writeFailsAfter)) {
      return false;
    }
    text.append(data, static_cast<size_t>(size));
    return true;
  });
  if (!written) return {SaveOutcome::kWriteFailed, kDiskFull};
  entries[full].bytes = std::move(text);
  return {SaveOutcome::kSaved, 0};
}

bool FakeFiles::FileExists(const std::string& path) const {
  const Entry* entry = Find(path);
  return entry && !entry->folder;
}

std::string FakeFiles::FullPath(const std::string& path) const {
  if (path.size() >= 2 && path[1] == ':') return path;
  if (!path.empty() && path[0] == '\\') return currentFolder.substr(0, 2) + path;
  return currentFolder + "\\" + path;
}

std::string FakeFiles::ErrorDescription(ErrorCode code) const {
  return "system message " + std::to_string(code);
}

}  // namespace penlet
