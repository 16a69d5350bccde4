// The platform's profile (INI) files, and the path of the running executable beside which the
// settings file lies.
#pragma once

#include <string>

namespace penlet {

class Profile {
 public:
  virtual ~Profile() = default;
  // The full path of the running executable.
  virtual std::string ModulePath() const = 0;
  // The value of `key`, or the empty text when the file, section or key is missing. Values are
  // cut to 2047 bytes.
  virtual std::string ReadString(const std::string& path, const std::string& section,
                                 const std::string& key) const = 0;
  // False when the platform refused the write.
  virtual bool WriteString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
  // Writes out whatever the platform holds back of the file.
  virtual void Flush(const std::string& path) = 0;
};

}  // namespace penlet
