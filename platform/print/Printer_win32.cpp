// The current printer (winspool), the print dialog (comdlg32), the job's device context (gdi32)
// and the print surface's rendering with SCI_FORMATRANGE.
#include "platform/print/Printer_win32.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>

#include "platform/system/Win32Support_win32.h"
#include "Scintilla.h"

namespace penlet {
namespace {

#if !defined(_WIN64)
static_assert(sizeof(PRINTDLGA) == 66, "the print dialog record is packed");
static_assert(sizeof(DOCINFOA) == 20, "the document record");
#endif

constexpr DWORD kPrintDialogFlags = PD_SELECTION | PD_NOSELECTION | PD_NOPAGENUMS | PD_NOWARNING |
                                    PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_HIDEPRINTTOFILE;
static_assert(kPrintDialogFlags == 0x10308D, "the print dialog's flags");

// The print spooler's functions, loaded with the first use of printing.
struct Spooler {
  decltype(EnumPrintersA)* enumPrinters =
      LibraryFunction<decltype(EnumPrintersA)>("winspool.drv", "EnumPrintersA");
  decltype(OpenPrinterA)* openPrinter =
      LibraryFunction<decltype(OpenPrinterA)>("winspool.drv", "OpenPrinterA");
  decltype(DocumentPropertiesA)* documentProperties =
      LibraryFunction<decltype(DocumentPropertiesA)>("winspool.drv", "DocumentPropertiesA");
  decltype(ClosePrinter)* closePrinter =
      LibraryFunction<decltype(ClosePrinter)>("winspool.drv", "ClosePrinter");

  bool Loaded() const { return enumPrinters && openPrinter && documentProperties && closePrinter; }
};

const Spooler& TheSpooler() {
  static const Spooler spooler;
  return spooler;
}

[[noreturn]] void RaiseSystemError(DWORD code) {
  throw PrinterError(PrinterFailure::kSystem, code, SystemErrorText(code));
}

// PRINTER_INFO_2 records of EnumPrinters; an empty list when there are none.
std::vector<char> EnumPrinterRecords(DWORD flags, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  const Spooler& spooler = TheSpooler();
  if (!spooler.Loaded()) RaiseSystemError(ERROR_PROC_NOT_FOUND);
  if (spooler.enumPrinters(flags, nullptr, 2, nullptr, 0, &needed, &count)) return {};
  DWORD error = GetLastError();
  // Windows answers ERROR_INVALID_NAME when there is no default printer.
  if (error == ERROR_INVALID_NAME) return {};
  if (error != ERROR_INSUFFICIENT_BUFFER) RaiseSystemError(error);
  std::vector<char> buffer(needed);
  if (!spooler.enumPrinters(flags, nullptr, 2, reinterpret_cast<BYTE*>(buffer.data()), needed,
                            &needed, &count)) {
    RaiseSystemError(GetLastError());
  }
  return buffer;
}

std::string OrEmpty(const char* text) {
  return text ? text : "";
}

std::vector<char> DefaultDevMode(const std::string& device) {
  HANDLE printer = nullptr;
  const Spooler& spooler = TheSpooler();
  if (!spooler.Loaded() ||
      !spooler.openPrinter(const_cast<char*>(device.c_str()), &printer, nullptr)) {
    return {};
  }
  std::vector<char> devMode;
  LONG size = spooler.documentProperties(nullptr, printer, const_cast<char*>(device.c_str()),
                                         nullptr, nullptr, 0);
  if (size > 0) {
    devMode.resize(size);
    if (spooler.documentProperties(nullptr, printer, const_cast<char*>(device.c_str()),
                                   reinterpret_cast<DEVMODEA*>(devMode.data()), nullptr,
                                   DM_OUT_BUFFER) != IDOK) {
      devMode.clear();
    }
  }
  spooler.closePrinter(printer);
  return devMode;
}

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), data, size);
  GlobalUnlock(memory);
  return memory;
}

