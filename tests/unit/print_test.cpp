// Printing: the copy rule, page rectangle, printer names, the copy into the print surface and the
// page loop.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/PrintCommand.h"
#include "output/Print.h"
#include "tests/fakes/FormOnFakes.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakePrinter.h"
#include "core/Texts.h"

namespace penlet {
namespace {

using Log = std::vector<std::string>;

TEST(PrintRules, CopiesComeFromTheDialogUnlessItAnswersOne) {
  EXPECT_EQ(SettledCopies(1, 3), 3);  // the driver keeps the count in its settings
  EXPECT_EQ(SettledCopies(3, 1), 3);
  EXPECT_EQ(SettledCopies(2, 5), 2);
  EXPECT_EQ(SettledCopies(0, 2), 2);  // no copies at all is not a count to print
}

TEST(PrintRules, PageRectangleIsThePrintableAreaInTwipsRoundedDown) {
  EXPECT_EQ(PageRect({4760, 6812, 600, 600}), (TwipsRect{0, 0, 11424, 16348}));
  EXPECT_EQ(PageRect({2480, 3508, 300, 200}), (TwipsRect{0, 0, 11904, 25257}));
  // A device that reports no resolution gives an empty page instead of a division by zero.
  EXPECT_EQ(PageRect({100, 100, 0, 0}), (TwipsRect{0, 0, 0, 0}));
}

TEST(PrintRules, DefaultPrinterNameFallsBackToTheProfileDevice) {
  EXPECT_EQ(DefaultPrinterName("Laser", "Other,winspool,LPT1:"), "Laser");
  EXPECT_EQ(DefaultPrinterName("", "PenletPDF,winspool,CUPS:PenletPDF"), "PenletPDF");
  EXPECT_EQ(DefaultPrinterName("", "Solo"), "Solo");
  EXPECT_EQ(DefaultPrinterName("", ""), "");
}

TEST(PrintRules, PrinterLookupIgnoresCaseButNeverFoldsATrailByte) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  const std::vector<std::string> installed = {"Laser", "PenletPDF", "\x83\x41-Printer"};
  EXPECT_EQ(FindPrinter(installed, "penletpdf", sjis), 1);
  EXPECT_EQ(FindPrinter(installed, "\x83\x41-PRINTER", sjis), 2);
  // 0x83 0x61 is another character than 0x83 0x41, although "a" and "A" are one letter.
  EXPECT_EQ(FindPrinter(installed, "\x83\x61-Printer", sjis), -1);
  EXPECT_EQ(FindPrinter(installed, "Laser2", sjis), -1);
  EXPECT_EQ(FindPrinter(installed, "", sjis), -1);
}

TEST(PrintRules, JobTitleIsTheFileNameOrEmpty) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  EXPECT_EQ(JobTitle("C:\\docs\\memo.txt", sjis), "memo.txt");
  EXPECT_EQ(JobTitle("D:memo", sjis), "memo");
  EXPECT_EQ(JobTitle("\x95\\\\x.txt", sjis), "x.txt");  // 0x95 0x5C is one character
  EXPECT_EQ(JobTitle("", sjis), "");
}

class PrintCopyTest : public ::testing::Test {
 protected:
  FakeEditArea edit;
  FakePrintSurface surface;
};

TEST_F(PrintCopyTest, EveryDisplayLineEndsInALineBreak) {
  edit.SetWrapWidth(4);
  edit.SetText("abcdefgh\r\nxy");
  CopyLineText(edit, surface);
  EXPECT_EQ(surface.Text(), "abcd\r\nefgh\r\nxy\r\n");
}

TEST_F(PrintCopyTest, AnEmptyLastLineIsLeftOut) {
  edit.SetText("\x93\xfa\x96\x7b\r\n\r\n");
  CopyLineText(edit, surface);
  EXPECT_EQ(surface.Text(), "\x93\xfa\x96\x7b\r\n\r\n");
  edit.SetText("");
  CopyLineText(edit, surface);
  EXPECT_EQ(surface.Text(), "");
}

TEST_F(PrintCopyTest, ACopyReplacesWhatAnEarlierPrintLeft) {
  edit.SetText("first");
  CopyLineText(edit, surface);
  edit.SetText("second");
  CopyLineText(edit, surface);
  EXPECT_EQ(surface.Text(), "second\r\n");
}

