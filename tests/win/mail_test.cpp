// Send under Wine with the tests' own MAPI32.DLL beside a copy of penlet.exe: what the mail
// client receives, and when the error box shows.
#include <gtest/gtest.h>

#include <string>

#include "Scintilla.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"
#include "ui/About_win32.h"
#include "ui/MessageDialog_win32.h"
#include "core/Texts.h"
#include "platform/system/Kinsoku.h"

namespace penlet {
namespace {

using namespace wintest;

// The registry value that says a mail client is registered, set for as long as this lives.
class MessagingValue {
 public:
  explicit MessagingValue(const char* value) {
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    Set(value);
  }
  ~MessagingValue() {
    Set("1");
    RegCloseKey(key_);
  }

 private:
  static constexpr char kKey[] = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
  void Set(const char* value) {
    RegSetValueExA(key_, "MAPI", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(strlen(value) + 1));
  }
  HKEY key_ = nullptr;
};

// penlet.exe and the stand-in MAPI32.DLL copied into a folder of their own, started there.
class MailSetup {
 public:
  MailSetup(const std::string& document, const char* result)
      : record_(Prepare(dir_, result)),
        penlet_(Quoted(dir_.Write("doc.txt", document)), dir_.Path(), SW_SHOWNORMAL,
                dir_.In("penlet.exe")),
        ready_(penlet_.Ready()) {}

  HWND Main() const { return ready_ ? penlet_.Main() : nullptr; }
  const std::string& Record() const { return record_; }

  // Sends and waits for the error box, which it answers; false when none came.
  bool SendShowsError() {
    penlet_.Command(FileSend1);
    HWND box = penlet_.Box();
    if (!box) return false;
    EXPECT_EQ(WindowText(FindChild(box, "Static")), Ansi(texts::kMailSendError));
    PostMessageA(FindChild(box, "Button"), BM_CLICK, 0, 0);
    return true;
  }

  // Sends, then opens the About box behind it: once that shows, Send has finished, and no
  // error box may have come.
  bool SendShowsNothing() {
    penlet_.Command(FileSend1);
    penlet_.Command(HelpAbout1);
    HWND about = penlet_.Shown(kAboutBoxClass);
    const HWND box = FindProcessWindow(penlet_.Pid(), kMessageBoxClassName);
    const bool nothing = about != nullptr && !(box && IsWindowVisible(box));
    if (about) PostMessageA(about, WM_COMMAND, IDOK, 0);
    return nothing;
  }

 private:
  // Copies the program and the stand-in, and tells the stand-in where to write and what to
  // answer; returns the path of its record.
  static std::string Prepare(const TempDir& dir, const char* result) {
    CopyFileA((ExeDir() + "penlet.exe").c_str(), dir.In("penlet.exe").c_str(), FALSE);
    CopyFileA((ExeDir() + "mapi_stub\\MAPI32.dll").c_str(), dir.In("MAPI32.DLL").c_str(), FALSE);
    const std::string record = dir.In("record.txt");
    SetEnvironmentVariableA("PENLET_MAPI_RECORD", record.c_str());
    SetEnvironmentVariableA("PENLET_MAPI_RESULT", result);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;mapi32=n,b");
    return record;
  }

