// The command-line splitter: paths are never empty and hold no NUL and no quote of their own,
// the bytes a lead byte takes never steer the split, and quoted paths split back as they were.
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace penlet;
using namespace penlet::fuzz;

namespace {

// `text` with every byte that a lead byte takes replaced by "A".
std::string NeutralTrails(const std::string& text) {
  const std::vector<bool> starts = CharacterStarts(text);
  std::string out = text;
  for (size_t p = 0; p < out.size(); ++p) {
    if (!starts[p]) out[p] = 'A';
  }
  return out;
}

// The paths quoted behind a program name; a path ending in a lone lead byte can only be the
// last one, and is left open, since its lead byte would take a closing quote.
std::string Join(const std::vector<std::string>& paths) {
  std::string line = "p";
  for (const std::string& path : paths) line += " \"" + path + (EndsInLoneLead(path) ? "" : "\"");
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line.resize(line.find('\0') == std::string::npos ? line.size() : line.find('\0'));
  const std::vector<std::string> paths = SplitCommandLine(line, kCp932);
  for (size_t i = 0; i < paths.size(); ++i) {
    FUZZ_CHECK(!paths[i].empty(), "a path is empty");
    FUZZ_CHECK(paths[i].find('\0') == std::string::npos, "a path holds a NUL");
    FUZZ_CHECK(!HasCharacter(paths[i], '"'), "a path holds a quote character");
    FUZZ_CHECK(i + 1 == paths.size() || !EndsInLoneLead(paths[i]),
               "a path other than the last ends in a lone lead byte");
  }

  const std::vector<std::string> neutral = SplitCommandLine(NeutralTrails(line), kCp932);
  FUZZ_CHECK(neutral.size() == paths.size(), "a trail byte changed the number of paths");
  for (size_t i = 0; i < paths.size(); ++i) {
    FUZZ_CHECK(neutral[i] == NeutralTrails(paths[i]), "a trail byte changed where a path ends");
  }

  FUZZ_CHECK(SplitCommandLine(Join(paths), kCp932) == paths,
             "quoted paths do not split back into themselves");
  return 0;
}
