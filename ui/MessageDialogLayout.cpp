// The pure rules behind the program-drawn message boxes.
#include "ui/MessageDialogLayout.h"

#include <algorithm>
#include <cctype>

namespace penlet {
namespace {

// Dialog units: a horizontal unit is a quarter of the mean letter width, a vertical unit an
// eighth of the character height; every measure is rounded to the nearest pixel.
int Horizontal(int units, int w) {
  return (units * w * 2 + 4) / 8;
}
int Vertical(int units, int h) {
  return (units * h * 2 + 8) / 16;
}

constexpr int kMarginX = 8;
constexpr int kMarginY = 8;
constexpr int kIconGap = 10;
constexpr int kButtonGapY = 10;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGapX = 4;
constexpr int kLabelPadding = 8;  // pixels

constexpr std::string_view kDivider = "---------------------------";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

int AverageLetterWidth(int sampleWidth) {
  return sampleWidth / static_cast<int>(kAverageWidthSample.size());
}

int MessageTextWidthLimit(int screenWidth) {
  return screenWidth / 2;
}

MessageLayout LayOutMessageBox(const MessageLayoutInput& in) {
  const int w = in.averageLetterWidth;
  const int h = in.charHeight;
  const int marginX = Horizontal(kMarginX, w);
  const int marginY = Vertical(kMarginY, h);
  const int iconGap = Horizontal(kIconGap, w);
  const int buttonGapY = Vertical(kButtonGapY, h);
  const int buttonGapX = Horizontal(kButtonGapX, w);
  const int buttonHeight = Vertical(kButtonHeight, h);
  // The dialog units grow with the font; the icon and the padding are pixels of their own.
  const int iconSize = ScaleForDpi(kMessageIconSize, in.dpi);
  const int labelPadding = ScaleForDpi(kLabelPadding, in.dpi);
  int buttonWidth = Horizontal(kButtonWidth, w);
  for (int label : in.labelWidths) buttonWidth = std::max(buttonWidth, label + labelPadding);

  const int textLeft = marginX + (in.hasIcon ? iconSize + iconGap : 0);
  const int blockWidth = textLeft - marginX + in.text.width;
  const int blockHeight = in.hasIcon ? std::max(in.text.height, iconSize) : in.text.height;
  const int n = static_cast<int>(in.labelWidths.size());
  const int rowWidth = n > 0 ? n * buttonWidth + (n - 1) * buttonGapX : 0;

  MessageLayout out;
  out.iconSize = iconSize;
  out.client.width = std::max(blockWidth, rowWidth) + 2 * marginX;
  out.client.height = blockHeight + buttonHeight + buttonGapY + 2 * marginY;
  if (in.hasIcon) {
    out.icon = {marginX, marginY, marginX + iconSize, marginY + iconSize};
  }
  out.text = {textLeft, marginY, textLeft + in.text.width, marginY + in.text.height};
  const int rowTop = marginY + blockHeight + buttonGapY;
  int left = (out.client.width - rowWidth) / 2;
  for (int i = 0; i < n; ++i) {
    out.buttons.push_back({left, rowTop, left + buttonWidth, rowTop + buttonHeight});
    left += buttonWidth + buttonGapX;
  }
  return out;
}

ButtonRow MakeButtonRow(unsigned buttons) {
  buttons &= kButtonYes | kButtonNo | kButtonOk | kButtonCancel;
  if (buttons == 0) buttons = kButtonOk;
  ButtonRow row;
  for (MessageButton b : {kButtonYes, kButtonNo, kButtonOk, kButtonCancel}) {
    if (buttons & b) row.buttons.push_back(b);
  }
  if (buttons & kButtonOk) {
    row.defaultButton = kButtonOk;
  } else if (buttons & kButtonYes) {
    row.defaultButton = kButtonYes;
  }
  for (MessageButton b : {kButtonCancel, kButtonNo, kButtonOk}) {
    if (buttons & b) {
      row.cancelButton = b;
      break;
    }
  }
  return row;
}

DialogResult ResultOfButton(MessageButton button) {
  switch (button) {
    case kButtonYes:
      return DialogResult::Yes;
    case kButtonNo:
      return DialogResult::No;
    case kButtonOk:
      return DialogResult::Ok;
    case kButtonCancel:
      break;
  }
  return DialogResult::Cancel;
}

char AccessLetter(std::string_view label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] == '&') {  // "&&" is a literal "&"
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(label[i + 1])));
  }
  return 0;
}

std::string WithFullStop(std::string_view message, const LeadByteSet& leadBytes) {
  std::string out(message);
  if (message.empty()) return out;
  size_t last = 0;
  for (size_t pos = 0; pos < message.size(); pos = leadBytes.Next(message, pos)) last = pos;
  if (static_cast<unsigned char>(message[last]) > '.') out += '.';
  return out;
}

std::string MessageBoxClipboardText(std::string_view caption, std::string_view text,
                                    const std::vector<std::string>& labels) {
  std::string out;
  auto line = [&out](std::string_view s) {
    out += s;
    out += kLineEnd;
  };
  line(kDivider);
  line(caption);
  line(kDivider);
  line(text);
  line(kDivider);
  std::string row;
  for (const std::string& label : labels) {
    for (char c : label) {
      if (c != '&') row += c;
    }
    row += "   ";
  }
  line(row);
  line(kDivider);
  return out;
}

}  // namespace penlet
