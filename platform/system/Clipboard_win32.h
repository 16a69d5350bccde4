// The system clipboard behind the Clipboard interface.
#pragma once

#include "platform/system/Clipboard.h"

namespace penlet {

class Win32Clipboard : public Clipboard {
 public:
  bool HasText() const override;
};

}  // namespace penlet
