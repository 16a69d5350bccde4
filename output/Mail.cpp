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
  // The rows are found line by line as they are taken, the window answering every few hundred:
  // laying out first what the background layout has not reached yet would lay the text out
  // twice. The rows of a long paragraph are laid out first, in steps, all of them found at once
  // otherwise.
  if (between && !edit.LayOutLongParagraphs(between)) return std::nullopt;
  constexpr std::int32_t kLinesBetween = 512;
  const ByteOffset length = edit.TextLength();
  std::string text;
  text.reserve(static_cast<size_t>(length) + static_cast<size_t>(length) / 8);
  std::int32_t i = 0;
  bool changed = false;
  bool lastEmpty = false;
  edit.ForEachLine(0, [&](std::string_view line) {
    // The mail client takes the body as a string that ends at the first NUL: a NUL byte of the
    // document goes as a space, so that nothing after it is lost.
    const size_t at = text.size();
    text.append(line);
    for (size_t c = text.find('\0', at); c != std::string::npos; c = text.find('\0', c + 1)) {
      text[c] = ' ';
    }
    text += "\r\n";
    lastEmpty = line.empty();
    changed = between && i % kLinesBetween == kLinesBetween - 1 && !between();
    ++i;
    return !changed;
  });
  if (changed) return std::nullopt;
  // The line after a final line break is empty and is not part of the text; no other line is
  // empty at the end.
  if (lastEmpty) text.resize(text.size() - 2);
  return text;
}

}  // namespace penlet