TEST_F(PrintCopyTest, DocumentsLongerThan64KCharactersGoInWhole) {
  const std::string line(799, 'x');
  std::string text;
  for (int i = 0; i < 100; ++i) text += line + "\r\n";  // 80,100 characters
  edit.SetText(text);
  CopyLineText(edit, surface);
  EXPECT_EQ(surface.Text(), text);
}

TEST_F(PrintCopyTest, ALineThatDoesNotGoInWholeStopsTheCopy) {
  surface.room = 0x10000;
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::string(699, 'y') + "\r\n";
  edit.SetText(text);
  EXPECT_EQ(CopyLineText(edit, surface), CopyOutcome::kLineNotTaken);
  EXPECT_LE(surface.TextLength(), 0x10000);
}

class PrintPagesTest : public ::testing::Test {
 protected:
  void SetText(const std::string& text) {
    edit.SetText(text);
    CopyLineText(edit, surface);
  }
  FakeEditArea edit;
  FakePrintSurface surface;
  FakePrinter printer;
};

TEST_F(PrintPagesTest, EachPageGoesOnFromTheFirstCharacterThatDidNotFit) {
  SetText("0123456789");  // 12 characters with the line break
  surface.pageCapacity = 5;
  PrintSurfacePages(surface, printer, "memo.txt");
  EXPECT_EQ(printer.log,
            (Log{"start:memo.txt", "map", "page", "page", "end", "restore:7", "close"}));
  EXPECT_EQ(surface.log, (Log{"clear", "render:0", "render:5", "render:10", "clear"}));
  EXPECT_EQ(surface.rects.front(), PageRect(printer.caps));
  EXPECT_EQ(surface.renderedOn.front(), FakePrinter::kDc);
}

TEST_F(PrintPagesTest, AnEmptyDocumentIsOneEmptyPage) {
  SetText("");
  PrintSurfacePages(surface, printer, "");
  EXPECT_EQ(printer.log, (Log{"start:", "map", "end", "restore:7", "close"}));
  EXPECT_EQ(surface.log, (Log{"clear", "render:0", "clear"}));
}

TEST_F(PrintPagesTest, APageThatTakesNothingEndsTheJob) {
  SetText("text that never fits");
  surface.pageCapacity = 0;
  PrintSurfacePages(surface, printer, "t");
  EXPECT_EQ(printer.log, (Log{"start:t", "map", "end", "restore:7", "close"}));
  EXPECT_EQ(surface.log, (Log{"clear", "render:0", "clear"}));
}

TEST_F(PrintPagesTest, AFailedPageStillRestoresTheDeviceAndEndsTheJob) {
  SetText("0123456789");
  surface.pageCapacity = 5;
  surface.renderError = [](std::int32_t first) {
    if (first == 5) throw std::runtime_error("render");
  };
  EXPECT_THROW(PrintSurfacePages(surface, printer, "t"), std::runtime_error);
  EXPECT_EQ(printer.log, (Log{"start:t", "map", "page", "restore:7", "close"}));
  EXPECT_EQ(surface.log.back(), "clear");
  EXPECT_FALSE(printer.printing);
}

TEST_F(PrintPagesTest, AnInvalidPrinterRendersNothingAndLeavesThePrinterIdle) {
  SetText("abc");
  printer.startError = [] { throw PrinterError(PrinterFailure::kNotValid); };
  EXPECT_THROW(PrintSurfacePages(surface, printer, "t"), PrinterError);
  EXPECT_EQ(printer.log, (Log{"start:t", "close"}));
  EXPECT_TRUE(surface.log.empty());
}

