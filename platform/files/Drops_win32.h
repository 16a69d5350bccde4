// A drop of files (WM_DROPFILES) read through shell32.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "platform/files/Drops.h"

namespace penlet {

class Win32DroppedFiles : public DroppedFiles {
 public:
  explicit Win32DroppedFiles(HDROP drop) : drop_(drop) {}
  // Released at the latest here, also when the handler ended with an error before Finish.
  ~Win32DroppedFiles() override { Finish(); }
  Win32DroppedFiles(const Win32DroppedFiles&) = delete;
  Win32DroppedFiles& operator=(const Win32DroppedFiles&) = delete;

  std::string FirstFile() const override;
  void Finish() override;

 private:
  HDROP drop_;
};

}  // namespace penlet
