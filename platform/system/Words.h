// Where words begin and end in ANSI code page text, as the platform's text controls find them
// in Asian text: a break falls between two characters of different classes.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/system/Mbcs.h"

namespace penlet {

// The classes of characters that words are made of. Shift-JIS double-byte characters are
// classed by their code; a code page without lead bytes has only the single-byte classes.
enum class WordClass {
  kSpace,              // space, tab, the ideographic space
  kLineBreak,          // CR and LF
  kKanji,              // ideographs with 々, 〆, 〇 and 仝
  kHiragana,           // with ゝ and ゞ
  kKatakana,           // with ー, ヽ and ヾ
  kHalfWidthKatakana,  // with ｰ and the sound marks ﾞ and ﾟ
  kFullWidthLetter,    // full-width Latin letters and digits, Greek and Cyrillic
  kLetter,             // ASCII letters, digits and "_"; other letters of single-byte code pages
  kPunctuation,        // everything else: punctuation and symbols, control characters
};

// The class of the character that starts at `pos` (which must start one).
WordClass ClassAt(std::string_view text, size_t pos, const LeadByteSet& leadBytes);

// Start of the character before `pos` (pos > 0, starting a character).
size_t PreviousCharacter(std::string_view text, size_t pos, const LeadByteSet& leadBytes);

// Where the caret goes with Ctrl+Right from `pos`: past the run of one class that starts there,
// then past the spaces after it. A line break is a run of its own, CR LF counting once.
size_t NextWordStart(std::string_view text, size_t pos, const LeadByteSet& leadBytes);

// Where the caret goes with Ctrl+Left from `pos`: back over spaces, then to the start of the run
// of one class before them.
size_t PreviousWordStart(std::string_view text, size_t pos, const LeadByteSet& leadBytes);

struct WordSpan {
  size_t start = 0;
  size_t end = 0;
};

// The word a double-click at the character starting at `pos` selects: the run of one class
// holding it with the spaces after it. At a line's end it is the run before, without a line
// break; on an empty line nothing.
WordSpan WordAt(std::string_view text, size_t pos, const LeadByteSet& leadBytes);

}  // namespace penlet
