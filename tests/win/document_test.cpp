// Documents as a user meets them in penlet.exe: real files opened, edited and saved, the file
// dialogs, the overwrite and closing questions, drops and the failure boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/system/Locale.h"
#include "tests/win/support/WinTest.h"
#include "ui/Hints.h"
#include "ui/CommandIds.h"
#include "ui/MessageDialog_win32.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

const std::string kPrefix = "\x81\x40Penlet\x81\x40\x81\x40";  // "　Penlet　　"
// "表示ソフト" and "能力": trail bytes 0x5C ("\") in the middle of the text.
const std::string kShiftJis = "\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67\r\n\x94\x5C\x97\xCD";

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}
bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The name box of a file dialog: a combo box (cmb13) or an edit (edt1), by platform.
constexpr int kNameCombo = 0x47C, kNameEdit = 0x480;
HWND NameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, kNameCombo)) return combo;
  return GetDlgItem(dialog, kNameEdit);
}
HWND FileDialog(const PenletProcess& penlet) {
  return penlet.Dialog({kNameCombo, kNameEdit});
}
// Types `name` into a file dialog and presses its OK button.
void Choose(HWND dialog, const std::string& name) {
  SendMessageA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PressButton(dialog, IDOK);
  WaitGone(dialog);
}

// Waits until the file has the size of `bytes` and can be read, then returns what it holds. The
// size is watched without opening the file: penlet writes with no sharing, and a reader polling
// the file would hold its save up. Once the new file has the name, penlet's rename may still hold
// it open for a moment, without sharing it with readers: the read is tried again then.
std::string WaitForBytes(const std::string& path, const std::string& bytes) {
  std::string read;
  WaitUntil(
      [&] {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
            data.nFileSizeHigh != 0 || data.nFileSizeLow != bytes.size()) {
          return false;
        }
        read = ReadFileBytes(path);
        return read.size() == bytes.size();
      },
      10000);
  return read;
}

TEST(Document, ShiftJisWithCrLfIsWrittenBackByteForByte) {
  TempDir dir;
  const std::string path = dir.Write("sjis.txt", kShiftJis + "\r\n");
  PenletProcess penlet(Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix + "sjis.txt");
  penlet.TypeAt(0, "ab");
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(path, "ab" + kShiftJis + "\r\n"), "ab" + kShiftJis + "\r\n");
  penlet.Key(VK_BACK, 2);  // back to the text as loaded
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(path, kShiftJis + "\r\n"), kShiftJis + "\r\n");
  // Rescue takes the last edit of an opened document back, and nothing before it.
  penlet.TypeAt(static_cast<int>(kShiftJis.size()) + 2, "X");
  EXPECT_EQ(penlet.Text(), kShiftJis + "\r\nX");
  penlet.CommandAndWait(EditUndo);
  EXPECT_EQ(penlet.Text(), kShiftJis + "\r\n");
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, LoneLineBreaksAreWrittenBackAsCrLfAndNothingIsAdded) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes, saved;
  } cases[] = {
      {"lf.txt", "one\ntwo\nthree", "-one\r\ntwo\r\nthree"},
      {"cr.txt", "one\rtwo\r", "-one\r\ntwo\r\n"},
      {"mixed.txt", "a\r\n\rb\n\r\n", "-a\r\n\r\nb\r\n\r\n"},
      {"rtf.txt", "{\\rtf1\\ansi {\\b bold}\\par}", "-{\\rtf1\\ansi {\\b bold}\\par}"},
      // NUL bytes stay as they are.
      {"zeros.txt", std::string("a\0b\0\r\nc", 7), std::string("-a\0b\0\r\nc", 8)},
  };
  for (const Case& c : cases) {
    const std::string path = dir.Write(c.name, c.bytes);
    PenletProcess penlet(Quoted(path));
    ASSERT_TRUE(penlet.Ready()) << c.name;
    penlet.TypeAt(0, "-");
    penlet.Command(FileSave1);
    EXPECT_EQ(WaitForBytes(path, c.saved), c.saved) << c.name;
    EXPECT_EQ(penlet.Close(), 0u);
  }
}

