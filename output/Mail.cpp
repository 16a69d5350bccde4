// The e-mail body, built from the editing area's display lines.
#include "output/Mail.h"

#include <cstdint>
#include <string>

namespace penlet {

std::string MailBody(const EditArea& edit) {
  std::string text;
  const std::int32_t count = edit.LineCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::string line = edit.Line(i);
    // The line after a final line break is empty and is not part of the text.
    if (i == count - 1 && line.empty()) break;
    // The mail client takes the body as a string that ends at the first NUL: a NUL byte of the
    // document goes as a space, so that nothing after it is lost.
    for (char& c : line) {
      if (c == '\0') c = ' ';
    }
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace penlet
