// The program's parts, built and wired.
#include "app/Program_win32.h"

#include "platform/system/Locale.h"

namespace penlet {

Program::Program(HWND owner, MessageBoxes& boxes, FormEvents::ErrorReporter reportError)
    : window_(owner),
      files_(NewSystemFiles()),
      dialogs_(owner, window_.Handle(), AnsiLeadBytes()),
      replaceDialog1_(window_.Handle(), GetDlgCtrlID(window_.Editor().Handle())),
      printer_(
          AnsiLeadBytes(), [this](MSG& msg) { return PreTranslateMessage(msg); },
          [this] { Idle(); }),
      mail_(NewSystemMail()),
      aboutBox_(owner, [this] { Idle(); }),
      counter_(window_.Editor(), window_, clipboard_, CounterLeadBytes()),
      documents_(window_.Editor(), window_, boxes, *files_, dialogs_, counter_, AnsiLeadBytes()),
      findReplace_(window_.Editor(), replaceDialog1_, boxes, documents_, counter_),
      print_(window_.Editor(), window_.PrintSurface(), printer_, documents_, AnsiLeadBytes()),
      send_(window_.Editor(), *mail_, boxes),
      form_(window_.Editor(), window_, profile_, aboutBox_, documents_, counter_, findReplace_,
            print_, send_, AnsiLeadBytes()),
      events_(window_, form_, replaceDialog1_, clipboard_, std::move(reportError)) {
  clipboard_.Listen([this] { form_.ClipboardUpdate(); });
}

}  // namespace penlet
