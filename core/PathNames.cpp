// File name and extension of a path in a double-byte code page.
#include "core/PathNames.h"

namespace penlet {
namespace {

bool IsDelimiter(char c) {
  return c == '\\' || c == ':';
}

}  // namespace

size_t FileNameStart(std::string_view path, const LeadByteSet& leadBytes) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i = leadBytes.Next(path, i)) {
    if (IsDelimiter(path[i])) start = i + 1;
  }
  return start;
}

std::string FileNameOf(std::string_view path, const LeadByteSet& leadBytes) {
  return std::string(path.substr(FileNameStart(path, leadBytes)));
}

std::string ExtensionOf(std::string_view path, const LeadByteSet& leadBytes) {
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < path.size(); i = leadBytes.Next(path, i)) {
    if (path[i] == '.') {
      dot = i;
    } else if (IsDelimiter(path[i])) {
      dot = std::string_view::npos;
    }
  }
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

}  // namespace penlet
