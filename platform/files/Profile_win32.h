// Profile files through the platform's private profile functions.
#pragma once

#include "platform/files/Profile.h"

namespace penlet {

class Win32Profile : public Profile {
 public:
  std::string ModulePath() const override;
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key) const override;
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
  void Flush(const std::string& path) override;
};

}  // namespace penlet
