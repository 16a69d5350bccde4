// The settings file beside the executable: the main window's size read at start, its
// rectangle written at the end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/FormView.h"
#include "platform/system/Mbcs.h"
#include "platform/files/Profile.h"

namespace penlet {

inline constexpr int kDesignedFormWidth = 670;
inline constexpr int kDesignedFormHeight = 324;

// The executable's path with its extension replaced by ".ini" (appended when the file name has
// none), stepping over double-byte characters whole.
std::string SettingsPath(const std::string& executablePath, const LeadByteSet& leadBytes);

// A value of the settings file as a signed 32-bit integer: decimal within range, or hexadecimal
// after "$", "x", "X" or "0x" taken as a 32-bit pattern, with leading spaces and one sign.
// Nothing when the text is anything else.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

struct WindowSize {
  int width = kDesignedFormWidth;
  int height = kDesignedFormHeight;
};

// Width and Height of the section Form, each falling back to the designed value.
WindowSize ReadWindowSize(const Profile& profile, const LeadByteSet& leadBytes);

// Writes Top, Left, Width and Height, in that order, then flushes the file even when a write
// failed. A refused write raises the error naming the file; the keys after it are not written.
void WriteWindowRect(Profile& profile, const LeadByteSet& leadBytes, const WindowRect& rect);

}  // namespace penlet
