// Where a printed page's time goes inside the printer driver. The pages of a Shift-JIS document
// are laid out by the print surface, then drawn on the default printer (the print server's queue
// of scripts/cups.sh) in several ways, timing the first call of each page, where the driver sends
// the font again, apart from the others. Then the font tables the driver reads on every page, and
// what one small write to a file costs: the driver writes its output a few bytes at a time. The
// size in MB on the command line (1 unless given), then the number of pages (20), then the index
// of the one way to run (all unless given).
#include <cstdlib>

#include "bench/Bench_win32.h"
#include "Scintilla.h"
#include "output/Print.h"
#include "platform/print/PrintPage_win32.h"

namespace {

using namespace bench;
using Line = penlet::PagePrinter::Line;

// The lines of text of the page of `surface` from `first`, and where the next page begins.
long PageLines(HWND surface, HDC printer, long first, std::vector<Line>& lines) {
  const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
  const penlet::TwipsRect rect = penlet::PageRect(
      {GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES), dpiX, dpiY});
  HDC recording = CreateEnhMetaFileW(printer, nullptr, nullptr, nullptr);
  Sci_RangeToFormat range{};
  range.hdc = recording;
  range.hdcTarget = printer;
  range.rc = {0, 0, MulDiv(rect.right, dpiX, 1440), MulDiv(rect.bottom, dpiY, 1440)};
  range.rcPage = range.rc;
  range.chrg.cpMin = first;
  range.chrg.cpMax = static_cast<long>(SendMessageW(surface, SCI_GETLENGTH, 0, 0));
  const long next = static_cast<long>(
      SendMessageW(surface, SCI_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
  HENHMETAFILE page = CloseEnhMetaFile(recording);
  std::vector<BYTE> records(GetEnhMetaFileBits(page, 0, nullptr));
  GetEnhMetaFileBits(page, static_cast<UINT>(records.size()), records.data());
  DeleteEnhMetaFile(page);
  lines.clear();
  if (!penlet::PagePrinter::ReadLines(records, lines)) std::printf("page not plain text\n");
  return next;
}

enum class Way { kLines, kSpacingGiven, kGlyphIndices, kHalfLines, kMeasureOnly, kLinesACall };

struct Times {
  std::vector<double> first, rest, end;
};

// `lines` from the first, `count` of them, in one call: each glyph steps to the next (ETO_PDY),
// the last of a line to the first of the next.
void DrawTogether(HDC dc, const Line* lines, size_t count) {
  std::wstring text;
  std::vector<INT> steps;
  for (size_t i = 0; i < count; ++i) {
    const Line& line = lines[i];
    text += line.text;
    for (size_t c = 0; c + 1 < line.dx.size(); ++c) {
      steps.push_back(line.dx[c]);
      steps.push_back(0);
    }
    const bool more = i + 1 < count;
    steps.push_back(more ? lines[i + 1].x - (line.End() - line.dx.back()) : line.dx.back());
    steps.push_back(more ? lines[i + 1].y - line.y : 0);
  }
  ExtTextOutW(dc, lines->x, lines->y, ETO_PDY, nullptr, text.data(), static_cast<UINT>(text.size()),
              steps.data());
}

void DrawPage(HDC dc, const std::vector<Line>& lines, Way way, size_t linesACall, Times& times) {
  if (lines.empty()) return;
  HFONT font = CreateFontIndirectW(&lines.front().font);
  HGDIOBJ before = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, lines.front().align);
  double rest = 0;
  const size_t step = way == Way::kLinesACall ? linesACall : 1;
  for (size_t i = 0; i < lines.size(); i += step) {
    const Line& line = lines[i];
    const auto count = static_cast<UINT>(line.text.size());
    const auto start = Clock::now();
    switch (way) {
      case Way::kLines:
        ExtTextOutW(dc, line.x, line.y, 0, nullptr, line.text.data(), count, nullptr);
        break;
      case Way::kSpacingGiven:
        ExtTextOutW(dc, line.x, line.y, 0, nullptr, line.text.data(), count, line.dx.data());
        break;
      case Way::kGlyphIndices: {
        std::vector<WORD> glyphs(count);
        GetGlyphIndicesW(dc, line.text.data(), static_cast<int>(count), glyphs.data(), 0);
        ExtTextOutW(dc, line.x, line.y, ETO_GLYPH_INDEX, nullptr,
                    reinterpret_cast<LPCWSTR>(glyphs.data()), count, nullptr);
        break;
      }
      case Way::kHalfLines: {
        const UINT half = count / 2;
        LONG x = line.x;
        for (UINT c = 0; c < half; ++c) x += line.dx[c];
        ExtTextOutW(dc, line.x, line.y, 0, nullptr, line.text.data(), half, nullptr);
        ExtTextOutW(dc, x, line.y, 0, nullptr, line.text.data() + half, count - half, nullptr);
        break;
      }
      case Way::kMeasureOnly: {
        // What the job's own check of a line's spacing costs.
        std::vector<INT> extents(count);
        SIZE size{};
        GetTextExtentExPointW(dc, line.text.data(), static_cast<int>(count), 0, nullptr,
                              extents.data(), &size);
        break;
      }
      case Way::kLinesACall:
        DrawTogether(dc, &line, std::min(step, lines.size() - i));
        break;
    }
    if (i == 0) {
      times.first.push_back(MsSince(start));
    } else {
      rest += MsSince(start);
    }
  }
  times.rest.push_back(rest);
  SelectObject(dc, before);
  DeleteObject(font);
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  const auto start = Clock::now();
  EndPage(dc);
  StartPage(dc);
  times.end.push_back(MsSince(start));
}

DWORD Tag(const char* name) {
  return static_cast<DWORD>(name[0]) | static_cast<DWORD>(name[1]) << 8 |
         static_cast<DWORD>(name[2]) << 16 | static_cast<DWORD>(name[3]) << 24;
}

}  // namespace

