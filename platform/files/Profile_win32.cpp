// Profile files through the platform's private profile functions.
#include "platform/files/Profile_win32.h"

#include <windows.h>

namespace penlet {

std::string Win32Profile::ModulePath() const {
  // A path longer than MAX_PATH is cut without an error by older systems, so grow until it
  // fits with room to spare.
  std::string path(MAX_PATH, '\0');
  while (true) {
    const DWORD got = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return {};
    if (got < path.size() - 1) {
      path.resize(got);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

std::string Win32Profile::ReadString(const std::string& path, const std::string& section,
                                     const std::string& key) const {
  char buffer[2048];
  const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                             sizeof buffer, path.c_str());
  return std::string(buffer, got);
}

bool Win32Profile::WriteString(const std::string& path, const std::string& section,
                               const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
         FALSE;
}

void Win32Profile::Flush(const std::string& path) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

}  // namespace penlet
