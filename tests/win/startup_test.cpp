// penlet.exe as a user starts it: paths on the command line, the open error, the exit code.
#include <gtest/gtest.h>

#include "tests/win/support/WinTest.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

const std::string kPrefix = "\x81\x40Penlet\x81\x40\x81\x40";  // "　Penlet　　"

TEST(Startup, QuotedPathWithSpacesOpensAsOneFile) {
  TempDir dir;
  PenletProcess penlet(Quoted(dir.Write("my memo.txt", "\x93\xFA\x96\x7B\r\nabc")));
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix + "my memo.txt");
  EXPECT_EQ(FindProcessWindow(penlet.Pid(), "#32770"), nullptr);  // no error box
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Startup, MissingPathShowsTheOpenErrorAndStopsOpening) {
  TempDir dir;
  const std::string missing = dir.In("missing.txt");
  PenletProcess penlet(Quoted(missing) + " " + Quoted(dir.Write("there.txt", "text")));
  HWND box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  const std::string opening = Ansi("ファイル \"") + missing + "\". ";
  EXPECT_EQ(BoxMessage(box).substr(0, opening.size()), opening);
  // The window is not shown while the box is up.
  HWND main = penlet.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindowVisible(main));
  Dismiss(box);
  EXPECT_TRUE(WaitVisible(main));
  EXPECT_EQ(penlet.Caption(), kPrefix);  // untitled: the second path was not opened
  EXPECT_EQ(penlet.Close(), 0u);
}

// A device is no document: reading one (a serial port) could wait for ever. It is refused at
// once with the open error, and the window comes up untitled.
TEST(Startup, ADeviceNameIsRefusedWithTheOpenError) {
  PenletProcess penlet("NUL");
  HWND box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  const std::string message = BoxMessage(box);
  EXPECT_EQ(message.rfind(Ansi("ファイル \""), 0), 0u) << message;
  EXPECT_NE(message.find(Ansi(" は開けません")), std::string::npos) << message;
  Dismiss(box);
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix);
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Startup, UnquotedPathWithSpacesIsSeveralArguments) {
  TempDir dir;
  dir.Write("two words.txt", "x");
  dir.Write("words.txt", "second");
  // "...\two" does not exist: the open error comes first, and "words.txt" is not opened.
  PenletProcess penlet(dir.In("two words.txt"), dir.Path());
  HWND box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  const std::string opening = Ansi("ファイル \"") + dir.In("two") + "\". ";
  EXPECT_EQ(BoxMessage(box).substr(0, opening.size()), opening);
  Dismiss(box);
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix);
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Startup, WindowIsCentredAndOwnedByTheApplicationWindow) {
  PenletProcess penlet;
  ASSERT_TRUE(penlet.Ready());
  const RECT rc = WindowRect(penlet.Main());
  EXPECT_EQ(rc.right - rc.left, 670);
  EXPECT_EQ(rc.bottom - rc.top, 324);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 670) / 2);
  EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - 324) / 2);
  HWND app = GetWindow(penlet.Main(), GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(WindowText(app), "Penlet");
  // Closing through the application window (the taskbar entry) closes the program.
  PostMessageA(app, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

TEST(Startup, StartedMaximisedShowsTheWindowMaximised) {
  PenletProcess penlet("", "", SW_SHOWMAXIMIZED);
  ASSERT_TRUE(penlet.Ready());
  EXPECT_TRUE(IsZoomed(penlet.Main()));
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Startup, StartedMinimisedOpensNothingUntilRestored) {
  TempDir dir;
  PenletProcess penlet(Quoted(dir.Write("later.txt", "abc")), "", SW_SHOWMINNOACTIVE);
  HWND main = penlet.MainWindow();
  ASSERT_NE(main, nullptr);
  HWND app = GetWindow(main, GW_OWNER);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(app) != FALSE; }));
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_EQ(penlet.Caption(), kPrefix);  // the file waits for the first show

  PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitVisible(main));
  EXPECT_EQ(penlet.Caption(), kPrefix + "later.txt");
  const RECT rc = WindowRect(main);
  EXPECT_EQ(rc.right - rc.left, 670);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 670) / 2);
  EXPECT_EQ(penlet.Close(), 0u);
}

}  // namespace
}  // namespace penlet::wintest
