// How the counter's lead-byte set follows from the thread's locale.
#include "platform/system/CounterLocale.h"

namespace penlet {

std::uint32_t EffectiveLocale(std::uint32_t localeId) {
  return localeId == 0 ? 1033 : localeId;
}

bool IsWesternLanguage(std::uint32_t localeId) {
  switch (EffectiveLocale(localeId) & 0x3FF) {
    case 0x00:  // neutral
    case 0x06:  // Danish
    case 0x07:  // German
    case 0x09:  // English
    case 0x0A:  // Spanish
    case 0x0B:  // Finnish
    case 0x0C:  // French
    case 0x10:  // Italian
    case 0x13:  // Dutch
    case 0x14:  // Norwegian
    case 0x16:  // Portuguese
    case 0x1D:  // Swedish
      return true;
  }
  return false;
}

std::uint32_t CodePageFromText(std::string_view text, std::uint32_t systemCodePage) {
  if (text.empty() || text.size() > 9) return systemCodePage;
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return systemCodePage;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

LeadByteSet LeadBytesFromRanges(const unsigned char* ranges, int size) {
  LeadByteSet set;
  for (int i = 0; i + 1 < size && (ranges[i] != 0 || ranges[i + 1] != 0); i += 2) {
    if (ranges[i] <= ranges[i + 1]) set.AddRange(ranges[i], ranges[i + 1]);
  }
  return set;
}

}  // namespace penlet