TEST(Document, EmptyFileSavesAsZeroBytes) {
  TempDir dir;
  const std::string path = dir.Write("empty.txt", "");
  PenletProcess penlet(Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Text(), "");
  penlet.TypeAt(0, "z");
  penlet.Command(FileSave1);
  ASSERT_EQ(WaitForBytes(path, "z"), "z");
  penlet.Key(VK_BACK, 1);
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(path, ""), "");
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Document, SaveAsOntoAnExistingFileAsksAndOnlyYesOverwrites) {
  TempDir dir;
  const std::string mine = dir.Write("mine.txt", "mine");
  const std::string theirs = dir.Write("theirs.txt", "theirs");
  PenletProcess penlet(Quoted(mine));
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAt(0, "new ");
  const std::string question = Ansi("OK を押すと ") + theirs + Ansi(" を上書きします。");
  for (DialogResult answer : {DialogResult::No, DialogResult::Cancel, DialogResult::Yes}) {
    penlet.Command(FileSaveAs1);
    HWND dialog = FileDialog(penlet);
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, theirs);
    HWND box = penlet.Box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box), question);
    EXPECT_EQ(WindowText(box), Ansi("確認"));
    Answer(box, answer);
    penlet.Sync();
    if (answer != DialogResult::Yes) {
      EXPECT_EQ(ReadFileBytes(theirs), "theirs");
      EXPECT_EQ(penlet.Caption(), kPrefix + "mine.txt");
    }
  }
  EXPECT_EQ(WaitForBytes(theirs, "new mine"), "new mine");
  EXPECT_EQ(ReadFileBytes(mine), "mine");
  EXPECT_EQ(penlet.Caption(), "theirs.txt");  // Save As drops the prefix
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Document, OpenAndSaveAsDialogsChooseFilesAndAddTheDefaultExtension) {
  TempDir dir;
  const std::string source = dir.Write("source.txt", "from the dialog");
  PenletProcess penlet;
  ASSERT_TRUE(penlet.Ready());
  const std::string newHint = LongHint(Ansi(texts::kFileNew1Hint), AnsiLeadBytes());
  ASSERT_EQ(PanelZeroWithPointerAt(penlet.Main(), ToolButtonCentre(penlet.Main(), 0), newHint),
            newHint);
  penlet.Command(FileOpen1);
  HWND open = FileDialog(penlet);
  ASSERT_NE(open, nullptr);
  // Placed by the program: centred across, its top at a third of the height left over.
  const RECT rc = WindowRect(open);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2);
  EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 3);
  // The program's loop does not run under the system's dialog: panel 0 keeps its hint, wherever
  // the pointer goes.
  EXPECT_EQ(
      PanelZeroWithPointerAt(penlet.Main(), {(rc.left + rc.right) / 2, rc.top + 40}, "", 1500),
      newHint);
  Choose(open, source);
  EXPECT_EQ(TextBecomes(penlet.Main(), kPrefix + "source.txt"), kPrefix + "source.txt");
  EXPECT_EQ(penlet.Text(), "from the dialog");

  penlet.Command(FileSaveAs1);
  HWND save = FileDialog(penlet);
  ASSERT_NE(save, nullptr);
  Choose(save, dir.In("copy"));
  EXPECT_EQ(WaitForBytes(dir.In("copy.txt"), "from the dialog"), "from the dialog");
  EXPECT_EQ(TextBecomes(penlet.Main(), "copy.txt"), "copy.txt");
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Document, FilesThatCannotBeOpenedChangeNothing) {
  TempDir dir;
  const std::string current = dir.Write("current.txt", "current");
  CreateDirectoryA(dir.In("folder").c_str(), nullptr);
  const std::string busy = dir.Write("busy.txt", "busy");
  HANDLE writer = CreateFileA(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  // Longer than MAX_PATH: the message must name all of it, not a cut path.
  const std::string longName = dir.Path() + std::string(280, 'n') + ".txt";

  PenletProcess penlet(Quoted(current));
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAt(0, "edited ");
  for (const std::string& path : {dir.In("missing.txt"), dir.In("folder"), busy, longName}) {
    ASSERT_TRUE(penlet.Drop({path}));
    HWND box = penlet.ErrorBox();
    ASSERT_NE(box, nullptr) << path;
    const std::string message = BoxMessage(box);
    EXPECT_TRUE(StartsWith(message, Ansi("ファイル \"") + path + "\". ")) << message;
    EXPECT_TRUE(EndsWith(message, Ansi(" は開けません.")) ||
                EndsWith(message, Ansi(" は開けません")))
        << message;
    Dismiss(box);
    penlet.Sync();
    EXPECT_EQ(penlet.Caption(), kPrefix + "current.txt");
    EXPECT_EQ(penlet.Text(), "edited current");
  }
  CloseHandle(writer);
  // Still modified: closing asks.
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
  EXPECT_EQ(ReadFileBytes(current), "current");
}

TEST(Document, ReadOnlyTargetGivesTheCreateErrorAndTheWindowStaysOpen) {
  TempDir dir;
  const std::string path = dir.Write("locked.txt", "old text");
  PenletProcess penlet(Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  penlet.TypeAt(0, "new ");
  penlet.Command(FileSave1);
  HWND box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  const std::string message = BoxMessage(box);
  EXPECT_TRUE(StartsWith(message, Ansi("ファイル \"") + path + "\". ")) << message;
  EXPECT_NE(message.find(Ansi(" を作成できません")), std::string::npos) << message;
  Dismiss(box);

  // Closing: Yes tries to save, fails, and the window stays with the changes.
  PostMessageA(penlet.Main(), WM_CLOSE, 0, 0);
  HWND question = penlet.Box();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(BoxMessage(question),
            Ansi("『 locked.txt 』 は保存されていません。\r\n\r\n 保存しますか？"));
  Answer(question, DialogResult::Yes);
  box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  Dismiss(box);
  penlet.Sync();
  EXPECT_TRUE(IsWindow(penlet.Main()));
  EXPECT_EQ(penlet.Text(), "new old text");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(path), "old text");
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, ClosingAnUntitledDocumentAndCancellingSaveAsKeepsTheWindow) {
  PenletProcess penlet;
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAt(0, "unsaved");
  PostMessageA(penlet.Main(), WM_CLOSE, 0, 0);
  HWND question = penlet.Box();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(BoxMessage(question),
            Ansi("『 新規文書 』 は保存されていません。\r\n\r\n 保存しますか？"));
  Answer(question, DialogResult::Yes);
  HWND save = FileDialog(penlet);
  ASSERT_NE(save, nullptr);
  PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitGone(save));
  penlet.Sync();
  EXPECT_TRUE(IsWindow(penlet.Main()));
  EXPECT_EQ(penlet.Text(), "unsaved");
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, LongPasteIntoANewDocumentIsNotCut) {
  PenletProcess penlet;
  ASSERT_TRUE(penlet.Ready());
  // 72,000 characters in lines: beyond the 64K characters that an edit control takes at first.
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::string(70, 'p') + "\r\n";
  SetClipboardText(text);
  SendMessageA(penlet.Edit(), WM_PASTE, 0, 0);
  penlet.Sync();
  EXPECT_EQ(SendMessageA(penlet.Edit(), WM_GETTEXTLENGTH, 0, 0), 72000);
  EXPECT_EQ(WindowText(FindCounterBox(penlet.Main())), "72000");
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, DropOfThreeFilesOpensTheFirst) {
  TempDir dir;
  const std::string first = dir.Write("first.txt", "first");
  const std::string second = dir.Write("second.txt", "second");
  const std::string third = dir.Write("third.txt", "third");
  PenletProcess penlet;
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAt(0, "discarded without a question");
  ASSERT_TRUE(penlet.Drop({first, second, third}));
  EXPECT_EQ(TextBecomes(penlet.Main(), kPrefix + "first.txt"), kPrefix + "first.txt");
  EXPECT_EQ(penlet.Text(), "first");
  EXPECT_EQ(FindProcessWindow(penlet.Pid(), kMessageBoxClassName), nullptr);
  EXPECT_EQ(penlet.Close(), 0u);
}

