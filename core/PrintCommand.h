// The Print command: the print dialog, then the document's line text as one print job.
#pragma once

#include <string>

#include "core/DocumentCommands.h"
#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"
#include "platform/print/Printer.h"

namespace penlet {

// The job's document name: the file name of the document's path, empty when untitled.
std::string JobTitle(const std::string& documentPath, const LeadByteSet& leadBytes);

// The program's words for a printer's failure.
std::string PrinterErrorText(const PrinterError& error);

class PrintCommand {
 public:
  PrintCommand(EditArea& richEdit1, PrintSurface& richEdit2, Printer& printer,
               const DocumentCommands& documents, LeadByteSet leadBytes);

  // Failures are raised as Error. The window answers while the document is copied and printed:
  // commands may run meanwhile, another Print among them.
  void Execute();
  // The editing area's lines changed (an edit, or a layout at a new width): a copy under way
  // begins again.
  void LinesChanged() { ++changes_; }

 private:
  EditArea& richEdit1_;
  PrintSurface& richEdit2_;
  Printer& printer_;
  const DocumentCommands& documents_;
  LeadByteSet leadBytes_;
  unsigned changes_ = 0;
};

}  // namespace penlet
