// The counter's characters kept up to date from the steps of each edit.
#include "core/CharacterIndex.h"

#include <algorithm>
#include <bitset>
#include <cstdint>

namespace penlet {
namespace {

// The first block read when looking for a boundary; each further block is twice as long.
// Runs of lead bytes are short in real text, so one small read nearly always does.
constexpr ByteOffset kScanBlock = 16;
// How far a walk goes between two calls of `between`.
constexpr ByteOffset kBetweenBytes = 4 << 20;

}  // namespace

CharacterIndex::CharacterIndex(LeadByteSet leadBytes, ByteOffset spacing)
    : leadBytes_(leadBytes), spacing_(std::max<ByteOffset>(1, spacing)) {
  for (int byte = 0; byte < 256; ++byte) lead_[byte] = leadBytes_.Contains(byte) ? 1 : 0;
  leadMask_ = LeadMask(lead_);
}

void CharacterIndex::Reset(const TextReader& text) {
  if (walking_) {
    interrupted_ = true;
    return;
  }
  do {
    interrupted_ = false;
    pending_ = {};
    length_ = text.TextLength();
    total_ = 0;
    checkpoints_.assign(1, {0, 0});
    if (CountsBytes()) return;
    std::vector<Checkpoint> passed;
    Walk(text, 0, length_, total_, &passed);
    checkpoints_.insert(checkpoints_.end(), passed.begin(), passed.end());
  } while (interrupted_);
}

void CharacterIndex::Follow(const TextReader& text) {
  if (text.TextLength() != length_) Reset(text);
}

void CharacterIndex::Changing(const TextReader& old, const TextEdit& edit) {
  pending_ = {};
  if (walking_) interrupted_ = true;
  if (CountsBytes() || walking_) return;
  // Steps that do not fit the text as the index knows it are left to Changed, which counts
  // afresh.
  if (old.TextLength() != length_ || edit.position < 0 || edit.removed < 0 || edit.inserted < 0 ||
      edit.position > length_ - edit.removed) {
    return;
  }
  pending_.edit = edit;
  if (edit.position == 0 && edit.removed == length_) {
    // The whole text goes, as on a load: its count is known.
    pending_.to = length_;
    pending_.characters = total_;
  } else {
    // A checkpoint before the step is a boundary too, and bounds the scan back.
    pending_.from =
        BoundaryAtOrBefore(old, edit.position, CheckpointAtOrBefore(edit.position)->offset);
    pending_.to = BoundaryAtOrAfter(old, edit.position + edit.removed);
    pending_.characters = CountBetween(old, pending_.from, pending_.to);
    if (interrupted_) {
      // Changed counts afresh.
      interrupted_ = false;
      return;
    }
  }
  pending_.valid = true;
}

void CharacterIndex::Changed(const TextReader& now, const TextEdit& edit) {
  if (walking_) interrupted_ = true;
  if (CountsBytes() || walking_) return;
  const PendingStep step = pending_;
  pending_ = {};
  const ByteOffset byteDelta = edit.inserted - edit.removed;
  if (!step.valid || step.edit.position != edit.position || step.edit.removed != edit.removed ||
      step.edit.inserted != edit.inserted || now.TextLength() != length_ + byteDelta) {
    Reset(now);
    return;
  }

  // Both ends stay boundaries: the byte before each is an unchanged byte that is not a lead
  // byte, or the end is the text's start or end. Where the count at the start is known, the
  // walk over the new bytes leaves checkpoints behind.
  auto at = CheckpointAtOrBefore(step.from);
  const bool known = at->offset == step.from;
  CharacterCount walked = known ? at->before : 0;
  std::vector<Checkpoint> passed;
  Walk(now, step.from, step.to + byteDelta, walked, known ? &passed : nullptr);
  if (interrupted_) {
    Reset(now);
    return;
  }
  const CharacterCount characters = walked - (known ? at->before : 0);
  const CharacterCount characterDelta = characters - step.characters;

  total_ += characterDelta;
  length_ += byteDelta;
  const auto first =
      std::upper_bound(checkpoints_.begin(), checkpoints_.end(), step.from,
                       [](ByteOffset offset, const Checkpoint& c) { return offset < c.offset; });
  const auto last =
      std::lower_bound(first, checkpoints_.end(), step.to,
                       [](const Checkpoint& c, ByteOffset offset) { return c.offset < offset; });
  for (auto c = last; c != checkpoints_.end(); ++c) {
    c->offset += byteDelta;
    c->before += characterDelta;
  }
  const auto gap = checkpoints_.erase(first, last);
  checkpoints_.insert(gap, passed.begin(), passed.end());
  // The end of the text is a boundary only while nothing follows it: a lead byte before it takes
  // the first byte added there. No checkpoint may stay at the end.
  while (checkpoints_.size() > 1 && checkpoints_.back().offset >= length_) checkpoints_.pop_back();
}

CharacterCount CharacterIndex::Total(const TextReader& text) {
  if (CountsBytes()) return text.TextLength();
  if (walking_) {
    interrupted_ = true;
    return total_;
  }
  Follow(text);
  return total_;
}

CharacterCount CharacterIndex::Before(const TextReader& text, ByteOffset n) {
  if (CountsBytes()) return std::clamp<ByteOffset>(n, 0, text.TextLength());
  if (walking_) {
    interrupted_ = true;
    return std::min(CheckpointAtOrBefore(n)->before, total_);
  }
  Follow(text);
  if (n <= 0) return 0;
  if (n >= length_) return total_;
  const auto at = CheckpointAtOrBefore(n);
  CharacterCount count = at->before;
  std::vector<Checkpoint> passed;
  Walk(text, at->offset, n, count, &passed);
  if (interrupted_) {
    Reset(text);
    return Before(text, n);
  }
  // The walk never passes the next checkpoint, so the new ones go right after this one.
  checkpoints_.insert(at + 1, passed.begin(), passed.end());
  return count;
}

CharacterCount CharacterIndex::CountBetween(const TextReader& text, ByteOffset from,
                                            ByteOffset to) {
  // What lies between the first and the last checkpoint inside is known: a long selection
  // deleted costs a walk over its two ends only.
  const auto first =
      std::lower_bound(checkpoints_.begin(), checkpoints_.end(), from,
                       [](const Checkpoint& c, ByteOffset offset) { return c.offset < offset; });
  CharacterCount count = 0;
  if (first == checkpoints_.end() || first->offset >= to) {
    Walk(text, from, to, count, nullptr);
    return count;
  }
  const auto last = CheckpointAtOrBefore(to);
  Walk(text, from, first->offset, count, nullptr);
  count += last->before - first->before;
  Walk(text, last->offset, to, count, nullptr);
  return count;
}

std::vector<CharacterIndex::Checkpoint>::iterator CharacterIndex::CheckpointAtOrBefore(
    ByteOffset offset) {
  const auto after =
      std::upper_bound(checkpoints_.begin(), checkpoints_.end(), offset,
                       [](ByteOffset value, const Checkpoint& c) { return value < c.offset; });
  return after == checkpoints_.begin() ? after : after - 1;
}

ByteOffset CharacterIndex::BoundaryAtOrBefore(const TextReader& text, ByteOffset offset,
                                              ByteOffset floor) const {
  ByteOffset end = offset;
  ByteOffset block = kScanBlock;
  while (end > floor) {
    const ByteOffset start = std::max<ByteOffset>(floor, end - block);
    const std::string_view bytes = text.TextRange(start, end);
    if (bytes.size() != static_cast<size_t>(end - start)) return floor;
    for (size_t i = bytes.size(); i > 0; --i) {
      if (!IsLead(bytes[i - 1])) return start + static_cast<ByteOffset>(i);
    }
    end = start;
    block = std::min(block * 2, spacing_);
  }
  return floor;
}

ByteOffset CharacterIndex::BoundaryAtOrAfter(const TextReader& text, ByteOffset offset) const {
  const ByteOffset length = text.TextLength();
  ByteOffset start = offset;
  ByteOffset block = kScanBlock;
  while (start < length) {
    const std::string_view bytes = text.TextRange(start, std::min(length, start + block));
    if (bytes.empty()) break;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (!IsLead(bytes[i])) return start + static_cast<ByteOffset>(i) + 1;
    }
    start += static_cast<ByteOffset>(bytes.size());
    block = std::min(block * 2, spacing_);
  }
  return length;
}

