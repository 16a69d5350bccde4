// Reading a drop of files through shell32.
#include "platform/files/Drops_win32.h"

namespace penlet {

std::string Win32DroppedFiles::FirstFile() const {
  if (!drop_) return std::string();
  // Asked for its length first, so that a path longer than MAX_PATH is read whole.
  const UINT length = DragQueryFileA(drop_, 0, nullptr, 0);
  std::string path(static_cast<size_t>(length) + 1, '\0');
  const UINT got = DragQueryFileA(drop_, 0, path.data(), length + 1);
  path.resize(got <= length ? got : length);
  return path;
}

void Win32DroppedFiles::Finish() {
  if (drop_) DragFinish(drop_);
  drop_ = nullptr;
}

}  // namespace penlet
