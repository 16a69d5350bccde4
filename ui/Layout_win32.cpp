// The main window's controls at their designed places: editing area, print surface, counter
// boxes and status bar, and the view of their texts and colours that the logic uses.
#include <algorithm>

#include "ui/Images_win32.h"
#include "ui/MainWindow_win32.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

constexpr int kRichEdit1Id = 101;
constexpr int kRichEdit2Id = 102;
constexpr int kStatusBarId = 103;
constexpr int kMemo1Id = 104;
constexpr int kMemo2Id = 105;
constexpr int kToolBarHeight = 30;
constexpr int kStatusBarHeight = 17;
constexpr int kPanelX = 314;
constexpr int kPanelWidth = 147;
constexpr int kPanelHeight = 22;
constexpr int kMemo1Width = 93;
constexpr int kMemo2Width = 50;
constexpr int kMemoHeight = 18;
constexpr int kStatusPanel0 = 240;
constexpr int kStatusPanel1 = 135;
constexpr char kPanelClass[] = "TPanel";

HFONT MakeFont(int height, int weight, std::string_view face) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Ansi(face).c_str());
}

// The counter panel only frames its boxes; what they report belongs to the main window.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_COMMAND:
      return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterPanelClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPanelClass;
  RegisterClassExA(&wc);
  registered = true;
}

// Changes a control's text and leaves its drawing to the window's next paint: Wine's status bar
// and edit control draw at once on every change, which took more than the rest of a keystroke.
template <class Change>
void ChangeWithoutDrawing(HWND hwnd, const Change& change) {
  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  change();
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace

void MainWindow::CreateControls() {
  imageList1_ = CreateImageList1();
  blackBrush_ = CreateSolidBrush(RGB(0, 0, 0));
  CreateToolBar();

  // Lines wrap at the right edge; the vertical bar comes only when needed.
  richEdit1_ = std::make_unique<ScintillaEdit>(
      hwnd_, kRichEdit1Id, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
  editFont_ = MakeFont(-16, FW_NORMAL, texts::kGothicFace);
  richEdit1_->SetFont(editFont_);

  // The print surface: never shown, in the printing font.
  richEdit2_ = std::make_unique<Win32PrintSurface>(hwnd_, kRichEdit2Id);
  printFont_ = MakeFont(-19, FW_NORMAL, texts::kMinchoFace);
  richEdit2_->SetFont(printFont_);
  SetWindowPos(richEdit2_->Handle(), nullptr, 0, kToolBarHeight, 662, 223,
               SWP_NOZORDER | SWP_NOACTIVATE);

  CreateStatusBar();
  CreateMenus();
  CreateTooltips();
}

void MainWindow::CreateCounter(int y) {
  RegisterPanelClass();
  // A lowered outer and a lowered inner bevel of one pixel each: the sunken client edge.
  panel1_ = CreateWindowExA(WS_EX_CLIENTEDGE, kPanelClass, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kPanelX, y, kPanelWidth,
                            kPanelHeight, toolBar1_, nullptr, GetModuleHandleA(nullptr), nullptr);
  counterFont_ = MakeFont(-15, FW_BOLD, texts::kGothicFace);
  const DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY;
  memoText_[0] = Ansi(texts::kMemo1DesignText);
  memoText_[1] = Ansi(texts::kMemo2DesignText);
  memo1_ = CreateWindowExA(0, "EDIT", Ansi(texts::kMemo1DesignText).c_str(), style | ES_RIGHT, 0, 0,
                           kMemo1Width, kMemoHeight, panel1_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemo1Id)),
                           GetModuleHandleA(nullptr), nullptr);
  memo2_ = CreateWindowExA(0, "EDIT", Ansi(texts::kMemo2DesignText).c_str(), style | ES_LEFT,
                           kMemo1Width, 0, kMemo2Width, kMemoHeight, panel1_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemo2Id)),
                           GetModuleHandleA(nullptr), nullptr);
  for (HWND memo : {memo1_, memo2_}) {
    SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(counterFont_), FALSE);
    SendMessageA(memo, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SetWindowSubclass(memo, &MainWindow::CounterProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
}

void MainWindow::CreateStatusBar() {
  // Placed by Layout rather than by itself, so that it keeps its designed height.
  statusBar_ = CreateWindowExA(
      0, STATUSCLASSNAMEA, "",
      WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
      0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
      GetModuleHandleA(nullptr), nullptr);
  int rightEdges[3] = {kStatusPanel0, kStatusPanel0 + kStatusPanel1, -1};
  SendMessageA(statusBar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
}

void MainWindow::Layout() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  MoveWindow(toolBar1_, 0, 0, rc.right, kToolBarHeight, TRUE);
  MoveWindow(richEdit1_->Handle(), 0, kToolBarHeight, rc.right,
             std::max(0L, rc.bottom - kToolBarHeight - kStatusBarHeight), TRUE);
  MoveWindow(statusBar_, 0, rc.bottom - kStatusBarHeight, rc.right, kStatusBarHeight, TRUE);
}

LRESULT CALLBACK MainWindow::CounterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
  auto* window = reinterpret_cast<MainWindow*>(self);
  LRESULT result = 0;
  if (!window->Guard([&] { result = window->CounterMessage(hwnd, msg, wParam, lParam); })) {
    return 0;
  }
  return result;
}

