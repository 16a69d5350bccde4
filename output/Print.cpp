// Printing the document: copy rule, page rectangle, printer names, the copy into the print
// surface and the page loop.
#include "output/Print.h"

#include "core/Error.h"
#include "core/PathNames.h"
#include "core/PenletForm.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

char FoldAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Both names compared character by character, so that a trail byte is never folded.
bool SameNameIgnoringCase(std::string_view a, std::string_view b, const LeadByteSet& leadBytes) {
  if (a.size() != b.size()) return false;
  for (size_t p = 0; p < a.size();) {
    const size_t next = leadBytes.Next(a, p);
    if (next - p == 1) {
      if (FoldAscii(a[p]) != FoldAscii(b[p])) return false;
    } else if (a.compare(p, next - p, b.substr(p, next - p)) != 0) {
      return false;
    }
    p = next;
  }
  return true;
}

}  // namespace

std::int32_t SettledCopies(std::int32_t dialogCopies, std::int32_t deviceCopies) {
  // A dialog that answers 0 asks for no copies at all; the settings' count is the sound choice.
  return dialogCopies <= 1 ? deviceCopies : dialogCopies;
}

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

std::string DefaultPrinterName(const std::string& reported, const std::string& profileDevice) {
  if (!reported.empty()) return reported;
  return profileDevice.substr(0, profileDevice.find(','));
}

int FindPrinter(const std::vector<std::string>& installed, std::string_view name,
                const LeadByteSet& leadBytes) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < installed.size(); ++i) {
    if (SameNameIgnoringCase(installed[i], name, leadBytes)) return static_cast<int>(i);
  }
  return -1;
}

std::string JobTitle(const std::string& documentPath, const LeadByteSet& leadBytes) {
  return documentPath.empty() ? std::string() : FileNameOf(documentPath, leadBytes);
}

void CopyLineText(const EditArea& lines, PrintSurface& surface) {
  surface.Clear();
  const std::int32_t count = lines.LineCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::string line = lines.Line(i);
    if (i == count - 1 && line.empty()) break;
    line += "\r\n";
    const std::int32_t start = surface.LineIndex(surface.LineCount() - 1);
    surface.SetCaret(start);
    surface.ReplaceSelection(line);
    if (surface.Caret() != start + surface.LengthOf(line)) {
      throw Error(Ansi(texts::kPrintLineInsertError));
    }
  }
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
