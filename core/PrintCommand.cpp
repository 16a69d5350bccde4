// The Print command of the main window.
#include "core/PenletForm.h"
#include "output/Print.h"

namespace penlet {

void TPenletForm::FilePrintExecute() {
  if (!richEdit2_ || !printer_) return;
  if (!printer_->RunPrintDialog()) return;
  const std::string title = JobTitle(documentPath_, parts_.leadBytes);
  CopyLineText(parts_.richEdit1, *richEdit2_);
  PrintSurfacePages(*richEdit2_, *printer_, title);
}

}  // namespace penlet