CharacterCount CharacterIndex::CountSettled(const char* bytes, ByteOffset size) const {
  // Thirty-two bytes at a time: which of them are trail bytes follows from which are lead
  // bytes by arithmetic on the masks. A trail byte is one after a lead byte that is not itself
  // a trail byte; in a run of lead bytes every second byte is one. Adding the run's first bit
  // to the run carries through it, which tells runs that start on an even bit from those that
  // start on an odd one. `carry` says the next block begins with a trail byte.
  constexpr std::uint32_t kEvenBits = 0x55555555;
  CharacterCount characters = 0;
  std::uint32_t carry = 0;
  ByteOffset j = 0;
  for (; j + 32 <= size; j += 32) {
    std::uint32_t leads = leadMask_.Of(bytes + j);
    leads &= ~carry;  // a trail byte in the lead range leads nothing
    const std::uint32_t afterLead = (leads << 1) | carry;
    const std::uint32_t oddStarts = leads & ~kEvenBits & ~afterLead;
    const std::uint32_t sum = oddStarts + leads;
    carry = sum < leads ? 1 : 0;
    const std::uint32_t trails = (kEvenBits ^ (sum << 1)) & afterLead;
    characters += 32 - static_cast<CharacterCount>(std::bitset<32>(trails).count());
  }
  // The rest one character at a time; up to `size` a lead byte always has its trail.
  for (ByteOffset i = j + static_cast<ByteOffset>(carry); i < size; ++characters) {
    i += 1 + lead_[static_cast<unsigned char>(bytes[i])];
  }
  return characters;
}

