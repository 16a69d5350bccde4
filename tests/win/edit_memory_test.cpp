// The editing area's memory: an undo history that keeps within its bytes and still takes the
// last edit back, a new text that gives the old one's room back, and edits refused cleanly when
// the address space has no room for them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "tests/win/support/ScintillaHost.h"
#include "tests/win/support/WinTest.h"

namespace penlet {
namespace {

// The component's count of the bytes its undo history holds (patches/scintilla/0017).
constexpr UINT kUndoBytes = 0x7E50;

class Recorder : public EditAreaListener {
 public:
  void EditAreaChanged() override {}
  void EditAreaSelectionChanged() override {}
  void EditAreaOutOfMemory() override { ++outOfMemory; }
  int outOfMemory = 0;
};

// The area in a window of the test's own, its reports going to a recorder.
struct Host {
  Host() { edit->SetListener(&recorder); }
  ~Host() { edit->SetListener(nullptr); }

  LRESULT UndoBytes() const { return SendMessageW(edit->Handle(), kUndoBytes, 0, 0); }
  void Key(WPARAM key) { SendMessageW(edit->Handle(), WM_KEYDOWN, key, 1); }

  Recorder recorder;
  ScintillaHost area;
  ScintillaEdit* edit = &area.Edit();
};

// Lines of Japanese text, `bytes` long.
std::string JapaneseLines(size_t bytes) {
  const std::string line = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\r\n";  // 日本語の文章
  std::string text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  text.resize(bytes - bytes % line.size());
  return text;
}

std::uint64_t FreeAddressSpace() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return status.ullAvailVirtual;
}

// Takes the free address space in reservations until no stretch of a megabyte is left, and gives
// it back when it goes.
class AddressSpaceHog {
 public:
  AddressSpaceHog() {
    for (SIZE_T size = 1u << 30; size >= (1u << 20); size /= 2) {
      while (void* block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) {
        blocks_.push_back(block);
      }
    }
  }
  ~AddressSpaceHog() {
    for (void* block : blocks_) VirtualFree(block, 0, MEM_RELEASE);
  }
  AddressSpaceHog(const AddressSpaceHog&) = delete;
  AddressSpaceHog& operator=(const AddressSpaceHog&) = delete;

