// The steps of printing a Shift-JIS document, in this process, on the default printer (the print
// server's queue of scripts/cups.sh): the copy of the line text into the print surface, then for
// each page its layout and recording, its drawing on the printer, and the end of the page; the
// same pages as the print surface draws them in a job, with the time the window's thread spends
// on each before the drawing goes to the job's thread (any page that ends elsewhere than the page
// laid out alone is named); and drawn
// by the component straight into the printer's device context, as before pages were recorded. The
// size in MB on the command line (1 unless given), then the number of pages (20).
#include <cstdlib>

#include "bench/Bench_win32.h"
#include "Scintilla.h"
#include "output/Print.h"
#include "platform/print/PrintPage_win32.h"

namespace {

using namespace bench;

struct PageTimes {
  std::vector<double> layout, draw, end, direct, surface, stretch;
};

// One page of the surface from `first` drawn into `draw`, measured on `measure`.
long FormatRange(HWND surface, HDC draw, HDC measure, long first, BOOL render = TRUE) {
  const int dpiX = GetDeviceCaps(measure, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(measure, LOGPIXELSY);
  const penlet::TwipsRect rect = penlet::PageRect(
      {GetDeviceCaps(measure, HORZRES), GetDeviceCaps(measure, VERTRES), dpiX, dpiY});
  Sci_RangeToFormat range{};
  range.hdc = draw;
  range.hdcTarget = measure;
  range.rc = {0, 0, MulDiv(rect.right, dpiX, 1440), MulDiv(rect.bottom, dpiY, 1440)};
  range.rcPage = range.rc;
  range.chrg.cpMin = first;
  range.chrg.cpMax = static_cast<long>(SendMessageW(surface, SCI_GETLENGTH, 0, 0));
  return static_cast<long>(
      SendMessageW(surface, SCI_FORMATRANGE, render, reinterpret_cast<LPARAM>(&range)));
}

}  // namespace

int main(int argc, char** argv) {
  const int mb = argc > 1 ? std::atoi(argv[1]) : 1;
  const int pages = argc > 2 ? std::atoi(argv[2]) : 20;
  const std::string printer = DefaultPrinter();
  if (printer.empty()) return 0;
  const char* name = printer.c_str();
  const std::string path =
      WriteDocument(MakeDocument(static_cast<size_t>(mb) << 20), "print_steps.txt");
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  WaitForWrap(penlet.Edit());
  penlet::Win32PrintSurface& surface = penlet.Window().PrintSurface();

  // What the copy costs the editing area: the start of every display line.
  auto start = Clock::now();
  penlet::EditArea& edit = penlet.Window().Editor();
  const std::int32_t count = edit.LineCount();
  for (std::int32_t i = 0; i < count; ++i) edit.LineIndex(i);
  std::printf("print %d MB: the starts of the editing area's %d display lines %.1f ms\n", mb, count,
              MsSince(start));
  start = Clock::now();
  penlet::CopyLineText(penlet.Window().Editor(), surface);
  std::printf("  copy of the line text into the print surface %.1f ms (%d bytes there)\n",
              MsSince(start), surface.TextLength());

  start = Clock::now();
  HDC dc = CreateDCA("WINSPOOL", name, nullptr, nullptr);
  const double created = MsSince(start);
  start = Clock::now();
  DOCINFOA info{sizeof info, "print_steps", nullptr, nullptr, 0};
  StartDocA(dc, &info);
  StartPage(dc);
  std::printf("  the printer's device context made in %.1f ms, the job started in %.1f ms\n",
              created, MsSince(start));
  PageTimes times;
  {
    penlet::PagePrinter printer(dc);
    long first = 0;
    for (int page = 0; page < pages; ++page) {
      start = Clock::now();
      HDC recording = printer.StartRecording();
      const long next = FormatRange(surface.Handle(), recording, dc, first);
      times.layout.push_back(MsSince(start));
      start = Clock::now();
      if (!printer.DrawRecording()) std::printf("page %d: not plain text\n", page + 1);
      times.draw.push_back(MsSince(start));
      start = Clock::now();
      EndPage(dc);
      StartPage(dc);
      times.end.push_back(MsSince(start));
      first = next;
    }
    // As the job does it: the surface lays each page out on this thread, where the window's
    // messages are handled, and hands the drawing to the job's thread; the layout is what the
    // window waits for.
    const penlet::TwipsRect rect =
        penlet::PageRect({GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                          GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)});
    const auto handle = reinterpret_cast<penlet::DeviceContext>(dc);
    std::int32_t at = 0;
    for (int page = 0; page < pages; ++page) {
      start = Clock::now();
      const auto paused = start;
      // The job's page takes the lines the page laid out alone would.
      const long whole = FormatRange(surface.Handle(), dc, dc, at, FALSE);
      at = surface.RenderPage(handle, rect, at, [&](const std::function<void()>& work) {
        times.stretch.push_back(MsSince(paused));
        work();
      });
      if (at != whole)
        std::printf("page %d: the job's ends at %d, the page alone at %ld\n", page + 1, at, whole);
      times.surface.push_back(MsSince(start));
      EndPage(dc);
      StartPage(dc);
    }
    surface.ClearFormatting();
    first = 0;
    for (int page = 0; page < pages; ++page) {
      start = Clock::now();
      first = FormatRange(surface.Handle(), dc, dc, first);
      EndPage(dc);
      StartPage(dc);
      times.direct.push_back(MsSince(start));
    }
  }
  EndPage(dc);
  start = Clock::now();
  EndDoc(dc);
  const double endDoc = MsSince(start);
  DeleteDC(dc);
  std::printf(
      "  %d pages recorded and drawn by lines: layout and recording median %.1f ms (max "
      "%.1f), drawing %.1f ms (max %.1f), end of page %.1f ms (max %.1f)\n",
      pages, Median(times.layout), Max(times.layout), Median(times.draw), Max(times.draw),
      Median(times.end), Max(times.end));
  std::printf(
      "  the same pages as the job draws them: median %.1f ms a page (max %.1f); "
      "laid out on the window's thread in median %.1f ms, at most %.1f\n",
      Median(times.surface), Max(times.surface), Median(times.stretch), Max(times.stretch));
  std::printf(
      "  the same pages drawn by the component straight on the printer: median %.1f ms a "
      "page (max %.1f); end of the job %.1f ms\n",
      Median(times.direct), Max(times.direct), endDoc);
  DeleteFileA(path.c_str());
  return 0;
}
