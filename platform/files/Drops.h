// Files dropped on the main window, as the drop's handler sees them.
#pragma once

#include <string>

namespace penlet {

class DroppedFiles {
 public:
  virtual ~DroppedFiles() = default;
  // The whole path of the first file dropped, however long.
  virtual std::string FirstFile() const = 0;
  // Releases the drop; nothing can be read from it afterwards.
  virtual void Finish() = 0;
};

}  // namespace penlet
