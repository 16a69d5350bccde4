// The rules by which the current printer is chosen and keeps its copy count.
#include "platform/print/Printer.h"

namespace penlet {
namespace {

char FoldAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Both names compared character by character, so that a trail byte is never folded.
bool SameNameIgnoringCase(std::string_view a, std::string_view b, const LeadByteSet& leadBytes) {
  if (a.size() != b.size()) return false;
  for (size_t p = 0; p < a.size();) {
    const size_t next = leadBytes.Next(a, p);
    if (next - p == 1) {
      if (FoldAscii(a[p]) != FoldAscii(b[p])) return false;
    } else if (a.compare(p, next - p, b.substr(p, next - p)) != 0) {
      return false;
    }
    p = next;
  }
  return true;
}

}  // namespace

std::int32_t SettledCopies(std::int32_t dialogCopies, std::int32_t deviceCopies) {
  // A dialog that answers 0 asks for no copies at all; the settings' count is the sound choice.
  return dialogCopies <= 1 ? deviceCopies : dialogCopies;
}

std::string DefaultPrinterName(const std::string& reported, const std::string& profileDevice) {
  if (!reported.empty()) return reported;
  return profileDevice.substr(0, profileDevice.find(','));
}

int FindPrinter(const std::vector<std::string>& installed, std::string_view name,
                const LeadByteSet& leadBytes) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < installed.size(); ++i) {
    if (SameNameIgnoringCase(installed[i], name, leadBytes)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace penlet
