// What every editing area must do, as one typed suite: run against the fake in the native tests
// and against the real component under Wine. A host makes the area and plays the user's part.
//
// A host provides:
//   EditArea& Edit();
//   void Type(const std::string& bytes);    // keystrokes; "\r\n" is the Enter key
//   void SetClipboard(const std::string& bytes);
//   std::string Clipboard();
//   void Narrow();                          // lays lines out at a narrow width
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/edit/EditArea.h"

namespace penlet {

// Listens as the program does and checks as it goes that the steps describe the edits exactly:
// a copy of the text kept from the steps alone must equal the text at every report.
struct ContractRecorder : EditAreaListener {
  explicit ContractRecorder(const EditArea& area) : edit(area), mirror(area.Text()) {}

  void EditAreaTextChanging(const TextEdit& step) override {
    if (open) problems.push_back("a step began inside another");
    open = true;
    pending = step;
    if (step.position < 0 || step.position + step.removed > edit.TextLength()) {
      problems.push_back("a step beyond the text");
    }
    if (std::string(edit.TextRange(0, edit.TextLength())) != mirror) {
      problems.push_back("the text changed before its step was announced");
    }
  }
  void EditAreaTextChanged(const TextEdit& step) override {
    if (!open || step.position != pending.position || step.removed != pending.removed ||
        step.inserted != pending.inserted) {
      problems.push_back("a step ended that had not begun");
    }
    open = false;
    ++steps;
    mirror.replace(static_cast<size_t>(step.position), static_cast<size_t>(step.removed),
                   std::string(edit.TextRange(step.position, step.position + step.inserted)));
  }
  void EditAreaChanged() override {
    ++changes;
    if (open) problems.push_back("a change was reported inside a step");
    if (mirror != edit.Text()) problems.push_back("the steps do not add up to the text");
  }
  void EditAreaSelectionChanged() override { ++selections; }

  const EditArea& edit;
  std::string mirror;
  bool open = false;
  TextEdit pending;
  int steps = 0, changes = 0, selections = 0;
  std::vector<std::string> problems;
};

template <class Host>
class EditAreaContract : public ::testing::Test {
 protected:
  EditAreaContract() : edit(host.Edit()) {}
  void SetUp() override {
    edit.SetText("");
    recorder = std::make_unique<ContractRecorder>(edit);
    edit.SetListener(recorder.get());
  }
  void TearDown() override {
    edit.SetListener(nullptr);
    EXPECT_TRUE(recorder->problems.empty()) << recorder->problems.front();
  }
  // Counts of reports since the last call.
  std::pair<int, int> Reports() {
    const std::pair<int, int> now{recorder->changes - changes_, recorder->selections - selections_};
    changes_ = recorder->changes;
    selections_ = recorder->selections;
    return now;
  }

  Host host;
  EditArea& edit;
  std::unique_ptr<ContractRecorder> recorder;

 private:
  int changes_ = 0, selections_ = 0;
};

TYPED_TEST_SUITE_P(EditAreaContract);

inline const std::string kNihonAbc = "\x93\xFA\x96\x7B\r\nabc";  // 日本 CR LF abc

TYPED_TEST_P(EditAreaContract, OffsetsSelectionAndLinesAreInBytes) {
  EditArea& edit = this->edit;
  edit.SetText(kNihonAbc);
  EXPECT_EQ(edit.Text(), kNihonAbc);
  EXPECT_EQ(edit.TextLength(), 9);
  EXPECT_EQ(edit.TextRange(2, 6), "\x96\x7B\r\n");
  EXPECT_FALSE(edit.Modified());
  edit.SetSelection({2, 4});  // 本
  EXPECT_EQ(edit.GetSelection(), (Selection{2, 4}));
  edit.SetSelection({9, 9});
  EXPECT_EQ(edit.GetSelection(), (Selection{9, 9}));
  EXPECT_EQ(edit.LineCount(), 2);
  EXPECT_EQ(edit.LineFromOffset(4), 0);
  EXPECT_EQ(edit.LineFromOffset(6), 1);
  EXPECT_EQ(edit.LineIndex(1), 6);
  EXPECT_EQ(edit.LineIndex(2), -1);
  EXPECT_EQ(edit.Line(0), "\x93\xFA\x96\x7B");
  EXPECT_EQ(edit.Line(1), "abc");
  edit.SelectAll();
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 9}));
  edit.SetText("a\r\n");
  EXPECT_EQ(edit.LineCount(), 2);  // an empty last line after a final break
}

TYPED_TEST_P(EditAreaContract, FindsWholeCharactersInsideTheRange) {
  EditArea& edit = this->edit;
  edit.SetText(
      "\x83\x5C\x5C"
      "a\x5C");  // ソ \ a \ : the first 0x5C is a trail byte
  EXPECT_EQ(edit.Find("\x5C", 0, -1), 2);
  EXPECT_EQ(edit.Find("\x5C", 3, -1), 4);
  EXPECT_EQ(edit.Find("a\x5C", 0, 4), -1);
  EXPECT_EQ(edit.Find("", 0, -1), -1);
}