  TempDir dir_;
  std::string record_;
  PenletProcess penlet_;
  bool ready_;
};

std::string Field(const std::string& record, const std::string& name) {
  const size_t at = record.find(name + "=");
  if (at == std::string::npos) return "?";
  const size_t from = at + name.size() + 1;
  return name == "body" ? record.substr(from) : record.substr(from, record.find('\n', from) - from);
}

TEST(MailTest, TheBodyIsTheLineTextAndSuccessShowsNothing) {
  struct Case {
    std::string document, body;
  } cases[] = {
      {"abc\r\ndef\r\n", "abc\r\ndef\r\n"},
      {"abc\r\n" + Ansi("日本語"), "abc\r\n" + Ansi("日本語") + "\r\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    MailSetup mail(c.document, "0");
    ASSERT_NE(mail.Main(), nullptr);
    EXPECT_TRUE(mail.SendShowsNothing());
    const std::string record = ReadFileBytes(mail.Record());
    EXPECT_EQ(Field(record, "flags"), "11");
    EXPECT_EQ(Field(record, "session") + Field(record, "ui") + Field(record, "reserved"), "000");
    EXPECT_EQ(Field(record, "recipients") + Field(record, "files"), "00");
    EXPECT_EQ(Field(record, "others"), "zero");
    EXPECT_EQ(Field(record, "body"), c.body);
  }
}

TEST(MailTest, AWrappedLineArrivesBrokenWhereTheScreenBreaksIt) {
  std::string longLine;
  for (int i = 0; i < 60; ++i) longLine += "word" + std::to_string(i) + " ";
  MailSetup mail(longLine + "\r\nend", "0");
  ASSERT_NE(mail.Main(), nullptr);
  HWND edit = FindEditArea(mail.Main());
  // Display lines, as the editing area lays them out on screen (every line laid out first).
  SendMessageA(edit, SCI_ENSUREVISIBLE, SendMessageA(edit, SCI_GETLINECOUNT, 0, 0) - 1, 0);
  const int lines = static_cast<int>(SendMessageA(edit, SCI_VISIBLEFROMDOCLINE, INT_MAX, 0));
  ASSERT_GT(lines, 2);
  EXPECT_TRUE(mail.SendShowsNothing());
  const std::string body = Field(ReadFileBytes(mail.Record()), "body");
  int breaks = 0;
  std::string joined;
  for (size_t i = 0; i < body.size(); ++i) {
    if (body.compare(i, 2, "\r\n") == 0) {
      ++breaks;
      ++i;
    } else {
      joined += body[i];
    }
  }
  EXPECT_EQ(breaks, lines);
  EXPECT_EQ(joined, longLine + "end");
  EXPECT_EQ(body.substr(body.size() - 5), "end\r\n");
}

TEST(MailTest, JapaneseProseArrivesInTheRowsOfTheScreenByTheLineBreakRules) {
  // Rows of Japanese whose breaks the rules of Japanese line breaking move: 。 and 」 would
  // start many rows, 「 end some, at the window's width.
  std::string prose;
  for (int i = 0; i < 12; ++i)
    prose += Ansi("「吾輩は猫である。」名前はまだ無い。どこで生れたか、とんと見当がつかぬ。");
  MailSetup mail(prose, "0");
  ASSERT_NE(mail.Main(), nullptr);
  HWND edit = FindEditArea(mail.Main());
  SendMessageA(edit, SCI_ENSUREVISIBLE, 0, 0);
  const int rows = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
  ASSERT_GT(rows, 4);
  EXPECT_TRUE(mail.SendShowsNothing());
  const std::string body = Field(ReadFileBytes(mail.Record()), "body");
  // Each row of the body is the row of the screen that other programs are told of, and none
  // starts where the rules forbid a break.
  size_t from = 0;
  size_t start = 0;
  for (int row = 0; row < rows; ++row) {
    const size_t end = body.find("\r\n", from);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(static_cast<size_t>(SendMessageA(edit, EM_LINEINDEX, row, 0)), start) << row;
    EXPECT_FALSE(BreakForbiddenBefore(prose, start, LeadByteSet::Cp932())) << row;
    start += end - from;
    from = end + 2;
  }
  EXPECT_EQ(start, prose.size());
  EXPECT_EQ(from, body.size());
}

TEST(MailTest, AbortAndFailureShowTheErrorBox) {
  for (const char* result : {"1", "2"}) {
    MailSetup mail("text", result);
    ASSERT_NE(mail.Main(), nullptr);
    EXPECT_TRUE(mail.SendShowsError()) << result;
    EXPECT_TRUE(FileExists(mail.Record()));  // the client was asked
  }
}

TEST(MailTest, WithoutARegisteredMailSystemTheClientIsNeverAsked) {
  MessagingValue unregistered("0");
  MailSetup mail("text", "0");
  ASSERT_NE(mail.Main(), nullptr);
  EXPECT_TRUE(mail.SendShowsError());
  EXPECT_FALSE(FileExists(mail.Record()));
}

}  // namespace
}  // namespace penlet
