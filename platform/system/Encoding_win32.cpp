// Code page conversions through the system's tables.
#include <windows.h>

#include <vector>

#include "platform/system/Encoding.h"

namespace penlet {
namespace {

std::string Convert(std::string_view in, UINT from, UINT to) {
  if (in.empty()) return {};
  int wide = MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::vector<wchar_t> w(wide);
  MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), wide);
  int bytes = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(bytes, '\0');
  WideCharToMultiByte(to, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

std::string Cp932FromUtf8(std::string_view utf8) {
  return Convert(utf8, CP_UTF8, 932);
}
std::string Utf8FromCp932(std::string_view cp932) {
  return Convert(cp932, 932, CP_UTF8);
}

}  // namespace penlet
