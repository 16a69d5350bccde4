// The main window's face.
#include "ui/MainWindow_win32.h"

#include <algorithm>

#include "core/Texts.h"
#include "platform/system/Dpi_win32.h"
#include "platform/system/Locale.h"
#include "ui/CommandTable.h"
#include "ui/Controls_win32.h"
#include "ui/Hints.h"
#include "ui/Images_win32.h"

namespace penlet {
namespace {

constexpr int kDesignedWidth = 670;
constexpr int kDesignedHeight = 324;
constexpr int kRichEdit1Id = 101;
constexpr int kRichEdit2Id = 102;
constexpr int kToolBarHeight = 30;
constexpr int kStatusBarHeight = 17;
constexpr int kEditFontHeight = -16;
constexpr int kPrintFontHeight = -19;

HWND CreateMainWindow(HWND owner) {
  WindowClass windowClass;
  windowClass.name = kMainWindowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  windowClass.cursor = ArrowCursor();
  windowClass.background = SystemColourBackground(COLOR_BTNFACE);
  RegisterWindowClass(windowClass);
  const int dpi = SystemDpi();
  return CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         CW_USEDEFAULT, CW_USEDEFAULT, ScaleForDpi(kDesignedWidth, dpi),
                         ScaleForDpi(kDesignedHeight, dpi), owner, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool IsEdit(HWND hwnd) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpiA(name, "EDIT") == 0 || lstrcmpiA(name, "Scintilla") == 0;
}

}  // namespace

MainWindow::MainWindow(HWND owner)
    : hwnd_(CreateMainWindow(owner)),
      dpi_(WindowDpi(hwnd_)),
      imageList1_(CreateImageList1(Scaled(kImageSize))),
      toolBar1_(hwnd_, imageList1_.Get(), dpi_),
      counter_(toolBar1_.Handle(), ToolBarX(penlet::ToolBar1().size() - 1, dpi_),
               toolBar1_.ButtonTop(), dpi_),
      // Lines wrap at the right edge; the vertical bar comes only when needed.
      richEdit1_(hwnd_, kRichEdit1Id, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE),
      // The print surface: never shown, in the printing font.
      richEdit2_(hwnd_, kRichEdit2Id),
      editFont_(MakeFont(Scaled(kEditFontHeight), FW_NORMAL, texts::kGothicFace)),
      // Printed text keeps its size in points: the printer, not the screen, gives its pixels.
      printFont_(MakeFont(kPrintFontHeight, FW_NORMAL, texts::kMinchoFace)),
      statusBar_(hwnd_, dpi_),
      menus_(hwnd_, imageList1_.Get(), Scaled(kImageSize)),
      tooltips_(hwnd_, toolBar1_, counter_) {
  std::fill(std::begin(commandEnabled_), std::end(commandEnabled_), true);
  SetEditFont();
  richEdit2_.SetFont(printFont_.Get());
  PlacePrintSurface();
  SetWindowData(hwnd_, this);
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, AsParam<LONG_PTR>(&MainWindow::WindowProc));
  Layout();
}

MainWindow::~MainWindow() {
  Destroy();
}

void MainWindow::Destroy() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowData<MainWindow*>(hwnd);
  LRESULT result = 0;
  if (self && msg == WM_DPICHANGED) {
    self->ChangeDpi(HIWORD(wParam), *FromParam<const RECT*>(lParam));
    return 0;
  }
  if (self && self->HandleFaceMessage(msg, wParam, lParam, result)) return result;
  if (self && self->messages_ && self->messages_->HandleMessage(msg, wParam, lParam, result)) {
    return result;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool MainWindow::HandleFaceMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return counter_.Colors(FromParam<HWND>(lParam), FromParam<HDC>(wParam), result);
    case WM_MEASUREITEM:
      result = TRUE;
      return menus_.Measure(*FromParam<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
      result = TRUE;
      return statusBar_.DrawPanel(*FromParam<const DRAWITEMSTRUCT*>(lParam)) ||
             menus_.DrawImage(*FromParam<const DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
      return richEdit2_.HandleNotify(*FromParam<NMHDR*>(lParam));
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of a new colour scheme: the controls follow it through here.
      for (HWND control : {richEdit1_.Handle(), toolBar1_.Handle(), statusBar_.Handle()}) {
        SendMessageA(control, WM_SYSCOLORCHANGE, wParam, lParam);
      }
      return true;
  }
  return false;
}

void MainWindow::Layout() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  const int toolBarHeight = Scaled(kToolBarHeight);
  const int statusBarHeight = Scaled(kStatusBarHeight);
  MoveWindow(toolBar1_.Handle(), 0, 0, rc.right, toolBarHeight, TRUE);
  MoveWindow(richEdit1_.Handle(), 0, toolBarHeight, rc.right,
             std::max(0L, rc.bottom - toolBarHeight - statusBarHeight), TRUE);
  MoveWindow(statusBar_.Handle(), 0, rc.bottom - statusBarHeight, rc.right, statusBarHeight, TRUE);
}

