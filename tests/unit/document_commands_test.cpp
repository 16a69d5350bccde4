// The document's state through New, open, Save, Save As, drops and the closing question, with
// files, dialogs and boxes in memory.
#include <gtest/gtest.h>

#include "tests/fakes/FormOnFakes.h"

#include "core/DocumentCommands.h"
#include "core/Error.h"
#include "core/PenletForm.h"
#include "platform/files/FileDialogs.h"
#include "platform/system/Placement.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeProfile.h"
#include "core/Texts.h"

namespace penlet {
namespace {

using Choice = FakeFileDialogs::Choice;

class FakeDrop : public DroppedFiles {
 public:
  explicit FakeDrop(std::string first) : first_(std::move(first)) {}
  std::string FirstFile() const override {
    EXPECT_FALSE(finished) << "read after the drop was released";
    return first_;
  }
  void Finish() override { finished = true; }
  bool finished = false;

 private:
  std::string first_;
};

class DocumentCommandsTest : public ::testing::Test, protected FormOnFakes {
 protected:
  DocumentCommandsTest() { form.FormCreate(); }

  std::string Prefix() const { return Ansi(texts::kCaptionPrefix); }
  std::string Bytes(const std::string& path) const {
    const FakeFiles::Entry* entry = files.Find(path);
    return entry ? entry->bytes : "<none>";
  }
  std::string CloseQuestion(const std::string& name) const {
    return Ansi("『 ") + name + Ansi(" 』 は保存されていません。\r\n\r\n 保存しますか？");
  }
  // Everything the user can see of the document, to show that a failure changed nothing.
  std::string State() const {
    return edit.Text() + "|" + form.DocumentPath() + "|" + view.caption + "|" +
           (edit.Modified() ? "modified" : "saved") + "|" + (view.saveEnabled ? "on" : "off");
  }
};

TEST_F(DocumentCommandsTest, CaptionAndSaveCommandFollowEveryStep) {
  EXPECT_EQ(view.caption, Prefix());
  EXPECT_FALSE(view.saveEnabled);

  files.AddFile("C:\\work\\memo.txt", "abc\r\n");
  form.OpenDocument("C:\\work\\memo.txt");
  EXPECT_EQ(view.caption, Prefix() + "memo.txt");
  EXPECT_EQ(form.DocumentPath(), "C:\\work\\memo.txt");
  EXPECT_FALSE(view.saveEnabled);

  edit.Type("x");
  EXPECT_TRUE(view.saveEnabled);
  form.FileSave1Execute();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(Bytes("C:\\work\\memo.txt"), "xabc\r\n");
  EXPECT_EQ(view.caption, Prefix() + "memo.txt");
  EXPECT_FALSE(view.saveEnabled);

  edit.Type("y");
  dialogs.choices.push_back(Choice{"C:\\work\\other.txt", 1});
  form.FileSaveAs1Execute();
  EXPECT_EQ(Bytes("C:\\work\\other.txt"), "xyabc\r\n");
  EXPECT_EQ(Bytes("C:\\work\\memo.txt"), "xabc\r\n");
  EXPECT_EQ(view.caption, "other.txt");  // without the prefix until the next open or New
  EXPECT_EQ(form.DocumentPath(), "C:\\work\\other.txt");
  EXPECT_FALSE(view.saveEnabled);

  edit.Type("z");
  form.FileSave1Execute();  // to the name chosen, without a dialog
  EXPECT_EQ(Bytes("C:\\work\\other.txt"), "xyzabc\r\n");
  EXPECT_EQ(dialogs.shown.size(), 1u);

  form.OpenDocument("C:\\work\\memo.txt");
  EXPECT_EQ(view.caption, Prefix() + "memo.txt");

  edit.Type("q");
  form.FileNew1Execute();
  EXPECT_EQ(State(), "||" + Prefix() + "|saved|off");
  EXPECT_TRUE(boxes.shown.empty());  // New discards changes without asking
}

TEST_F(DocumentCommandsTest, PathWithoutExtensionIsSavedLikeAnUntitledOne) {
  files.AddFile("C:\\notes.d\\README", "read me");
  files.AddFolder("C:\\notes.d");
  form.OpenDocument("C:\\notes.d\\README");
  EXPECT_EQ(view.caption, Prefix() + "README");
  edit.Type("!");
  form.FileSave1Execute();  // asks for a name; cancelled
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, FileDialogKind::kSave);
  EXPECT_EQ(Bytes("C:\\notes.d\\README"), "read me");
  EXPECT_TRUE(view.saveEnabled);

