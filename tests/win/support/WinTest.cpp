// The driver of the Windows-side tests.
#include "tests/win/support/WinTest.h"

#include "ui/MessageDialog_win32.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace penlet::wintest {

std::string ExeDir() {
  char path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = folder + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child + "\\");
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempDir::TempDir(const std::string& prefix) {
  char temp[MAX_PATH];
  DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return;
  char full[MAX_PATH];
  length = GetFullPathNameA(temp, MAX_PATH, full, nullptr);  // no short 8.3 names
  if (length == 0 || length >= MAX_PATH) return;
  std::string base = std::string(full) + prefix + "-" + std::to_string(GetCurrentProcessId());
  for (int n = 0; n < 100; ++n) {
    std::string candidate = base + "-" + std::to_string(n);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate + "\\";
      return;
    }
  }
}

TempDir::~TempDir() {
  if (!path_.empty()) RemoveTree(path_);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::string full = In(name);
  std::ofstream(full, std::ios::binary) << bytes;
  return full;
}

std::vector<std::string> TempDir::Names() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(In("*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (true) {
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Pump();
    Sleep(20);
  }
}

HWND WaitFor(const std::function<HWND()>& found, DWORD timeoutMs) {
  HWND hwnd = nullptr;
  WaitUntil([&] { return (hwnd = found()) != nullptr; }, timeoutMs);
  return hwnd;
}

bool WaitVisible(HWND window, DWORD timeoutMs) {
  return window && WaitUntil([window] { return IsWindowVisible(window) != FALSE; }, timeoutMs);
}

bool WaitGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 15000, &ignored);
}

void Sync(HWND window, int rounds) {
  for (int i = 0; i < rounds; ++i) SendAndWait(window, WM_NULL);
}

namespace {

bool ClassIs(HWND hwnd, const char* className) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpiA(name, className) == 0;
}