TEST(Document, RelativePathSavesToTheFileOpenedAfterTheCurrentFolderChanged) {
  TempDir dir;
  const std::string mine = dir.Write("memo.txt", "mine");
  CreateDirectoryA(dir.In("other").c_str(), nullptr);
  const std::string trap = dir.Write("other\\memo.txt", "unrelated");
  dir.Write("other\\probe.txt", "probe");
  PenletProcess penlet("memo.txt", dir.Path());
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix + "memo.txt");

  // Browsing to "other" in the Open dialog makes it the current folder; then cancelled.
  penlet.Command(FileOpen1);
  HWND open = FileDialog(penlet);
  ASSERT_NE(open, nullptr);
  const std::string other = dir.In("other");
  SendMessageA(NameBox(open), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
  SendMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));
  ASSERT_TRUE(IsWindow(open));  // a folder is browsed into, not chosen
  PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
  WaitGone(open);

  penlet.TypeAt(0, "all ");
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(mine, "all mine"), "all mine");
  EXPECT_EQ(ReadFileBytes(trap), "unrelated");
  EXPECT_EQ(penlet.Caption(), kPrefix + "memo.txt");

  // The current folder really was "other": a relative drop opens the file there.
  ASSERT_TRUE(penlet.Drop({"probe.txt"}));
  EXPECT_EQ(TextBecomes(penlet.Edit(), "probe"), "probe");
  EXPECT_EQ(FindProcessWindow(penlet.Pid(), "#32770", "Penlet"), nullptr);
  EXPECT_EQ(penlet.Close(), 0u);
}

}  // namespace
}  // namespace penlet::wintest