LRESULT MainWindow::CounterMessage(HWND memo, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      return 0;  // PopupMenu2 has no items: no menu at all, not even the edit control's own
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // The box takes the press first (focus, caret); the handler then hides the caret.
      LRESULT result = DefSubclassProc(memo, msg, wParam, lParam);
      if (msg == WM_LBUTTONDOWN) memoPressed_ = true;
      if (form_ && memo == memo1_) form_->Memo1MouseDown();
      if (form_ && memo == memo2_) form_->Memo2MouseDown();
      return result;
    }
    case WM_LBUTTONUP: {
      LRESULT result = DefSubclassProc(memo, msg, wParam, lParam);
      RECT rc;
      GetClientRect(memo, &rc);
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const bool clicked = memoPressed_ && PtInRect(&rc, pt);
      memoPressed_ = false;
      if (clicked && form_ && memo == memo1_) form_->Memo1Click();
      if (clicked && form_ && memo == memo2_) form_->Memo2Click();
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(memo, &MainWindow::CounterProc, 1);
      break;
  }
  return DefSubclassProc(memo, msg, wParam, lParam);
}

// The boxes are read-only: what was last put in them is what they show, and asking the control
// again would cost a round of Wine's edit control on every keystroke.
std::string MainWindow::Memo1Text() const {
  return memoText_[0];
}
void MainWindow::SetMemo1Text(const std::string& cp932) {
  memoText_[0] = cp932;
  ChangeWithoutDrawing(memo1_, [&] { SetWindowTextA(memo1_, cp932.c_str()); });
}
std::string MainWindow::Memo2Text() const {
  return memoText_[1];
}
void MainWindow::SetMemo2Text(const std::string& cp932) {
  memoText_[1] = cp932;
  SetWindowTextA(memo2_, cp932.c_str());
}

void MainWindow::SetMemo1Color(Color color) {
  if (color == memo1Color_) return;
  memo1Color_ = color;
  InvalidateRect(memo1_, nullptr, TRUE);
}

std::string MainWindow::StatusText(int panel) const {
  return status_[panel];
}

void MainWindow::SetStatusText(int panel, const std::string& cp932) {
  status_[panel] = cp932;
  // Two tabs right-align a panel's text: panels 1 and 2 show figures against their right edge.
  const std::string shown = panel == 0 ? cp932 : "\t\t" + cp932;
  ChangeWithoutDrawing(statusBar_, [&] {
    SendMessageA(statusBar_, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(shown.c_str()));
  });
}

}  // namespace penlet
