// The printer and the hidden print surface as the printing logic sees them.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/Mbcs.h"

namespace penlet {

// What the page layout needs of the printer's device context.
struct DeviceCaps {
  std::int32_t horzRes = 0;  // printable width in device pixels
  std::int32_t vertRes = 0;  // printable height in device pixels
  std::int32_t logPixelsX = 0;
  std::int32_t logPixelsY = 0;
};

// A rectangle in twips (1440 per inch).
struct TwipsRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const TwipsRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The device context of a running job, handed from the printer to the surface that draws on it.
using DeviceContext = std::uintptr_t;

// Why the printer could not do what it was asked.
enum class PrinterFailure {
  kNoDefaultPrinter,  // no default printer among the installed ones
  kPrintingNow,       // a job is still running
  kFeatureMissing,    // the chosen printer gave no device settings
  kNotValid,          // the chosen printer's device context could not be made
  kSystem,            // the system refused; `code` and `description` say why
};

struct PrinterError : std::runtime_error {
  PrinterError(PrinterFailure failure, std::uint32_t code = 0, std::string description = "")
      : std::runtime_error("printer"),
        failure(failure),
        code(code),
        description(std::move(description)) {}
  PrinterFailure failure;
  std::uint32_t code;       // the system's error code, for kSystem
  std::string description;  // the system's words for `code`, code page 932
};

// The copy count that ends up in the device settings after OK in the print dialog: the dialog's
// count, unless it answers 1 (or nothing), in which case the settings already hold the count.
std::int32_t SettledCopies(std::int32_t dialogCopies, std::int32_t deviceCopies);

// The default printer's name: the one the system reports, else the first comma-separated field
// of the profile's "device" entry.
std::string DefaultPrinterName(const std::string& reported, const std::string& profileDevice);

// Index of `name` among `installed`, ignoring the case of single-byte letters; -1 when absent.
int FindPrinter(const std::vector<std::string>& installed, std::string_view name,
                const LeadByteSet& leadBytes);

// The current printer: chosen in the print dialog, lasting for the whole run. Failures are raised
// as PrinterError.
class Printer {
 public:
  virtual ~Printer() = default;

  // Shows the print dialog on the current printer (the system's default on first use). On OK the
  // chosen printer and its settings, with the copy count, become current and true is returned;
  // false when the dialog was cancelled or failed.
  virtual bool RunPrintDialog() = 0;

  // Takes the printer for a job about to start: from now until CloseJob, OK in the print dialog
  // fails with kPrintingNow, as it does while the job runs.
  virtual void Reserve() = 0;
  // Creates the device context, then starts the job under `title` and its first page.
  virtual DeviceContext StartJob(const std::string& title) = 0;
  virtual DeviceCaps Caps() const = 0;
  // Sets the mapping mode to MM_TEXT and returns the previous one.
  virtual int SetTextMapping() = 0;
  virtual void RestoreMapping(int previous) = 0;
  // The calls that keep the printer driver busy let the window messages through until they are
  // done, whether or not the driver calls the job's abort procedure: ending a page and starting
  // the next, ending the job, and the drawing that RunOnJob is given.
  virtual void NewPage() = 0;  // ends the page and starts the next
  virtual void EndJob() = 0;   // ends the last page and the job
  // Runs `work`, which draws on the job's device context, while the window answers.
  virtual void RunOnJob(const std::function<void()>& work) = 0;
  // The same while the document is being read for the job: the window repaints and answers what
  // other programs ask of it, but input and posted commands wait until the job runs, as they
  // could change what is being read.
  virtual void KeepAnsweringHoldingInput() = 0;
  // Releases the device context and the printer; it is idle again. Safe to call more than once.
  virtual void CloseJob() = 0;
};

// The hidden control that lays the printed text out. Positions and lengths are in the control's
// own units, which need not be bytes.
class PrintSurface {
 public:
  virtual ~PrintSurface() = default;

  virtual void Clear() = 0;
  virtual std::int32_t LineCount() const = 0;
  virtual std::int32_t LineIndex(std::int32_t line) const = 0;
  virtual void SetCaret(std::int32_t position) = 0;
  // Inserts code page 932 text in place of the selection, in the default character format.
  virtual void ReplaceSelection(const std::string& text) = 0;
  virtual std::int32_t Caret() const = 0;
  // The length that `text` takes in the control.
  virtual std::int32_t LengthOf(const std::string& text) const = 0;
  virtual std::int32_t TextLength() const = 0;

  // Drops what the control keeps of the last page's layout.
  virtual void ClearFormatting() = 0;
  // Draws the text from `first` into `rect` of `dc` and returns the position of the first
  // character that did not fit. The drawing itself goes through `onJob` (Printer::RunOnJob).
  using OnJob = std::function<void(const std::function<void()>& work)>;
  virtual std::int32_t RenderPage(DeviceContext dc, const TwipsRect& rect, std::int32_t first,
                                  const OnJob& onJob) = 0;
};

}  // namespace penlet