  boxes.answers = {DialogResult::Cancel};
  EXPECT_FALSE(form.FormCloseQuery());
  EXPECT_EQ(boxes.shown.back(), CloseQuestion(Ansi("新規文書")));
}

TEST_F(DocumentCommandsTest, DialogsStartAsConfiguredAndRememberSeparately) {
  dialogs.choices = {std::nullopt};
  form.FileOpen1Execute();  // cancelled: nothing happens
  EXPECT_EQ(State(), "||" + Prefix() + "|saved|off");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const FileDialogMemory& open = dialogs.shown[0].memory;
  EXPECT_EQ(dialogs.shown[0].kind, FileDialogKind::kOpen);
  EXPECT_EQ(open.filter, Ansi("すべてのファイル(*.*)|*.*"));
  EXPECT_EQ(open.defaultExtension, "rtf");
  EXPECT_EQ(open.fileName, "");
  EXPECT_EQ(open.filterIndex, 1);

  files.AddFile("C:\\work\\a.txt", "A");
  dialogs.choices = {Choice{"C:\\work\\a.txt", 1}, Choice{"C:\\work\\b.txt", 1}, std::nullopt,
                     std::nullopt};
  form.FileOpen1Execute();
  EXPECT_EQ(edit.Text(), "A");
  EXPECT_EQ(view.caption, Prefix() + "a.txt");
  form.FileSaveAs1Execute();
  form.FileOpen1Execute();
  form.FileSaveAs1Execute();
  ASSERT_EQ(dialogs.shown.size(), 5u);
  const FileDialogMemory& save = dialogs.shown[2].memory;
  EXPECT_EQ(save.filter, Ansi(texts::kSaveFilter));
  EXPECT_EQ(save.defaultExtension, "txt");
  EXPECT_EQ(save.fileName, "");  // the opened path is not proposed for saving
  EXPECT_EQ(dialogs.shown[3].memory.fileName, "C:\\work\\a.txt");
  EXPECT_EQ(dialogs.shown[4].memory.fileName, "C:\\work\\b.txt");
}

TEST(SaveDefaultExtension, FollowsTheFilterChosen) {
  EXPECT_EQ(SaveDefaultExtension(1, "c"), "txt");
  EXPECT_EQ(SaveDefaultExtension(2, "txt"), "c");
  EXPECT_EQ(SaveDefaultExtension(3, "txt"), "htm");
  EXPECT_EQ(SaveDefaultExtension(4, "txt"), "");
  EXPECT_EQ(SaveDefaultExtension(0, "htm"), "htm");
  EXPECT_EQ(SaveDefaultExtension(5, "c"), "c");
}

TEST_F(DocumentCommandsTest, SaveAsTakesTheNextDefaultExtensionFromTheFilter) {
  edit.Type("int main;");
  dialogs.choices = {Choice{"C:\\work\\prog", 2}, Choice{"C:\\work\\plain", 4},
                     Choice{"C:\\work\\other", 1}};
  form.FileSaveAs1Execute();
  EXPECT_EQ(Bytes("C:\\work\\prog.txt"), "int main;");  // this dialog still had "txt"
  edit.Type("/");
  form.FileSaveAs1Execute();
  EXPECT_EQ(dialogs.shown[1].memory.defaultExtension, "c");
  EXPECT_EQ(dialogs.shown[1].memory.filterIndex, 2);
  EXPECT_EQ(Bytes("C:\\work\\plain.c"), "int main;/");
  edit.Type("*");
  form.FileSaveAs1Execute();
  EXPECT_EQ(dialogs.shown[2].memory.defaultExtension, "");
  EXPECT_EQ(Bytes("C:\\work\\other"), "int main;/*");  // no extension added
  EXPECT_EQ(view.caption, "other");
  edit.Type("-");
  form.FileSave1Execute();  // a name without extension: asks again
  EXPECT_EQ(dialogs.shown.size(), 4u);
  EXPECT_EQ(Bytes("C:\\work\\other"), "int main;/*");
}

TEST_F(DocumentCommandsTest, OverwriteIsAskedAndOnlyYesGoesAhead) {
  files.AddFile("C:\\work\\old.txt", "old bytes");
  edit.Type("new");
  const std::string before = State();
  const std::string question = Ansi("OK を押すと C:\\work\\old.txt を上書きします。");
  for (DialogResult answer : {DialogResult::No, DialogResult::Cancel}) {
    dialogs.choices = {Choice{"C:\\work\\old.txt", 2}};
    boxes.answers = {answer};
    form.FileSaveAs1Execute();
    EXPECT_EQ(boxes.shown.back(), question);
    EXPECT_EQ(boxes.kinds.back(), MessageKind::Confirmation);
    EXPECT_EQ(boxes.buttonSets.back(), kButtonYes | kButtonNo | kButtonCancel);
    EXPECT_EQ(Bytes("C:\\work\\old.txt"), "old bytes");
    EXPECT_EQ(State(), before);
  }
  dialogs.choices = {Choice{"C:\\work\\old.txt", 2}, std::nullopt};
  boxes.answers = {DialogResult::Yes};
  form.FileSaveAs1Execute();
  EXPECT_EQ(Bytes("C:\\work\\old.txt"), "new");
  EXPECT_EQ(view.caption, "old.txt");
  form.FileSaveAs1Execute();
  // Declined answers left the default extension alone; the accepted one changed it.
  EXPECT_EQ(dialogs.shown[1].memory.defaultExtension, "txt");
  EXPECT_EQ(dialogs.shown[3].memory.defaultExtension, "c");
  EXPECT_EQ(boxes.shown.size(), 3u);
}

TEST_F(DocumentCommandsTest, FailedSavesKeepTheOldFileAndTheChanges) {
  files.AddFile("C:\\work\\memo.txt", "on disk");
  form.OpenDocument("C:\\work\\memo.txt");
  edit.Type("edited ");
  const std::string before = State();

  files.entries["C:\\work\\memo.txt"].readOnly = true;
  try {
    form.FileSave1Execute();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), Ansi("ファイル \"C:\\work\\memo.txt\". system message 5 を作成できません"));
  }
  EXPECT_EQ(State(), before);

  files.entries["C:\\work\\memo.txt"].readOnly = false;
  files.writeFailsAfter = 3;
  try {
    form.FileSave1Execute();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), Ansi("ストリームへの書き込みに失敗しました"));
  }
  EXPECT_EQ(State(), before);
  EXPECT_EQ(Bytes("C:\\work\\memo.txt"), "on disk");

  // Save As onto a folder that does not exist: path and caption stay too.
  dialogs.choices = {Choice{"C:\\nowhere\\memo.txt", 1}};
  EXPECT_THROW(form.FileSaveAs1Execute(), Error);
  EXPECT_EQ(State(), before);
}

