// Line-break conversion of a document file being loaded.
#include "core/LineBreaks.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/files/Files.h"

namespace penlet {

bool LineBreakConverter::Read(char* buffer, std::int32_t size, std::int32_t& got) {
  got = 0;
  if (size <= 0) return true;
  // A held CR can turn into three bytes (CR LF and the next character), so it takes one byte
  // of the budget; requests too small for the rule are served from pending_.
  while (pending_.empty() && !ended_) {
    std::int32_t want = std::max<std::int32_t>(1, size / 2 - (heldCr_ ? 1 : 0));
    raw_.resize(static_cast<size_t>(want));
    std::int32_t read = 0;
    if (!source_(raw_.data(), want, read)) return false;
    if (read <= 0) {
      ended_ = true;
      if (heldCr_) pending_ += "\r\n";
      heldCr_ = false;
    } else {
      Convert(raw_.data(), std::min(read, want));
    }
  }
  got = static_cast<std::int32_t>(std::min<size_t>(pending_.size(), static_cast<size_t>(size)));
  std::memcpy(buffer, pending_.data(), static_cast<size_t>(got));
  pending_.erase(0, static_cast<size_t>(got));
  return true;
}

void LineBreakConverter::Convert(const char* raw, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    char c = raw[i];
    if (heldCr_) {
      heldCr_ = false;
      pending_ += "\r\n";
      if (c == '\n') continue;
    }
    if (c == '\r') {
      heldCr_ = true;
    } else if (c == '\n') {
      pending_ += "\r\n";
    } else {
      pending_ += c;
    }
  }
}

ReadBlock LineBreakingReader(FileReader& file) {
  auto converter = std::make_shared<LineBreakConverter>(
      [&file](char* buffer, std::int32_t size, std::int32_t& got) {
        return file.Read(buffer, size, got);
      });
  return [converter](char* buffer, std::int32_t size, std::int32_t& got) {
    return converter->Read(buffer, size, got);
  };
}

}  // namespace penlet
