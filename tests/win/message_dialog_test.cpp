// The message boxes as the user meets them: keys, close box, texts on screen, Ctrl+C, and the
// exception box, driven from timer callbacks that run inside the boxes' own loops.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/win/support/WinTest.h"
#include "ui/MessageDialog_win32.h"

namespace penlet {
namespace {

const std::string kConfirm = "\x8A\x6D\x94\x46";                         // 確認
const std::string kError = "\x83\x47\x83\x89\x81\x5B";                   // エラー
const std::string kYes = "\x82\xCD\x82\xA2(&Y)";                         // はい(&Y)
const std::string kNo = "\x82\xA2\x82\xA2\x82\xA6(&N)";                  // いいえ(&N)
const std::string kCancel = "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B";  // キャンセル
const std::string kClipboardError =  // クリップボードを開くことができません
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xF0\x8A\x4A\x82\xAD\x82\xB1"
    "\x82\xC6\x82\xAA\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
const unsigned kQuestionButtons = kButtonYes | kButtonNo | kButtonCancel;

// Steps run one per timer tick, each on the box then shown; a box still open when they are
// done is closed so that a failing test cannot hang.
using Step = std::function<void(HWND box)>;
std::vector<Step> gSteps;
size_t gNextStep = 0;
int gIdleTicks = 0;
const char* gBoxClass = kMessageBoxClassName;
const char* gBoxCaption = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA(gBoxClass, gBoxCaption);
  if (box == nullptr || !IsWindowVisible(box) || !IsWindowEnabled(box)) return;
  if (gNextStep < gSteps.size()) {
    gSteps[gNextStep++](box);
  } else if (++gIdleTicks > 20) {
    ADD_FAILURE() << "the box stayed open";
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
}

Step Press(std::initializer_list<WORD> keys) {
  std::vector<WORD> copy(keys);
  return [copy](HWND) {
    std::vector<INPUT> inputs;
    for (WORD vk : copy) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = vk;
      inputs.push_back(in);
    }
    for (auto it = copy.rbegin(); it != copy.rend(); ++it) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = *it;
      in.ki.dwFlags = KEYEVENTF_KEYUP;
      inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  };
}

using wintest::ClipboardText;
using wintest::WindowText;

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MessageBoxTestWindow";
    RegisterClassA(&wc);
    app_ = CreateWindowExA(0, wc.lpszClassName, "Penlet", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
    main_ = CreateWindowExA(0, wc.lpszClassName, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                            400, 300, app_, nullptr, wc.hInstance, nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, main_, nullptr,
                            wc.hInstance, nullptr);
    SetForegroundWindow(main_);
    SetActiveWindow(main_);
    SetFocus(edit_);
    ASSERT_EQ(GetFocus(), edit_);
    gSteps.clear();
    gNextStep = 0;
    gIdleTicks = 0;
    gBoxClass = kMessageBoxClassName;
    gBoxCaption = nullptr;
    timer_ = SetTimer(nullptr, 0, 50, Tick);
  }
  void TearDown() override {
    KillTimer(nullptr, timer_);
    // The program's windows are usable again and the focus is back where it was.
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_EQ(GetActiveWindow(), main_);
    EXPECT_EQ(GetFocus(), edit_);
    DestroyWindow(main_);
    DestroyWindow(app_);
  }

  DialogResult Ask(unsigned buttons, MessageKind kind, std::vector<Step> steps,
                   const std::string& text = "question") {
    gSteps = std::move(steps);
    gNextStep = 0;
    gIdleTicks = 0;
    Win32MessageBoxes boxes(app_, {}, [this](const std::string& m) { reported_.push_back(m); });
    const DialogResult result = boxes.ShowMessageDialog(text, kind, buttons);
    EXPECT_EQ(gNextStep, gSteps.size()) << "not every step ran";
    return result;
  }

  HWND app_ = nullptr;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
  UINT_PTR timer_ = 0;
  std::vector<std::string> reported_;
};

