// Lead bytes told sixteen at a time with SSE2 where there is SSE2, from a table elsewhere.
#include "core/LeadMask.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
#include <emmintrin.h>
#define PENLET_SSE2 1
#define PENLET_SSE2_FUNCTION __attribute__((target("sse2")))
#elif defined(_MSC_VER) && (defined(_M_IX86) || defined(_M_X64))
#include <emmintrin.h>
#define PENLET_SSE2 1
#define PENLET_SSE2_FUNCTION
#endif

namespace penlet {
namespace {

#if defined(PENLET_SSE2)

bool HasSse2() {
#if defined(__GNUC__) || defined(__clang__)
  return __builtin_cpu_supports("sse2");
#else
  return true;  // every processor that runs Windows 8 or later has it
#endif
}

// The lead bytes among sixteen: those whose distance above a range's first byte, taken
// unsigned, is at most its span.
PENLET_SSE2_FUNCTION int Leads16(__m128i bytes, const unsigned char* first,
                                 const unsigned char* span) {
  __m128i leads = _mm_setzero_si128();
  for (int r = 0; r < 2; ++r) {
    const __m128i above = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(first[r])));
    const __m128i limit = _mm_set1_epi8(static_cast<char>(span[r]));
    leads = _mm_or_si128(leads, _mm_cmpeq_epi8(_mm_max_epu8(above, limit), limit));
  }
  return _mm_movemask_epi8(leads);
}

PENLET_SSE2_FUNCTION std::uint32_t Leads32(const char* bytes, const unsigned char* first,
                                           const unsigned char* span) {
  const auto* p = reinterpret_cast<const __m128i*>(bytes);
  const auto low = static_cast<std::uint32_t>(Leads16(_mm_loadu_si128(p), first, span));
  const auto high = static_cast<std::uint32_t>(Leads16(_mm_loadu_si128(p + 1), first, span));
  return low | (high << 16);
}

#else

bool HasSse2() {
  return false;
}

#endif

}  // namespace

LeadMask::LeadMask(const std::array<unsigned char, 256>& table) : table_(table) {
  int ranges = 0;
  for (int byte = 0; byte < 256;) {
    if (!table_[byte]) {
      ++byte;
      continue;
    }
    int last = byte;
    while (last + 1 < 256 && table_[last + 1]) ++last;
    if (ranges < 2) {
      first_[ranges] = static_cast<unsigned char>(byte);
      span_[ranges] = static_cast<unsigned char>(last - byte);
    }
    ++ranges;
    byte = last + 1;
  }
  if (ranges == 1) {
    first_[1] = first_[0];
    span_[1] = span_[0];
  }
  vector_ = ranges >= 1 && ranges <= 2 && HasSse2();
}

std::uint32_t LeadMask::Of(const char* bytes) const {
#if defined(PENLET_SSE2)
  if (vector_) return Leads32(bytes, first_, span_);
#endif
  return FromTable(bytes);
}

std::uint32_t LeadMask::FromTable(const char* bytes) const {
  std::uint32_t leads = 0;
  for (int k = 0; k < 32; ++k) {
    leads |= std::uint32_t{table_[static_cast<unsigned char>(bytes[k])]} << k;
  }
  return leads;
}

}  // namespace penlet
