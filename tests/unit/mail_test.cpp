// Sending by e-mail: the body, the once-per-run Simple MAPI binding, and the Send command.
#include <gtest/gtest.h>

#include "tests/fakes/FormOnFakes.h"

#include "core/PenletForm.h"
#include "output/Mail.h"
#include "platform/system/Mail.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeMail.h"
#include "tests/fakes/FakeProfile.h"
#include "core/Texts.h"

namespace penlet {
namespace {

std::string BodyOf(const std::string& text, int wrapWidth = 0) {
  FakeEditArea edit;
  edit.SetWrapWidth(wrapWidth);
  edit.SetText(text);
  return MailBody(edit);
}

TEST(MailBodyTest, EveryDisplayLineEndsWithOneLineBreak) {
  EXPECT_EQ(BodyOf(""), "");
  EXPECT_EQ(BodyOf("abc"), "abc\r\n");
  EXPECT_EQ(BodyOf("abc\r\n"), "abc\r\n");
  EXPECT_EQ(BodyOf("abc\r\ndef"), "abc\r\ndef\r\n");
  EXPECT_EQ(BodyOf("a\r\n\r\nb\r\n\r\n"), "a\r\n\r\nb\r\n\r\n");
  // Wrapped lines break where the screen breaks them; a wider area gives fewer breaks.
  EXPECT_EQ(BodyOf("abcdefghij\r\nxy", 4), "abcd\r\nefgh\r\nij\r\nxy\r\n");
  EXPECT_EQ(BodyOf("abcdefghij\r\nxy", 8), "abcdefgh\r\nij\r\nxy\r\n");
  // The body travels as a NUL-terminated string: a NUL must not cut off what follows it.
  EXPECT_EQ(BodyOf(std::string("a\0b", 3)), "a b\r\n");
}

// Built in steps, the body is the same; the lines changing between two steps leave none.
TEST(MailBodyTest, InStepsTheSameBodyOrNoneWhenTheLinesChanged) {
  FakeEditArea edit;
  edit.SetWrapWidth(7);
  std::string text;
  for (int i = 0; i < 1500; ++i) text += "\x93\xFA\x96\x7B line " + std::to_string(i) + "\r\n";
  edit.SetText(text);
  const std::string whole = MailBody(edit);
  int steps = 0;
  EXPECT_EQ(MailBody(edit, [&] { return ++steps > 0; }), whole);
  EXPECT_GE(steps, 4);
  EXPECT_EQ(MailBody(edit, [] { return false; }), std::nullopt);
}

TEST(MapiRegistrationTest, NewerSystemsNeedTheRegistryValueExactlyOne) {
  FakeMapiRegistry registry;
  EXPECT_TRUE(SimpleMapiRegistered(registry));
  registry.value = "1";  // stored without its terminator
  EXPECT_TRUE(SimpleMapiRegistered(registry));
  for (const std::string& value :
       {std::string("0\0", 2), std::string("11\0", 3), std::string("\0", 1), std::string(" 1\0", 3),
        std::string("1\0x", 3) /* "1" alone is what counts */, std::string(12, '1')}) {
    registry.value = value;
    const bool expected = value == std::string("1\0x", 3);
    EXPECT_EQ(SimpleMapiRegistered(registry), expected) << value;
  }
  registry.value = std::string("1\0", 2);
  registry.keyOpens = false;
  EXPECT_FALSE(SimpleMapiRegistered(registry));
  registry.profile = 1;  // the profile is not asked on these systems
  EXPECT_FALSE(SimpleMapiRegistered(registry));
}

TEST(MapiRegistrationTest, SystemsUpTo351AskTheProfile) {
  FakeMapiRegistry registry;
  registry.keyOpens = false;
  for (auto [major, minor] : {std::pair{3u, 51u}, std::pair{3u, 10u}, std::pair{2u, 99u}}) {
    registry.major = major;
    registry.minor = minor;
    registry.profile = 0;
    EXPECT_FALSE(SimpleMapiRegistered(registry));
    registry.profile = 2;
    EXPECT_TRUE(SimpleMapiRegistered(registry));
  }
  registry.major = 3;
  registry.minor = 52;
  EXPECT_FALSE(SimpleMapiRegistered(registry));  // the registry's turn, and its key is missing
}

TEST(SimpleMapiMailTest, ChecksAndLoadsOnceAndPassesTheResultOn) {
  FakeMapiRegistry registry;
  FakeMapiLibrary library;
  SimpleMapiMail mail(registry, library);
  EXPECT_EQ(registry.checks, 0);
  library.result = 17;
  EXPECT_EQ(mail.Send("body\r\n"), 17u);
  library.result = kMapiSuccess;
  EXPECT_EQ(mail.Send(""), kMapiSuccess);
  EXPECT_EQ(registry.checks, 1);
  EXPECT_EQ(library.loads, 1);
  EXPECT_EQ(library.lookups, 1);  // a found entry point is kept
  EXPECT_EQ(library.bodies, (std::vector<std::string>{"body\r\n", ""}));
}

TEST(SimpleMapiMailTest, WithoutAMailSystemNothingIsCalledAndTheAnswerIsOne) {
  FakeMapiRegistry registry;
  registry.value = std::string("0\0", 2);
  FakeMapiLibrary library;
  SimpleMapiMail mail(registry, library);
  EXPECT_EQ(mail.Send("x"), kMapiUserAbort);
  registry.value = std::string("1\0", 2);  // registered later in the run: not seen
  EXPECT_EQ(mail.Send("x"), kMapiUserAbort);
  EXPECT_EQ(registry.checks, 1);
  EXPECT_EQ(library.loads, 0);
  EXPECT_TRUE(library.bodies.empty());

  FakeMapiRegistry registered;
  FakeMapiLibrary unloadable;
  unloadable.loadable = false;
  SimpleMapiMail failing(registered, unloadable);
  EXPECT_EQ(failing.Send("x"), kMapiUserAbort);
  EXPECT_EQ(failing.Send("x"), kMapiUserAbort);
  EXPECT_EQ(unloadable.loads, 1);
  EXPECT_TRUE(unloadable.bodies.empty());
}

TEST(SimpleMapiMailTest, AFailedLookupIsTriedAgainAtTheNextSend) {
  FakeMapiRegistry registry;
  FakeMapiLibrary library;
  library.hasEntry = false;
  SimpleMapiMail mail(registry, library);
  EXPECT_EQ(mail.Send("a"), kMapiUserAbort);
  library.hasEntry = true;
  EXPECT_EQ(mail.Send("b"), kMapiSuccess);
  EXPECT_EQ(library.lookups, 2);
  EXPECT_EQ(library.loads, 1);
  EXPECT_EQ(library.bodies, (std::vector<std::string>{"b"}));
}

class SendCommandTest : public ::testing::Test, protected FormOnFakes {
 protected:
  SendCommandTest() { form.FormCreate(); }
};

TEST_F(SendCommandTest, SuccessShowsNothingAndLeavesTheDocumentAlone) {
  edit.SetWrapWidth(6);
  edit.Type("Penlet text\r\nend");
  form.FileSend1Execute();
  EXPECT_EQ(mail.bodies, (std::vector<std::string>{"Penlet\r\n text\r\nend\r\n"}));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(edit.Text(), "Penlet text\r\nend");
  EXPECT_TRUE(edit.Modified());
  EXPECT_TRUE(view.saveEnabled);
}

// The window answers while a long body is built; an edit that comes meanwhile (from another
// program: input waits) begins the body again, so that it never holds lines of both texts.
TEST_F(SendCommandTest, AnEditWhileTheWindowAnswersBeginsTheBodyAgain) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + "\r\n";
  edit.Type(text);
  mail.onAnswer = [&] {
    if (mail.answers == 2) {
      edit.SetSelection({0, 0});
      edit.ReplaceSelection("first ");
    }
  };
  form.FileSend1Execute();
  ASSERT_EQ(mail.bodies.size(), 1u);
  EXPECT_EQ(mail.bodies[0], "first " + text);
  EXPECT_GT(mail.answers, 4);
}

TEST_F(SendCommandTest, EveryOtherResultShowsTheErrorBox) {
  for (std::uint32_t result : {kMapiUserAbort, 2u, 26u}) {
    mail.result = result;
    form.FileSend1Execute();
  }
  ASSERT_EQ(boxes.shown.size(), 3u);
  for (size_t i = 0; i < boxes.shown.size(); ++i) {
    EXPECT_EQ(boxes.shown[i], Ansi(texts::kMailSendError));
    EXPECT_EQ(boxes.kinds[i], MessageKind::Error);
    EXPECT_EQ(boxes.buttonSets[i], kButtonOk);
  }
  EXPECT_EQ(mail.bodies, (std::vector<std::string>{"", "", ""}));
}

TEST_F(SendCommandTest, AboutShowsTheBoxEachTime) {
  form.HelpAbout1Execute();
  form.HelpAbout1Execute();
  EXPECT_EQ(about.shown, 2);
}

}  // namespace
}  // namespace penlet
