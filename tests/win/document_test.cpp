// Documents as a user meets them in penlet.exe: real files opened, edited and saved, the file
// dialogs, the overwrite and closing questions, drops and the failure boxes.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/win/support/WinTest.h"
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

// For WaitFor: a non-null handle once `window` has gone.
HWND Gone(HWND window) {
  return IsWindow(window) ? nullptr : reinterpret_cast<HWND>(1);
}

// The name box of a file dialog: a combo box (cmb13) or an edit (edt1), by platform.
HWND NameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, 0x47C)) return combo;
  return GetDlgItem(dialog, 0x480);
}

// penlet.exe with the document commands, its boxes and its dialogs within reach.
class Penlet {
 public:
  explicit Penlet(const std::string& commandTail, const std::string& currentDir = "")
      : process_(commandTail, currentDir) {
    main_ = process_.MainWindow();
    if (main_) WaitFor([this] { return IsWindowVisible(main_) ? main_ : nullptr; });
    edit_ = main_ ? FindEditArea(main_) : nullptr;
  }

  bool Ready() const { return main_ && edit_; }
  HWND Main() const { return main_; }
  std::string Caption() const { return WindowText(main_); }
  std::string Text() const { return WindowText(edit_); }
  DWORD Pid() const { return process_.Pid(); }

  // Types ASCII text at the start of the document; each character is a keystroke.
  void TypeAtStart(const std::string& text) {
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    for (char c : text) SendMessageA(edit_, WM_CHAR, static_cast<unsigned char>(c), 1);
    Sync();
  }
  // Deletes `count` characters before the caret, as the Backspace key does.
  void Backspace(int count) {
    for (int i = 0; i < count; ++i) SendMessageA(edit_, WM_KEYDOWN, VK_BACK, 1);
    Sync();
  }
  // Waits for the caption or the text to become `want`; returns what it is then.
  std::string CaptionBecomes(const std::string& want) {
    WaitFor([&] { return Caption() == want ? main_ : nullptr; }, 10000);
    return Caption();
  }
  std::string TextBecomes(const std::string& want) {
    WaitFor([&] { return Text() == want ? main_ : nullptr; }, 10000);
    return Text();
  }
  void Command(int id) { PostMessageA(main_, WM_COMMAND, id, 0); }
  // Returns once the window has dealt with everything posted before, unless a handler is
  // waiting in a box. A sent message overtakes posted ones, so one round trip can come back
  // before a posted command has run; the second one cannot.
  void Sync() {
    DWORD_PTR ignored;
    for (int i = 0; i < 2; ++i) {
      SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    }
  }

  HWND ErrorBox() { return WaitForMessageBox(Pid(), "#32770", "Penlet"); }
  HWND QuestionBox() { return WaitForMessageBox(Pid(), kMessageBoxClassName); }
  HWND FileDialog() {
    return WaitFor([this] {
      HWND dialog = FindProcessWindow(Pid(), "#32770");
      return dialog && NameBox(dialog) && IsWindowVisible(dialog) ? dialog : nullptr;
    });
  }
  // Answers a question box with the button of `result` and waits for it to go.
  static void Answer(HWND box, DialogResult result) {
    PostMessageA(GetDlgItem(box, static_cast<int>(result)), BM_CLICK, 0, 0);
    WaitFor([box] { return Gone(box); });
  }
  static void Dismiss(HWND errorBox) {
    PostMessageA(errorBox, WM_COMMAND, IDOK, 0);
    WaitFor([errorBox] { return Gone(errorBox); });
  }
  // Types `name` into a file dialog and presses its OK button.
  static void Choose(HWND dialog, const std::string& name) {
    SendMessageA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    WaitFor([dialog] { return Gone(dialog); });
  }

