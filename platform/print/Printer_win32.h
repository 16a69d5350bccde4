// The printer through winspool, gdi32 and the common print dialog, and the print surface on a
// hidden Scintilla window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/print/JobThread_win32.h"
#include "platform/system/Mbcs.h"
#include "platform/print/PrintPage_win32.h"
#include "platform/print/Printer.h"
#include "platform/edit/ScintillaWindow_win32.h"

namespace penlet {

class Win32Printer : public Printer {
 public:
  // While a job runs, the window's messages go through `filter` and `idle` as in the program's
  // loop.
  Win32Printer(LeadByteSet leadBytes, MessageFilter filter, IdleStep idle);
  ~Win32Printer() override;
  Win32Printer(const Win32Printer&) = delete;
  Win32Printer& operator=(const Win32Printer&) = delete;

  bool RunPrintDialog() override;
  DeviceContext StartJob(const std::string& title) override;
  DeviceCaps Caps() const override;
  int SetTextMapping() override;
  void RestoreMapping(int previous) override;
  void NewPage() override;
  void EndJob() override;
  void RunOnJob(const std::function<void()>& work) override;
  void CloseJob() override;
  void KeepAnsweringHoldingInput() override;
  void Reserve() override { printing_ = true; }

 private:
  void SelectDefaultPrinter();
  HWND OwnerWindow();

  LeadByteSet leadBytes_;
  bool chosen_ = false;  // false until the first use has settled the current printer
  std::string device_, driver_, port_;
  std::vector<char> devMode_;  // empty when the printer has no device settings
  MessageFilter filter_;
  IdleStep idle_;
  HDC dc_ = nullptr;
  std::unique_ptr<JobThread> job_;  // while a job runs
  void* heapRoom_ = nullptr;        // held while a job runs (KeepHeapRoom)
  bool printing_ = false;
  HWND owner_ = nullptr;
};

// The print surface: a hidden Scintilla window whose default style is the printing font.
class Win32PrintSurface : public PrintSurface {
 public:
  explicit Win32PrintSurface(HWND parent, int id);

  HWND Handle() const { return window_.Handle(); }
  void SetFont(HFONT font) { window_.SetFont(font); }
  // The parent's WM_NOTIFY is passed here; true when it was the surface's.
  bool HandleNotify(const NMHDR& header);

  void Clear() override;
  std::int32_t LineCount() const override;
  std::int32_t LineIndex(std::int32_t line) const override;
  void SetCaret(std::int32_t position) override;
  void ReplaceSelection(const std::string& text) override;
  std::int32_t Caret() const override;
  std::int32_t LengthOf(const std::string& text) const override;
  std::int32_t TextLength() const override;
  void ClearFormatting() override;
  std::int32_t RenderPage(DeviceContext dc, const TwipsRect& rect, std::int32_t first,
                          const OnJob& onJob) override;

 private:
  // Lays out the text from `first` in `area` of the page, in device pixels; draws it when
  // `render`. Returns the position of the first character that did not fit.
  std::int32_t FormatRange(HDC draw, HDC measure, const RECT& area, std::int32_t first,
                           bool render);

  ScintillaWindow window_;
  std::unique_ptr<PagePrinter> pages_;  // for the running job
};

}  // namespace penlet
