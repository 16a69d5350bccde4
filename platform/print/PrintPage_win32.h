// A page of the print surface recorded in a metafile, then drawn on the printer a line at a time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace penlet {

// Scintilla draws each run of one style with a call of its own, on a box of the background
// colour, selecting the run's font first; the print surface changes style with every double-byte
// character so that pages may wrap Japanese anywhere. Drawn straight into the printer's device
// context, every character then reached the printer driver as a white box, a font selection and
// a glyph. The page is recorded instead, laid out and measured on the printer as before, and its
// text drawn as one call for each line, on the white of the paper.
class PagePrinter {
 public:
  explicit PagePrinter(HDC printer);
  ~PagePrinter();
  PagePrinter(const PagePrinter&) = delete;
  PagePrinter& operator=(const PagePrinter&) = delete;

  HDC Printer() const { return printer_; }
  // A device context that records a page; it measures as the printer does. Null when none could
  // be made.
  HDC StartRecording();
  // Ends the recording and draws its text on the printer. False, with nothing drawn, when the
  // page holds anything but plain text on white.
  bool DrawRecording();

  // One line's text as the printer gets it: glyphs from `x` on `y`, each `dx` from the one before.
  struct Line {
    LOGFONTW font{};
    UINT align = 0;
    COLORREF colour = 0;
    LONG x = 0, y = 0;
    std::wstring text;
    std::vector<INT> dx;
    LONG End() const;
  };
  // The lines of text of the metafile `records` (its bytes); false when it holds anything else.
  static bool ReadLines(const std::vector<BYTE>& records, std::vector<Line>& lines);

 private:
  HFONT FontFor(const LOGFONTW& face);

  HDC printer_;
  HDC recording_ = nullptr;
  // The job's fonts, made once.
  std::vector<std::pair<LOGFONTW, HFONT>> fonts_;
  HGDIOBJ originalFont_ = nullptr;
};

}  // namespace penlet
