// What the fuzz targets share: the check that stops a run with a message, and the plain walk
// over Shift-JIS bytes that the program's scanners are held against.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/system/Mbcs.h"

// Stops the run when a property does not hold; libFuzzer keeps the input that did it.
#define FUZZ_CHECK(condition, what)                                                              \
  do {                                                                                           \
    if (!(condition)) {                                                                          \
      std::fprintf(stderr, "\nproperty failed: %s\n  (%s, %s:%d)\n", what, #condition, __FILE__, \
                   __LINE__);                                                                    \
      __builtin_trap();                                                                          \
    }                                                                                            \
  } while (0)

namespace penlet::fuzz {

inline const LeadByteSet kCp932 = LeadByteSet::Cp932();

// Lead bytes of code page 932, written out apart from LeadByteSet.
inline bool IsLead(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Where characters start (the end counts as one), walking from the first byte: a lead byte
// takes whatever byte follows it, and one at the very end stands alone.
inline std::vector<bool> CharacterStarts(std::string_view text) {
  std::vector<bool> starts(text.size() + 1, false);
  for (size_t p = 0; p < text.size(); p += (IsLead(text[p]) && p + 1 < text.size()) ? 2 : 1) {
    starts[p] = true;
  }
  starts[text.size()] = true;
  return starts;
}

// Whether the walk of `text` ends in a lead byte standing alone.
inline bool EndsInLoneLead(std::string_view text) {
  const std::vector<bool> starts = CharacterStarts(text);
  return !text.empty() && starts[text.size() - 1] && IsLead(text.back());
}

// Whether `c` occurs in `text` as a character of its own.
inline bool HasCharacter(std::string_view text, char c) {
  const std::vector<bool> starts = CharacterStarts(text);
  for (size_t p = 0; p < text.size(); ++p) {
    if (starts[p] && text[p] == c) return true;
  }
  return false;
}

}  // namespace penlet::fuzz
