// What the program takes from the user's locale.
#pragma once

#include "platform/Mbcs.h"

namespace penlet {

// The lead bytes of the system's ANSI code page: the code page that the window system uses
// for the program's text and command line.
LeadByteSet AnsiLeadBytes();

}  // namespace penlet
