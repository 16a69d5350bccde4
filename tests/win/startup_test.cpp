// penlet.exe as a user starts it: paths on the command line, the open error, the exit code.
#include <gtest/gtest.h>

#include "tests/win/support/WinTest.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

const std::string kPrefix = "\x81\x40Penlet\x81\x40\x81\x40";  // "　Penlet　　"

// The exception box of process `pid`: the system's message box captioned "Penlet".
HWND WaitForErrorBox(DWORD pid) {
  return WaitForMessageBox(pid, "#32770", "Penlet");
}

TEST(Startup, QuotedPathWithSpacesOpensAsOneFile) {
  TempDir dir;
  const std::string path = dir.Write("my memo.txt", "\x93\xFA\x96\x7B\r\nabc");
  PenletProcess penlet("\"" + path + "\"");
  HWND main = penlet.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) ? main : nullptr; }));
  EXPECT_EQ(WindowText(main), kPrefix + "my memo.txt");
  EXPECT_EQ(FindProcessWindow(penlet.Pid(), "#32770"), nullptr);  // no error box
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

TEST(Startup, MissingPathShowsTheOpenErrorAndStopsOpening) {
  TempDir dir;
  const std::string missing = dir.Path() + "missing.txt";
  const std::string existing = dir.Write("there.txt", "text");
  PenletProcess penlet("\"" + missing + "\" \"" + existing + "\"");
  HWND box = WaitForErrorBox(penlet.Pid());
  ASSERT_NE(box, nullptr);
  const std::string opening = Ansi("ファイル \"") + missing + "\". ";
  EXPECT_EQ(BoxMessage(box).substr(0, opening.size()), opening);
  // The window is not shown while the box is up.
  HWND main = FindProcessWindow(penlet.Pid(), "TPenletForm");
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindowVisible(main));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) ? main : nullptr; }));
  EXPECT_EQ(WindowText(main), kPrefix);  // untitled: the second path was not opened
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

TEST(Startup, UnquotedPathWithSpacesIsSeveralArguments) {
  TempDir dir;
  dir.Write("two words.txt", "x");
  dir.Write("words.txt", "second");
  // "...\two" does not exist: the open error comes first, and "words.txt" is not opened.
  PenletProcess penlet(dir.Path() + "two words.txt", dir.Path());
  HWND box = WaitForErrorBox(penlet.Pid());
  ASSERT_NE(box, nullptr);
  const std::string opening = Ansi("ファイル \"") + dir.Path() + "two\". ";
  EXPECT_EQ(BoxMessage(box).substr(0, opening.size()), opening);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND main = penlet.MainWindow();
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) ? main : nullptr; }));
  EXPECT_EQ(WindowText(main), kPrefix);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

TEST(Startup, WindowIsCentredAndOwnedByTheApplicationWindow) {
  PenletProcess penlet("");
  HWND main = penlet.MainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) ? main : nullptr; }));
  RECT rc;
  GetWindowRect(main, &rc);
  EXPECT_EQ(rc.right - rc.left, 670);
  EXPECT_EQ(rc.bottom - rc.top, 324);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 670) / 2);
  EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - 324) / 2);
  HWND app = GetWindow(main, GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(WindowText(app), "Penlet");
  // Closing through the application window (the taskbar entry) closes the program.
  PostMessageA(app, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

TEST(Startup, StartedMaximisedShowsTheWindowMaximised) {
  PenletProcess penlet("", "", SW_SHOWMAXIMIZED);
  HWND main = penlet.MainWindow();
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) ? main : nullptr; }));
  EXPECT_TRUE(IsZoomed(main));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

TEST(Startup, StartedMinimisedOpensNothingUntilRestored) {
  TempDir dir;
  const std::string path = dir.Write("later.txt", "abc");
  PenletProcess penlet("\"" + path + "\"", "", SW_SHOWMINNOACTIVE);
  HWND main = penlet.MainWindow();
  ASSERT_NE(main, nullptr);
  HWND app = GetWindow(main, GW_OWNER);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(app) ? app : nullptr; }));
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_EQ(WindowText(main), kPrefix);  // the file waits for the first show

  PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) ? main : nullptr; }));
  EXPECT_EQ(WindowText(main), kPrefix + "later.txt");
  RECT rc;
  GetWindowRect(main, &rc);
  EXPECT_EQ(rc.right - rc.left, 670);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 670) / 2);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

}  // namespace
}  // namespace penlet::wintest
