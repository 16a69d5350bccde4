// Enabled states after a refresh, and the pop-up menu's fixed offsets.
#include <gtest/gtest.h>

#include "ui/CommandState.h"
#include "ui/CommandTable.h"

namespace penlet {
namespace {

TEST(CommandState, ClipboardCommandsFollowTheFocusedEditControl) {
  ClipboardTarget none;  // another application is active
  none.selectionLength = 5;
  none.clipboardHasText = true;
  EXPECT_FALSE(RefreshedEnabled(EditCut1, true, none));
  EXPECT_FALSE(RefreshedEnabled(EditCopy1, true, none));
  EXPECT_FALSE(RefreshedEnabled(EditPaste1, true, none));

  ClipboardTarget empty{true, 0, false};
  EXPECT_FALSE(RefreshedEnabled(EditCut1, true, empty));
  EXPECT_FALSE(RefreshedEnabled(EditCopy1, true, empty));
  EXPECT_FALSE(RefreshedEnabled(EditPaste1, true, empty));

  ClipboardTarget selected{true, 1, false};
  EXPECT_TRUE(RefreshedEnabled(EditCut1, false, selected));
  EXPECT_TRUE(RefreshedEnabled(EditCopy1, false, selected));
  EXPECT_FALSE(RefreshedEnabled(EditPaste1, true, selected));

  ClipboardTarget clip{true, 0, true};
  EXPECT_FALSE(RefreshedEnabled(EditCut1, true, clip));
  EXPECT_TRUE(RefreshedEnabled(EditPaste1, false, clip));
}

TEST(CommandState, SaveKeepsItsStateAndTheOthersAreAlwaysOn) {
  ClipboardTarget none;
  EXPECT_FALSE(RefreshedEnabled(FileSave1, false, none));
  EXPECT_TRUE(RefreshedEnabled(FileSave1, true, none));
  for (int id : {FileNew1, FileOpen1, FileSaveAs1, FileSend1, FileExit1, HelpAbout1, FilePrint,
                 EditUndo, EditReplace, EditSelectAll}) {
    EXPECT_TRUE(RefreshedEnabled(id, false, none)) << FindCommand(id)->name;
  }
}

TEST(CommandState, PopupOpensAtFixedOffsetsFromTheWindowCorner) {
  PopupPoint p = PopupMenu1Origin(177, 222, 300, 100);
  EXPECT_EQ(p.x, 177 + 300 - 153);
  EXPECT_EQ(p.y, 222 + 100 - 70);
  p = PopupMenu1Origin(0, 0, 10, 10);  // may lie off the screen's left and top edges
  EXPECT_EQ(p.x, -143);
  EXPECT_EQ(p.y, -60);
}

}  // namespace
}  // namespace penlet