TEST_F(DocumentCommandsTest, CloseQuestionFlows) {
  // Nothing unsaved: closes without a word.
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(view.questionBeeps, 0);

  files.AddFile("C:\\work\\memo.txt", "text");
  form.OpenDocument("C:\\work\\memo.txt");
  edit.Type("1");
  boxes.answers = {DialogResult::Cancel};
  EXPECT_FALSE(form.FormCloseQuery());
  EXPECT_EQ(boxes.shown.back(), CloseQuestion("memo.txt"));
  EXPECT_EQ(boxes.buttonSets.back(), kButtonYes | kButtonNo | kButtonCancel);
  EXPECT_EQ(view.questionBeeps, 1);
  EXPECT_TRUE(edit.Modified());

  boxes.answers = {DialogResult::No};
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_EQ(Bytes("C:\\work\\memo.txt"), "text");

  boxes.answers = {DialogResult::Yes};
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_EQ(Bytes("C:\\work\\memo.txt"), "1text");
  EXPECT_FALSE(edit.Modified());
  EXPECT_EQ(boxes.shown.size(), 3u);

  // A save that fails raises its error: the close does not happen and the changes stay.
  edit.Type("2");
  files.entries["C:\\work\\memo.txt"].readOnly = true;
  boxes.answers = {DialogResult::Yes};
  EXPECT_THROW(form.FormCloseQuery(), Error);
  EXPECT_TRUE(edit.Modified());
  EXPECT_TRUE(view.saveEnabled);
}