HGLOBAL MakeDevNames(const std::string& driver, const std::string& device,
                     const std::string& port) {
  std::vector<char> record(sizeof(DEVNAMES));
  auto* names = reinterpret_cast<DEVNAMES*>(record.data());
  names->wDriverOffset = static_cast<WORD>(record.size());
  names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driver.size() + 1);
  names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
  names->wDefault = 0;
  for (const std::string* s : {&driver, &device, &port}) {
    record.insert(record.end(), s->begin(), s->end());
    record.push_back('\0');
  }
  return GlobalCopy(record.data(), record.size());
}

// Places the print and setup dialogs on the monitor of the window that was active when the
// dialog was asked for, which travels in lCustData; without one, on their owner's.
UINT_PTR CALLBACK PlaceDialog(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg != WM_INITDIALOG) return 0;
  HWND active = FromParam<HWND>(FromParam<const PRINTDLGA*>(lParam)->lCustData);
  PlaceWindow(dialog, active ? active : GetParent(dialog), Placement::kCentredUpperThird);
  return 1;
}

// The job always goes on. Wine's gdi32 calls the procedure only in StartDoc; the window's thread
// answers while the driver works on the job's thread (JobThread).
BOOL CALLBACK JobGoesOn(HDC, int) {
  return TRUE;
}

// Wine's PostScript driver copies the font's `post` table (120 KB for the IPA fonts) into a block
// of the process heap for every glyph it draws, to find the glyph's name. A block taken from the
// end of the heap had its memory committed and released again each time, as Wine keeps only 64 KB
// past the last block committed: some 80 ms of a page of Japanese (bench/print_driver_win32). For
// the job, a free stretch lies in front of a block kept until the job ends, and takes them.
constexpr SIZE_T kGlyphNameRoom = 384 * 1024;

void* KeepHeapRoom() {
  HANDLE heap = GetProcessHeap();
  void* room = HeapAlloc(heap, 0, kGlyphNameRoom);
  void* keeper = HeapAlloc(heap, 0, kGlyphNameRoom);
  if (room) HeapFree(heap, 0, room);
  return keeper;
}

}  // namespace

Win32Printer::Win32Printer(LeadByteSet leadBytes, MessageFilter filter, IdleStep idle)
    : leadBytes_(leadBytes), filter_(std::move(filter)), idle_(std::move(idle)) {}

Win32Printer::~Win32Printer() {
  CloseJob();
  if (owner_) DestroyWindow(owner_);
}

void Win32Printer::SelectDefaultPrinter() {
  DWORD count = 0;
  std::vector<char> reported = EnumPrinterRecords(PRINTER_ENUM_DEFAULT, count);
  std::string name;
  if (count > 0) name = OrEmpty(reinterpret_cast<PRINTER_INFO_2A*>(reported.data())->pPrinterName);
  char device[512] = "";
  if (name.empty()) GetProfileStringA("windows", "device", "", device, sizeof device);
  name = DefaultPrinterName(name, device);

  std::vector<char> records =
      EnumPrinterRecords(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, count);
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(records.data());
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) names.push_back(OrEmpty(printers[i].pPrinterName));
  const int found = FindPrinter(names, name, leadBytes_);
  if (found < 0) throw PrinterError(PrinterFailure::kNoDefaultPrinter);
  device_ = names[found];
  driver_ = OrEmpty(printers[found].pDriverName);
  port_ = OrEmpty(printers[found].pPortName);
  devMode_ = DefaultDevMode(device_);
}

HWND Win32Printer::OwnerWindow() {
  if (!owner_) {
    owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  }
  return owner_;
}