// The first window offered to Take that `match` accepts.
using Match = std::function<bool(HWND)>;
struct Search {
  const Match& match;
  HWND found;
};
BOOL CALLBACK Take(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!search->match(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}
HWND FirstChild(HWND parent, const Match& match) {
  Search search{match, nullptr};
  EnumChildWindows(parent, Take, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND FindProcessWindow(DWORD pid, const char* className, const char* caption) {
  const Match match = [=](HWND hwnd) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    return owner == pid && ClassIs(hwnd, className) && (!caption || WindowText(hwnd) == caption);
  };
  Search search{match, nullptr};
  EnumWindows(Take, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const char* className) {
  return FirstChild(parent, [=](HWND hwnd) { return ClassIs(hwnd, className); });
}

HWND FindEditArea(HWND main) {
  return FindChild(main, "Scintilla");
}

HWND FindToolBar(HWND main) {
  return FindChild(main, TOOLBARCLASSNAMEA);
}

HWND FindStatusBar(HWND main) {
  return FindChild(main, STATUSCLASSNAMEA);
}

HWND FindCounterBox(HWND main) {
  return FindChild(FindToolBar(main), "Edit");
}

POINT ToolButtonCentre(HWND main, int index) {
  POINT centre{5 + 23 * index + 11, 2 + 11};
  ClientToScreen(FindToolBar(main), &centre);
  return centre;
}

bool KeepPointerAt(POINT at) {
  POINT now{};
  GetCursorPos(&now);
  if (now.x == at.x && now.y == at.y) return true;
  SetCursorPos(at.x, at.y);
  return false;
}

std::string PanelZeroWithPointerAt(HWND main, POINT at, const std::string& expected,
                                   DWORD timeoutMs) {
  HWND statusBar = FindStatusBar(main);
  std::string shown;
  WaitUntil(
      [&] {
        // A status bar answers WM_GETTEXT with the text of its panel 0.
        shown = WindowText(statusBar);
        return KeepPointerAt(at) && shown == expected;
      },
      timeoutMs);
  return shown;
}

std::string WindowText(HWND hwnd) {
  // Room for every character in two bytes, whatever the length counts.
  const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(2 * static_cast<size_t>(std::max<LRESULT>(length, 0)) + 4096, '\0');
  LRESULT n = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}

std::string TextBecomes(HWND window, const std::string& want, DWORD timeoutMs) {
  WaitUntil([&] { return WindowText(window) == want; }, timeoutMs);
  return WindowText(window);
}

RECT WindowRect(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  return rc;
}

RECT RectIn(HWND child, HWND parent) {
  RECT rc = WindowRect(child);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

std::string PanelText(HWND statusBar, int panel) {
  char text[512] = {};
  SendMessageA(statusBar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<std::uint32_t> PixelsOf(HDC dc, const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO bitmap{};
  bitmap.bmiHeader.biSize = sizeof(bitmap.bmiHeader);
  bitmap.bmiHeader.biWidth = width;
  bitmap.bmiHeader.biHeight = -height;  // top row first
  bitmap.bmiHeader.biPlanes = 1;
  bitmap.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP section = CreateDIBSection(dc, &bitmap, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint32_t> pixels;
  if (bits) {
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels.assign(first, first + static_cast<size_t>(width) * height);
  }
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  return pixels;
}

bool ButtonEnabled(HWND toolBar, int id) {
  return SendMessageA(toolBar, TB_ISBUTTONENABLED, id, 0) != 0;
}

std::string BoxMessage(HWND box) {
  HWND text = FirstChild(
      box, [](HWND hwnd) { return ClassIs(hwnd, "Static") && !WindowText(hwnd).empty(); });
  return text ? WindowText(text) : "";
}

HWND WaitForMessageBox(DWORD pid, const char* className, const char* caption, DWORD timeoutMs) {
  return WaitFor(
      [=]() -> HWND {
        HWND box = FindProcessWindow(pid, className, caption);
        return box && IsWindowVisible(box) && !BoxMessage(box).empty() ? box : nullptr;
      },
      timeoutMs);
}

HWND WaitForErrorBox(DWORD pid) {
  return WaitForMessageBox(pid, "#32770", "Penlet");
}

bool Answer(HWND box, DialogResult answer) {
  PostMessageA(GetDlgItem(box, static_cast<int>(answer)), BM_CLICK, 0, 0);
  return WaitGone(box);
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressButtonAndWait(HWND dialog, int id) {
  SendAndWait(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
              reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool Dismiss(HWND box) {
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return WaitGone(box);
}

void TypeChars(HWND target, const std::string& text) {
  for (char c : text) SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void SetClipboardText(const std::string& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  std::memcpy(GlobalLock(memory), bytes.c_str(), bytes.size() + 1);
  GlobalUnlock(memory);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
  }
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(the clipboard did not open)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

PenletProcess::PenletProcess(const std::string& commandTail, const std::string& currentDir,
                             int showCommand, const std::string& program) {
  std::string exe = program.empty() ? ExeDir() + "penlet.exe" : program;
  // Every test starts from the designed window size, whatever an earlier test left behind.
  if (program.empty()) DeleteFileA((ExeDir() + "penlet.ini").c_str());
  std::string line = Quoted(exe) + " " + commandTail;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                 currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info_);
}

PenletProcess::~PenletProcess() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

HWND PenletProcess::MainWindow(DWORD timeoutMs) {
  if (!main_)
    main_ = WaitFor([this] { return FindProcessWindow(Pid(), "TPenletForm"); }, timeoutMs);
  return main_;
}

bool PenletProcess::Ready() {
  if (!WaitVisible(MainWindow())) return false;
  edit_ = FindEditArea(main_);
  return edit_ != nullptr;
}

void PenletProcess::TypeAt(int offset, const std::string& text) const {
  SendMessageA(edit_, EM_SETSEL, offset, offset);
  TypeChars(edit_, text);
  Sync();
}

void PenletProcess::Key(WPARAM key, int times) const {
  for (int i = 0; i < times; ++i) SendMessageA(edit_, WM_KEYDOWN, key, 1);
  Sync();
}

bool PenletProcess::Drop(const std::vector<std::string>& paths) const {
  std::string block(sizeof(DROPFILES), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  std::memcpy(block.data(), &header, sizeof header);
  for (const std::string& path : paths) block += path + '\0';
  block += '\0';
  void* remote = CopyInto(block);
  return remote && PostMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

void* PenletProcess::CopyInto(const std::string& bytes) const {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, Pid());
  if (!process) return nullptr;
  void* remote =
      VirtualAllocEx(process, nullptr, bytes.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote && !WriteProcessMemory(process, remote, bytes.data(), bytes.size(), nullptr)) {
    remote = nullptr;
  }
  CloseHandle(process);
  return remote;
}

std::string PenletProcess::ReadBack(const void* remote, size_t size) const {
  std::string bytes(size, '\0');
  HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, Pid());
  if (!process || !ReadProcessMemory(process, remote, bytes.data(), size, nullptr)) bytes.clear();
  if (process) CloseHandle(process);
  return bytes;
}

HWND PenletProcess::Shown(const char* className, const char* caption) const {
  return WaitFor([=]() -> HWND {
    HWND window = FindProcessWindow(Pid(), className, caption);
    return window && IsWindowVisible(window) ? window : nullptr;
  });
}

HWND PenletProcess::Dialog(std::initializer_list<int> anyOf) const {
  const std::vector<int> ids(anyOf);
  return WaitFor([&]() -> HWND {
    HWND dialog = FindProcessWindow(Pid(), "#32770");
    if (!dialog || !IsWindowVisible(dialog)) return nullptr;
    const bool holds = ids.empty() || std::any_of(ids.begin(), ids.end(), [dialog](int id) {
                         return GetDlgItem(dialog, id) != nullptr;
                       });
    return holds ? dialog : nullptr;
  });
}

HWND PenletProcess::Box(DWORD timeoutMs) const {
  return WaitForMessageBox(Pid(), kMessageBoxClassName, nullptr, timeoutMs);
}

DWORD PenletProcess::Close() {
  PostMessageA(main_, WM_CLOSE, 0, 0);
  return WaitExit();
}

DWORD PenletProcess::CloseAnswering(DialogResult answer) {
  PostMessageA(main_, WM_CLOSE, 0, 0);
  HWND box = Box();
  if (!box) return 0xFFFFFFFF;  // not asked: the changes were not seen as unsaved
  Answer(box, answer);
  return WaitExit();
}

DWORD PenletProcess::WaitExit(DWORD timeoutMs) {
  WaitForSingleObject(info_.hProcess, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace penlet::wintest
