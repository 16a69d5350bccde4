// A clipboard that holds text or not, as a test says.
#pragma once

#include "platform/system/Clipboard.h"

namespace penlet {

class FakeClipboard : public Clipboard {
 public:
  bool HasText() const override { return hasText; }
  bool hasText = false;
};

}  // namespace penlet
