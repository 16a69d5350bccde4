// The main window's logic at start-up and when documents are opened.
#include <gtest/gtest.h>

#include "tests/fakes/FormOnFakes.h"

#include "core/Error.h"
#include "core/PenletForm.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeProfile.h"
#include "core/Texts.h"

namespace penlet {
namespace {

class PenletFormTest : public ::testing::Test, protected FormOnFakes {
 protected:
};

// An edit or Rescue without the memory it needs is refused with the program's error box; the text
// and its saved state are as they were, and the edit stays undoable once memory is back.
TEST_F(PenletFormTest, EditsWithoutMemoryAreRefusedWithAMessageAndChangeNothing) {
  form.FormCreate();
  edit.Type("abc");
  std::string clip = "xyz";
  edit.clipboard = &clip;
  edit.noMemory = true;
  form.EditUndoExecute();
  edit.Paste();
  EXPECT_EQ(edit.Text(), "abc");
  EXPECT_TRUE(view.saveEnabled);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0], Ansi(texts::kOutOfMemoryError));
  EXPECT_EQ(boxes.kinds, (std::vector<MessageKind>{MessageKind::Error, MessageKind::Error}));
  EXPECT_EQ(boxes.buttonSets[0], kButtonOk);
  edit.noMemory = false;
  form.EditUndoExecute();
  EXPECT_EQ(edit.Text(), "");
}

TEST_F(PenletFormTest, CreateLeavesAnUntitledUnmodifiedDocument) {
  edit.Type("x");
  form.FormCreate();
  EXPECT_EQ(view.caption, Ansi(texts::kCaptionPrefix));
  EXPECT_EQ(form.DocumentPath(), "");
  EXPECT_TRUE(form.CountInCharacters());
  EXPECT_FALSE(edit.Modified());
  EXPECT_FALSE(view.saveEnabled);
}

TEST_F(PenletFormTest, ShowOpensEachPathAndStopsAtTheFirstFailure) {
  form.FormCreate();
  const std::string a = "C:\\work\\a.txt";
  const std::string b = "C:\\work\\b.txt";
  files.AddFile(a, "first");
  files.AddFile(b, "second");
  form.FormShow({a, b});
  EXPECT_EQ(edit.Text(), "second");
  EXPECT_EQ(form.DocumentPath(), b);
  EXPECT_EQ(view.caption, Ansi(texts::kCaptionPrefix) + "b.txt");

  form.FileNew1Execute();
  const std::string missing = "C:\\work\\missing.txt";
  EXPECT_THROW(form.FormShow({missing, a}), Error);
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(form.DocumentPath(), "");
  EXPECT_EQ(view.caption, Ansi(texts::kCaptionPrefix));
}

TEST_F(PenletFormTest, EditsEnableSaveAndNewClearsThem) {
  form.FormCreate();
  edit.Type("abc");
  EXPECT_TRUE(view.saveEnabled);
  edit.Undo();
  EXPECT_TRUE(view.saveEnabled);  // undoing does not make the document unmodified
  form.FileNew1Execute();
  EXPECT_FALSE(view.saveEnabled);
  EXPECT_EQ(edit.Text(), "");
}

}  // namespace
}  // namespace penlet
