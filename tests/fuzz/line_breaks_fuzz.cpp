// The loading line-break converter fed in blocks of chosen sizes: the result is that of
// converting the whole file at once, holds no lone CR or LF, and each answer keeps to its
// request.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/LineBreaks.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace penlet;

namespace {

// The whole file at once: CR LF, a lone CR and a lone LF each become CR LF; every other byte stays.
std::string Reference(const std::string& in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '\r' || in[i] == '\n') {
      out += "\r\n";
      if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
    } else {
      out += in[i];
    }
  }
  return out;
}

// Converts `in` with the editing area's requests cycling through `requests` and the file's
// answers, never empty before its end, cycling through `answers`.
std::string Convert(const std::string& in, const std::vector<std::int32_t>& requests,
                    const std::vector<std::int32_t>& answers) {
  size_t pos = 0, answer = 0;
  std::int32_t request = 0;
  LineBreakConverter converter([&](char* buffer, std::int32_t size, std::int32_t& got) {
    FUZZ_CHECK(size >= 1 && (request < 2 || size <= request / 2),
               "asked the file for more than half of the request");
    got = std::min(
        {size, answers[answer++ % answers.size()], static_cast<std::int32_t>(in.size() - pos)});
    std::memcpy(buffer, in.data() + pos, static_cast<size_t>(got));
    pos += static_cast<size_t>(got);
    return true;
  });
  std::string out;
  std::vector<char> buffer;
  for (size_t i = 0;; ++i) {
    request = requests[i % requests.size()];
    buffer.assign(static_cast<size_t>(request) + 1, '#');
    std::int32_t got = -1;
    FUZZ_CHECK(converter.Read(buffer.data(), request, got), "a read failed");
    FUZZ_CHECK(got >= 0 && got <= request, "an answer does not fit its request");
    FUZZ_CHECK(buffer[static_cast<size_t>(request)] == '#', "wrote past the request");
    if (got == 0) break;
    out.append(buffer.data(), static_cast<size_t>(got));
    FUZZ_CHECK(i < 4 * in.size() + 8, "the conversion does not end");
  }
  FUZZ_CHECK(pos == in.size(), "ended before the whole file was read");
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  std::vector<std::int32_t> requests(provider.ConsumeIntegralInRange<size_t>(1, 8));
  for (auto& r : requests) r = provider.ConsumeIntegralInRange<std::int32_t>(1, 300);
  std::vector<std::int32_t> answers(provider.ConsumeIntegralInRange<size_t>(1, 8));
  for (auto& a : answers) a = provider.ConsumeIntegralInRange<std::int32_t>(1, 150);
  const std::string in = provider.ConsumeRemainingBytesAsString();

  const std::string out = Convert(in, requests, answers);
  FUZZ_CHECK(out == Reference(in), "the blocks changed the result");
  FUZZ_CHECK(out == Convert(in, {1 << 16}, {1 << 16}), "the result depends on the blocks");
  for (size_t i = 0; i < out.size(); ++i) {
    FUZZ_CHECK(out[i] != '\r' || (i + 1 < out.size() && out[i + 1] == '\n'), "a lone CR");
    FUZZ_CHECK(out[i] != '\n' || (i > 0 && out[i - 1] == '\r'), "a lone LF");
  }
  // Each lone CR and lone LF gains a byte; a CR LF stays two.
  const auto count = [&in](const char* what) {
    size_t n = 0;
    for (size_t p = in.find(what); p != std::string::npos; p = in.find(what, p + 1)) ++n;
    return n;
  };
  FUZZ_CHECK(out.size() == in.size() + count("\r") + count("\n") - 2 * count("\r\n"),
             "the converted length is not the file's plus one per lone CR or LF");
  return 0;
}