TEST_F(DocumentCommandsTest, CloseQuestionYesThenSaveAsCalledOffKeepsTheWindowOpen) {
  edit.Type("precious");
  const std::string before = State();
  boxes.answers = {DialogResult::Yes};
  dialogs.choices = {std::nullopt};
  EXPECT_FALSE(form.FormCloseQuery());
  EXPECT_EQ(boxes.shown.back(), CloseQuestion(Ansi("新規文書")));
  EXPECT_EQ(State(), before);

  files.AddFile("C:\\work\\taken.txt", "someone else's");
  boxes.answers = {DialogResult::Yes, DialogResult::No};  // save, then decline the overwrite
  dialogs.choices = {Choice{"C:\\work\\taken.txt", 1}};
  EXPECT_FALSE(form.FormCloseQuery());
  EXPECT_EQ(Bytes("C:\\work\\taken.txt"), "someone else's");
  EXPECT_EQ(State(), before);

  boxes.answers = {DialogResult::Yes};
  dialogs.choices = {Choice{"C:\\work\\kept.txt", 1}};
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_EQ(Bytes("C:\\work\\kept.txt"), "precious");
}

TEST_F(DocumentCommandsTest, RelativePathIsResolvedOnceWhenOpened) {
  files.AddFile("C:\\work\\memo.txt", "mine");
  files.AddFolder("C:\\elsewhere");
  files.AddFile("C:\\elsewhere\\memo.txt", "unrelated");
  form.OpenDocument("memo.txt");
  EXPECT_EQ(form.DocumentPath(), "memo.txt");
  EXPECT_EQ(view.caption, Prefix() + "memo.txt");

  files.currentFolder = "C:\\elsewhere";  // as a file dialog may leave it
  edit.Type("all ");
  form.FileSave1Execute();
  EXPECT_EQ(Bytes("C:\\work\\memo.txt"), "all mine");
  EXPECT_EQ(Bytes("C:\\elsewhere\\memo.txt"), "unrelated");
  EXPECT_EQ(form.DocumentPath(), "memo.txt");

  // The create error names the file that Save tried to write.
  files.entries["C:\\work\\memo.txt"].readOnly = true;
  edit.Type("!");
  try {
    form.FileSave1Execute();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("C:\\work\\memo.txt"), std::string::npos);
  }
}

TEST_F(DocumentCommandsTest, FailedOpenChangesNothing) {
  files.AddFile("C:\\work\\memo.txt", "current");
  form.OpenDocument("C:\\work\\memo.txt");
  edit.Type("typed ");
  const std::string before = State();

  try {
    form.OpenDocument("missing.txt");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), Ansi("ファイル \"C:\\work\\missing.txt\". system message 2 は開けません"));
  }
  EXPECT_EQ(State(), before);

  files.AddFolder("C:\\work\\folder");
  EXPECT_THROW(form.OpenDocument("C:\\work\\folder"), Error);
  EXPECT_EQ(State(), before);

  files.AddFile("C:\\work\\busy.txt", "busy");
  files.entries["C:\\work\\busy.txt"].openForWriting = true;
  EXPECT_THROW(form.OpenDocument("C:\\work\\busy.txt"), Error);
  EXPECT_EQ(State(), before);

  // A read that fails part-way leaves no partial text behind for a later save.
  files.AddFile("C:\\work\\long.txt", std::string(10000, 'L'));
  files.readFailsAfter = 5000;
  try {
    form.OpenDocument("C:\\work\\long.txt");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), Ansi("ストリームからの読み込みに失敗しました"));
  }
  EXPECT_EQ(State(), before);
}

