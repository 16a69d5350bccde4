// Text that moves a block at a time, between a file and the editing area.
#pragma once

#include <cstdint>
#include <functional>

namespace penlet {

// Fills `buffer` with at most `size` bytes; sets `got` (0 at the end). False means a failure.
using ReadBlock = std::function<bool(char* buffer, std::int32_t size, std::int32_t& got)>;
// Takes one block of the text. False means a failure, which ends the transfer.
using WriteBlock = std::function<bool(const char* data, std::int32_t size)>;

}  // namespace penlet