ByteOffset CharacterIndex::Walk(const TextReader& text, ByteOffset from, ByteOffset to,
                                CharacterCount& count, std::vector<Checkpoint>* passed) const {
  const ByteOffset length = text.TextLength();
  ByteOffset p = from;
  ByteOffset answered = from;
  while (p < to) {
    if (between_ && p - answered >= kBetweenBytes) {
      answered = p;
      walking_ = true;
      between_();
      walking_ = false;
      // The text may have changed meanwhile: what is left is for the caller to count afresh.
      if (interrupted_) return p;
    }
    const std::string_view bytes = text.TextRange(p, std::min(to, p + spacing_));
    if (bytes.empty()) break;
    // A lead byte at the block's end takes the byte after it, which lies beyond the block:
    // whether there is one is a question of the text's length, not the block's.
    const ByteOffset lastWithTrail = length - 1 - p;
    const ByteOffset size = static_cast<ByteOffset>(bytes.size());
    // Up to the block's last byte that is not a lead byte, whose end is a boundary, the walk
    // needs no steps: counted on masks of 32 bytes, this is several times faster on Japanese
    // text than stepping.
    ByteOffset settled = size;
    while (settled > 0 && lead_[static_cast<unsigned char>(bytes[settled - 1])]) --settled;
    count += CountSettled(bytes.data(), settled);
    // The lead bytes after it, stepped over one character at a time.
    ByteOffset i = settled;
    while (i < size) {
      i += (IsLead(bytes[i]) && i < lastWithTrail) ? 2 : 1;
      ++count;
    }
    p += i;
    if (passed && p < to) passed->push_back({p, count});
  }
  return p;
}

}  // namespace penlet
