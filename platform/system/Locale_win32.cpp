// Lead bytes of the system's ANSI code page.
#include <windows.h>

#include "platform/system/Locale.h"

#include "platform/system/CounterLocale.h"

namespace penlet {

LeadByteSet AnsiLeadBytes() {
  LeadByteSet set;
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info)) {
    for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2) {
      set.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
    }
  }
  return set;
}

LeadByteSet CounterLeadBytes() {
  const LCID locale = EffectiveLocale(GetThreadLocale());
  if (IsWesternLanguage(locale)) return {};
  char text[16] = {};
  const int got = GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text);
  const UINT codePage =
      CodePageFromText(got > 0 ? std::string_view(text) : std::string_view(), GetACP());
  CPINFO info{};
  if (!GetCPInfo(codePage, &info)) return {};
  return LeadBytesFromRanges(info.LeadByte, MAX_LEADBYTES);
}

}  // namespace penlet
