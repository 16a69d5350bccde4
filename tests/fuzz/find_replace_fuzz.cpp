// Replace All's plan: its occurrences start on characters, do not overlap, lie in the text and
// match, and its result is what selecting and replacing one occurrence after another gives.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/FindReplaceText.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace penlet;
using namespace penlet::fuzz;

namespace {

// Whole characters, as the dialog gives them.
std::string Whole(std::string text) {
  if (EndsInLoneLead(text)) text.pop_back();
  return text;
}

// The next character boundary at or after `p`.
ByteOffset Boundary(const std::vector<bool>& starts, ByteOffset p) {
  while (!starts[static_cast<size_t>(p)]) ++p;
  return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string find = Whole(provider.ConsumeRandomLengthString(8));
  const std::string replace = Whole(provider.ConsumeRandomLengthString(8));
  const auto first = provider.ConsumeIntegral<std::uint16_t>();
  const auto length = provider.ConsumeIntegral<std::uint16_t>();
  const std::string text = provider.ConsumeRemainingBytesAsString();
  const std::vector<bool> starts = CharacterStarts(text);
  const auto size32 = static_cast<ByteOffset>(text.size());
  Selection selection;
  selection.start = Boundary(starts, first % (size32 + 1));
  selection.end = Boundary(starts, selection.start + length % (size32 - selection.start + 1));

  const ReplaceAllPlan plan = PlanReplaceAll(
      [&](ByteOffset from) {
        const size_t p = FindOnBoundary(text, find, static_cast<size_t>(from), text.size(), kCp932);
        return p == std::string::npos ? ByteOffset{-1} : static_cast<ByteOffset>(p);
      },
      selection, static_cast<ByteOffset>(find.size()));
  const bool selected = selection.Length() > 0;
  FUZZ_CHECK(
      plan.count == static_cast<int>(plan.ranges.size()) && plan.matches == plan.count - selected,
      "the counts disagree with the ranges");
  std::string rebuilt;
  ByteOffset copied = 0;
  for (size_t i = 0; i < plan.ranges.size(); ++i) {
    const Selection& r = plan.ranges[i];
    FUZZ_CHECK(r.start >= copied && r.end <= size32, "a range overlaps or leaves the text");
    if (i > 0 || !selected) {
      FUZZ_CHECK(starts[static_cast<size_t>(r.start)], "an occurrence starts on a trail byte");
      if (selected)
        FUZZ_CHECK(r.start >= selection.end, "an occurrence before the selection's end");
      FUZZ_CHECK(
          text.compare(r.start, r.Length(), find) == 0 && r.Length() == ByteOffset(find.size()),
          "an occurrence does not match");
    } else {
      FUZZ_CHECK(r == selection, "the first range is not the selection");
    }
    rebuilt += text.substr(copied, r.start - copied) + replace;
    copied = r.end;
  }
  rebuilt += text.substr(copied);
  if (plan.ranges.empty()) {
    FUZZ_CHECK(plan.start == 0 && plan.end == 0, "a plan of nothing");
  } else {
    FUZZ_CHECK(plan.start == plan.ranges.front().start && plan.end == plan.ranges.back().end,
               "the span is not the ranges'");
  }

  // Step by step: replace the selection, then find behind the insertion and replace, again and
  // again; the insertion's end is a boundary since the replacement is whole characters.
  std::string now = text;
  size_t p = 0, caret = 0;
  int count = 0;
  if (selected) {
    now.replace(selection.start, selection.Length(), replace);
    p = caret = selection.start + replace.size();
    ++count;
  }
  while (!find.empty() && p + find.size() <= now.size()) {
    if (now.compare(p, find.size(), find) == 0) {
      now.replace(p, find.size(), replace);
      p = caret = p + replace.size();
      ++count;
    } else {
      p += (IsLead(now[p]) && p + 1 < now.size()) ? 2 : 1;
    }
  }
  FUZZ_CHECK(now == rebuilt && count == plan.count, "the plan differs from step-by-step replacing");
  FUZZ_CHECK(count == 0 || caret == rebuilt.size() - (text.size() - plan.end),
             "the caret would not stand behind the last insertion");
  return 0;
}
