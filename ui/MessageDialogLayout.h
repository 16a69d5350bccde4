// The pure rules behind the program-drawn message boxes: size and placement from the message
// font, which buttons a box has and which keys choose them, what Ctrl+C copies, and the text
// of the exception box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/system/Dpi.h"
#include "platform/system/Mbcs.h"
#include "core/MessageBoxes.h"

namespace penlet {

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PixelRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize& o) const { return width == o.width && height == o.height; }
};

// The 52 letters whose mean width is the font's horizontal measure.
inline constexpr std::string_view kAverageWidthSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The mean letter width from the width of kAverageWidthSample, rounded down.
int AverageLetterWidth(int sampleWidth);

// The widest the text block may be before it wraps.
int MessageTextWidthLimit(int screenWidth);

inline constexpr int kMessageIconSize = 32;

struct MessageLayoutInput {
  PixelSize text;                // the text block as drawn, wrapped at MessageTextWidthLimit
  std::vector<int> labelWidths;  // one per button, as drawn (without "&")
  bool hasIcon = false;
  int averageLetterWidth = 0;  // from AverageLetterWidth
  int charHeight = 0;          // the font's character height
  int dpi = 96;                // of the box's screen: the icon and the label padding follow it
};

struct MessageLayout {
  int iconSize = kMessageIconSize;  // scaled to the box's screen
  PixelSize client;
  PixelRect icon;  // empty when the box has no icon
  PixelRect text;
  std::vector<PixelRect> buttons;  // left to right
};

MessageLayout LayOutMessageBox(const MessageLayoutInput& in);

// The buttons of a box in the order they stand, and the ones Enter and Escape choose.
struct ButtonRow {
  std::vector<MessageButton> buttons;  // Yes, No, OK, Cancel, as far as present
  unsigned defaultButton = 0;          // a MessageButton, or 0 for none
  unsigned cancelButton = 0;           // a MessageButton, or 0 for none
};

// An empty set gives the single button OK, so that no box is left without a way out.
ButtonRow MakeButtonRow(unsigned buttons);

DialogResult ResultOfButton(MessageButton button);

// The letter after the first "&" of a label, lower-cased; 0 when the label has none.
char AccessLetter(std::string_view label);

// The exception box's text: the message with "." added unless it is empty or its last
// character starts with a byte up to "." (controls, space, "!" to "-", ".").
std::string WithFullStop(std::string_view message, const LeadByteSet& leadBytes);

// What Ctrl+C puts on the clipboard for a box: dividers, caption, text, the labels without
// "&", each line ending in CR LF.
std::string MessageBoxClipboardText(std::string_view caption, std::string_view text,
                                    const std::vector<std::string>& labels);

}  // namespace penlet