  // Drops `paths` on the window as the shell does: a DROPFILES block in penlet's own memory,
  // whose address serves as the drop handle.
  bool Drop(const std::vector<std::string>& paths) {
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    std::memcpy(block.data(), &header, sizeof header);
    for (const std::string& path : paths) block += path + '\0';
    block += '\0';
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, Pid());
    if (!process) return false;
    void* remote =
        VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
    CloseHandle(process);
    return ok && PostMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  }

  // Closes the window, answering the closing question with `answer` when it comes.
  DWORD CloseAnswering(DialogResult answer) {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    HWND box = QuestionBox();
    if (!box) return 0xFFFFFFFF;  // not asked: the changes were not seen as unsaved
    Answer(box, answer);
    return process_.WaitExit();
  }
  DWORD CloseUnmodified() {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    return process_.WaitExit();
  }

 private:
  PenletProcess process_;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
};

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

// Waits until the file has the size of `bytes`, then returns what it holds. The size is
// watched without opening the file: penlet writes with no sharing, and a reader polling the
// file would make its save fail with the create error.
std::string WaitForBytes(const std::string& path, const std::string& bytes) {
  WaitFor(
      [&] {
        WIN32_FILE_ATTRIBUTE_DATA data;
        const bool sized = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
                           data.nFileSizeHigh == 0 && data.nFileSizeLow == bytes.size();
        return sized ? reinterpret_cast<HWND>(1) : nullptr;
      },
      10000);
  return ReadFileBytes(path);
}

TEST(Document, ShiftJisWithCrLfIsWrittenBackByteForByte) {
  TempDir dir;
  const std::string path = dir.Write("sjis.txt", kShiftJis + "\r\n");
  Penlet penlet(Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix + "sjis.txt");
  penlet.TypeAtStart("ab");
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(path, "ab" + kShiftJis + "\r\n"), "ab" + kShiftJis + "\r\n");
  penlet.Backspace(2);  // back to the text as loaded
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(path, kShiftJis + "\r\n"), kShiftJis + "\r\n");
  EXPECT_EQ(penlet.CloseUnmodified(), 0u);  // saved: no question
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
      // A NUL reads as a space, so that nothing after it is lost.
      {"zeros.txt", std::string("a\0b\0\r\nc", 7), "-a b \r\nc"},
  };
  for (const Case& c : cases) {
    const std::string path = dir.Write(c.name, c.bytes);
    Penlet penlet(Quoted(path));
    ASSERT_TRUE(penlet.Ready()) << c.name;
    penlet.TypeAtStart("-");
    penlet.Command(FileSave1);
    EXPECT_EQ(WaitForBytes(path, c.saved), c.saved) << c.name;
    EXPECT_EQ(penlet.CloseUnmodified(), 0u);
  }
}

TEST(Document, EmptyFileSavesAsZeroBytes) {
  TempDir dir;
  const std::string path = dir.Write("empty.txt", "");
  Penlet penlet(Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Text(), "");
  penlet.TypeAtStart("z");
  penlet.Command(FileSave1);
  ASSERT_EQ(WaitForBytes(path, "z"), "z");
  penlet.Backspace(1);
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(path, ""), "");
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(penlet.CloseUnmodified(), 0u);
}

TEST(Document, SaveAsOntoAnExistingFileAsksAndOnlyYesOverwrites) {
  TempDir dir;
  const std::string mine = dir.Write("mine.txt", "mine");
  const std::string theirs = dir.Write("theirs.txt", "theirs");
  Penlet penlet(Quoted(mine));
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAtStart("new ");
  const std::string question = Ansi("OK を押すと ") + theirs + Ansi(" を上書きします。");
  for (DialogResult answer : {DialogResult::No, DialogResult::Cancel, DialogResult::Yes}) {
    penlet.Command(FileSaveAs1);
    HWND dialog = penlet.FileDialog();
    ASSERT_NE(dialog, nullptr);
    Penlet::Choose(dialog, theirs);
    HWND box = penlet.QuestionBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box), question);
    EXPECT_EQ(WindowText(box), Ansi("確認"));
    Penlet::Answer(box, answer);
    penlet.Sync();
    if (answer != DialogResult::Yes) {
      EXPECT_EQ(ReadFileBytes(theirs), "theirs");
      EXPECT_EQ(penlet.Caption(), kPrefix + "mine.txt");
    }
  }
  EXPECT_EQ(WaitForBytes(theirs, "new mine"), "new mine");
  EXPECT_EQ(ReadFileBytes(mine), "mine");
  EXPECT_EQ(penlet.Caption(), "theirs.txt");  // Save As drops the prefix
  EXPECT_EQ(penlet.CloseUnmodified(), 0u);
}