void MainWindow::PlacePrintSurface() {
  SetWindowPos(richEdit2_.Handle(), nullptr, 0, Scaled(kToolBarHeight), Scaled(662), Scaled(223),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetEditFont() {
  // The component turns points into pixels at the density its own window has, which is the
  // window's once the system has moved them both (and stays where it was under Wine).
  richEdit1_.SetFont(editFont_.Get(), WindowDpi(richEdit1_.Handle()));
}

void MainWindow::ChangeDpi(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  OwnedImageList images(CreateImageList1(Scaled(kImageSize)));
  toolBar1_.SetDpi(images.Get(), dpi_);
  menus_.SetImages(images.Get(), Scaled(kImageSize));
  // The old pictures go once nothing draws from them.
  imageList1_ = std::move(images);
  counter_.SetDpi(ToolBarX(penlet::ToolBar1().size() - 1, dpi_), toolBar1_.ButtonTop(), dpi_);
  tooltips_.FollowButtons(toolBar1_);
  statusBar_.SetDpi(dpi_);
  // Children hear of the change after their parent; the editing area needs it before its font.
  SendMessageA(richEdit1_.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi_, dpi_), 0);
  editFont_ = MakeFont(Scaled(kEditFontHeight), FW_NORMAL, texts::kGothicFace);
  SetEditFont();
  PlacePrintSurface();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void MainWindow::Centre() {
  PlaceWindow(hwnd_, nullptr, Placement::kCentredCornerInArea);
}

void MainWindow::SetCommandEnabled(int id, bool enabled) {
  // The menus change only through here; the tool button may have been changed on its own.
  bool& state = commandEnabled_[id - kFirstCommandId];
  if (state != enabled) {
    state = enabled;
    menus_.SetEnabled(id, enabled);
  }
  toolBar1_.SetEnabled(id, enabled);
}

ClipboardTarget MainWindow::FocusedEditTarget(const Clipboard& clipboard) const {
  ClipboardTarget target;
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus) && IsEdit(focus)) {
    target.editFocused = true;
    DWORD start = 0, end = 0;
    SendMessageA(focus, EM_GETSEL, AsParam<WPARAM>(&start), AsParam(&end));
    target.selectionLength = static_cast<int>(end > start ? end - start : start - end);
    target.clipboardHasText = clipboard.HasText();
  }
  return target;
}

std::string MainWindow::HintUnderPointer() const {
  POINT pt;
  if (!GetCursorPos(&pt)) return {};
  // Over the text nothing has a hint, whatever lies there: the search for the window under the
  // pointer, a few calls to the window server under Wine, is spared after every keystroke.
  RECT text;
  if ((GetWindowLongA(richEdit1_.Handle(), GWL_STYLE) & WS_VISIBLE) &&
      GetWindowRect(richEdit1_.Handle(), &text) && PtInRect(&text, pt)) {
    return {};
  }
  HWND window = WindowFromPoint(pt);
  if (!window) return {};
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return {};
  // Innermost control, disabled ones included.
  for (HWND child = window; child;) {
    window = child;
    POINT local = pt;
    ScreenToClient(window, &local);
    child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE);
    if (child == window) break;
  }
  // A control's hint, else its parent's; only the boxes and the buttons have hints.
  std::string hint;
  for (HWND w = window; w && hint.empty(); w = GetParent(w)) {
    if (w == counter_.Memo1()) {
      hint = Ansi(texts::kMemo1Hint);
    } else if (w == counter_.Memo2()) {
      hint = Ansi(texts::kMemo2Hint);
    } else if (w == toolBar1_.Handle()) {
      if (const Command* command = FindCommand(toolBar1_.CommandAt(pt))) {
        hint = Ansi(command->hint);
      }
    }
    if (w == hwnd_) break;
  }
  return LongHint(hint, AnsiLeadBytes());
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

void MainWindow::SetToolButtonEnabled(ToolButton button, bool enabled) {
  toolBar1_.SetEnabled(button == ToolButton::Cut    ? EditCut1
                       : button == ToolButton::Copy ? EditCopy1
                                                    : EditPaste1,
                       enabled);
}

void MainWindow::HideCaret() {
  ::HideCaret(nullptr);
}

void MainWindow::SendToFocusedEdit(EditCommand command) {
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd_, focus) || !IsEdit(focus)) return;
  SendMessageA(focus,
               command == EditCommand::kCut    ? WM_CUT
               : command == EditCommand::kCopy ? WM_COPY
                                               : WM_PASTE,
               0, 0);
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

}  // namespace penlet
