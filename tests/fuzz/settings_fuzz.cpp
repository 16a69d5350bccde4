// The settings file's integer reader against a plain parser of the same rule, the size read
// through a profile, and the settings file's path.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Settings.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace penlet;
using namespace penlet::fuzz;

namespace {

// Leading spaces, one sign, then decimal digits within range, or hexadecimal digits after "$",
// "x", "X" or "0x"/"0X" taken as a 32-bit pattern (leading zeros never count).
std::optional<std::int32_t> Reference(std::string_view s) {
  s.remove_prefix(std::min(s.size(), s.find_first_not_of(' ')));
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
  int base = 10;
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16, s.remove_prefix(2);
  } else if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
    base = 16, s.remove_prefix(1);
  }
  const char* digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
  if (s.empty() || s.find_first_not_of(digits) != std::string_view::npos) return std::nullopt;
  s.remove_prefix(std::min(s.size() - 1, s.find_first_not_of('0')));
  if (s.size() > (base == 16 ? 8u : 10u)) return std::nullopt;
  std::uint64_t value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (base == 16) return static_cast<std::int32_t>(negative ? 0u - value : value);
  const std::int64_t signedValue = negative ? -static_cast<std::int64_t>(value) : value;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(signedValue);
}

struct OneValueProfile : Profile {
  std::string value;
  std::string ModulePath() const override { return "C:\\Tools\\penlet.exe"; }
  std::string ReadString(const std::string&, const std::string&,
                         const std::string& key) const override {
    return key == "Width" ? value : std::string();
  }
  bool WriteString(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {
    return true;
  }
  void Flush(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> value = ParseProfileInteger(text);
  FUZZ_CHECK(value == Reference(text), "the reader differs from the plain parser");

  OneValueProfile profile;
  profile.value = text;
  const WindowSize read = ReadWindowSize(profile, kCp932);
  FUZZ_CHECK(read.width == value.value_or(kDesignedFormWidth) && read.height == kDesignedFormHeight,
             "the size read is neither the value nor the designed one");

  // The same bytes as an executable's path: only an extension of its file name gives way.
  const std::string ini = SettingsPath(text, kCp932);
  const size_t kept = ini.size() - 4;
  FUZZ_CHECK(ini.compare(kept, 4, ".ini") == 0 && text.compare(0, kept, ini, 0, kept) == 0,
             "the settings path is not the executable's path with .ini");
  const std::string_view extension = std::string_view(text).substr(kept);
  FUZZ_CHECK(extension.empty() || (CharacterStarts(text)[kept] && extension[0] == '.' &&
                                   !HasCharacter(extension, '\\') && !HasCharacter(extension, ':')),
             "what the settings path drops is not the file name's extension");
  return 0;
}
