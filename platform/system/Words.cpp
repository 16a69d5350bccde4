// The classes of code page 932 characters, and the runs of one class that make words.
#include "platform/system/Words.h"

#include <algorithm>

namespace penlet {
namespace {

bool Between(unsigned code, unsigned first, unsigned last) {
  return code >= first && code <= last;
}

// A Shift-JIS double-byte character by its code (lead byte high).
WordClass DoubleByteClass(unsigned code) {
  if (code == 0x8140) return WordClass::kSpace;
  if (Between(code, 0x8157, 0x815A)) return WordClass::kKanji;  // 仝 々 〆 〇
  if (code == 0x815B || code == 0x8152 || code == 0x8153) return WordClass::kKatakana;
  if (code == 0x8154 || code == 0x8155) return WordClass::kHiragana;
  if (Between(code, 0x824F, 0x8258) || Between(code, 0x8260, 0x8279) ||
      Between(code, 0x8281, 0x829A) || Between(code, 0x839F, 0x83D6) ||
      Between(code, 0x8440, 0x8491)) {
    return WordClass::kFullWidthLetter;
  }
  if (Between(code, 0x829F, 0x82F1)) return WordClass::kHiragana;
  if (Between(code, 0x8340, 0x8396)) return WordClass::kKatakana;
  // JIS levels 1 and 2, the user-defined area, and the NEC and IBM extensions but their
  // numerals and signs.
  if (Between(code, 0x889F, 0x9FFC) || Between(code, 0xE040, 0xEAA4) ||
      Between(code, 0xED40, 0xEEEC) || Between(code, 0xF040, 0xF9FC) ||
      Between(code, 0xFA5C, 0xFC4B)) {
    return WordClass::kKanji;
  }
  return WordClass::kPunctuation;
}

WordClass SingleByteClass(unsigned char byte, bool doubleByteCodePage) {
  if (byte == '\r' || byte == '\n') return WordClass::kLineBreak;
  if (byte == ' ' || byte == '\t') return WordClass::kSpace;
  if (Between(byte, '0', '9') || Between(byte, 'A', 'Z') || Between(byte, 'a', 'z') ||
      byte == '_') {
    return WordClass::kLetter;
  }
  if (byte < 0x80) return WordClass::kPunctuation;
  // The only single bytes above ASCII of the Japanese code page are the half-width kana (from
  // ｦ) and their punctuation (｡ to ･).
  if (doubleByteCodePage) {
    return Between(byte, 0xA6, 0xDF) ? WordClass::kHalfWidthKatakana : WordClass::kPunctuation;
  }
  return byte >= 0xC0 ? WordClass::kLetter : WordClass::kPunctuation;
}

// The end of the run of `cls` from `pos`.
size_t RunEnd(std::string_view text, size_t pos, WordClass cls, const LeadByteSet& leadBytes) {
  while (pos < text.size() && ClassAt(text, pos, leadBytes) == cls) pos = leadBytes.Next(text, pos);
  return pos;
}

// The start of the run of `cls` that ends at `pos`.
size_t RunStart(std::string_view text, size_t pos, WordClass cls, const LeadByteSet& leadBytes) {
  while (pos > 0) {
    const size_t previous = PreviousCharacter(text, pos, leadBytes);
    if (ClassAt(text, previous, leadBytes) != cls) break;
    pos = previous;
  }
  return pos;
}

// Past one line break at `pos`: CR LF, or a CR or LF alone.
size_t PastLineBreak(std::string_view text, size_t pos) {
  if (text.compare(pos, 2, "\r\n") == 0) return pos + 2;
  return pos + 1;
}

}  // namespace

WordClass ClassAt(std::string_view text, size_t pos, const LeadByteSet& leadBytes) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  if (leadBytes.Contains(byte)) {
    if (pos + 1 >= text.size()) return WordClass::kPunctuation;  // a lead byte alone
    return DoubleByteClass(byte << 8 | static_cast<unsigned char>(text[pos + 1]));
  }
  return SingleByteClass(byte, !leadBytes.Empty());
}

size_t PreviousCharacter(std::string_view text, size_t pos, const LeadByteSet& leadBytes) {
  if (pos >= 2 && leadBytes.Contains(static_cast<unsigned char>(text[pos - 2])) &&
      leadBytes.StartsCharacter(text, pos - 2)) {
    return pos - 2;
  }
  return pos - 1;
}

size_t NextWordStart(std::string_view text, size_t pos, const LeadByteSet& leadBytes) {
  if (pos >= text.size()) return text.size();
  const WordClass cls = ClassAt(text, pos, leadBytes);
  if (cls == WordClass::kLineBreak) return PastLineBreak(text, pos);
  pos = RunEnd(text, pos, cls, leadBytes);
  return RunEnd(text, pos, WordClass::kSpace, leadBytes);
}

size_t PreviousWordStart(std::string_view text, size_t pos, const LeadByteSet& leadBytes) {
  pos = RunStart(text, pos, WordClass::kSpace, leadBytes);
  if (pos == 0) return 0;
  const size_t previous = PreviousCharacter(text, pos, leadBytes);
  const WordClass cls = ClassAt(text, previous, leadBytes);
  if (cls == WordClass::kLineBreak) {
    return pos >= 2 && text.compare(pos - 2, 2, "\r\n") == 0 ? pos - 2 : pos - 1;
  }
  return RunStart(text, pos, cls, leadBytes);
}

WordSpan WordAt(std::string_view text, size_t pos, const LeadByteSet& leadBytes) {
  if (pos >= text.size() || ClassAt(text, pos, leadBytes) == WordClass::kLineBreak) {
    pos = std::min(pos, text.size());
    if (pos == 0) return {0, 0};
    const WordClass before = ClassAt(text, PreviousCharacter(text, pos, leadBytes), leadBytes);
    if (before == WordClass::kLineBreak) return {pos, pos};
    return {RunStart(text, pos, before, leadBytes), pos};
  }
  const WordClass cls = ClassAt(text, pos, leadBytes);
  WordSpan span{RunStart(text, pos, cls, leadBytes), RunEnd(text, pos, cls, leadBytes)};
  if (cls != WordClass::kSpace) span.end = RunEnd(text, span.end, WordClass::kSpace, leadBytes);
  return span;
}

}  // namespace penlet