int main(int argc, char** argv) {
  const int mb = argc > 1 ? std::atoi(argv[1]) : 1;
  const int pages = argc > 2 ? std::atoi(argv[2]) : 20;
  const int only = argc > 3 ? std::atoi(argv[3]) : -1;
  const std::string printer = DefaultPrinter();
  if (printer.empty()) return 0;
  const char* name = printer.c_str();
  const std::string path =
      WriteDocument(MakeDocument(static_cast<size_t>(mb) << 20), "print_driver.txt");
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  penlet::Win32PrintSurface& surface = penlet.Window().PrintSurface();
  penlet::CopyLineText(penlet.Window().Editor(), surface);

  HDC dc = CreateDCA("WINSPOOL", name, nullptr, nullptr);
  DOCINFOA info{sizeof info, "print_driver", nullptr, nullptr, 0};
  StartDocA(dc, &info);
  StartPage(dc);
  std::vector<std::vector<Line>> text(pages);
  long first = 0;
  for (auto& lines : text) first = PageLines(surface.Handle(), dc, first, lines);
  size_t glyphs = 0;
  for (const Line& line : text.front()) glyphs += line.text.size();
  std::printf("print %d MB: %d pages of %zu lines (%zu characters on the first) on %s\n", mb, pages,
              text.front().size(), glyphs, name);

  struct Run {
    const char* label;
    Way way;
    size_t linesACall;
  };
  const Run runs[] = {
      {"a call a line, as the job draws:", Way::kLines, 1},
      {"a call a line, spacing given:", Way::kSpacingGiven, 1},
      {"a call a line, glyph indices:", Way::kGlyphIndices, 1},
      {"two calls a line:", Way::kHalfLines, 1},
      {"four lines a call, x and y steps:", Way::kLinesACall, 4},
      {"eight lines a call, x and y steps:", Way::kLinesACall, 8},
      {"the page in one call:", Way::kLinesACall, 1000},
      {"measuring each line only:", Way::kMeasureOnly, 1},
  };
  int index = 0;
  for (const Run& run : runs) {
    if (only >= 0 && index++ != only) continue;
    Times t;
    for (const auto& lines : text) DrawPage(dc, lines, run.way, run.linesACall, t);
    std::printf(
        "  %-36s first call median %5.1f ms (max %5.1f), the rest %5.1f ms; end of page "
        "%4.1f ms\n",
        run.label, Median(t.first), Max(t.first), Median(t.rest), Median(t.end));
  }

  // The tables of the font that the driver reads on every page; it sends hmtx and loca as text,
  // and reads post again for every glyph, to name it.
  HFONT font = CreateFontIndirectW(&text.front().front().font);
  HGDIOBJ before = SelectObject(dc, font);
  std::string tables;
  auto start = Clock::now();
  for (const char* table :
       {"cvt ", "fpgm", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "prep", "post"}) {
    const DWORD length = GetFontData(dc, Tag(table), 0, nullptr, 0);
    if (length == GDI_ERROR) continue;
    std::vector<BYTE> data(length);
    GetFontData(dc, Tag(table), 0, data.data(), length);
    tables += std::string(" ") + table + " " + std::to_string(length);
  }
  std::printf("  the font's tables (bytes):%s; read in %.1f ms\n", tables.c_str(), MsSince(start));
  SelectObject(dc, before);
  DeleteObject(font);
  EndPage(dc);
  start = Clock::now();
  EndDoc(dc);
  std::printf("  end of the job %.1f ms\n", MsSince(start));
  DeleteDC(dc);

  const std::string file = TempPath("print_driver.bin");
  HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  constexpr int kWrites = 100000;
  start = Clock::now();
  for (int i = 0; i < kWrites; ++i) {
    DWORD written = 0;
    WriteFile(out, "00", 2, &written, nullptr);
  }
  std::printf("  %d writes of 2 bytes to a file: %.1f ms\n", kWrites, MsSince(start));
  CloseHandle(out);
  DeleteFileA(file.c_str());
  DeleteFileA(path.c_str());
  return 0;
}
