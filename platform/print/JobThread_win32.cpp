// The print job's thread and the window's messages while it works.
#include "platform/print/JobThread_win32.h"

#include <utility>

namespace penlet {

JobThread::JobThread(MessageFilter filter, IdleStep idle)
    : filter_(std::move(filter)),
      idle_(std::move(idle)),
      start_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      done_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  if (start_ && done_) thread_ = CreateThread(nullptr, 0, Main, this, 0, nullptr);
}

JobThread::~JobThread() {
  if (thread_) {
    work_ = nullptr;
    SetEvent(start_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  if (done_) CloseHandle(done_);
  if (start_) CloseHandle(start_);
}

DWORD WINAPI JobThread::Main(void* self) {
  auto& job = *static_cast<JobThread*>(self);
  for (;;) {
    WaitForSingleObject(job.start_, INFINITE);
    if (!job.work_) return 0;
    try {
      (*job.work_)();
    } catch (...) {
      job.error_ = std::current_exception();
    }
    SetEvent(job.done_);
  }
}

void JobThread::Run(const std::function<void()>& work) {
  if (!thread_) {
    work();
    return;
  }
  work_ = &work;
  error_ = nullptr;
  SetEvent(start_);
  try {
    AnswerUntilDone();
  } catch (...) {
    // A message handler failed: the work is left to end before the failure goes on.
    WaitForSingleObject(done_, INFINITE);
    work_ = nullptr;
    error_ = nullptr;
    throw;
  }
  work_ = nullptr;
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void JobThread::AnswerUntilDone() {
  // Once the loop's end has been asked for, only what other windows send is answered until the
  // work is done; the request is then made again for the loop that is to end.
  struct QuitRequest {
    bool quit = false;
    WPARAM code = 0;
    ~QuitRequest() {
      if (quit) PostQuitMessage(static_cast<int>(code));
    }
  } request;
  bool& quit = request.quit;
  for (;;) {
    const DWORD wake = quit ? QS_SENDMESSAGE : QS_ALLINPUT;
    const DWORD woken = MsgWaitForMultipleObjectsEx(1, &done_, INFINITE, wake, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0) break;
    if (woken != WAIT_OBJECT_0 + 1) {
      WaitForSingleObject(done_, INFINITE);
      break;
    }
    MSG msg;
    if (quit) {
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    // As in the program's loop, the idle work follows the posted messages; what other windows
    // send is answered inside PeekMessage.
    bool posted = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      posted = true;
      if (msg.message == WM_QUIT) {
        quit = true;
        request.code = msg.wParam;
        break;
      }
      if (!filter_ || !filter_(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    if (posted && !quit && idle_) idle_();
  }
}

}  // namespace penlet
