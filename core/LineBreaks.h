// Turns the bytes of a document file into the editing area's text while it is being loaded:
// CR LF, a lone CR and a lone LF each become one CR LF line break.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/edit/EditArea.h"

namespace penlet {

class FileReader;

// Fed block by block as the editing area asks. For a request of n bytes it reads at most n / 2
// bytes from its source, so that the converted bytes fit the request even when every byte
// doubles. A CR that ends a block waits for the next one to tell whether an LF follows; a CR
// that ends the file is a line break.
// Every other byte, NUL included, is kept as it is, so that a file saved again differs only by
// the user's edits and its line breaks.
class LineBreakConverter {
 public:
  explicit LineBreakConverter(ReadBlock source) : source_(std::move(source)) {}

  // Same contract as ReadBlock: got == 0 only at the end; false when the source failed.
  bool Read(char* buffer, std::int32_t size, std::int32_t& got);

 private:
  void Convert(const char* raw, std::int32_t count);

  ReadBlock source_;
  std::vector<char> raw_;
  std::string pending_;  // converted bytes not yet handed over
  bool heldCr_ = false;
  bool ended_ = false;
};

// A block reader for the editing area that reads `file` and converts its line breaks. The
// reader must outlive the returned function's use.
ReadBlock LineBreakingReader(FileReader& file);

}  // namespace penlet