bool Win32Printer::RunPrintDialog() {
  if (!chosen_) {
    SelectDefaultPrinter();
    chosen_ = true;
  }
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = OwnerWindow();
  if (!devMode_.empty()) {
    pd.hDevMode = GlobalCopy(devMode_.data(), devMode_.size());
    pd.hDevNames = MakeDevNames(driver_, device_, port_);
  }
  pd.Flags = kPrintDialogFlags;
  pd.hInstance = GetModuleHandleA(nullptr);
  pd.lpfnPrintHook = PlaceDialog;
  pd.lpfnSetupHook = PlaceDialog;

  ModalScope modal;
  pd.lCustData = AsParam(modal.Active());
  static const auto printDialog = LibraryFunction<decltype(PrintDlgA)>("comdlg32.dll", "PrintDlgA");
  const BOOL ok = printDialog && printDialog(&pd);
  modal.Restore();

  // The dialog may have put records of its own in place of ours.
  const OwnedGlobal devModeRecord(pd.hDevMode);
  const OwnedGlobal devNamesRecord(pd.hDevNames);
  if (!ok) return false;
  if (printing_) throw PrinterError(PrinterFailure::kPrintingNow);
  if (pd.hDevNames) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames));
    const char* base = reinterpret_cast<const char*>(names);
    driver_ = base + names->wDriverOffset;
    device_ = base + names->wDeviceOffset;
    port_ = base + names->wOutputOffset;
    GlobalUnlock(pd.hDevNames);
  }
  devMode_.clear();
  if (!pd.hDevMode) throw PrinterError(PrinterFailure::kFeatureMissing);
  const auto* chosen = static_cast<const char*>(GlobalLock(pd.hDevMode));
  const auto* head = reinterpret_cast<const DEVMODEA*>(chosen);
  devMode_.assign(chosen, chosen + head->dmSize + head->dmDriverExtra);
  GlobalUnlock(pd.hDevMode);
  auto* settings = reinterpret_cast<DEVMODEA*>(devMode_.data());
  settings->dmCopies = static_cast<short>(SettledCopies(pd.nCopies, settings->dmCopies));
  settings->dmFields |= DM_COPIES;
  return true;
}

DeviceContext Win32Printer::StartJob(const std::string& title) {
  // A job of this program is running; a job reserved a moment ago is the one starting now.
  if (dc_) throw PrinterError(PrinterFailure::kPrintingNow);
  dc_ = CreateDCA(driver_.c_str(), device_.c_str(), port_.empty() ? nullptr : port_.c_str(),
                  devMode_.empty() ? nullptr : reinterpret_cast<DEVMODEA*>(devMode_.data()));
  if (!dc_) throw PrinterError(PrinterFailure::kNotValid);
  printing_ = true;
  heapRoom_ = KeepHeapRoom();
  job_ = std::make_unique<JobThread>(filter_, idle_);
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  SetAbortProc(dc_, JobGoesOn);
  // On the window's thread: a printer on the FILE: port asks here for the file's name.
  StartDocA(dc_, &info);
  RunOnJob([this] { StartPage(dc_); });
  return AsParam<DeviceContext>(dc_);
}

DeviceCaps Win32Printer::Caps() const {
  DeviceCaps caps;
  caps.horzRes = GetDeviceCaps(dc_, HORZRES);
  caps.vertRes = GetDeviceCaps(dc_, VERTRES);
  caps.logPixelsX = GetDeviceCaps(dc_, LOGPIXELSX);
  caps.logPixelsY = GetDeviceCaps(dc_, LOGPIXELSY);
  return caps;
}

int Win32Printer::SetTextMapping() {
  return SetMapMode(dc_, MM_TEXT);
}

void Win32Printer::RestoreMapping(int previous) {
  if (previous) SetMapMode(dc_, previous);
}

void Win32Printer::NewPage() {
  RunOnJob([this] {
    EndPage(dc_);
    StartPage(dc_);
  });
}

void Win32Printer::EndJob() {
  RunOnJob([this] {
    EndPage(dc_);
    EndDoc(dc_);
  });
}

void Win32Printer::RunOnJob(const std::function<void()>& work) {
  if (job_) {
    job_->Run(work);
  } else {
    work();
  }
}

void Win32Printer::CloseJob() {
  job_.reset();
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  if (heapRoom_) HeapFree(GetProcessHeap(), 0, heapRoom_);
  heapRoom_ = nullptr;
  printing_ = false;
}

void Win32Printer::KeepAnsweringHoldingInput() {
  AnswerHoldingInput();
}

