// The settings file beside the executable.
#include "core/Settings.h"

#include "core/Error.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr char kSection[] = "Form";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int ReadInteger(const Profile& profile, const std::string& path, const char* key, int fallback) {
  if (path.empty()) return fallback;
  return ParseProfileInteger(profile.ReadString(path, kSection, key)).value_or(fallback);
}

std::string Path(const Profile& profile, const LeadByteSet& leadBytes) {
  const std::string module = profile.ModulePath();
  return module.empty() ? std::string() : SettingsPath(module, leadBytes);
}

}  // namespace

std::string SettingsPath(const std::string& executablePath, const LeadByteSet& leadBytes) {
  size_t dot = std::string::npos;
  for (size_t p = 0; p < executablePath.size(); p = leadBytes.Next(executablePath, p)) {
    const char c = executablePath[p];
    if (c == '\\' || c == ':') dot = std::string::npos;
    if (c == '.') dot = p;
  }
  return executablePath.substr(0, dot) + ".ini";
}

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  size_t p = 0;
  while (p < text.size() && text[p] == ' ') ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  const std::string_view rest = text.substr(p);
  size_t digits = 0;
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    digits = 1;
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    digits = 2;
  }
  if (digits > 0) {
    if (digits == rest.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (size_t i = digits; i < rest.size(); ++i) {
      const int d = HexDigit(rest[i]);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    std::uint32_t pattern = static_cast<std::uint32_t>(value);
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);
  }
  if (rest.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

WindowSize ReadWindowSize(const Profile& profile, const LeadByteSet& leadBytes) {
  WindowSize size;
  size.width = ReadInteger(profile, Path(profile, leadBytes), "Width", kDesignedFormWidth);
  size.height = ReadInteger(profile, Path(profile, leadBytes), "Height", kDesignedFormHeight);
  return size;
}

void WriteWindowRect(Profile& profile, const LeadByteSet& leadBytes, const WindowRect& rect) {
  const std::string path = Path(profile, leadBytes);
  std::string failure = Ansi(texts::kSettingsWriteError);
  const size_t at = failure.find("%s");
  if (at != std::string::npos) failure.replace(at, 2, path);
  if (path.empty()) throw Error(failure);

  const struct {
    const char* key;
    int value;
  } values[] = {
      {"Top", rect.top}, {"Left", rect.left}, {"Width", rect.width}, {"Height", rect.height}};
  bool written = true;
  for (const auto& v : values) {
    written = profile.WriteString(path, kSection, v.key, std::to_string(v.value));
    if (!written) break;
  }
  profile.Flush(path);
  if (!written) throw Error(failure);
}

}  // namespace penlet
