// The parts of file handling that do not depend on the system.
#include "platform/files/Files.h"

namespace penlet {

std::string TrimErrorDescription(std::string text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) < 0x21 || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

}  // namespace penlet
