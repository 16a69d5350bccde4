// What the program takes from the user's locale.
#pragma once

#include "platform/system/Mbcs.h"

namespace penlet {

// The lead bytes of the system's ANSI code page: the code page that the window system uses
// for the program's text and command line.
LeadByteSet AnsiLeadBytes();

// The lead bytes by which the counter counts characters, taken from the thread's locale:
// empty for the Western languages and for single-byte code pages.
LeadByteSet CounterLeadBytes();

}  // namespace penlet
