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

// The copy count that ends up in the device settings after OK in the print dialog: the dialog's
// count, unless it answers 1 (or nothing), in which case the settings already hold the count.
std::int32_t SettledCopies(std::int32_t dialogCopies, std::int32_t deviceCopies);

// The printable area in twips, its origin at the top-left corner of the printable area.
TwipsRect PageRect(const DeviceCaps& caps);

// The default printer's name: the one the system reports, else the first comma-separated field
// of the profile's "device" entry.
std::string DefaultPrinterName(const std::string& reported, const std::string& profileDevice);

// Index of `name` among `installed`, ignoring the case of single-byte letters; -1 when absent.
int FindPrinter(const std::vector<std::string>& installed, std::string_view name,
                const LeadByteSet& leadBytes);

// The job's document name: the file name of the document's path, empty when untitled.
std::string JobTitle(const std::string& documentPath, const LeadByteSet& leadBytes);

// Replaces the surface's text with the line text of `lines`: every display line followed by
// CR LF, an empty last line left out. Raises Error when a line does not go in whole.
void CopyLineText(const EditArea& lines, PrintSurface& surface);

// Prints the surface's whole text as one job under `title`, a page at a time.
void PrintSurfacePages(PrintSurface& surface, Printer& printer, const std::string& title);

}  // namespace penlet