TEST_F(MessageBoxTest, ConfirmationShowsItsTextsAndEnterAnswersYes) {
  const DialogResult result =
      Ask(kQuestionButtons, MessageKind::Confirmation,
          {[this](HWND box) {
             EXPECT_FALSE(IsWindowEnabled(main_));
             EXPECT_EQ(WindowText(box), kConfirm);
             EXPECT_EQ(WindowText(GetDlgItem(box, IDYES)), kYes);
             EXPECT_EQ(WindowText(GetDlgItem(box, IDNO)), kNo);
             EXPECT_EQ(WindowText(GetDlgItem(box, IDCANCEL)), kCancel);
             EXPECT_EQ(GetDlgItem(box, IDOK), nullptr);
             EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), "question");
             EXPECT_EQ(GetFocus(), GetDlgItem(box, IDYES));
             // Yes, No, Cancel from left to right, equally wide, on one row.
             RECT yes, no, cancel;
             GetWindowRect(GetDlgItem(box, IDYES), &yes);
             GetWindowRect(GetDlgItem(box, IDNO), &no);
             GetWindowRect(GetDlgItem(box, IDCANCEL), &cancel);
             EXPECT_LT(yes.right, no.left);
             EXPECT_LT(no.right, cancel.left);
             EXPECT_EQ(yes.top, cancel.top);
             EXPECT_EQ(no.right - no.left, cancel.right - cancel.left);
             RECT frame;
             GetWindowRect(box, &frame);
             EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
             EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
             const LONG style = GetWindowLongA(box, GWL_STYLE);
             EXPECT_TRUE(style & WS_SYSMENU);
             EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
           },
           Press({VK_RETURN})});
  EXPECT_EQ(result, DialogResult::Yes);
}

TEST_F(MessageBoxTest, EscapeAndCloseBoxAnswerCancel) {
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({VK_ESCAPE})}),
            DialogResult::Cancel);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {[](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            DialogResult::Cancel);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({VK_MENU, VK_F4})}),
            DialogResult::Cancel);
}

TEST_F(MessageBoxTest, OkBoxesAnswerOkToEnterAndEscapeButCancelToTheCloseBox) {
  auto checkError = [](HWND box) {
    EXPECT_EQ(WindowText(box), kError);
    EXPECT_EQ(WindowText(GetDlgItem(box, IDOK)), "OK");
  };
  EXPECT_EQ(Ask(kButtonOk, MessageKind::Error, {checkError, Press({VK_RETURN})}), DialogResult::Ok);
  EXPECT_EQ(Ask(kButtonOk, MessageKind::Error, {Press({VK_ESCAPE})}), DialogResult::Ok);
  EXPECT_EQ(Ask(kButtonOk, MessageKind::Error,
                {[](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            DialogResult::Cancel);
  EXPECT_EQ(Ask(kButtonOk, MessageKind::Plain,
                {[](HWND box) {
                   EXPECT_EQ(WindowText(box), "Penlet");
                   // No icon: the text starts one margin in.
                   RECT text;
                   GetWindowRect(GetDlgItem(box, 0xFFFF), &text);
                   POINT corner{text.left, text.top};
                   ScreenToClient(box, &corner);
                   EXPECT_LT(corner.x, 32);
                 },
                 [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            DialogResult::Cancel);
}

TEST_F(MessageBoxTest, LongTextWrapsAtHalfTheScreen) {
  std::string words;
  while (words.size() < 2000) words += "wrapping ";
  SIZE oneLine{}, wrapped{};
  auto measure = [](SIZE* size) {
    return [size](HWND box) {
      RECT r;
      GetWindowRect(GetDlgItem(box, 0xFFFF), &r);
      *size = {r.right - r.left, r.bottom - r.top};
      PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    };
  };
  Ask(kButtonOk, MessageKind::Error, {measure(&oneLine)}, "wrapping");
  Ask(kButtonOk, MessageKind::Error, {measure(&wrapped)}, words);
  ASSERT_GT(oneLine.cy, 0);
  EXPECT_LE(wrapped.cx, GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GT(wrapped.cx, GetSystemMetrics(SM_CXSCREEN) / 3);
  EXPECT_GE(wrapped.cy, 10 * oneLine.cy);
}

TEST_F(MessageBoxTest, AccessLettersWithOrWithoutAltInEitherCase) {
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({'N'})}), DialogResult::No);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({VK_SHIFT, 'N'})}),
            DialogResult::No);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({VK_MENU, 'N'})}),
            DialogResult::No);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({'Y'})}), DialogResult::Yes);
  // Ctrl+N is no access key.
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {Press({VK_CONTROL, 'N'}), Press({VK_ESCAPE})}),
            DialogResult::Cancel);
}

