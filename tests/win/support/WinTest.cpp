// Helpers of the Windows-side tests.
#include "tests/win/support/WinTest.h"

#include <fstream>
#include <sstream>

namespace penlet::wintest {

std::string ExeDir() {
  char path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static int counter = 0;
  path_ = std::string(base) + "penlet-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  // Remove the folder with its files and sub-folders; read-only attributes first.
  std::function<void(const std::string&)> removeAll = [&](const std::string& dir) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = dir + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removeAll(full + "\\");
        } else {
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
  };
  removeAll(path_);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::string full = path_ + name;
  std::ofstream(full, std::ios::binary) << bytes;
  return full;
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

HWND WaitFor(const std::function<HWND()>& found, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (true) {
    if (HWND hwnd = found()) return hwnd;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(20);
  }
}

namespace {

struct Search {
  DWORD pid;
  const char* className;
  const char* caption;
  HWND result;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid) return TRUE;
  char cls[256];
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, search->className) != 0) return TRUE;
  if (search->caption && WindowText(hwnd) != search->caption) return TRUE;
  search->result = hwnd;
  return FALSE;
}

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char cls[256];
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, search->className) != 0) return TRUE;
  search->result = hwnd;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD pid, const char* className, const char* caption) {
  Search search{pid, className, caption, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.result;
}

std::string WindowText(HWND hwnd) {
  char text[4096];
  LRESULT n = SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

namespace {

BOOL CALLBACK TakeStaticText(HWND child, LPARAM param) {
  char cls[64];
  GetClassNameA(child, cls, sizeof cls);
  std::string text = WindowText(child);
  if (lstrcmpiA(cls, "Static") != 0 || text.empty()) return TRUE;
  *reinterpret_cast<std::string*>(param) = text;
  return FALSE;
}

}  // namespace

std::string BoxMessage(HWND box) {
  std::string found;
  EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND WaitForMessageBox(DWORD pid, const char* className, const char* caption, DWORD timeoutMs) {
  return WaitFor(
      [=]() -> HWND {
        HWND box = FindProcessWindow(pid, className, caption);
        return box && IsWindowVisible(box) && !BoxMessage(box).empty() ? box : nullptr;
      },
      timeoutMs);
}

HWND FindChild(HWND parent, const char* className) {
  Search search{0, className, nullptr, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.result;
}

HWND FindEditArea(HWND main) {
  return FindChild(main, "Scintilla");
}

POINT ToolButtonCentre(HWND main, int index) {
  POINT centre{5 + 23 * index + 11, 2 + 11};
  ClientToScreen(FindChild(main, "ToolbarWindow32"), &centre);
  return centre;
}

std::string PanelZeroWithPointerAt(HWND main, POINT at, const std::string& expected) {
  // A status bar answers WM_GETTEXT with the text of its panel 0.
  HWND statusBar = FindChild(main, "msctls_statusbar32");
  SetCursorPos(at.x, at.y);
  WaitFor([&] { return WindowText(statusBar) == expected ? statusBar : nullptr; }, 5000);
  return WindowText(statusBar);
}

PenletProcess::PenletProcess(const std::string& commandTail, const std::string& currentDir,
                             int showCommand, const std::string& program) {
  std::string exe = program.empty() ? ExeDir() + "penlet.exe" : program;
  // Every test starts from the designed window size, whatever an earlier test left behind.
  if (program.empty()) DeleteFileA((ExeDir() + "penlet.ini").c_str());
  std::string line = "\"" + exe + "\" " + commandTail;
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

HWND PenletProcess::MainWindow(DWORD timeoutMs) const {
  return WaitFor([this] { return FindProcessWindow(Pid(), "TPenletForm"); }, timeoutMs);
}

DWORD PenletProcess::WaitExit(DWORD timeoutMs) {
  WaitForSingleObject(info_.hProcess, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace penlet::wintest
