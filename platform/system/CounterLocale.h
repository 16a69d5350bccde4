// How the counter's lead-byte set follows from the thread's locale: no double-byte characters
// for the Western languages, otherwise the lead-byte ranges of the locale's ANSI code page.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/system/Mbcs.h"

namespace penlet {

// The locale a thread reports; 0 stands for US English (1033).
std::uint32_t EffectiveLocale(std::uint32_t localeId);

// Whether the locale's primary language (the low 10 bits of its language) is one of the
// Western group, whose texts the counter counts byte by byte.
bool IsWesternLanguage(std::uint32_t localeId);

// The locale's default ANSI code page given as decimal text; `systemCodePage` when the text
// is not a number.
std::uint32_t CodePageFromText(std::string_view text, std::uint32_t systemCodePage);

// The bytes of up to six inclusive ranges (first, last), the list ended by a pair of zeros.
LeadByteSet LeadBytesFromRanges(const unsigned char* ranges, int size);

}  // namespace penlet