TEST_F(MessageBoxTest, TabAndArrowsMoveTheFocusRound) {
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation, {Press({VK_TAB}), Press({VK_RETURN})}),
            DialogResult::No);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {Press({VK_SHIFT, VK_TAB}), Press({VK_RETURN})}),
            DialogResult::Cancel);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {Press({VK_RIGHT}), Press({VK_DOWN}), Press({VK_RIGHT}), Press({VK_RETURN})}),
            DialogResult::Yes);
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {Press({VK_LEFT}), Press({VK_UP}), Press({VK_SPACE})}),
            DialogResult::No);
  // Enter with a modifier does nothing.
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {Press({VK_SHIFT, VK_RETURN}), Press({VK_ESCAPE})}),
            DialogResult::Cancel);
}

TEST_F(MessageBoxTest, CtrlCCopiesTheBoxAndLeavesItOpen) {
  EXPECT_EQ(Ask(kQuestionButtons, MessageKind::Confirmation,
                {Press({VK_CONTROL, 'C'}), Press({VK_ESCAPE})}),
            DialogResult::Cancel);
  const std::string divider = "---------------------------\r\n";
  EXPECT_EQ(ClipboardText(), divider + kConfirm + "\r\n" + divider + "question\r\n" + divider +
                                 "\x82\xCD\x82\xA2(Y)   \x82\xA2\x82\xA2\x82\xA6(N)   " + kCancel +
                                 "   \r\n" + divider);
  EXPECT_TRUE(reported_.empty());
}

// Holds the clipboard open from another thread until told to let go.
struct ClipboardHolder {
  HANDLE held;
  HANDLE release;
};

DWORD WINAPI HoldClipboard(LPVOID p) {
  auto* h = static_cast<ClipboardHolder*>(p);
  const BOOL opened = OpenClipboard(nullptr);
  SetEvent(h->held);
  WaitForSingleObject(h->release, INFINITE);
  if (opened) CloseClipboard();
  return opened ? 0 : 1;
}

TEST_F(MessageBoxTest, CtrlCWithTheClipboardHeldElsewhereReportsAndStaysOpen) {
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ClipboardHolder holder{held, release};
  HANDLE thread = CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr);
  WaitForSingleObject(held, INFINITE);
  const DialogResult result =
      Ask(kQuestionButtons, MessageKind::Confirmation, {Press({VK_CONTROL, 'C'}), Press({'N'})});
  SetEvent(release);
  WaitForSingleObject(thread, INFINITE);
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 0u) << "the helper could not hold the clipboard";
  CloseHandle(thread);
  CloseHandle(held);
  CloseHandle(release);
  EXPECT_EQ(result, DialogResult::No);  // the box took the next key after the failure
  EXPECT_EQ(reported_, std::vector<std::string>{kClipboardError});
}

class ExceptionBoxTest : public MessageBoxTest {
 protected:
  // Shows the exception box with `message` and returns the text it showed.
  std::string Show(const std::string& message) {
    std::string shown;
    gBoxClass = "#32770";
    gBoxCaption = "Penlet";
    gSteps = {[this, &shown](HWND box) {
      EXPECT_FALSE(IsWindowEnabled(main_));
      shown = WindowText(GetDlgItem(box, 0xFFFF));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }};
    gNextStep = 0;
    gIdleTicks = 0;
    ShowExceptionBox(app_, message, LeadByteSet::Cp932());
    EXPECT_EQ(gNextStep, gSteps.size()) << "the box did not show";
    return shown;
  }
};

TEST_F(ExceptionBoxTest, ShowsTheMessageWithItsFullStop) {
  EXPECT_EQ(Show("cannot open"), "cannot open.");
  EXPECT_EQ(Show("done."), "done.");
  EXPECT_EQ(Show("\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81\x42"),  // 開けません。
            "\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81\x42.");
}

TEST_F(ExceptionBoxTest, EndsTheMouseCapture) {
  SetCapture(edit_);
  ASSERT_EQ(GetCapture(), edit_);
  EXPECT_EQ(Show("x"), "x.");
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace penlet
