// The e-mail body, built from the editing area's display lines.
#include "output/Mail.h"

#include <cstdint>

namespace penlet {

std::string MailBody(const EditArea& edit) {
  std::string text;
  const std::int32_t count = edit.LineCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::string line = edit.Line(i);
    // The line after a final line break is empty and is not part of the text.
    if (i == count - 1 && line.empty()) break;
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace penlet
