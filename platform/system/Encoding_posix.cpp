// Code page conversions through iconv, for the native build.
#include <iconv.h>

#include <stdexcept>

#include "platform/system/Encoding.h"

namespace penlet {
namespace {

std::string Convert(std::string_view in, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
      // Skip what cannot be converted, as the system's conversion puts "?" for it.
      *dst++ = '?';
      --dstLeft;
      ++src;
      --srcLeft;
      while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) ++src, --srcLeft;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace

std::string Cp932FromUtf8(std::string_view utf8) {
  return Convert(utf8, "UTF-8", "CP932");
}
std::string Utf8FromCp932(std::string_view cp932) {
  return Convert(cp932, "CP932", "UTF-8");
}

}  // namespace penlet
