// The rich edit control counts characters (UTF-16 units) where the program counts bytes:
// a double-byte character is one position of the control and two bytes of the document.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/EditArea.h"
#include "platform/Mbcs.h"

namespace penlet {

using ControlPosition = std::int32_t;

// Position of the character that contains byte `offset` (an offset inside a character maps to
// the character after it); offsets past the end map to the end.
ControlPosition ControlPositionFromByte(std::string_view text, ByteOffset offset,
                                       const LeadByteSet& leadBytes);

// Byte offset of control position `pos`; positions past the end map to the text's length.
ByteOffset ByteFromControlPosition(std::string_view text, ControlPosition pos,
                                   const LeadByteSet& leadBytes);

}  // namespace penlet
