// The e-mail body, built from the editing area's display lines.
#include "output/Mail.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace penlet {

std::string MailBody(const EditArea& edit) {
  return *MailBody(edit, {});
}

std::optional<std::string> MailBody(const EditArea& edit, const std::function<bool()>& between) {
  if (between && !edit.LayOutRest(between)) return std::nullopt;
  constexpr std::int32_t kLinesBetween = 512;
  const std::int32_t count = edit.LineCount();
  const ByteOffset length = edit.TextLength();
  std::string text;
  text.reserve(static_cast<size_t>(length) + static_cast<size_t>(length) / 8);
  std::int32_t i = 0;
  bool changed = false;
  edit.ForEachLine(0, [&](std::string_view line) {
    // The line after a final line break is empty and is not part of the text.
    if (i == count - 1 && line.empty()) return false;
    // The mail client takes the body as a string that ends at the first NUL: a NUL byte of the
    // document goes as a space, so that nothing after it is lost.
    const size_t at = text.size();
    text.append(line);
    for (size_t c = text.find('\0', at); c != std::string::npos; c = text.find('\0', c + 1)) {
      text[c] = ' ';
    }
    text += "\r\n";
    changed = between && i % kLinesBetween == kLinesBetween - 1 && !between();
    ++i;
    return !changed;
  });
  if (changed) return std::nullopt;
  return text;
}

}  // namespace penlet