TEST(Document, OpenAndSaveAsDialogsChooseFilesAndAddTheDefaultExtension) {
  TempDir dir;
  const std::string source = dir.Write("source.txt", "from the dialog");
  Penlet penlet("");
  ASSERT_TRUE(penlet.Ready());
  penlet.Command(FileOpen1);
  HWND open = penlet.FileDialog();
  ASSERT_NE(open, nullptr);
  // Placed by the program: centred across, its top at a third of the height left over.
  RECT rc;
  GetWindowRect(open, &rc);
  EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2);
  EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 3);
  Penlet::Choose(open, source);
  EXPECT_EQ(penlet.CaptionBecomes(kPrefix + "source.txt"), kPrefix + "source.txt");
  EXPECT_EQ(penlet.Text(), "from the dialog");

  penlet.Command(FileSaveAs1);
  HWND save = penlet.FileDialog();
  ASSERT_NE(save, nullptr);
  Penlet::Choose(save, dir.Path() + "copy");
  EXPECT_EQ(WaitForBytes(dir.Path() + "copy.txt", "from the dialog"), "from the dialog");
  EXPECT_EQ(penlet.CaptionBecomes("copy.txt"), "copy.txt");
  EXPECT_EQ(penlet.CloseUnmodified(), 0u);
}