 private:
  std::vector<void*> blocks_;
};

// Select All, Copy and Paste over a megabyte, a hundred times: the history keeps within its
// bytes, the oldest pastes going first, and Rescue still takes the last one back.
TEST(EditMemory, TheUndoHistoryKeepsWithinItsBytesAndTheLastEditStaysUndoable) {
  Host host;
  const std::string text = JapaneseLines(1 << 20);
  host.edit->SetText(text);
  for (int round = 0; round < 100; ++round) {
    host.edit->SelectAll();
    host.edit->Copy();
    host.edit->Paste();
  }
  EXPECT_LE(host.UndoBytes(), 64 << 20);
  EXPECT_GT(host.UndoBytes(), 32 << 20) << "the history kept too little";
  host.edit->SetSelection({0, 10});
  host.Key(VK_DELETE);
  EXPECT_EQ(host.edit->TextLength(), static_cast<ByteOffset>(text.size() - 10));
  host.edit->Undo();
  EXPECT_TRUE(host.edit->Text() == text);
  EXPECT_EQ(0, host.recorder.outOfMemory);
}

// Deleting a text longer than the history's floor in steps keeps every step: Rescue puts it all
// back. New then gives the whole room back to the process.
TEST(EditMemory, ALongDeletionStaysUndoableAndNewGivesItsRoomBack) {
  const std::string text = JapaneseLines(80 << 20);
  Host host;
  const std::uint64_t before = FreeAddressSpace();
  host.edit->SetText(text);
  host.edit->SelectAll();
  host.Key(VK_BACK);
  EXPECT_EQ(host.edit->TextLength(), 0);
  host.edit->Undo();
  EXPECT_EQ(host.edit->TextLength(), static_cast<ByteOffset>(text.size()));
  EXPECT_TRUE(host.edit->Text() == text);
  EXPECT_EQ(0, host.recorder.outOfMemory);
  host.edit->SetText("");
  EXPECT_EQ(host.UndoBytes(), 0);
  EXPECT_GT(FreeAddressSpace() + (32u << 20), before) << "New kept the old text's room";
}

// A character typed and taken back leaves something to redo; a long deletion after it and its
// Rescue go as ever.
TEST(EditMemory, ALongDeletionAfterAnUndoneEditIsTakenBackWhole) {
  Host host;
  const std::string text = JapaneseLines(20 << 20);
  host.edit->SetText(text);
  SendMessageW(host.edit->Handle(), WM_CHAR, 'x', 1);
  host.edit->Undo();
  host.edit->SelectAll();
  host.Key(VK_DELETE);
  EXPECT_EQ(host.edit->TextLength(), 0);
  host.edit->Undo();
  EXPECT_TRUE(host.edit->Text() == text);
}

// A text read in from a file leaves room for typing after it: the first keystrokes do not copy
// the whole text into a larger buffer (the text's address in the component stays).
TEST(EditMemory, AFileReadInHasRoomForTheFirstKeystrokes) {
  Host host;
  std::string file = JapaneseLines(4 << 20);
  const auto size = static_cast<std::int64_t>(file.size());
  const auto where = [&] {
    const LRESULT length = SendMessageW(host.edit->Handle(), SCI_GETLENGTH, 0, 0);
    return SendMessageW(host.edit->Handle(), SCI_GETRANGEPOINTER, 0, length);
  };
  ASSERT_TRUE(host.edit->StreamIn(
      [&](char* buffer, std::int32_t room, std::int32_t& got) {
        got = std::min<std::int32_t>(room, static_cast<std::int32_t>(file.size()));
        std::copy_n(file.data(), got, buffer);
        file.erase(0, static_cast<size_t>(got));
        return true;
      },
      size));
  ASSERT_EQ(host.edit->TextLength(), size);
  const LRESULT before = where();
  host.edit->SetSelection({static_cast<ByteOffset>(size), static_cast<ByteOffset>(size)});
  for (char c : std::string("abc")) SendMessageW(host.edit->Handle(), WM_CHAR, c, 1);
  EXPECT_EQ(host.edit->TextLength(), size + 3);
  EXPECT_EQ(where(), before) << "the text was copied to a larger buffer";
}

// With no room left in the address space, a paste of many megabytes is refused whole and said so;
// the text stays editable, and with the room back the same paste goes through.
TEST(EditMemory, APasteWithoutRoomIsRefusedAndTheTextStaysEditable) {
  Host host;
  host.edit->SetText(JapaneseLines(48 << 20));
  host.edit->SelectAll();
  host.edit->Copy();
  host.edit->SetText("abc");
  host.edit->SetSelection({3, 3});
  const std::string more(8 << 20, 'x');
  {
    AddressSpaceHog hog;
    host.edit->Paste();
    EXPECT_EQ(1, host.recorder.outOfMemory);
    EXPECT_EQ(host.edit->Text(), "abc");
    // The component itself, asked for more than it can have, fails and changes nothing.
    SendMessageW(host.edit->Handle(), SCI_ADDTEXT, more.size(),
                 reinterpret_cast<LPARAM>(more.data()));
    EXPECT_EQ(SC_STATUS_BADALLOC, SendMessageW(host.edit->Handle(), SCI_GETSTATUS, 0, 0));
    EXPECT_EQ(host.edit->Text(), "abc");
    SendMessageW(host.edit->Handle(), SCI_SETSTATUS, SC_STATUS_OK, 0);
  }
  host.edit->SetSelection({3, 3});
  SendMessageW(host.edit->Handle(), WM_CHAR, 'd', 1);
  EXPECT_EQ(host.edit->Text(), "abcd");
  host.edit->Paste();
  EXPECT_EQ(host.edit->TextLength(), static_cast<ByteOffset>(4 + (48 << 20) - (48 << 20) % 14));
  host.edit->Undo();
  EXPECT_EQ(host.edit->Text(), "abcd");
}

}  // namespace
}  // namespace penlet
