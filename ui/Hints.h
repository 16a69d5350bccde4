// Hints: a short part for the tooltip and a long part for the status line, split at the first
// "|" that is a character of its own; and the program's one current hint.
#pragma once

#include <string>
#include <string_view>

#include "platform/system/Mbcs.h"

namespace penlet {

// Both work on code page bytes: a 0x7C that ends a double-byte character is not a bar.
std::string ShortHint(std::string_view hint, const LeadByteSet& leadBytes);
std::string LongHint(std::string_view hint, const LeadByteSet& leadBytes);

// The tooltip of a control: the short part, with the shortcut in brackets when there is one.
std::string TooltipText(std::string_view shortPart, std::string_view shortcut);

// The long hint the user is pointing at; Set answers whether it changed, so that only a change
// reaches the status line.
class CurrentHint {
 public:
  bool Set(std::string_view longHint) {
    if (longHint == text_) return false;
    text_ = std::string(longHint);
    return true;
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace penlet
