// Printing the document: the rules and the page loop, on top of the printer and print surface.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"
#include "platform/print/Printer.h"

namespace penlet {

// The printable area in twips, its origin at the top-left corner of the printable area.
TwipsRect PageRect(const DeviceCaps& caps);

enum class CopyOutcome {
  kCopied,
  kLineNotTaken,  // the surface did not take a line whole
  kLinesChanged,  // `between` said the lines changed: the surface holds only part of them
};

// Replaces the surface's text with the line text of `lines`: every display line followed by
// CR LF, an empty last line left out. A long copy calls `between` every few lines; it lets the
// window answer and says whether the lines are still those the copy began with.
CopyOutcome CopyLineText(const EditArea& lines, PrintSurface& surface,
                         const std::function<bool()>& between = {});

// Prints the surface's whole text as one job under `title`, a page at a time.
void PrintSurfacePages(PrintSurface& surface, Printer& printer, const std::string& title);

}  // namespace penlet
