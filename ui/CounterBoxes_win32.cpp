// The counter boxes.
#include "ui/CounterBoxes_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "core/Texts.h"
#include "platform/system/Dpi.h"
#include "ui/Controls_win32.h"

namespace penlet {
namespace {

constexpr int kPanelWidth = 147;
constexpr int kPanelHeight = 22;
constexpr int kMemo1Width = 93;
constexpr char kPanelClass[] = "TPanel";

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

void Notify(HWND box, WORD code) {
  SendMessageA(GetAncestor(box, GA_ROOT), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), code),
               AsParam(box));
}

}  // namespace

CounterBoxes::CounterBoxes(HWND toolBar, int x, int y, int dpi) {
  WindowClass panelClass;
  panelClass.name = kPanelClass;
  panelClass.procedure = PanelProc;
  panelClass.cursor = ArrowCursor();
  panelClass.background = SystemColourBackground(COLOR_BTNFACE);
  RegisterWindowClass(panelClass);
  // A lowered outer and a lowered inner bevel of one pixel each: the sunken client edge.
  panel1_ = CreateWindowExA(WS_EX_CLIENTEDGE, kPanelClass, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, kPanelWidth,
                            kPanelHeight, toolBar, nullptr, GetModuleHandleA(nullptr), nullptr);
  black_ = OwnedBrush(CreateSolidBrush(RGB(0, 0, 0)));
  const DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY;
  text_[0] = Ansi(texts::kMemo1DesignText);
  text_[1] = Ansi(texts::kMemo2DesignText);
  memo1_ = CreateWindowExA(0, "EDIT", text_[0].c_str(), style | ES_RIGHT, 0, 0, 0, 0, panel1_,
                           ControlId(kMemo1Id), GetModuleHandleA(nullptr), nullptr);
  memo2_ = CreateWindowExA(0, "EDIT", text_[1].c_str(), style | ES_LEFT, 0, 0, 0, 0, panel1_,
                           ControlId(kMemo2Id), GetModuleHandleA(nullptr), nullptr);
  for (int box : {0, 1}) subclass_[box].emplace(box == 0 ? memo1_ : memo2_, &BoxProc, this);
  SetDpi(x, y, dpi);
}

void CounterBoxes::SetDpi(int x, int y, int dpi) {
  // The frame is the system's two-pixel client edge at every density; the boxes fill the
  // panel's inside.
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, 0, FALSE, WS_EX_CLIENTEDGE);
  const int memoHeight = ScaleForDpi(kPanelHeight, dpi) - (frame.bottom - frame.top);
  const int memo1Width = ScaleForDpi(kMemo1Width, dpi);
  MoveWindow(panel1_, x, y, ScaleForDpi(kPanelWidth, dpi), ScaleForDpi(kPanelHeight, dpi), TRUE);
  MoveWindow(memo1_, 0, 0, memo1Width, memoHeight, TRUE);
  MoveWindow(memo2_, memo1Width, 0,
             ScaleForDpi(kPanelWidth, dpi) - (frame.right - frame.left) - memo1Width, memoHeight,
             TRUE);
  // The boxes take the new font before the old one goes.
  OwnedFont font = MakeFont(ScaleForDpi(-15, dpi), FW_BOLD, texts::kGothicFace);
  for (HWND memo : {memo1_, memo2_}) {
    SendMessageA(memo, WM_SETFONT, AsParam<WPARAM>(font.Get()), TRUE);
    SendMessageA(memo, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  }
  font_ = std::move(font);
}

// The boxes are read-only: what was last put in them is what they show, and asking the control
// again would cost a round of Wine's edit control on every keystroke.
void CounterBoxes::SetText(int box, const std::string& cp932) {
  text_[box] = cp932;
  HWND memo = box == 0 ? memo1_ : memo2_;
  SetWindowTextA(memo, cp932.c_str());
}

void CounterBoxes::SetMemo1Color(Color color) {
  if (color == memo1Color_) return;
  memo1Color_ = color;
  InvalidateRect(memo1_, nullptr, TRUE);
}

bool CounterBoxes::Colors(HWND control, HDC dc, LRESULT& result) const {
  if (control != memo1_ && control != memo2_) return false;
  SetTextColor(dc, control == memo1_ ? memo1Color_ : Rgb(0, 255, 0));
  SetBkColor(dc, RGB(0, 0, 0));
  result = AsParam<LRESULT>(black_.Get());
  return true;
}

LRESULT CounterBoxes::BoxProc(void* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return static_cast<CounterBoxes*>(self)->BoxMessage(hwnd, msg, wParam, lParam);
}

LRESULT CounterBoxes::BoxMessage(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WindowSubclass& next = *subclass_[box == memo1_ ? 0 : 1];
  if (tooltip_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    // The tooltip hears of the pointer from here rather than from a subclass of its own, whose
    // lookups would cost every counter change three round trips to Wine's server.
    MSG relayed{box, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD pos = GetMessagePos();
    relayed.pt = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, AsParam(&relayed));
  }
  switch (msg) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(ArrowCursor());
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      return 0;  // PopupMenu2 has no items: no menu at all, not even the edit control's own
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // The box takes the press first (focus, caret); the window hears of it after.
      const LRESULT result = next.CallNext(box, msg, wParam, lParam);
      if (msg == WM_LBUTTONDOWN) pressed_ = true;
      Notify(box, kCounterPressed);
      return result;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = next.CallNext(box, msg, wParam, lParam);
      RECT rc;
      GetClientRect(box, &rc);
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const bool clicked = pressed_ && PtInRect(&rc, pt);
      pressed_ = false;
      if (clicked) Notify(box, kCounterClicked);
      return result;
    }
  }
  return next.CallNext(box, msg, wParam, lParam);
}

}  // namespace penlet
