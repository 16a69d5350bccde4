// Printing the document: the rules and the page loop, on top of the printer and print surface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EditArea.h"
#include "platform/Mbcs.h"
#include "platform/Printer.h"

namespace penlet {

// The printable area in twips, its origin at the top-left corner of the printable area.
TwipsRect PageRect(const DeviceCaps& caps);

// Replaces the surface's text with the line text of `lines`: every display line followed by
// CR LF, an empty last line left out. False when a line did not go in whole.
bool CopyLineText(const EditArea& lines, PrintSurface& surface);

// Prints the surface's whole text as one job under `title`, a page at a time.
void PrintSurfacePages(PrintSurface& surface, Printer& printer, const std::string& title);

}  // namespace penlet
