// Printing the document: the page rectangle, the copy into the print surface and the page loop.
#include "output/Print.h"

#include <functional>

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

CopyOutcome CopyLineText(const EditArea& lines, PrintSurface& surface,
                         const std::function<bool()>& between) {
  // The lines the background layout has not reached yet are laid out first, in steps.
  if (between && !lines.LayOutRest(between)) return CopyOutcome::kLinesChanged;
  surface.Clear();
  // The lines go in a block of many at a time: each insertion costs the surface about as much,
  // however long it is.
  constexpr size_t kBlock = 1 << 16;
  constexpr std::int32_t kLinesBetween = 32;
  std::string block;
  auto insert = [&] {
    const std::int32_t start = surface.LineIndex(surface.LineCount() - 1);
    surface.SetCaret(start);
    surface.ReplaceSelection(block);
    const bool whole = surface.Caret() == start + surface.LengthOf(block);
    block.clear();
    return whole;
  };
  const std::int32_t count = lines.LineCount();
  const ByteOffset length = lines.TextLength();
  ByteOffset next = lines.LineIndex(0);
  for (std::int32_t i = 0; i < count; ++i) {
    // Each display line once: where it starts, the next begins its text.
    const ByteOffset start = next;
    next = i + 1 < count ? lines.LineIndex(i + 1) : length;
    if (start < 0) break;
    if (next < start) next = length;
    std::string_view line = lines.TextRange(start, next);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (i == count - 1 && line.empty()) break;
    block.append(line);
    block += "\r\n";
    if (block.size() >= kBlock && !insert()) return CopyOutcome::kLineNotTaken;
    if (between && i % kLinesBetween == kLinesBetween - 1 && !between()) {
      return CopyOutcome::kLinesChanged;
    }
  }
  if (!block.empty() && !insert()) return CopyOutcome::kLineNotTaken;
  return CopyOutcome::kCopied;
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
    const PrintSurface::OnJob onJob = [&printer](const std::function<void()>& work) {
      printer.RunOnJob(work);
    };
    for (;;) {
      const std::int32_t next = surface.RenderPage(dc, page, n, onJob);
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
