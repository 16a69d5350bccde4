// The counter's characters of the editing area's text, kept up to date from the steps of each
// edit, so that a keystroke costs the same in a long text as in a short one.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "core/CharacterCount.h"
#include "core/LeadMask.h"
#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"

namespace penlet {

// Counts as CountCharacters does, without walking the whole text after each edit. It rests on
// one fact of that walk: the position after a byte that is not a lead byte is always a character
// boundary, the byte being a character alone or the trail of one. An edit can therefore change
// the count only between the nearest such positions around it, and checkpoints (byte offset,
// characters before it) spare a walk from the start when the caret's offset is asked for.
class CharacterIndex {
 public:
  // An empty set counts bytes. Checkpoints are kept about `spacing` bytes apart; the text is
  // read in blocks of that size.
  explicit CharacterIndex(LeadByteSet leadBytes, ByteOffset spacing = 65536);

  // Counts `text` afresh.
  void Reset(const TextReader& text);
  // Each step of an edit: before it, with the text still as it was, and after it.
  void Changing(const TextReader& old, const TextEdit& edit);
  void Changed(const TextReader& now, const TextEdit& edit);

  // The characters of the whole text.
  CharacterCount Total(const TextReader& text);
  // The characters that begin before byte offset `n`.
  CharacterCount Before(const TextReader& text, ByteOffset n);

  // Called every few megabytes of a long walk (a text read in, a long paste), where the window
  // may answer what it is asked. An edit reported meanwhile, or a question to the index, finds
  // the walk in the middle: the question gets the count as it stood, and the text is counted
  // afresh once the walk is back.
  void SetBetween(std::function<void()> between) { between_ = std::move(between); }

 private:
  struct Checkpoint {
    ByteOffset offset;      // a character boundary
    CharacterCount before;  // characters before it
  };
  // What Changing found out for Changed.
  struct PendingStep {
    bool valid = false;
    TextEdit edit;
    ByteOffset from = 0;  // character boundaries around the step, in the old text
    ByteOffset to = 0;
    CharacterCount characters = 0;  // between them
  };

  bool CountsBytes() const { return leadBytes_.Empty(); }
  bool IsLead(char byte) const { return leadBytes_.Contains(static_cast<unsigned char>(byte)); }
  // Counts afresh when `text` is not the length that the steps have made it.
  void Follow(const TextReader& text);
  // The position after the nearest byte before `offset` that is not a lead byte, or `floor`, a
  // boundary, when there is none after it.
  ByteOffset BoundaryAtOrBefore(const TextReader& text, ByteOffset offset, ByteOffset floor) const;
  // The position after the first byte at or after `offset` that is not a lead byte, or the end.
  ByteOffset BoundaryAtOrAfter(const TextReader& text, ByteOffset offset) const;
  // Adds to `count` the characters that begin in [from, to), `from` being a boundary; returns
  // where the walk stopped: `to`, or one further when a character straddles `to`. With
  // `passed`, the boundary after each full block before `to` is recorded there.
  ByteOffset Walk(const TextReader& text, ByteOffset from, ByteOffset to, CharacterCount& count,
                  std::vector<Checkpoint>* passed) const;
  // The characters that begin in [from, to), both boundaries.
  CharacterCount CountBetween(const TextReader& text, ByteOffset from, ByteOffset to);
  // The characters of `size` bytes that start at a boundary and end with one.
  CharacterCount CountSettled(const char* bytes, ByteOffset size) const;
  // The last checkpoint at or before `offset`.
  std::vector<Checkpoint>::iterator CheckpointAtOrBefore(ByteOffset offset);

  LeadByteSet leadBytes_;
  std::array<unsigned char, 256> lead_{};  // 1 for a lead byte: the walk's table
  LeadMask leadMask_{lead_};
  ByteOffset spacing_;
  ByteOffset length_ = 0;
  CharacterCount total_ = 0;
  std::vector<Checkpoint> checkpoints_{{0, 0}};  // ascending, the first at 0
  PendingStep pending_;
  std::function<void()> between_;
  mutable bool walking_ = false;      // a walk is under way, perhaps calling between_
  mutable bool interrupted_ = false;  // something reached the index during a walk
};

}  // namespace penlet
