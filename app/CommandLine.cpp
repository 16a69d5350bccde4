// Command-line splitting, in the manner of the classic Windows runtime's ParamStr.
#include "app/CommandLine.h"

namespace penlet {
namespace {

bool IsBlank(unsigned char c) {
  return c >= 1 && c <= 32;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line, const LeadByteSet& leadBytes) {
  std::vector<std::string> args;
  // Stop at an embedded NUL as the system's command line would.
  const std::string_view text(line.c_str());
  size_t p = 0;
  while (true) {
    // Skip blanks and empty pairs of quotes between arguments.
    while (p < text.size()) {
      if (IsBlank(text[p])) {
        ++p;
      } else if (text[p] == '"' && p + 1 < text.size() && text[p + 1] == '"') {
        p += 2;
      } else {
        break;
      }
    }
    if (p >= text.size()) break;
    std::string arg;
    bool quoted = false;
    while (p < text.size()) {
      unsigned char c = static_cast<unsigned char>(text[p]);
      if (c == '"') {
        quoted = !quoted;
        ++p;
        continue;
      }
      if (!quoted && c <= 32) break;
      size_t next = leadBytes.Next(text, p);
      arg.append(text.substr(p, next - p));
      p = next;
    }
    // A quote that opens at the very end holds nothing: no argument, as an empty pair is none.
    if (!arg.empty()) args.push_back(std::move(arg));
  }
  if (!args.empty()) args.erase(args.begin());
  return args;
}

}  // namespace penlet
