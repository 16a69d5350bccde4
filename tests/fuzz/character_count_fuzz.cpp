// Character counting against the plain walk: the one-off counts, and the incremental index
// followed through a chosen series of edit steps.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/CharacterCount.h"
#include "core/CharacterIndex.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace penlet;
using namespace penlet::fuzz;

namespace {

// The characters that begin before `n`.
CharacterCount Walked(const std::string& text, std::int64_t n) {
  const std::vector<bool> starts = CharacterStarts(text);
  CharacterCount count = 0;
  for (size_t p = 0; p < text.size() && static_cast<std::int64_t>(p) < n; ++p) count += starts[p];
  return count;
}

struct Text : TextReader {
  std::string bytes;
  ByteOffset TextLength() const override { return static_cast<ByteOffset>(bytes.size()); }
  std::string_view TextRange(ByteOffset start, ByteOffset end) const override {
    const auto clamp = [this](ByteOffset v) {
      return static_cast<size_t>(std::clamp<ByteOffset>(v, 0, TextLength()));
    };
    return std::string_view(bytes).substr(clamp(start),
                                          clamp(end) - std::min(clamp(start), clamp(end)));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  Text text;
  text.bytes = provider.ConsumeRandomLengthString(512);
  const std::int64_t n = provider.ConsumeIntegralInRange<std::int64_t>(-2, 600);
  FUZZ_CHECK(CountCharacters(text.bytes, n, kCp932) == Walked(text.bytes, n),
             "CountCharacters differs from the walk");
  const CharacterCounts twice = CountCharactersTwice(text.bytes, n, kCp932);
  FUZZ_CHECK(
      twice.beforeOffset == Walked(text.bytes, n) && twice.whole == Walked(text.bytes, INT64_MAX),
      "CountCharactersTwice differs from the walk");

  CharacterIndex index(kCp932, provider.ConsumeIntegralInRange<ByteOffset>(1, 40));
  index.Reset(text);
  while (provider.remaining_bytes() > 0) {
    const ByteOffset length = text.TextLength();
    TextEdit edit;
    edit.position = provider.ConsumeIntegralInRange<ByteOffset>(0, length);
    edit.removed = provider.ConsumeIntegralInRange<ByteOffset>(0, length - edit.position);
    const bool announced = provider.ConsumeBool();  // an unannounced step is counted afresh
    const std::string inserted = provider.ConsumeRandomLengthString(24);
    edit.inserted = static_cast<ByteOffset>(inserted.size());
    if (announced) index.Changing(text, edit);
    text.bytes.replace(static_cast<size_t>(edit.position), static_cast<size_t>(edit.removed),
                       inserted);
    index.Changed(text, edit);
    FUZZ_CHECK(index.Total(text) == Walked(text.bytes, INT64_MAX),
               "the index's total differs from the walk");
    const ByteOffset at = provider.ConsumeIntegralInRange<ByteOffset>(-1, text.TextLength() + 1);
    FUZZ_CHECK(index.Before(text, at) == Walked(text.bytes, at),
               "the index's count before an offset differs from the walk");
  }
  return 0;
}