Win32PrintSurface::Win32PrintSurface(HWND parent, int id) : window_(parent, id, WS_CHILD, 0) {
  // Its lines are the lines of its text; pages wrap them at the page's width as they are drawn,
  // black on white whatever the screen's colours.
  window_.Call(SCI_SETWRAPMODE, SC_WRAP_NONE);
  window_.Call(SCI_SETPRINTWRAPMODE, SC_WRAP_WORD);
  window_.Call(SCI_SETPRINTCOLOURMODE, SC_PRINT_BLACKONWHITE);
  window_.Call(SCI_SETPRINTMAGNIFICATION, 0);
}

bool Win32PrintSurface::HandleNotify(const NMHDR& header) {
  if (header.hwndFrom != Handle()) return false;
  // Pages wrap Japanese between any two characters, as the editing area does.
  if (header.code == SCN_STYLENEEDED) {
    window_.StyleTo(NotificationAs<SCNotification>(header).position);
  }
  return true;
}

void Win32PrintSurface::Clear() {
  window_.Call(SCI_CLEARALL);
}

std::int32_t Win32PrintSurface::LineCount() const {
  return static_cast<std::int32_t>(window_.Call(SCI_GETLINECOUNT));
}

std::int32_t Win32PrintSurface::LineIndex(std::int32_t line) const {
  if (line < 0 || line >= LineCount()) return -1;
  return static_cast<std::int32_t>(window_.Call(SCI_POSITIONFROMLINE, line));
}

void Win32PrintSurface::SetCaret(std::int32_t position) {
  window_.Call(SCI_GOTOPOS, position);
}

void Win32PrintSurface::ReplaceSelection(const std::string& text) {
  window_.CallWithPointer(SCI_REPLACESEL, 0, text.c_str());
}

std::int32_t Win32PrintSurface::Caret() const {
  return static_cast<std::int32_t>(window_.Call(SCI_GETCURRENTPOS));
}

std::int32_t Win32PrintSurface::LengthOf(const std::string& text) const {
  return static_cast<std::int32_t>(text.size());
}

std::int32_t Win32PrintSurface::TextLength() const {
  return static_cast<std::int32_t>(window_.Call(SCI_GETLENGTH));
}

void Win32PrintSurface::ClearFormatting() {
  pages_.reset();
}

std::int32_t Win32PrintSurface::FormatRange(HDC draw, HDC measure, const RECT& area,
                                            std::int32_t first, bool render) {
  Sci_RangeToFormat range{};
  range.hdc = draw;
  range.hdcTarget = measure;
  range.rc = {area.left, area.top, area.right, area.bottom};
  range.rcPage = range.rc;
  range.chrg.cpMin = first;
  range.chrg.cpMax = TextLength();
  return static_cast<std::int32_t>(window_.CallWithPointer(SCI_FORMATRANGE, render, &range));
}

std::int32_t Win32PrintSurface::RenderPage(DeviceContext dc, const TwipsRect& rect,
                                           std::int32_t first, const OnJob& onJob) {
  HDC printer = FromParam<HDC>(dc);
  // The component measures the page in the device's pixels, not in twips.
  const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
  if (dpiX <= 0 || dpiY <= 0) return first;
  const RECT page{MulDiv(rect.left, dpiX, 1440), MulDiv(rect.top, dpiY, 1440),
                  MulDiv(rect.right, dpiX, 1440), MulDiv(rect.bottom, dpiY, 1440)};
  if (!pages_ || pages_->Printer() != printer) pages_ = std::make_unique<PagePrinter>(printer);
  // The page is laid out whole, measured on the printer but drawn into the recording: a few
  // milliseconds. Its text then reaches the printer a line at a time, on the job's thread.
  HDC recording = pages_->StartRecording();
  const std::int32_t next =
      FormatRange(recording ? recording : printer, printer, page, first, true);
  bool drawn = false;
  if (recording) onJob([&] { drawn = pages_->DrawRecording(); });
  // A page with more than plain text on it goes to the printer as the component draws it.
  if (recording && !drawn) FormatRange(printer, printer, page, first, true);
  return next;
}

}  // namespace penlet