// The command words what went wrong below it, and leaves the printer idle.
TEST(PrintCommandTest, FailuresReachTheUserInTheProgramsWords) {
  FormOnFakes fakes;
  fakes.edit.SetText(std::string(100, 'z'));
  fakes.surface.room = 10;
  auto message = [&] {
    try {
      fakes.form.FilePrintExecute();
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message(), Ansi(texts::kPrintLineInsertError));
  fakes.surface.room = 0x7FFFFFFF;
  fakes.printer.startError = [] { throw PrinterError(PrinterFailure::kNotValid); };
  EXPECT_EQ(message(), Ansi(texts::kPrinterNotValid));
  fakes.printer.startError = [] { throw PrinterError(PrinterFailure::kSystem, 5, "denied"); };
  EXPECT_EQ(message(), Ansi("システムエラー。コード：5.\r\ndenied"));
  EXPECT_FALSE(fakes.printer.printing);
  fakes.printer.dialogAnswer = false;
  fakes.printer.log.clear();
  EXPECT_EQ(message(), "no error");
  EXPECT_EQ(fakes.printer.log, (Log{"dialog"}));
}

// The window answers during the copy and the job, and what it does meanwhile stays out of the job.
class PrintWhileAnsweringTest : public ::testing::Test {
 protected:
  PrintWhileAnsweringTest() {
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    fakes.edit.SetText(text);
    fakes.surface.pageCapacity = 300;
  }
  // How often the job started, and whether the printer is idle again.
  int Starts() const {
    return static_cast<int>(
        std::count_if(fakes.printer.log.begin(), fakes.printer.log.end(),
                      [](const std::string& s) { return s.rfind("start", 0) == 0; }));
  }
  FormOnFakes fakes;
  std::string text;
};

TEST_F(PrintWhileAnsweringTest, AnEditDuringTheCopyStartsItAgainAndInputWaitsMeanwhile) {
  bool edited = false;
  fakes.printer.whileAnsweringHoldingInput = [&] {
    if (edited) return;
    edited = true;
    fakes.edit.SetText("edited\r\n");  // as a message from another program would
  };
  bool inputBeforeTheJob = false;
  fakes.printer.whileAnswering = [&] { inputBeforeTheJob |= Starts() == 0; };
  fakes.form.FilePrintExecute();
  EXPECT_EQ(fakes.surface.Text(), "edited\r\n");
  EXPECT_EQ(Starts(), 1);
  EXPECT_FALSE(inputBeforeTheJob) << "input was let through while the lines were read";
  EXPECT_FALSE(fakes.printer.printing);
}

// The background layout of a long text only counts the lines further (the copy has laid them all
// out already); a new width breaks them elsewhere.
TEST_F(PrintWhileAnsweringTest, OnlyALayoutAtANewWidthStartsTheCopyAgain) {
  EditAreaListener& listener = fakes.form;
  bool laidOut = false;
  fakes.printer.whileAnsweringHoldingInput = [&] {
    if (!laidOut) listener.EditAreaLinesChanged(LayoutChange::kLaidOutFurther);
    laidOut = true;
  };
  fakes.edit.bytesRead = 0;
  fakes.form.FilePrintExecute();
  const auto once = static_cast<std::int64_t>(text.size());
  EXPECT_EQ(fakes.edit.bytesRead, once) << "the lines were read more than once";
  EXPECT_EQ(fakes.surface.Text(), text);

  bool narrowed = false;
  fakes.printer.whileAnsweringHoldingInput = [&] {
    if (narrowed) return;
    narrowed = true;
    fakes.edit.SetWrapWidth(4);
    listener.EditAreaLinesChanged(LayoutChange::kNewLayout);
  };
  fakes.form.FilePrintExecute();
  std::string narrow;
  for (int i = 0; i < 100; ++i) narrow += "line\r\n " + std::to_string(i) + "\r\n";
  EXPECT_EQ(fakes.surface.Text(), narrow);
  EXPECT_EQ(Starts(), 2);
}

TEST_F(PrintWhileAnsweringTest, ASecondPrintFailsAndNewLeavesTheJobAlone) {
  std::vector<std::string> errors;
  auto printAgain = [&] {
    try {
      fakes.form.FilePrintExecute();
      errors.push_back("printed");
    } catch (const Error& e) {
      errors.push_back(e.what());
    }
  };
  // Once during the copy, as a message of another program; once in the job, then New.
  bool copying = false, printing = false;
  fakes.printer.whileAnsweringHoldingInput = [&] {
    if (!copying) printAgain();
    copying = true;
  };
  fakes.printer.whileAnswering = [&] {
    if (printing) return;
    printing = true;
    printAgain();
    fakes.edit.SetText("");
  };
  fakes.form.FilePrintExecute();
  const std::string busy = Ansi(texts::kPrintingNow);
  EXPECT_EQ(errors, (std::vector<std::string>{busy, busy}));
  EXPECT_EQ(Starts(), 1);
  EXPECT_EQ(fakes.surface.Text(), text);
  // The Prints that failed left the printer to the job: it was released only after its end.
  const auto& log = fakes.printer.log;
  EXPECT_GT(std::find(log.begin(), log.end(), "close"), std::find(log.begin(), log.end(), "end"));
  EXPECT_FALSE(fakes.printer.printing);
}

}  // namespace
}  // namespace penlet
