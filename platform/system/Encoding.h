// The one seam between the UTF-8 of our sources and the code page 932 bytes that the
// program shows and handles.
#pragma once

#include <string>
#include <string_view>

namespace penlet {

// Converts UTF-8 text to code page 932 (Shift-JIS) bytes; characters that code page 932
// lacks become "?".
std::string Cp932FromUtf8(std::string_view utf8);

// The reverse, for tests and diagnostics.
std::string Utf8FromCp932(std::string_view cp932);

}  // namespace penlet
