// A print job's own thread, on which the calls that keep the printer driver busy run while the
// window's thread goes on answering.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>

#include "platform/system/Win32Support_win32.h"

namespace penlet {

// Under Wine the PostScript driver spends some 100 ms in the first text of every page, sending
// the font again, and seconds in EndDoc handing a long job to the print server; it calls the
// job's abort procedure only in StartDoc. Such calls go to this thread, one at a time, and the
// window's thread lets the window messages through until each is done.
class JobThread {
 public:
  // The window's messages go through `filter` first, as in the program's loop, and `idle` runs
  // whenever there are none left.
  JobThread(MessageFilter filter, IdleStep idle);
  ~JobThread();
  JobThread(const JobThread&) = delete;
  JobThread& operator=(const JobThread&) = delete;

  // Runs `work` on the thread and returns when it is done, the window answering meanwhile; what
  // `work` raises is raised here. Without a thread (none could be made), runs it in place.
  void Run(const std::function<void()>& work);

 private:
  static DWORD WINAPI Main(void* self);
  void AnswerUntilDone();

  MessageFilter filter_;
  IdleStep idle_;
  HANDLE start_ = nullptr;  // set when `work_` is there to be run, or the thread is to end
  HANDLE done_ = nullptr;   // set when it has run
  HANDLE thread_ = nullptr;
  const std::function<void()>* work_ = nullptr;
  std::exception_ptr error_;
};

}  // namespace penlet
