// The counter's character index against a walk from the start, under random edits of every
// kind that the editing area makes, and the steps by which the editing area reports them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/CharacterCount.h"
#include "core/CharacterIndex.h"
#include "core/LeadMask.h"
#include "tests/fakes/FakeEditArea.h"

namespace penlet {
namespace {

// Whole characters, CR and LF alone, trail bytes in the lead range, and lone lead bytes, which
// pair with whatever comes to follow them.
const char* const kPieces[] = {"a",        "\r\n",     "\r",       "\n",   "\x93\xFA", "\x81\x40",
                               "\x93\x93", "\x82\xA0", "\x83\x5C", "\x93", "\xE0",     "\x9F"};

std::string RandomText(std::mt19937& random, int maxPieces) {
  std::string text;
  const int pieces = static_cast<int>(random() % (maxPieces + 1));
  for (int i = 0; i < pieces; ++i) text += kPieces[random() % std::size(kPieces)];
  return text;
}

// An editing area whose steps keep an index, each step checked against the change it made and
// against what the index read to follow it.
class IndexedEditArea : public EditAreaListener {
 public:
  IndexedEditArea(LeadByteSet leadBytes, ByteOffset spacing)
      : edit(leadBytes), index(leadBytes, spacing) {
    edit.clipboard = &clipboard;
    edit.SetListener(this);
  }

  void EditAreaTextChanging(const TextEdit& step) override {
    before_ = edit.Text();
    const std::int64_t read = edit.bytesRead;
    index.Changing(edit, step);
    stepReads_ = edit.bytesRead - read;
  }
  void EditAreaTextChanged(const TextEdit& step) override {
    const std::int64_t read = edit.bytesRead;
    index.Changed(edit, step);
    stepReads_ += edit.bytesRead - read;
    // Only the bytes near the step are read; counting afresh would read the whole text.
    EXPECT_LE(stepReads_, 2 * (step.removed + step.inserted) + 256) << edit.TextLength();

    const std::string now = edit.Text();
    ASSERT_GE(step.position, 0);
    ASSERT_LE(step.position + step.removed, static_cast<ByteOffset>(before_.size()));
    std::string expected = before_;
    expected.replace(step.position, step.removed, now.substr(step.position, step.inserted));
    EXPECT_EQ(now, expected) << "a step that does not describe the change";
  }
  void EditAreaChanged() override { ++changes; }
  void EditAreaSelectionChanged() override { ++selectionChanges; }

  std::string clipboard;
  FakeEditArea edit;
  CharacterIndex index;
  int changes = 0;
  int selectionChanges = 0;

