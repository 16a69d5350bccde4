// The open and save dialogs on Win32: GetOpenFileName and GetSaveFileName, Explorer style,
// placed on the main window's monitor when they are laid out.
#pragma once

#include <windows.h>

#include "platform/files/FileDialogs.h"
#include "platform/system/Mbcs.h"

namespace penlet {

class Win32FileDialogs : public FileDialogs {
 public:
  // `owner` owns the dialogs; they are placed on the monitor of `placeOn`.
  Win32FileDialogs(HWND owner, HWND placeOn, LeadByteSet leadBytes);

  bool Execute(FileDialogKind kind, FileDialogMemory& memory) override;

 private:
  HWND owner_;
  HWND placeOn_;
  LeadByteSet leadBytes_;
};

}  // namespace penlet
