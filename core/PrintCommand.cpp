// The Print command.
#include "core/PrintCommand.h"

#include "core/Error.h"
#include "core/PathNames.h"
#include "core/Texts.h"
#include "output/Print.h"

namespace penlet {

std::string JobTitle(const std::string& documentPath, const LeadByteSet& leadBytes) {
  return documentPath.empty() ? std::string() : FileNameOf(documentPath, leadBytes);
}

std::string PrinterErrorText(const PrinterError& error) {
  switch (error.failure) {
    case PrinterFailure::kNoDefaultPrinter:
      return Ansi(texts::kNoDefaultPrinter);
    case PrinterFailure::kPrintingNow:
      return Ansi(texts::kPrintingNow);
    case PrinterFailure::kFeatureMissing:
      return Ansi(texts::kPrinterFeatureMissing);
    case PrinterFailure::kNotValid:
      return Ansi(texts::kPrinterNotValid);
    case PrinterFailure::kSystem:
      break;
  }
  std::string message = Ansi(texts::kSystemError);
  const size_t d = message.find("%d");
  message.replace(d, 2, std::to_string(static_cast<long>(error.code)));
  const size_t s = message.find("%s");
  message.replace(s, 2, error.description);
  return message;
}

PrintCommand::PrintCommand(EditArea& richEdit1, PrintSurface& richEdit2, Printer& printer,
                           const DocumentCommands& documents, LeadByteSet leadBytes)
    : richEdit1_(richEdit1),
      richEdit2_(richEdit2),
      printer_(printer),
      documents_(documents),
      leadBytes_(leadBytes) {}

void PrintCommand::Execute() {
  try {
    if (!printer_.RunPrintDialog()) return;
    const std::string title = JobTitle(documents_.Path(), leadBytes_);
    // From OK on, a Print started while the window answers finds the printer taken.
    struct Release {
      Printer& printer;
      ~Release() { printer.CloseJob(); }
    } release{printer_};
    printer_.Reserve();
    // The job prints the document as it was at OK: while its lines are copied, input waits. An
    // edit that comes all the same (a message from another program) would leave the surface with
    // lines of both texts: the copy begins again.
    for (;;) {
      const unsigned seen = changes_;
      const CopyOutcome copy = CopyLineText(richEdit1_, richEdit2_, [this, seen] {
        printer_.KeepAnsweringHoldingInput();
        return changes_ == seen;
      });
      if (copy == CopyOutcome::kLineNotTaken) throw Error(Ansi(texts::kPrintLineInsertError));
      if (copy == CopyOutcome::kCopied) break;
    }
    PrintSurfacePages(richEdit2_, printer_, title);
  } catch (const PrinterError& error) {
    throw Error(PrinterErrorText(error));
  }
}

}  // namespace penlet
