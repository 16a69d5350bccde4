// A path's file name and extension: the name is what follows the last "\" or ":" character, so
// the folder and the name make the path again; the extension is the name's last "." on.
#include <cstdint>
#include <string>
#include <vector>

#include "core/PathNames.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace penlet;
using namespace penlet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string name = FileNameOf(path, kCp932);
  const std::string extension = ExtensionOf(path, kCp932);
  const std::vector<bool> starts = CharacterStarts(path);

  FUZZ_CHECK(name.size() <= path.size(), "the name is longer than the path");
  const size_t at = path.size() - name.size();
  const std::string folder = path.substr(0, at);
  FUZZ_CHECK(folder + name == path, "the folder and the name do not make the path");
  FUZZ_CHECK(starts[at], "the name starts on a trail byte");
  FUZZ_CHECK(folder.empty() || (starts[at - 1] && (folder.back() == '\\' || folder.back() == ':')),
             "the folder does not end in a delimiter");
  FUZZ_CHECK(!HasCharacter(name, '\\') && !HasCharacter(name, ':'), "the name holds a delimiter");

  size_t dot = std::string::npos;
  for (size_t p = 0; p < name.size(); ++p) {
    if (starts[at + p] && name[p] == '.') dot = p;
  }
  FUZZ_CHECK(extension == (dot == std::string::npos ? "" : name.substr(dot)),
             "the extension is not the name's last \".\" on");
  return 0;
}
