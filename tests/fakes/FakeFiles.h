// Files in memory, failing the way the system's files fail, for the native tests.
#pragma once

#include <map>
#include <string>

#include "platform/files/Files.h"

namespace penlet {

class FakeFiles : public Files {
 public:
  // The system's codes, so that messages built from them read as on Windows.
  static constexpr ErrorCode kFileNotFound = 2;
  static constexpr ErrorCode kPathNotFound = 3;
  static constexpr ErrorCode kAccessDenied = 5;
  static constexpr ErrorCode kSharingViolation = 32;
  static constexpr ErrorCode kDiskFull = 112;

  struct Entry {
    std::string bytes;
    bool folder = false;
    bool readOnly = false;
    bool openForWriting = false;  // held by another program
  };

  // Keyed by full path; "C:" exists as the root folder.
  std::map<std::string, Entry> entries;
  std::string currentFolder = "C:\\work";
  int readFailsAfter = -1;   // bytes that reads deliver before they fail; -1: never
  int writeFailsAfter = -1;  // bytes that saves take before a write fails; -1: never
  int readChunk = 0;         // most bytes a single read delivers; 0: as many as asked
  bool tooLarge = false;     // every file is more than the program has room for
  bool noMemory = false;     // every file fits, but not beside the text the program holds now

  FakeFiles();
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, const std::string& bytes);
  const Entry* Find(const std::string& path) const;

  OpenResult OpenForReading(const std::string& path) override;
  SaveResult Save(const std::string& path, const Producer& produce) override;
  bool FileExists(const std::string& path) const override;
  std::string FullPath(const std::string& path) const override;
  std::string ErrorDescription(ErrorCode code) const override;

 private:
  bool FolderExists(const std::string& fullPath) const;
};

}  // namespace penlet
