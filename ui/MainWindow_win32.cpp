// The main window's wiring: window class, controls, and the routing of messages to handlers.
#include "ui/MainWindow_win32.h"

#include <shellapi.h>

#include "platform/Drops_win32.h"
#include "platform/Locale.h"
#include "ui/CommandIds.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

constexpr int kDesignedWidth = 670;
constexpr int kDesignedHeight = 324;

void RegisterMainWindowClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExA(&wc);
  registered = true;
}

}  // namespace

MainWindow::MainWindow(HWND appWindow, MessageBoxes& boxes, ErrorReporter reportError)
    : appWindow_(appWindow), boxes_(boxes), reportError_(std::move(reportError)) {
  RegisterMainWindowClass();
  hwnd_ = CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, kDesignedWidth, kDesignedHeight, appWindow,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::WindowProc));
  CreateControls();
  files_ = NewSystemFiles();
  dialogs_ = std::make_unique<Win32FileDialogs>(appWindow_, hwnd_, AnsiLeadBytes());
  replaceDialog1_ = std::make_unique<Win32ReplaceDialog>(hwnd_, GetDlgCtrlID(richEdit1_->Handle()));
  FormParts parts{*richEdit1_, *this,      boxes_,   AnsiLeadBytes(),   *files_,
                  *dialogs_,   clipboard_, profile_, CounterLeadBytes()};
  parts.replaceDialog1 = replaceDialog1_.get();
  form_ = std::make_unique<TPenletForm>(parts);
  richEdit1_->SetListener(form_.get());
  printer_ = std::make_unique<Win32Printer>(AnsiLeadBytes());
  form_->SetPrintParts(*richEdit2_, *printer_);
  Guard([this] { form_->FormCreate(); });
  DragAcceptFiles(hwnd_, TRUE);
  Layout();
}

MainWindow::~MainWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (popupMenu1_) DestroyMenu(popupMenu1_);
  if (imageList1_) ImageList_Destroy(imageList1_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(editFont_), static_cast<HGDIOBJ>(counterFont_),
                         static_cast<HGDIOBJ>(printFont_), static_cast<HGDIOBJ>(blackBrush_)}) {
    if (object) DeleteObject(object);
  }
}

void MainWindow::Centre() {
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Show(int showCommand, const std::vector<std::string>& paths) {
  if (!shown_) {
    shown_ = true;
    Guard([&] { form_->FormShow(paths); });
    Centre();
  }
  ShowWindow(hwnd_, showCommand);
  if (showCommand != SW_HIDE && showCommand != SW_SHOWMINNOACTIVE) {
    SetForegroundWindow(hwnd_);
    richEdit1_->SetFocus();
  }
}

bool MainWindow::Guard(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    reportError_(e.what());
  } catch (...) {
    reportError_("?");
  }
  return false;
}

void MainWindow::SetCaption(const std::string& cp932) {
  SetWindowTextA(hwnd_, cp932.c_str());
}

std::string MainWindow::Caption() const {
  int length = GetWindowTextLengthA(hwnd_);
  std::string text(length + 1, '\0');
  text.resize(GetWindowTextA(hwnd_, text.data(), length + 1));
  return text;
}

void MainWindow::Close() {
  PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::HideCaret() {
  ::HideCaret(nullptr);
}

void MainWindow::SetWindowSize(int width, int height) {
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowRect MainWindow::RememberedRect() const {
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  // The program minimises by hiding this window, which keeps its rectangle; a window minimised
  // on its own keeps its restored rectangle in the placement, in work-area coordinates.
  if (IsIconic(hwnd_) && GetWindowPlacement(hwnd_, &placement)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    if (placement.flags & WPF_RESTORETOMAXIMIZED) {
      // Restored, it would be maximised again: the work area with the sizing frame outside it.
      rc = monitor.rcWork;
      const int frameX = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
      const int frameY = GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
      InflateRect(&rc, frameX, frameY);
    } else {
      rc = placement.rcNormalPosition;
      OffsetRect(&rc, monitor.rcWork.left - monitor.rcMonitor.left,
                 monitor.rcWork.top - monitor.rcMonitor.top);
    }
  }
  return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

void MainWindow::BeepQuestion() {
  MessageBeep(MB_ICONQUESTION);
}

void MainWindow::BringMainWindowToFront() {
  // The window the system finds by the class name, which need not be this one when several
  // copies run; the file still opens in this one.
  if (HWND found = FindWindowA(kMainWindowClass, nullptr)) SetForegroundWindow(found);
}

bool MainWindow::RunDocumentCommand(int id) {
  switch (id) {
    case FileNew1:
      form_->FileNew1Execute();
      return true;
    case FileOpen1:
      form_->FileOpen1Execute();
      return true;
    case FileSave1:
      // Disabled while nothing is unsaved, for every way of giving the command.
      if (saveEnabled_) form_->FileSave1Execute();
      return true;
    case FileSaveAs1:
      form_->FileSaveAs1Execute();
      return true;
    case FileExit1:
      form_->FileExit1Execute();
      return true;
    case FileSend1:
      form_->FileSend1Execute();
      return true;
    case FilePrint:
      form_->FilePrintExecute();
      return true;
    case EditReplace:
      form_->EditReplaceExecute();
      return true;
  }
  return false;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  bool handled = self->Guard([&] { result = self->HandleMessage(msg, wParam, lParam); });
  return handled ? result : 0;
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  // A registered message: no case label can name it.
  if (replaceDialog1_ && msg == replaceDialog1_->NotificationMessage() &&
      replaceDialog1_->TakeNotification(lParam)) {
    form_->ReplaceDialog1Notify();
    return 0;
  }
  if (HandleUiMessage(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETFOCUS:
      richEdit1_->SetFocus();
      return 0;
    case WM_COMMAND:
      // The counter boxes are made before the editing area and speak before it exists.
      if (richEdit1_ && richEdit1_->HandleCommand(wParam, lParam)) return 0;
      if (lParam == 0 && RunDocumentCommand(LOWORD(wParam))) return 0;
      break;
    case WM_DROPFILES: {
      Win32DroppedFiles drop(reinterpret_cast<HDROP>(wParam));
      form_->WMDropFiles(drop);
      return 0;
    }
    case WM_NOTIFY:
      if (richEdit1_ && richEdit1_->HandleNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
      if (richEdit2_ && richEdit2_->HandleNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
      break;
    case WM_CLOSE:
      if (form_->FormCloseQuery()) {
        PostQuitMessage(0);
        ShowWindow(hwnd_, SW_HIDE);
      }
      return 0;
    case WM_QUERYENDSESSION:
      return form_->FormCloseQuery();
    case WM_DESTROY:
      form_->FormDestroy();
      return 0;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace penlet
