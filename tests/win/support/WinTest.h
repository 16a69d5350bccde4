// The driver of the Windows-side tests: temporary folders, waiting, finding and reading windows,
// keys and the clipboard, penlet.exe as a process of its own and the program built in the test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/Program_win32.h"
#include "core/MessageBoxes.h"

namespace penlet::wintest {

// "日本語の文章です。": the tests' sentence of Japanese, nine characters of code page 932.
inline const std::string kSentence =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42";

// The folder of the running test program, with a trailing "\".
std::string ExeDir();
// A path in double quotes, as typed on a command line.
std::string Quoted(const std::string& path);

// A folder of its own under the system's temporary folder, by its long name, removed with
// everything in it.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "penlet-test");
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  // With a trailing "\"; empty when no folder could be made.
  const std::string& Path() const { return path_; }
  std::string In(const std::string& name) const { return path_ + name; }
  // Writes `bytes` to the file `name` in the folder; returns the file's path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // The names in the folder, sorted, without "." and "..".
  std::vector<std::string> Names() const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// Dispatches every message waiting for this thread.
void Pump();
// Waits, pumping this thread's messages, until `done` holds or the time is up; whether it holds.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 15000);
// The same for a window: waits until `found` returns one, and returns it (null on time-out).
HWND WaitFor(const std::function<HWND()>& found, DWORD timeoutMs = 15000);
bool WaitVisible(HWND window, DWORD timeoutMs = 15000);
bool WaitGone(HWND window, DWORD timeoutMs = 15000);
// Sends `message` and returns once the thread of `window` has handled it (or after 15 s, when a
// handler waits in a box).
void SendAndWait(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Turns the loop of `window`'s thread `rounds` times. A sent message overtakes posted ones, so
// this does not wait for something posted before: where a test reads what a posted message
// did, it waits for that result, or sends the message with SendAndWait instead.
void Sync(HWND window, int rounds = 2);

// The first top-level window of a process with the given class (and caption, when given),
// shown or not.
HWND FindProcessWindow(DWORD pid, const char* className, const char* caption = nullptr);
// The first descendant of `parent` with the given class.
HWND FindChild(HWND parent, const char* className);
// The controls of penlet's main window: the editing area, the tool bar, the status bar and the
// first box of the counter on the tool bar.
HWND FindEditArea(HWND main);
HWND FindToolBar(HWND main);
HWND FindStatusBar(HWND main);
HWND FindCounterBox(HWND main);
// The centre of tool button `index` (0 New, 1 Open, 2 Save) of penlet's main window, on the
// screen: the first buttons stand 23 pixels apart from x 5, y 2 of the tool bar.
POINT ToolButtonCentre(HWND main, int index);
// Puts the pointer at `at` on the screen; true when it already stood there. (Wine may still
// hand on a late move of the display's own pointer, which puts it back where it was.)
bool KeepPointerAt(POINT at);
// Moves the pointer to `at` on the screen, keeping it there, and waits until panel 0 of
// penlet's status bar shows `expected`; returns what it shows then, or after some seconds
// without.
std::string PanelZeroWithPointerAt(HWND main, POINT at, const std::string& expected,
                                   DWORD timeoutMs = 5000);
// The whole text of a window, read with WM_GETTEXT (a status bar answers with panel 0).
std::string WindowText(HWND hwnd);
// Waits for the text of `window` to become `want`; returns what it is then.
std::string TextBecomes(HWND window, const std::string& want, DWORD timeoutMs = 10000);
RECT WindowRect(HWND hwnd);
// The rectangle of `child` in the client coordinates of `parent`.
RECT RectIn(HWND child, HWND parent);
// The window with the keyboard focus in the thread of `window`, of any process.
HWND FocusOf(HWND window);
// The text of a panel of a status bar of this process.
std::string PanelText(HWND statusBar, int panel);
// The pixels of `rect` in `dc` (a window's, as it shows them), row by row, each 0x00RRGGBB;
// empty for an empty rectangle.
std::vector<std::uint32_t> PixelsOf(HDC dc, const RECT& rect);
bool ButtonEnabled(HWND toolBar, int id);

// The message of a message box: its static control whose text is not empty (the icon's is).
std::string BoxMessage(HWND box);
// Waits for a message box of the process that is shown and carries its message: a box is
// found by its class while it is still being built, before its text is set.
HWND WaitForMessageBox(DWORD pid, const char* className, const char* caption = nullptr,
                       DWORD timeoutMs = 15000);
// The exception box of the process: the system's message box captioned "Penlet".
HWND WaitForErrorBox(DWORD pid);
// Clicks the button of `answer` in a box; true once the box has gone.
bool Answer(HWND box, DialogResult answer);
// Presses a button of a dialog, as a click tells the dialog, and returns at once: for presses
// that may bring up a box.
void PressButton(HWND dialog, int id);
// Presses a button of a dialog and returns once the dialog (and the window it tells) has
// handled the press: for presses that bring up no box.
void PressButtonAndWait(HWND dialog, int id);
// Sends a box the command OK, as its own button does; true once the box has gone.
bool Dismiss(HWND box);

// Each byte of `text` as a typed character (WM_CHAR), sent to `target`.
void TypeChars(HWND target, const std::string& text);

// The clipboard's text (CF_TEXT, code page 932).
void SetClipboardText(const std::string& bytes);
std::string ClipboardText();
// Leaves nothing on the clipboard.
void ClearClipboard();

// penlet.exe started as its own process, ended at the latest when this object goes, with its
// windows, boxes and dialogs within reach.
class PenletProcess {
 public:
  // `commandTail` follows the program's name on the command line, as typed. `program` is
  // another copy of penlet.exe to run (one with settings of its own); empty means the
  // penlet.exe beside the test, started without a settings file.
  explicit PenletProcess(const std::string& commandTail = "", const std::string& currentDir = "",
                         int showCommand = SW_SHOWNORMAL, const std::string& program = "");
  PenletProcess(const PenletProcess&) = delete;
  PenletProcess& operator=(const PenletProcess&) = delete;
  ~PenletProcess();

  DWORD Pid() const { return info_.dwProcessId; }
  // The main window once it exists, shown or not; null on time-out.
  HWND MainWindow(DWORD timeoutMs = 15000);
  // Waits for the main window to be shown and finds its editing area: Main() and Edit().
  bool Ready();
  HWND Main() const { return main_; }
  HWND Edit() const { return edit_; }
  std::string Caption() const { return WindowText(main_); }
  std::string Text() const { return WindowText(edit_); }

  // A command posted to the main window, as its menu posts it.
  void Command(int id) const { PostMessageA(main_, WM_COMMAND, id, 0); }
  // A command that brings up no box, returning once the window has run it.
  void CommandAndWait(int id) const { SendAndWait(main_, WM_COMMAND, id); }
  void Sync() const { wintest::Sync(main_); }
  // Types each byte of `text` as a character at byte `offset` of the document.
  void TypeAt(int offset, const std::string& text) const;
  // Presses a key in the editing area `times` times.
  void Key(WPARAM key, int times = 1) const;
  // Drops `paths` on the window as the shell does: a DROPFILES block in penlet's own memory,
  // whose address serves as the drop handle.
  bool Drop(const std::vector<std::string>& paths) const;
  // A copy of `bytes` in penlet's own memory, left there until the process ends.
  void* CopyInto(const std::string& bytes) const;
  std::string ReadBack(const void* remote, size_t size) const;

  // A window of the process with the given class (and caption), once it is shown.
  HWND Shown(const char* className, const char* caption = nullptr) const;
  // A shown dialog of the process holding a control of one of the identifiers (any dialog
  // when none are given).
  HWND Dialog(std::initializer_list<int> anyOf = {}) const;
  // The program's own message box (questions and plain messages), once it shows its text.
  HWND Box(DWORD timeoutMs = 15000) const;
  HWND ErrorBox() const { return WaitForErrorBox(Pid()); }

  // Closes the main window and waits for the process to end; returns its exit code.
  DWORD Close();
  // The same, answering the closing question with `answer`; 0xFFFFFFFF when nothing asked.
  DWORD CloseAnswering(DialogResult answer);
  // Waits for the process to end; returns its exit code, or STILL_ACTIVE on time-out.
  DWORD WaitExit(DWORD timeoutMs = 15000);

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
};

// Message boxes that show nothing: every text is kept, every question answered with `answer`.
class SilentBoxes : public MessageBoxes {
 public:
  DialogResult ShowMessageDialog(const std::string& text, MessageKind, unsigned) override {
    shown.push_back(text);
    return answer;
  }
  void ShowPlainMessage(const std::string& text) override { shown.push_back(text); }

  DialogResult answer = DialogResult::Cancel;
  std::vector<std::string> shown;
};

// The whole program built in this process under an application window of its own, shown, with
// silent boxes; the errors it reports are kept. The test program's settings file is removed
// before and after, so that every test starts at the designed size.
class InProcessPenlet {
 public:
  InProcessPenlet();
  InProcessPenlet(const InProcessPenlet&) = delete;
  InProcessPenlet& operator=(const InProcessPenlet&) = delete;
  ~InProcessPenlet();

  Program* operator->() { return program_.get(); }
  HWND Owner() const { return owner_; }
  // One turn of the program's loop: every waiting message, then the idle moment.
  void Pump();
  // Offers a key press to the focused window as the loop would; true when the window used it
  // up. With `ctrl` the Ctrl key is held down meanwhile.
  bool Key(int key, bool ctrl = false);
  // Each byte of `text` typed into the editing area.
  void Type(const std::string& text);
  // Ends the program before this object goes, so that what it reports meanwhile can be seen.
  void End() { program_.reset(); }

  SilentBoxes boxes;
  std::vector<std::string> errors;

 private:
  HWND owner_ = nullptr;
  std::unique_ptr<Program> program_;
};

}  // namespace penlet::wintest
