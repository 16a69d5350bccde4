// The clipboard as the counter's refresh asks it: whether there is text to paste.
#pragma once

namespace penlet {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // True when text can be pasted, also when the system can make it from another text format.
  virtual bool HasText() const = 0;
};

}  // namespace penlet