 private:
  std::string before_;
  std::int64_t stepReads_ = 0;
};

Selection RandomSelection(std::mt19937& random, ByteOffset length, ByteOffset maxLength) {
  const ByteOffset start = static_cast<ByteOffset>(random() % (length + 1));
  return {start, std::min(length, start + static_cast<ByteOffset>(random() % (maxLength + 1)))};
}

// Applies one random edit, as the user or the program would make it.
void RandomEdit(std::mt19937& random, IndexedEditArea& area) {
  FakeEditArea& edit = area.edit;
  const ByteOffset length = edit.TextLength();
  const unsigned kind = random() % 100;
  if (length > 4000) {
    // Keeps the text near a size where reading all of it is told apart from reading near a step.
    edit.SetSelection(RandomSelection(random, length, 3000));
    edit.Type("");
  } else if (kind < 45) {
    edit.SetSelection(RandomSelection(random, length, 6));
    edit.Type(RandomText(random, 4));  // nothing typed: a Backspace over the selection
  } else if (kind < 52) {
    edit.SetSelection(RandomSelection(random, length, 6));
    edit.ReplaceSelection(RandomText(random, 3));
  } else if (kind < 58) {
    edit.SetSelection(RandomSelection(random, length, 40));
    edit.Cut();
  } else if (kind < 65) {
    edit.SetSelection(RandomSelection(random, length, 3));
    edit.Paste();
  } else if (kind < 75) {
    edit.Undo();
  } else if (kind < 85) {
    std::vector<Selection> ranges;
    for (ByteOffset p = static_cast<ByteOffset>(random() % 40); p < length;
         p += static_cast<ByteOffset>(random() % 200)) {
      const ByteOffset end = std::min(length, p + 1 + static_cast<ByteOffset>(random() % 3));
      ranges.push_back({p, end});
      p = end;
    }
    const int changes = area.changes;
    const int selectionChanges = area.selectionChanges;
    edit.ReplaceRanges(ranges, RandomText(random, 2));
    EXPECT_EQ(area.changes, changes);  // the caller reports those
    EXPECT_EQ(area.selectionChanges, selectionChanges);
  } else if (kind < 93) {
    edit.SetSelection(RandomSelection(random, length, 2));
    edit.Type(RandomText(random, 600));  // a long paste
  } else if (kind < 97) {
    edit.SetText(RandomText(random, 1200));
  } else {
    const std::string loaded = RandomText(random, 1200);
    size_t at = 0;
    edit.StreamIn([&](char* buffer, std::int32_t size, std::int32_t& got) {
      got = static_cast<std::int32_t>(std::min<size_t>(size, loaded.size() - at));
      std::copy_n(loaded.data() + at, got, buffer);
      at += got;
      return true;
    });
  }
}

TEST(CharacterIndex, FollowsRandomEditsAsAWalkFromTheStartCounts) {
  struct Case {
    LeadByteSet leadBytes;
    ByteOffset spacing;
  } const cases[] = {{LeadByteSet::Cp932(), 1},
                     {LeadByteSet::Cp932(), 7},
                     {LeadByteSet::Cp932(), 64},
                     {LeadByteSet::Cp932(), 1000},
                     {LeadByteSet(), 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spacing);
    std::mt19937 random(c.spacing);
    IndexedEditArea area(c.leadBytes, c.spacing);
    for (int i = 0; i < 1500; ++i) {
      RandomEdit(random, area);
      const std::string text = area.edit.Text();
      const ByteOffset length = static_cast<ByteOffset>(text.size());
      const std::int64_t read = area.edit.bytesRead;
      ASSERT_EQ(area.index.Total(area.edit), CountCharacters(text, length, c.leadBytes))
          << "edit " << i;
      EXPECT_EQ(area.edit.bytesRead, read) << "the total is kept, not counted";
      for (ByteOffset n :
           {static_cast<ByteOffset>(random() % (length + 1)),
            static_cast<ByteOffset>(random() % (length + 1)), ByteOffset{0}, length, length + 2}) {
        ASSERT_EQ(area.index.Before(area.edit, n), CountCharacters(text, n, c.leadBytes))
            << "edit " << i << ", offset " << n;
      }
    }
  }
}

// The mask of lead bytes, told sixteen at a time where the processor can, is the table's, for
// code page 932's two ranges, a single range and a set of three.
// A long walk lets the window answer every few megabytes; what reaches the index there (an edit
// of another program's, a question) neither gets a count from the half-done walk nor leaves the
// index behind the text.
TEST(CharacterIndex, ALongWalkAnswersBetweenAndSurvivesWhatComesThen) {
  const LeadByteSet cp932 = LeadByteSet::Cp932();
  FakeEditArea edit(cp932);
  std::string text;
  while (text.size() < (13u << 20)) text += "\x93\xFA\x96\x7B\x8C\xEA text\r\n";
  edit.SetText(text);
  CharacterIndex index(cp932);
  int calls = 0;
  index.SetBetween([&] { ++calls; });
  index.Reset(edit);
  EXPECT_GE(calls, 3);
  EXPECT_EQ(index.Total(edit),
            CountCharacters(text, static_cast<std::int64_t>(text.size()), cp932));

  // While a paste is being counted, another program puts text at the start, and the counter
  // asks for the total and the caret's place.
  bool edited = false;
  CharacterCount asked = -1;
  index.SetBetween([&] {
    if (edited) return;
    edited = true;
    const TextEdit step{0, 0, 2};
    index.Changing(edit, step);
    edit.SetSelection({0, 0});
    edit.ReplaceSelection("\x82\xA0");  // あ
    index.Changed(edit, step);
    asked = index.Total(edit);
    index.Before(edit, 100);
  });
  const ByteOffset end = edit.TextLength();
  const TextEdit paste{end, 0, static_cast<ByteOffset>(text.size())};
  index.Changing(edit, paste);
  edit.SetSelection({end, end});
  edit.ReplaceSelection(text);
  index.Changed(edit, paste);
  EXPECT_TRUE(edited);
  EXPECT_GE(asked, 0);
  const std::string now = edit.Text();
  ASSERT_EQ(now.size(), 2 * text.size() + 2);
  EXPECT_EQ(index.Total(edit), CountCharacters(now, static_cast<std::int64_t>(now.size()), cp932));
  EXPECT_EQ(index.Before(edit, 1 << 20), CountCharacters(now, 1 << 20, cp932));
}

TEST(LeadMask, TellsTheLeadBytesAsTheTableDoes) {
  std::mt19937 random(932);
  for (const auto& ranges :
       {std::vector<std::pair<int, int>>{{0x81, 0x9F}, {0xE0, 0xFC}},
        std::vector<std::pair<int, int>>{{0x81, 0xFE}},
        std::vector<std::pair<int, int>>{{0x00, 0x01}, {0x81, 0x9F}, {0xFF, 0xFF}}}) {
    std::array<unsigned char, 256> table{};
    for (const auto& [first, last] : ranges) std::fill(&table[first], &table[last] + 1, 1);
    LeadMask mask(table);
    LeadMask byTable(table);
    byTable.UseTableOnly();
    for (int i = 0; i < 2000; ++i) {
      char bytes[32];
      std::uint32_t expected = 0;
      for (int k = 0; k < 32; ++k) {
        bytes[k] = static_cast<char>(random() % 256);
        expected |= std::uint32_t{table[static_cast<unsigned char>(bytes[k])]} << k;
      }
      ASSERT_EQ(mask.Of(bytes), expected);
      ASSERT_EQ(byTable.Of(bytes), expected);
    }
  }
}

}  // namespace
}  // namespace penlet
