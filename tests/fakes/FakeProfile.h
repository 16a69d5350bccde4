// Profile files in memory: the values a read returns (as the platform gives them, trimmed),
// every write in order, flushes, and writes refused from a chosen key on.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/Profile.h"

namespace penlet {

class FakeProfile : public Profile {
 public:
  struct Write {
    std::string path, section, key, value;
  };

  std::string ModulePath() const override { return modulePath; }
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key) const override {
    ++reads;
    auto found = values.find({path, section + "\n" + key});
    if (found == values.end()) return {};
    return found->second.substr(0, 2047);
  }
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (refuseWrites || key == refuseKey) return false;
    writes.push_back({path, section, key, value});
    values[{path, section + "\n" + key}] = value;
    return true;
  }
  void Flush(const std::string& path) override { flushed.push_back(path); }

  void Set(const std::string& path, const std::string& section, const std::string& key,
           const std::string& value) {
    values[{path, section + "\n" + key}] = value;
  }

  std::string modulePath = "C:\\Tools\\penlet.exe";
  bool refuseWrites = false;
  std::string refuseKey;  // writes of this key are refused
  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<Write> writes;
  std::vector<std::string> flushed;
  mutable int reads = 0;
};

}  // namespace penlet