// The user's edits and the program's are each reported once, after their steps; only the
// user's are undone, and undoing leaves the document modified.
TYPED_TEST_P(EditAreaContract, EveryEditIsReportedOnceAndOnlyTypingIsUndone) {
  EditArea& edit = this->edit;
  edit.SetText("abc");
  this->Reports();
  edit.SetSelection({1, 2});
  EXPECT_EQ(this->Reports(), (std::pair<int, int>{0, 1}));
  edit.SetSelection({1, 2});
  EXPECT_EQ(this->Reports(), (std::pair<int, int>{0, 0}));

  this->host.Type("\x93\xFA");  // 日 over b: one removal and one insertion, one report
  EXPECT_EQ(edit.Text(),
            "a\x93\xFA"
            "c");
  EXPECT_EQ(edit.GetSelection(), (Selection{3, 3}));
  EXPECT_EQ(this->Reports(), (std::pair<int, int>{1, 1}));
  EXPECT_TRUE(edit.Modified());

  edit.SetModified(false);
  edit.Undo();
  EXPECT_EQ(edit.Text(), "abc");
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(this->Reports().first, 1);

  edit.SetSelection({1, 2});
  this->Reports();
  edit.ReplaceSelection("XY");
  EXPECT_EQ(edit.Text(), "aXYc");
  EXPECT_EQ(edit.GetSelection(), (Selection{3, 3}));
  EXPECT_EQ(this->Reports(), (std::pair<int, int>{1, 1}));
  edit.Undo();
  EXPECT_EQ(edit.Text(), "aXYc");

  this->host.Type("\r\n");  // Enter puts a whole line break
  EXPECT_EQ(edit.Text(), "aXY\r\nc");
  EXPECT_EQ(edit.GetSelection(), (Selection{5, 5}));
  EXPECT_GT(this->recorder->steps, 0);
}

TYPED_TEST_P(EditAreaContract, ClipboardCarriesTextAndPastedBreaksBecomeCrLf) {
  EditArea& edit = this->edit;
  edit.SetText(
      "\x93\xFA\x96\x7B"
      "abc");
  edit.SetSelection({0, 4});
  edit.Copy();
  EXPECT_EQ(this->host.Clipboard(), "\x93\xFA\x96\x7B");
  edit.Cut();
  EXPECT_EQ(edit.Text(), "abc");
  this->host.SetClipboard("x\ny\rz\r\n");
  edit.SetSelection({3, 3});
  this->Reports();
  edit.Paste();
  EXPECT_EQ(edit.Text(), "abcx\r\ny\r\nz\r\n");
  EXPECT_EQ(edit.GetSelection(), (Selection{12, 12}));
  EXPECT_EQ(this->Reports(), (std::pair<int, int>{1, 1}));
}

TYPED_TEST_P(EditAreaContract, RangesAreReplacedInOneGoWithoutReports) {
  EditArea& edit = this->edit;
  std::string text, expected;
  for (int i = 0; i < 500; ++i) {
    text += "\x93\xFA ab\r\n";
    expected += "\x93\xFA \x83\x5C\r\n";
  }
  edit.SetText(text);
  std::vector<Selection> ranges;
  for (ByteOffset at = 3; at < static_cast<ByteOffset>(text.size()); at += 7) {
    ranges.push_back({at, at + 2});
  }
  this->Reports();
  edit.ReplaceRanges(ranges, "\x83\x5C");
  EXPECT_TRUE(edit.Text() == expected);
  const ByteOffset caret = static_cast<ByteOffset>(expected.size()) - 2;
  EXPECT_EQ(edit.GetSelection(), (Selection{caret, caret}));
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(this->Reports(), (std::pair<int, int>{0, 0}));
  edit.Undo();
  EXPECT_TRUE(edit.Text() == expected);
}

