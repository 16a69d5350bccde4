// The message boxes' pure rules: layout from font metrics, button rows, the exception box's
// full stop and the text Ctrl+C copies.
#include "ui/MessageDialogLayout.h"

#include <gtest/gtest.h>

#include "core/Texts.h"

namespace penlet {
namespace {

TEST(MessageBoxLayout, ConfirmationWithIconInSmallFont) {
  // w = 6, h = 13: margins 12 x 13, icon gap 15, text-button gap 16 (16.25), button 75 x 23
  // (22.75), button gap 6.
  MessageLayoutInput in;
  in.text = {200, 45};
  in.labelWidths = {40, 52, 48};
  in.hasIcon = true;
  in.averageLetterWidth = 6;
  in.charHeight = 13;
  const MessageLayout out = LayOutMessageBox(in);
  EXPECT_EQ(out.client, (PixelSize{271, 110}));
  EXPECT_EQ(out.icon, (PixelRect{12, 13, 44, 45}));
  EXPECT_EQ(out.text, (PixelRect{59, 13, 259, 58}));
  ASSERT_EQ(out.buttons.size(), 3u);
  EXPECT_EQ(out.buttons[0], (PixelRect{17, 74, 92, 97}));
  EXPECT_EQ(out.buttons[1], (PixelRect{98, 74, 173, 97}));
  EXPECT_EQ(out.buttons[2], (PixelRect{179, 74, 254, 97}));
}

TEST(MessageBoxLayout, ShortTextTakesIconHeightAndHalvesRoundUp) {
  // w = 7 from a sample of 415 pixels (7.98 rounds down), h = 15: margins 14 x 15, icon gap
  // 18 (17.5), text-button gap 19 (18.75), button 88 (87.5) x 26 (26.25).
  MessageLayoutInput in;
  in.text = {60, 15};
  in.labelWidths = {20};
  in.hasIcon = true;
  in.averageLetterWidth = AverageLetterWidth(415);
  in.charHeight = 15;
  ASSERT_EQ(in.averageLetterWidth, 7);
  const MessageLayout out = LayOutMessageBox(in);
  EXPECT_EQ(out.client, (PixelSize{138, 107}));
  EXPECT_EQ(out.icon, (PixelRect{14, 15, 46, 47}));
  EXPECT_EQ(out.text, (PixelRect{64, 15, 124, 30}));
  ASSERT_EQ(out.buttons.size(), 1u);
  EXPECT_EQ(out.buttons[0], (PixelRect{25, 66, 113, 92}));
}

TEST(MessageBoxLayout, AtOneAndAHalfTheIconAndLabelPaddingGrowWithTheFont) {
  // The same box as ConfirmationWithIconInSmallFont on a screen of 144 dots per inch, its font
  // half as large again (w = 9, h = 19): margins 18 x 19, icon 48, icon gap 23 (22.5), text-button
  // gap 24 (24.25), button 113 (112.5) x 33 (33.25), button gap 9.
  MessageLayoutInput in;
  in.text = {300, 68};
  in.labelWidths = {60, 101, 72};
  in.hasIcon = true;
  in.averageLetterWidth = 9;
  in.charHeight = 19;
  in.dpi = 144;
  MessageLayout out = LayOutMessageBox(in);
  EXPECT_EQ(out.iconSize, 48);
  EXPECT_EQ(out.icon, (PixelRect{18, 19, 66, 67}));
  EXPECT_EQ(out.text, (PixelRect{89, 19, 389, 87}));
  ASSERT_EQ(out.buttons.size(), 3u);
  EXPECT_EQ(out.buttons[0].Width(), 113);
  EXPECT_EQ(out.buttons[0].Height(), 33);
  EXPECT_EQ(out.client, (PixelSize{407, 163}));
  // The padding is scaled too: a label of 102 takes 114, where 102 + 8 would stay inside 113.
  in.labelWidths = {60, 102, 72};
  out = LayOutMessageBox(in);
  EXPECT_EQ(out.buttons[0].Width(), 114);
}

TEST(MessageBoxLayout, WidestLabelSetsEveryButtonAndRowCanSetWidth) {
  MessageLayoutInput in;
  in.text = {100, 13};
  in.labelWidths = {40, 90, 30};  // 90 + 8 beats the 75 of 50 units
  in.averageLetterWidth = 6;
  in.charHeight = 13;
  const MessageLayout out = LayOutMessageBox(in);
  EXPECT_EQ(out.client, (PixelSize{330, 78}));
  EXPECT_EQ(out.icon, PixelRect{});
  EXPECT_EQ(out.text, (PixelRect{12, 13, 112, 26}));
  ASSERT_EQ(out.buttons.size(), 3u);
  EXPECT_EQ(out.buttons[0], (PixelRect{12, 42, 110, 65}));
  EXPECT_EQ(out.buttons[1], (PixelRect{116, 42, 214, 65}));
  EXPECT_EQ(out.buttons[2], (PixelRect{220, 42, 318, 65}));
}

TEST(MessageBoxLayout, WrappedTextGrowsInHeightOnly) {
  EXPECT_EQ(MessageTextWidthLimit(1280), 640);
  EXPECT_EQ(MessageTextWidthLimit(1023), 511);
  MessageLayoutInput in;
  in.labelWidths = {20};
  in.averageLetterWidth = 6;
  in.charHeight = 13;
  in.text = {MessageTextWidthLimit(1280), 13};
  const MessageLayout oneLine = LayOutMessageBox(in);
  in.text.height = 5 * 13;
  const MessageLayout fiveLines = LayOutMessageBox(in);
  EXPECT_EQ(oneLine.client, (PixelSize{664, 78}));
  EXPECT_EQ(fiveLines.client, (PixelSize{664, 130}));
  EXPECT_EQ(fiveLines.buttons[0], (PixelRect{294, 94, 369, 117}));
}

TEST(MessageBoxButtons, OrderDefaultAndCancel) {
  const ButtonRow question = MakeButtonRow(kButtonCancel | kButtonNo | kButtonYes);
  EXPECT_EQ(question.buttons, (std::vector<MessageButton>{kButtonYes, kButtonNo, kButtonCancel}));
  EXPECT_EQ(question.defaultButton, kButtonYes);
  EXPECT_EQ(question.cancelButton, kButtonCancel);

  const ButtonRow ok = MakeButtonRow(kButtonOk);
  EXPECT_EQ(ok.buttons, std::vector<MessageButton>{kButtonOk});
  EXPECT_EQ(ok.defaultButton, kButtonOk);
  EXPECT_EQ(ok.cancelButton, kButtonOk);

  const ButtonRow all = MakeButtonRow(kButtonCancel | kButtonOk | kButtonNo | kButtonYes);
  EXPECT_EQ(all.buttons,
            (std::vector<MessageButton>{kButtonYes, kButtonNo, kButtonOk, kButtonCancel}));
  EXPECT_EQ(all.defaultButton, kButtonOk);
  EXPECT_EQ(all.cancelButton, kButtonCancel);

  const ButtonRow yesNo = MakeButtonRow(kButtonNo | kButtonYes);
  EXPECT_EQ(yesNo.defaultButton, kButtonYes);
  EXPECT_EQ(yesNo.cancelButton, kButtonNo);

  const ButtonRow noCancel = MakeButtonRow(kButtonNo | kButtonCancel);
  EXPECT_EQ(noCancel.defaultButton, 0u);
  EXPECT_EQ(MakeButtonRow(kButtonYes).cancelButton, 0u);

  EXPECT_EQ(MakeButtonRow(0).buttons, std::vector<MessageButton>{kButtonOk});
}

TEST(MessageBoxButtons, ResultsAndAccessLetters) {
  EXPECT_EQ(static_cast<int>(ResultOfButton(kButtonYes)), 6);
  EXPECT_EQ(static_cast<int>(ResultOfButton(kButtonNo)), 7);
  EXPECT_EQ(static_cast<int>(ResultOfButton(kButtonOk)), 1);
  EXPECT_EQ(static_cast<int>(ResultOfButton(kButtonCancel)), 2);
  EXPECT_EQ(AccessLetter(Ansi(texts::kYesButton)), 'y');
  EXPECT_EQ(AccessLetter(Ansi(texts::kNoButton)), 'n');
  EXPECT_EQ(AccessLetter(Ansi(texts::kCancelButton)), 0);
  EXPECT_EQ(AccessLetter(Ansi(texts::kOkButton)), 0);
  EXPECT_EQ(AccessLetter("a&&b&C"), 'c');
  EXPECT_EQ(AccessLetter("end&"), 0);
}

TEST(ExceptionBoxText, FullStopAfterLettersDigitsSlashAndDoubleByte) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  for (const char* unchanged : {"done.", "a ", "line\r\n", "wow!", "a-", "x,", "\"q\"", "t\t"}) {
    EXPECT_EQ(WithFullStop(unchanged, sjis), unchanged) << unchanged;
  }
  for (const char* added : {"a", "1", "path/", "Z", "x~"}) {
    EXPECT_EQ(WithFullStop(added, sjis), std::string(added) + ".") << added;
  }
  EXPECT_EQ(WithFullStop("", sjis), "");
  EXPECT_EQ(WithFullStop(".", sjis), ".");
  EXPECT_EQ(WithFullStop("/", sjis), "/.");
  EXPECT_EQ(WithFullStop("\x81\x42", sjis), "\x81\x42.");  // "。"
  EXPECT_EQ(WithFullStop(Ansi("開けません。"), sjis), Ansi("開けません。") + ".");
}

TEST(ExceptionBoxText, LastCharacterIsFoundByItsLeadByte) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  // Its last byte is ".", but that byte is the second half of a character led by 0x81.
  EXPECT_EQ(WithFullStop("ab\x81.", sjis), "ab\x81..");
  EXPECT_EQ(WithFullStop("ab\x81", sjis), "ab\x81.");  // a lead byte alone at the end
  // Stepping resynchronises from the start: "\x81\x81" is one character, "." another.
  EXPECT_EQ(WithFullStop("\x81\x81.", sjis), "\x81\x81.");
  // Without lead bytes every byte is a character.
  EXPECT_EQ(WithFullStop("ab\x81.", LeadByteSet()), "ab\x81.");
}

TEST(MessageBoxClipboard, ClosingQuestion) {
  const std::string question = Ansi("『 新規文書 』 は保存されていません。\r\n\r\n 保存しますか？");
  const std::vector<std::string> labels = {Ansi(texts::kYesButton), Ansi(texts::kNoButton),
                                           Ansi(texts::kCancelButton)};
  const std::string divider = "---------------------------\r\n";
  EXPECT_EQ(divider.size(), 29u);
  const std::string expected = divider + "\x8A\x6D\x94\x46\r\n" + divider + question + "\r\n" +
                               divider + Ansi("はい(Y)   いいえ(N)   キャンセル   ") + "\r\n" +
                               divider;
  EXPECT_EQ(MessageBoxClipboardText(Ansi(texts::kConfirmCaption), question, labels), expected);
}

TEST(MessageBoxClipboard, EveryAmpersandGoes) {
  EXPECT_EQ(MessageBoxClipboardText("c", "", {"&A&&b", "OK"}),
            "---------------------------\r\nc\r\n---------------------------\r\n\r\n"
            "---------------------------\r\nAb   OK   \r\n---------------------------\r\n");
}

}  // namespace
}  // namespace penlet
