// Splits the program's command line into the paths it names.
#pragma once

#include <string>
#include <vector>

#include "platform/system/Mbcs.h"

namespace penlet {

// Every argument after the first (the program itself). Arguments are separated by bytes 1-32
// outside double quotes; quotes group and are dropped; there is no escape character, and a
// double-byte character is stepped over whole.
std::vector<std::string> SplitCommandLine(const std::string& commandLine,
                                          const LeadByteSet& leadBytes);

}  // namespace penlet
