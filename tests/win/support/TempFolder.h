// A folder of its own for a Windows-side test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

namespace penlet {

class TempFolder {
 public:
  // Creates "<system temp>\<prefix>-<process id>-<n>"; empty path() when that failed.
  explicit TempFolder(const std::string& prefix);
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::string& path() const { return path_; }
  std::string In(const std::string& name) const { return path_ + "\\" + name; }
  // The names in the folder, sorted, without "." and "..".
  std::vector<std::string> Names() const;

 private:
  std::string path_;
};

}  // namespace penlet