TYPED_TEST_P(EditAreaContract, AWrappedParagraphIsSeveralLinesOfWholeCharacters) {
  EditArea& edit = this->edit;
  this->host.Narrow();
  std::string paragraph;
  for (int i = 0; i < 60; ++i) paragraph += "\x93\xFA\x96\x7B";  // 日本 x 60
  // The same paragraph again below a hundred empty lines, and the view scrolled down to the end: a
  // line starts where it starts whatever is in view.
  std::string below = "\r\n";
  for (int i = 0; i < 100; ++i) below += "\r\n";
  edit.SetText(paragraph + "\r\nz" + below + paragraph);
  const int wrapped = (edit.LineCount() - 101) / 2;
  std::vector<ByteOffset> starts;
  for (int i = 0; i < wrapped; ++i) starts.push_back(edit.LineIndex(i));
  const auto belowStart = static_cast<ByteOffset>(paragraph.size() + 3 + below.size());
  edit.SetSelection({edit.TextLength(), edit.TextLength()});
  edit.ScrollCaret();
  for (int i = 0; i < wrapped; ++i) {
    EXPECT_EQ(edit.LineIndex(i), starts[i]) << "line " << i << " with the view at the end";
    EXPECT_EQ(edit.LineIndex(wrapped + 101 + i) - belowStart, starts[i]) << "line " << i;
  }
  edit.SetSelection({0, 0});
  edit.ScrollCaret();
  edit.SetText(paragraph + "\r\nz");
  const int lines = edit.LineCount();
  ASSERT_GT(lines, 2);
  std::string joined;
  for (int i = 0; i + 1 < lines; ++i) {
    const ByteOffset start = edit.LineIndex(i);
    EXPECT_EQ(start % 2, 0) << "line " << i << " starts inside a character";
    EXPECT_EQ(edit.LineFromOffset(start), i);
    if (i > 0) {
      EXPECT_EQ(edit.LineFromOffset(start - 1), i - 1);
    }
    joined += edit.Line(i);
  }
  EXPECT_EQ(joined, paragraph);
  EXPECT_EQ(edit.Line(lines - 1), "z");
  // All the lines at once are the same lines, from any line on, for as long as they are taken.
  for (int first : {0, 1, lines - 1}) {
    std::vector<std::string> each;
    edit.ForEachLine(first, [&](std::string_view line) {
      each.emplace_back(line);
      return true;
    });
    ASSERT_EQ(each.size(), static_cast<size_t>(lines - first)) << "from line " << first;
    for (int i = first; i < lines; ++i) EXPECT_EQ(each[i - first], edit.Line(i)) << "line " << i;
  }
  int taken = 0;
  edit.ForEachLine(0, [&](std::string_view) { return ++taken < 2; });
  EXPECT_EQ(taken, 2);
  EXPECT_EQ(edit.LineIndex(lines - 1), static_cast<ByteOffset>(paragraph.size()) + 2);
  EXPECT_EQ(edit.LineFromOffset(edit.TextLength()), lines - 1);
}

// A loaded text keeps every byte, NUL included; the history starts empty with it, and the
// user's edits to it are undone as in any other text.
TYPED_TEST_P(EditAreaContract, StreamingKeepsEveryByteAndAFailedReadKeepsTheText) {
  EditArea& edit = this->edit;
  const std::string text = std::string(
      "\x82\xA0\x82\xA2\r\n\r\nline\0\r\n\x81\x40"
      "end\r\n",
      20);
  for (size_t block = 1; block <= 7; block += 3) {
    size_t offset = 0;
    ASSERT_TRUE(edit.StreamIn([&](char* buffer, std::int32_t size, std::int32_t& got) {
      got = static_cast<std::int32_t>(std::min({block, text.size() - offset, size_t(size)}));
      std::copy_n(text.data() + offset, got, buffer);
      offset += got;
      return true;
    }));
    EXPECT_FALSE(edit.Modified());
    EXPECT_EQ(edit.GetSelection(), (Selection{0, 0}));
    std::string out;
    ASSERT_TRUE(edit.StreamOut([&](const char* data, std::int32_t size) {
      out.append(data, size);
      return true;
    }));
    EXPECT_EQ(out, text) << "blocks of " << block;
  }
  edit.Undo();  // nothing to take back into the previous text
  EXPECT_EQ(edit.Text(), text);
  edit.SetSelection({edit.TextLength(), edit.TextLength()});
  this->host.Type("X");
  EXPECT_EQ(edit.Text(), text + "X");
  edit.Undo();
  EXPECT_EQ(edit.Text(), text);
  edit.SetModified(true);
  int calls = 0;
  EXPECT_FALSE(edit.StreamIn([&](char* buffer, std::int32_t, std::int32_t& got) {
    if (++calls > 1) return false;
    got = 4;
    std::copy_n("half", 4, buffer);
    return true;
  }));
  EXPECT_EQ(edit.Text(), text);
  EXPECT_TRUE(edit.Modified());
}

REGISTER_TYPED_TEST_SUITE_P(EditAreaContract, OffsetsSelectionAndLinesAreInBytes,
                            FindsWholeCharactersInsideTheRange,
                            EveryEditIsReportedOnceAndOnlyTypingIsUndone,
                            ClipboardCarriesTextAndPastedBreaksBecomeCrLf,
                            RangesAreReplacedInOneGoWithoutReports,
                            AWrappedParagraphIsSeveralLinesOfWholeCharacters,
                            StreamingKeepsEveryByteAndAFailedReadKeepsTheText);

}  // namespace penlet
