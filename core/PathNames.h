// The file name and the extension of a document's path, found by stepping over whole characters
// so that a trail byte equal to "\" is never taken for a delimiter.
#pragma once

#include <string>
#include <string_view>

#include "platform/system/Mbcs.h"

namespace penlet {

// Where the file name starts: after the last "\" or ":"; 0 when the path holds neither.
size_t FileNameStart(std::string_view path, const LeadByteSet& leadBytes);

// The text after the last "\" or ":"; the whole path when it holds neither.
std::string FileNameOf(std::string_view path, const LeadByteSet& leadBytes);

// The text from the last "." on, the "." included, when no "\" or ":" follows it; else empty.
// "memo." has the extension "."; "C:\notes.d\memo" has none.
std::string ExtensionOf(std::string_view path, const LeadByteSet& leadBytes);

}  // namespace penlet
