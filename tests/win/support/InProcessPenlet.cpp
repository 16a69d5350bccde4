// The driver's program built in the test's own process. Kept apart from the rest, so that only
// the tests that build it link the program and the system libraries it loads (the print
// spooler's among them, which a test process should not start).
#include "tests/win/support/WinTest.h"

#include <commctrl.h>

namespace penlet::wintest {

namespace {

// The settings file of the program built in this test: named after the test program.
std::string OwnSettingsFile() {
  char path[MAX_PATH * 4];
  std::string exe(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return exe.substr(0, exe.find_last_of('.')) + ".ini";
}

}  // namespace

InProcessPenlet::InProcessPenlet() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  DeleteFileA(OwnSettingsFile().c_str());
  owner_ = CreateWindowExA(0, "STATIC", "Penlet", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  program_ = std::make_unique<Program>(
      owner_, boxes, [this](const std::string& message) { errors.push_back(message); });
  program_->Show(SW_SHOWNORMAL, {});
  Pump();
}

InProcessPenlet::~InProcessPenlet() {
  program_.reset();
  DestroyWindow(owner_);
  DeleteFileA(OwnSettingsFile().c_str());
}

void InProcessPenlet::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!program_->PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  program_->Idle();
}

namespace {

void SetCtrl(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

}  // namespace

bool InProcessPenlet::Key(int key, bool ctrl) {
  SetCtrl(ctrl);
  MSG msg{GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1};
  bool taken = program_->PreTranslateMessage(msg);
  if (!taken) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  SetCtrl(false);
  Pump();
  return taken;
}

void InProcessPenlet::Type(const std::string& text) {
  TypeChars(program_->Editor().Handle(), text);
  Pump();
}

}  // namespace penlet::wintest
