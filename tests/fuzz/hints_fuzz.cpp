// Hint splitting: "short|long" at the first bar that is a character of its own, or one text
// for both; and the tooltip made of the short part.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzCheck.h"
#include "ui/Hints.h"

using namespace penlet;
using namespace penlet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string shortcut = provider.ConsumeRandomLengthString(12);
  const std::string hint = provider.ConsumeRemainingBytesAsString();
  const std::string shortPart = ShortHint(hint, kCp932);
  const std::string longPart = LongHint(hint, kCp932);

  if (HasCharacter(hint, '|')) {
    FUZZ_CHECK(shortPart + "|" + longPart == hint, "the parts and the bar are not the hint");
    FUZZ_CHECK(!HasCharacter(shortPart, '|'), "the short part holds a bar");
    FUZZ_CHECK(CharacterStarts(hint)[shortPart.size()], "split at a trail byte");
  } else {
    FUZZ_CHECK(shortPart == hint && longPart == hint, "a hint without a bar is not both parts");
  }

  const std::string tooltip = TooltipText(shortPart, shortcut);
  FUZZ_CHECK(tooltip == (shortPart.empty() || shortcut.empty() ? shortPart
                                                               : shortPart + " (" + shortcut + ")"),
             "the tooltip is not the short part with the shortcut in brackets");
  return 0;
}