TEST_F(DocumentCommandsTest, DropOpensTheWholePathOfTheFirstFile) {
  // Longer than the 259 bytes a fixed buffer would keep; cut, it would name another file.
  const std::string folder = "C:\\work\\" + std::string(250, 'd');
  const std::string path = folder + "\\dropped.txt";
  files.AddFolder(folder);
  files.AddFile(path, "dropped");
  edit.Type("unsaved");
  FakeDrop drop(path);
  form.WMDropFiles(drop);
  EXPECT_TRUE(drop.finished);
  EXPECT_EQ(view.broughtToFront, 1);
  EXPECT_EQ(edit.Text(), "dropped");
  EXPECT_EQ(form.DocumentPath(), path);
  EXPECT_EQ(view.caption, Prefix() + "dropped.txt");
  EXPECT_TRUE(boxes.shown.empty());  // no question about the unsaved text

  FakeDrop folderDrop(folder);
  EXPECT_THROW(form.WMDropFiles(folderDrop), Error);
  EXPECT_TRUE(folderDrop.finished);  // released before the open failed
  EXPECT_EQ(edit.Text(), "dropped");
}

TEST_F(DocumentCommandsTest, ExitAsksTheWindowToClose) {
  form.FileExit1Execute();
  EXPECT_EQ(view.closeRequests, 1);
}

TEST(FileDialogParts, FilterIsScannedByCharacters) {
  // "−" is 0x81 0x7C: its trail byte is a "|" that must stay.
  const std::string filter =
      "a\x81\x7C"
      "b|*.x|c|*.*";
  EXPECT_EQ(PlatformFilter(filter, LeadByteSet::Cp932()), std::string("a\x81\x7C"
                                                                      "b\0*.x\0c\0*.*\0\0",
                                                                      16));
  EXPECT_EQ(PlatformFilter(filter, LeadByteSet()), std::string("a\x81\0b\0*.x\0c\0*.*\0\0", 16));
}

TEST(Placement, CentresOrTakesAThirdTruncatingTowardZero) {
  constexpr Placement kThird = Placement::kCentredUpperThird;
  PlacedPosition at = PlaceInArea(0, 0, 1024, 768, 501, 400, kThird);
  EXPECT_EQ(at.x, 261);
  EXPECT_EQ(at.y, 122);
  at = PlaceInArea(-1280, 10, 1280, 1024, 600, 500, kThird);
  EXPECT_EQ(at.x, -1280 + 340);
  EXPECT_EQ(at.y, 10 + 174);
  at = PlaceInArea(0, 0, 800, 600, 901, 632, kThird);  // larger than the monitor
  EXPECT_EQ(at.x, -50);
  EXPECT_EQ(at.y, -10);  // -32 / 3 truncates to -10, not -11
  at = PlaceInArea(0, 0, 800, 600, 901, 633, Placement::kCentred);
  EXPECT_EQ(at.x, -50);
  EXPECT_EQ(at.y, -16);  // -33 / 2 truncates to -16, not -17
  // The main window keeps its corner on the screen when it is larger.
  at = PlaceInArea(0, 0, 800, 600, 901, 633, Placement::kCentredCornerInArea);
  EXPECT_EQ(at.x, 0);
  EXPECT_EQ(at.y, 0);
  at = PlaceInArea(-1280, 10, 1280, 1024, 670, 324, Placement::kCentredCornerInArea);
  EXPECT_EQ(at.x, -1280 + 305);
  EXPECT_EQ(at.y, 10 + 350);
}

}  // namespace
}  // namespace penlet
