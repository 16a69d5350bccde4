// File dialogs that answer as a test tells them, recording how each one was shown.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileDialogs.h"

namespace penlet {

class FakeFileDialogs : public FileDialogs {
 public:
  // What the user does in the next dialog: types `name` (a full path) with filter `filterIndex`
  // chosen, or cancels (nullopt).
  struct Choice {
    std::string name;
    int filterIndex = 1;
  };
  struct Shown {
    FileDialogKind kind;
    FileDialogMemory memory;  // as the dialog was shown
  };

  bool Execute(FileDialogKind kind, FileDialogMemory& memory) override {
    shown.push_back({kind, memory});
    std::optional<Choice> choice;
    if (!choices.empty()) {
      choice = choices.front();
      choices.pop_front();
    }
    if (!choice) return false;
    // Like the platform's dialog: a name typed without an extension gets the default one.
    std::string name = choice->name;
    const size_t dot = name.rfind('.');
    const size_t slash = name.find_last_of("\\:");
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension && !memory.defaultExtension.empty()) name += "." + memory.defaultExtension;
    memory.fileName = name;
    memory.filterIndex = choice->filterIndex;
    return true;
  }

  std::deque<std::optional<Choice>> choices;  // taken in turn; cancel when none is left
  std::vector<Shown> shown;
};

}  // namespace penlet
