// The fake editing area keeps the contract that the real control is held to under Wine.
#include <gtest/gtest.h>

#include "tests/fakes/FakeEditArea.h"

namespace penlet {
namespace {

struct Recorder : EditAreaListener {
  int changes = 0, selections = 0;
  void EditAreaChanged() override { ++changes; }
  void EditAreaSelectionChanged() override { ++selections; }
};

const std::string kNihonAbc = "\x93\xFA\x96\x7B\r\nabc";  // 日本 CR LF abc

TEST(FakeEditArea, ByteOffsetsAndLines) {
  FakeEditArea edit;
  edit.SetText(kNihonAbc);
  EXPECT_EQ(edit.TextLength(), 9);
  EXPECT_EQ(edit.LineCount(), 2);
  EXPECT_EQ(edit.LineFromOffset(4), 0);
  EXPECT_EQ(edit.LineFromOffset(6), 1);
  EXPECT_EQ(edit.LineIndex(1), 6);
  EXPECT_EQ(edit.Line(0), "\x93\xFA\x96\x7B");
  EXPECT_EQ(edit.Line(1), "abc");
  EXPECT_EQ(edit.LineIndex(2), -1);
  edit.SetText("a\r\n");
  EXPECT_EQ(edit.LineCount(), 2);  // an empty last line after a final break
}

TEST(FakeEditArea, WrappedLinesBreakAtCharacterBoundaries) {
  FakeEditArea edit;
  edit.SetWrapWidth(3);
  edit.SetText("\x93\xFA\x96\x7B\x93\xFA" "ab");  // 日本日ab: 日 | 本 | 日a | b
  ASSERT_EQ(edit.LineCount(), 4);
  EXPECT_EQ(edit.LineIndex(1), 2);
  EXPECT_EQ(edit.LineIndex(2), 4);
  EXPECT_EQ(edit.LineIndex(3), 7);
  EXPECT_EQ(edit.Line(2), "\x93\xFA" "a");
  EXPECT_EQ(edit.LineFromOffset(3), 1);
}

TEST(FakeEditArea, FindsWholeCharactersOnly) {
  FakeEditArea edit;
  edit.SetText(
      "\x83\x5C\x5C"
      "a\x5C");  // ソ \ a \ : the first 0x5C is a trail byte
  EXPECT_EQ(edit.Find("\x5C", 0, -1), 2);
  EXPECT_EQ(edit.Find("\x5C", 3, -1), 4);
  EXPECT_EQ(edit.Find("a\x5C", 0, 4), -1);  // must lie wholly inside the range
  EXPECT_EQ(edit.Find("", 0, -1), -1);
}

TEST(FakeEditArea, NotifiesChangesAndSelectionMoves) {
  FakeEditArea edit;
  Recorder recorder;
  edit.SetListener(&recorder);
  edit.SetText("abc");
  edit.SetSelection({1, 2});
  EXPECT_EQ(recorder.selections, 1);
  edit.SetSelection({1, 2});  // unchanged: no report
  EXPECT_EQ(recorder.selections, 1);
  edit.ReplaceSelection("XY");
  EXPECT_EQ(edit.Text(), "aXYc");
  EXPECT_EQ(edit.GetSelection(), (Selection{3, 3}));
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(recorder.changes, 2);
  // A replacement is not recorded for undo; typing is.
  edit.Undo();
  EXPECT_EQ(edit.Text(), "aXYc");
  edit.Type("!");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "aXYc");
}

}  // namespace
}  // namespace penlet