TEST(Document, FilesThatCannotBeOpenedChangeNothing) {
  TempDir dir;
  const std::string current = dir.Write("current.txt", "current");
  CreateDirectoryA((dir.Path() + "folder").c_str(), nullptr);
  const std::string busy = dir.Write("busy.txt", "busy");
  HANDLE writer = CreateFileA(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  // Longer than MAX_PATH: the message must name all of it, not a cut path.
  const std::string longName = dir.Path() + std::string(280, 'n') + ".txt";

  Penlet penlet(Quoted(current));
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAtStart("edited ");
  for (const std::string& path :
       {dir.Path() + "missing.txt", dir.Path() + "folder", busy, longName}) {
    ASSERT_TRUE(penlet.Drop({path}));
    HWND box = penlet.ErrorBox();
    ASSERT_NE(box, nullptr) << path;
    const std::string message = BoxMessage(box);
    EXPECT_TRUE(StartsWith(message, Ansi("ファイル \"") + path + "\". ")) << message;
    EXPECT_TRUE(EndsWith(message, Ansi(" は開けません.")) ||
                EndsWith(message, Ansi(" は開けません")))
        << message;
    Penlet::Dismiss(box);
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
  Penlet penlet(Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  penlet.TypeAtStart("new ");
  penlet.Command(FileSave1);
  HWND box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  const std::string message = BoxMessage(box);
  EXPECT_TRUE(StartsWith(message, Ansi("ファイル \"") + path + "\". ")) << message;
  EXPECT_NE(message.find(Ansi(" を作成できません")), std::string::npos) << message;
  Penlet::Dismiss(box);

  // Closing: Yes tries to save, fails, and the window stays with the changes.
  PostMessageA(penlet.Main(), WM_CLOSE, 0, 0);
  HWND question = penlet.QuestionBox();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(BoxMessage(question),
            Ansi("『 locked.txt 』 は保存されていません。\r\n\r\n 保存しますか？"));
  Penlet::Answer(question, DialogResult::Yes);
  box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  Penlet::Dismiss(box);
  penlet.Sync();
  EXPECT_TRUE(IsWindow(penlet.Main()));
  EXPECT_EQ(penlet.Text(), "new old text");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(path), "old text");
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, ClosingAnUntitledDocumentAndCancellingSaveAsKeepsTheWindow) {
  Penlet penlet("");
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAtStart("unsaved");
  PostMessageA(penlet.Main(), WM_CLOSE, 0, 0);
  HWND question = penlet.QuestionBox();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(BoxMessage(question),
            Ansi("『 新規文書 』 は保存されていません。\r\n\r\n 保存しますか？"));
  Penlet::Answer(question, DialogResult::Yes);
  HWND save = penlet.FileDialog();
  ASSERT_NE(save, nullptr);
  PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
  penlet.Sync();
  EXPECT_TRUE(IsWindow(penlet.Main()));
  EXPECT_EQ(penlet.Text(), "unsaved");
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, LongPasteIntoANewDocumentIsNotCut) {
  Penlet penlet("");
  ASSERT_TRUE(penlet.Ready());
  const std::string text(70000, 'p');  // beyond the control's default of 64K characters
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  ASSERT_NE(memory, nullptr);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  HWND edit = FindEditArea(penlet.Main());
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 70000);
  EXPECT_EQ(penlet.CloseAnswering(DialogResult::No), 0u);
}

TEST(Document, DropOfThreeFilesOpensTheFirst) {
  TempDir dir;
  const std::string first = dir.Write("first.txt", "first");
  const std::string second = dir.Write("second.txt", "second");
  const std::string third = dir.Write("third.txt", "third");
  Penlet penlet("");
  ASSERT_TRUE(penlet.Ready());
  penlet.TypeAtStart("discarded without a question");
  ASSERT_TRUE(penlet.Drop({first, second, third}));
  EXPECT_EQ(penlet.CaptionBecomes(kPrefix + "first.txt"), kPrefix + "first.txt");
  EXPECT_EQ(penlet.Text(), "first");
  EXPECT_EQ(FindProcessWindow(penlet.Pid(), kMessageBoxClassName), nullptr);
  EXPECT_EQ(penlet.CloseUnmodified(), 0u);
}

TEST(Document, RelativePathSavesToTheFileOpenedAfterTheCurrentFolderChanged) {
  TempDir dir;
  const std::string mine = dir.Write("memo.txt", "mine");
  CreateDirectoryA((dir.Path() + "other").c_str(), nullptr);
  const std::string trap = dir.Write("other\\memo.txt", "unrelated");
  dir.Write("other\\probe.txt", "probe");
  Penlet penlet("memo.txt", dir.Path());
  ASSERT_TRUE(penlet.Ready());
  EXPECT_EQ(penlet.Caption(), kPrefix + "memo.txt");

  // Browsing to "other" in the Open dialog makes it the current folder; then cancelled.
  penlet.Command(FileOpen1);
  HWND open = penlet.FileDialog();
  ASSERT_NE(open, nullptr);
  const std::string other = dir.Path() + "other";
  SendMessageA(NameBox(open), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
  SendMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));
  ASSERT_TRUE(IsWindow(open));  // a folder is browsed into, not chosen
  PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
  WaitFor([open] { return Gone(open); });

  penlet.TypeAtStart("all ");
  penlet.Command(FileSave1);
  EXPECT_EQ(WaitForBytes(mine, "all mine"), "all mine");
  EXPECT_EQ(ReadFileBytes(trap), "unrelated");
  EXPECT_EQ(penlet.Caption(), kPrefix + "memo.txt");

  // The current folder really was "other": a relative drop opens the file there.
  ASSERT_TRUE(penlet.Drop({"probe.txt"}));
  EXPECT_EQ(penlet.TextBecomes("probe"), "probe");
  EXPECT_EQ(FindProcessWindow(penlet.Pid(), "#32770", "Penlet"), nullptr);
  EXPECT_EQ(penlet.CloseUnmodified(), 0u);
}

}  // namespace
}  // namespace penlet::wintest
