// The error that ends a handler: its message, in code page 932 bytes, is what the exception
// box shows.
#pragma once

#include <stdexcept>
#include <string>

namespace penlet {

struct Error : std::runtime_error {
  explicit Error(const std::string& cp932Message) : std::runtime_error(cp932Message) {}
};

}  // namespace penlet
