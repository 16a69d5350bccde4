// Printing the document: the page rectangle, the copy into the print surface and the page loop.
#include "output/Print.h"

namespace penlet {

TwipsRect PageRect(const DeviceCaps& caps) {
  TwipsRect rect;
  if (caps.logPixelsX > 0) {
    rect.right = static_cast<std::int32_t>(std::int64_t{caps.horzRes} * 1440 / caps.logPixelsX);
  }
  if (caps.logPixelsY > 0) {
    rect.bottom = static_cast<std::int32_t>(std::int64_t{caps.vertRes} * 1440 / caps.logPixelsY);
  }
  return rect;
}

bool CopyLineText(const EditArea& lines, PrintSurface& surface) {
  surface.Clear();
  const std::int32_t count = lines.LineCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::string line = lines.Line(i);
    if (i == count - 1 && line.empty()) break;
    line += "\r\n";
    const std::int32_t start = surface.LineIndex(surface.LineCount() - 1);
    surface.SetCaret(start);
    surface.ReplaceSelection(line);
    if (surface.Caret() != start + surface.LengthOf(line)) return false;
  }
  return true;
}

void PrintSurfacePages(PrintSurface& surface, Printer& printer, const std::string& title) {
  struct JobCloser {
    Printer& printer;
    ~JobCloser() { printer.CloseJob(); }
  } closer{printer};
  const DeviceContext dc = printer.StartJob(title);
  const TwipsRect page = PageRect(printer.Caps());
  const std::int32_t length = surface.TextLength();
  const int previousMapping = printer.SetTextMapping();
  surface.ClearFormatting();
  try {
    std::int32_t n = 0;
    for (;;) {
      const std::int32_t next = surface.RenderPage(dc, page, n);
      // A page that takes not one character would be followed by the same page for ever.
      if (next == -1 || next >= length || next <= n) break;
      n = next;
      printer.NewPage();
    }
    printer.EndJob();
  } catch (...) {
    surface.ClearFormatting();
    printer.RestoreMapping(previousMapping);
    throw;
  }
  surface.ClearFormatting();
  printer.RestoreMapping(previousMapping);
}

}  // namespace penlet
