// The open and save dialogs as the program sees them: what each one remembers between uses and
// is shown with, and the pure parts of handing that to the platform.
#pragma once

#include <string>

#include "platform/system/Mbcs.h"

namespace penlet {

// One dialog's settings, kept as long as the main window lives.
struct FileDialogMemory {
  // Pairs of description and pattern separated by "|", in code page 932.
  std::string filter;
  // Added to a name typed without one; without the "."; empty: none.
  std::string defaultExtension;
  // The full path chosen last, offered as the initial name; empty at first.
  std::string fileName;
  // The filter chosen last, counted from 1.
  int filterIndex = 1;
};

enum class FileDialogKind { kOpen, kSave };

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Shows the dialog with `memory`. When the user chooses a file, stores its full path and the
  // filter index into `memory` and returns true; returns false, changing nothing, on cancel.
  virtual bool Execute(FileDialogKind kind, FileDialogMemory& memory) = 0;
};

// The filter as the platform takes it: every "|" a NUL, and a second NUL at the end. The
// filter is scanned by characters, since 0x7C ("|") is also a trail byte ("−" is 0x81 0x7C).
std::string PlatformFilter(const std::string& filter, const LeadByteSet& leadBytes);

}  // namespace penlet
